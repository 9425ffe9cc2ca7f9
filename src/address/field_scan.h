// Reads a number of at most two characters the way the "%02u" input conversion does.
#pragma once

#include <cstdint>

namespace tavrik {

struct FieldScan {
  bool found;      // false when no digit was read
  bool negative;   // a minus sign stood before the digits
  uint32_t value;  // the digits' value, negated modulo 2^32 after a minus sign
};

// Skips white space, then reads at most two characters: an optional sign (which counts as one of
// them) and decimal digits, stopping early at the first character that is not a digit.
FieldScan ScanTwoCharacterNumber(const char* text);

}  // namespace tavrik
