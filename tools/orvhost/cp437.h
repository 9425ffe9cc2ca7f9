// Code page 437, the driver's character set, converted to UTF-8 for today's terminals.
#pragma once

#include <string>
#include <string_view>

namespace orvhost {

// Every byte as its code page 437 character in UTF-8; bytes below 0x80 are ASCII and stay as
// they are.
std::string Cp437ToUtf8(std::string_view bytes);

// The driver's banner for display: a leading backspace (0x08) is dropped, the frame's box
// characters become their Unicode counterparts (0xC9 ╔, 0xCD ═, 0xBB ╗, 0xBA ║, 0xC8 ╚, 0xBC ╝).
std::string BannerToUtf8(const char* banner);

}  // namespace orvhost
