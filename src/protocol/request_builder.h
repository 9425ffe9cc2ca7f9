// The request lines: R (read), W (write) and S (command), each ending in a carriage return.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

// W, address, parameter code, secondary parameter, sign, 99 value characters, carriage return.
inline constexpr std::size_t kLongestRequest = 107;

struct RequestLine {
  char text[kLongestRequest + 1];  // and a terminator, which is never sent
  uint32_t length;
};

// R, the controller address in two digits, the parameter code, the secondary parameter in two
// digits when there is one, a carriage return: 5 or 7 characters.
void BuildReadRequest(const GateDescriptor& descriptor, RequestLine& line);

// S, the controller address, the command character, a carriage return.
void BuildCommandRequest(const GateDescriptor& descriptor, RequestLine& line);

enum class WriteValue { kBuilt, kOverflow, kIllegalType };

// W and the header as a read has it, then the value of the gate type in exactly reply-length
// characters: digits with leading zeros after a "-" for a negative signed value, or text
// right-aligned with blanks and cut to length. A number that needs more digits is an overflow.
WriteValue BuildWriteRequest(const GateDescriptor& descriptor, int32_t gate_type,
                             const ValueBlock& value, RequestLine& line);

}  // namespace tavrik
