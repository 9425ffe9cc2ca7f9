#include "protocol/request_builder.h"

#include <cstdio>
#include <cstring>

#include "address/gate_descriptor.h"
#include "protocol/line_exchange.h"
#include "tavrik/codes.h"

namespace tavrik {
namespace {

// Appends formatted text; the buffer always has room (descriptors are checked before).
template <typename... Args>
void Append(RequestLine& line, const char* format, Args... args) {
  const int added =
      std::snprintf(line.text + line.length, sizeof line.text - line.length, format, args...);
  if (added > 0) line.length += static_cast<uint32_t>(added);
}

void AppendHeader(char command, const GateDescriptor& d, RequestLine& line) {
  line.length = 0;
  Append(line, "%c%02u%c", command, static_cast<unsigned>(d.controller), ClassCharacter(d));
  if (SecondaryParameter(d) != kNoSecondaryParameter)
    Append(line, "%02u", static_cast<unsigned>(SecondaryParameter(d)));
}

void AppendCharacter(RequestLine& line, char c) {
  line.text[line.length++] = c;
  line.text[line.length] = '\0';
}

void AppendCarriageReturn(RequestLine& line) {
  AppendCharacter(line, kCarriageReturn);
}

// Whether a number fits in digits decimal places. From 10 places on every 32-bit number does.
bool FitsDigits(uint32_t number, uint32_t digits) {
  uint64_t limit = 1;
  for (uint32_t i = 0; i < digits && limit <= UINT32_MAX; ++i) limit *= 10;
  return number < limit;
}

}  // namespace

void BuildReadRequest(const GateDescriptor& descriptor, RequestLine& line) {
  AppendHeader('R', descriptor, line);
  AppendCarriageReturn(line);
}

void BuildCommandRequest(const GateDescriptor& descriptor, RequestLine& line) {
  line.length = 0;
  Append(line, "S%02u%c", static_cast<unsigned>(descriptor.controller),
         CommandCharacter(descriptor));
  AppendCarriageReturn(line);
}

WriteValue BuildWriteRequest(const GateDescriptor& descriptor, int32_t gate_type,
                             const ValueBlock& value, RequestLine& line) {
  const uint32_t digits = ReplyLength(descriptor);
  bool negative = false;
  uint32_t magnitude = 0;
  switch (gate_type) {
    case ORV_GATE_UNSIGNED16:
    case ORV_GATE_UNSIGNED16_OUTPUT:
      magnitude = value.unsigned16[1];
      break;
    case ORV_GATE_SIGNED16:
      negative = value.signed16[1] < 0;
      // The magnitude in 16 bits: -32768 gives 32768.
      magnitude = negative ? static_cast<uint16_t>(0u - static_cast<uint16_t>(value.signed16[1]))
                           : static_cast<uint32_t>(value.signed16[1]);
      break;
    case ORV_GATE_UNSIGNED32:
      magnitude = value.unsigned32;
      break;
    case ORV_GATE_SIGNED32:
      negative = value.signed32 < 0;
      // The magnitude in 32 bits: -2147483648 gives 2147483648.
      magnitude = negative ? 0u - static_cast<uint32_t>(value.signed32)
                           : static_cast<uint32_t>(value.signed32);
      break;
    case ORV_GATE_TEXT:
      AppendHeader('W', descriptor, line);
      // Right-aligned in the field, cut to it; never read past the field's width.
      Append(line, "%*.*s", static_cast<int>(digits), static_cast<int>(digits), value.text);
      AppendCarriageReturn(line);
      return WriteValue::kBuilt;
    default:
      return WriteValue::kIllegalType;
  }
  if (!FitsDigits(magnitude, digits)) return WriteValue::kOverflow;
  AppendHeader('W', descriptor, line);
  if (negative) AppendCharacter(line, '-');
  if (digits > 0) Append(line, "%0*u", static_cast<int>(digits), magnitude);
  AppendCarriageReturn(line);
  return WriteValue::kBuilt;
}

}  // namespace tavrik
