// The gate address parser: turns an address text into a GateDescriptor.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

// The parser works on an upper-cased copy of the text in a buffer of this size; longer texts are
// refused.
inline constexpr std::size_t kWorkingCopySize = 32;

// Checks the address text and fills descriptor as far as parsing gets (not at all when the text
// is too long or fails the character check). Returns 0 when accepted, else 1 after one level-32
// line naming the upper-cased copy.
int32_t Parse(const char* address, GateDescriptor& descriptor);

}  // namespace tavrik
