// The meaning of a GateDescriptor's fields, shared by the parser that fills descriptors and the
// transactions that use them.
#pragma once

#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

inline constexpr char kCommandClass = '$';
inline constexpr char kCommControlClass = '*';

inline constexpr uint32_t kCommControlController = 255;  // in place of a controller address
inline constexpr uint32_t kHighestController = 99;
inline constexpr uint32_t kNoSecondaryParameter = 0xFFFF;
inline constexpr uint32_t kDefaultReplyLength = 4;
inline constexpr int32_t kReservedField = -1;

// Widths: command and communication-control gates; parameter gates up to a reply length of 4;
// longer ones.
inline constexpr uint32_t kWidthCommand = 1;
inline constexpr uint32_t kWidth16 = 16;
inline constexpr uint32_t kWidth32 = 32;
inline constexpr uint32_t kLongestReplyFor16 = 4;

// Parameter word: secondary parameter in the low 16 bits, reply length in the high 16.
constexpr uint32_t ParameterWord(uint32_t reply_length, uint32_t secondary) {
  return (reply_length << 16) | (secondary & 0xFFFF);
}
constexpr uint32_t SecondaryParameter(const GateDescriptor& d) {
  return d.parameter_word & 0xFFFF;
}
constexpr uint32_t ReplyLength(const GateDescriptor& d) {
  return d.parameter_word >> 16;
}

// The class character sits in the low byte; a command gate's command character in bits 16 to 23.
constexpr char ClassCharacter(const GateDescriptor& d) {
  return static_cast<char>(d.gate_class & 0xFF);
}
constexpr char CommandCharacter(const GateDescriptor& d) {
  return static_cast<char>((d.gate_class >> 16) & 0xFF);
}

// A character stored in a 32-bit field, sign-extended from a signed byte.
constexpr int32_t SignExtended(char c) {
  return static_cast<int32_t>(static_cast<signed char>(c));
}

}  // namespace tavrik
