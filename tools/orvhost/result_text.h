// What the driver's result codes mean for a read or a write, in words.
#pragma once

#include <cstdint>

namespace orvhost {

// "done"; "not done: ..." for 1; "failed: ..." for 2.
const char* TransferMeaning(int32_t result);

// For a gate the driver's parser refused: its steps are not done.
inline constexpr const char* kParseRefused = "not done: address or type refused by the driver";

}  // namespace orvhost
