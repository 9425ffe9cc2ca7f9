// The text of --help: the general one and each subcommand's.
#pragma once

#include <string_view>

namespace orvhost {

// The help on topic ("" general, "info", "read", "write", "poll").
const char* HelpText(std::string_view topic);

inline constexpr const char* kVersionText = "orvhost 0.1.0";

}  // namespace orvhost
