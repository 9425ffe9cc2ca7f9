#include "gate_value.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <limits>

#include "cp437.h"
#include "tavrik/codes.h"
#include "usage_error.h"

namespace orvhost {
namespace {

// From this many digits on every 32-bit number fits, as the driver counts them.
constexpr uint32_t kDigitsOfAny32BitNumber = 10;

struct Range {
  int64_t lowest;
  int64_t highest;
};

Range RangeOf(int32_t type) {
  switch (type) {
    case ORV_GATE_SIGNED16:
      return {std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()};
    case ORV_GATE_SIGNED32:
      return {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};
    case ORV_GATE_UNSIGNED32:
      return {0, std::numeric_limits<uint32_t>::max()};
    default:  // u16, u16out
      return {0, std::numeric_limits<uint16_t>::max()};
  }
}

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

int64_t ParseNumber(const GateEntry& gate, std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  int64_t number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (digits.empty() || error == std::errc::invalid_argument ||
      end != digits.data() + digits.size()) {
    throw UsageError("gate " + gate.address + ": " + Quoted(text) + " is not a number (type " +
                     GateTypeName(gate.type) + "; a text gate is written as " + gate.address +
                     ":text=TEXT)");
  }
  const Range range = RangeOf(gate.type);
  if (error == std::errc::result_out_of_range || number < range.lowest || number > range.highest) {
    throw UsageError("gate " + gate.address + ": " + std::string(text) + " does not fit type " +
                     GateTypeName(gate.type) + " (" + std::to_string(range.lowest) + " to " +
                     std::to_string(range.highest) + ")");
  }
  return number;
}

// A parameter gate's number travels in its digits: the driver would refuse a wider one.
void CheckDigits(const GateEntry& gate, int64_t number) {
  if (gate.kind == GateKind::kCommControl || gate.digits >= kDigitsOfAny32BitNumber) return;
  uint64_t limit = 1;
  for (uint32_t i = 0; i < gate.digits; ++i) limit *= 10;
  const uint64_t magnitude =
      number < 0 ? static_cast<uint64_t>(-number) : static_cast<uint64_t>(number);
  if (magnitude >= limit) {
    throw UsageError("gate " + gate.address + ": " + std::to_string(number) + " needs more than " +
                     std::to_string(gate.digits) + " digits, the gate's reply length");
  }
}

ValueBlock TextValue(const GateEntry& gate, std::string_view text) {
  const std::size_t room = std::min<std::size_t>(gate.digits, ORV_VALUE_TEXT_SIZE - 1);
  if (text.size() > room) {
    throw UsageError("gate " + gate.address + ": text " + Quoted(text) + " has " +
                     std::to_string(text.size()) + " characters; the gate holds " +
                     std::to_string(room));
  }
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < ' ' || static_cast<unsigned char>(c) > '~') {
      throw UsageError("gate " + gate.address + ": text " + Quoted(text) +
                       " must be printable ASCII");
    }
  }
  ValueBlock block{};
  std::memcpy(block.text, text.data(), text.size());
  return block;
}

std::string PrintableText(std::string_view text) {
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < ' ' || byte == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(byte));
      shown += escape;
    } else if (byte == '"' || byte == '\\') {
      shown += '\\';
      shown += static_cast<char>(byte);
    } else {
      shown += static_cast<char>(byte);
    }
  }
  return Cp437ToUtf8(shown);
}

// The block's text, never read past its end.
std::string_view BlockText(const ValueBlock& value) {
  const char* end = std::find(std::begin(value.text), std::end(value.text), '\0');
  return {value.text, static_cast<std::size_t>(end - value.text)};
}

}  // namespace

bool WriteTakesValue(const GateEntry& gate) {
  return gate.kind != GateKind::kCommand;
}

ValueBlock ValueForWrite(const GateEntry& gate, std::string_view text) {
  // The driver takes the on/off state from the 16-bit field at offset 2 whatever the type: a
  // 32-bit value there would be cut to its upper half.
  if (gate.kind == GateKind::kCommControl && gate.type != ORV_GATE_UNSIGNED16 &&
      gate.type != ORV_GATE_SIGNED16 && gate.type != ORV_GATE_UNSIGNED16_OUTPUT) {
    throw UsageError("gate " + gate.address +
                     ": a communication-control gate takes a 16-bit value (u16, s16 or u16out): "
                     "0 disables, anything else enables");
  }
  if (gate.type == ORV_GATE_TEXT) return TextValue(gate, text);
  if (gate.type == ORV_GATE_TRIGGER || gate.type == ORV_GATE_UNSUPPORTED) {
    throw UsageError("gate " + gate.address + ": type " + GateTypeName(gate.type) +
                     " carries no value");
  }
  const int64_t number = ParseNumber(gate, text);
  CheckDigits(gate, number);
  ValueBlock block{};
  switch (gate.type) {
    case ORV_GATE_SIGNED16:
      block.signed16[1] = static_cast<int16_t>(number);
      break;
    case ORV_GATE_SIGNED32:
      block.signed32 = static_cast<int32_t>(number);
      break;
    case ORV_GATE_UNSIGNED32:
      block.unsigned32 = static_cast<uint32_t>(number);
      break;
    default:
      block.unsigned16[1] = static_cast<uint16_t>(number);
  }
  return block;
}

std::string FormatValue(const GateEntry& gate, const ValueBlock& value) {
  switch (gate.type) {
    case ORV_GATE_SIGNED16:
      return std::to_string(value.signed16[1]);
    case ORV_GATE_SIGNED32:
      return std::to_string(value.signed32);
    case ORV_GATE_UNSIGNED32:
      return std::to_string(value.unsigned32);
    case ORV_GATE_TEXT:
      return "\"" + PrintableText(BlockText(value)) + "\"";
    case ORV_GATE_TRIGGER:
      return "";
    default:
      return std::to_string(value.unsigned16[1]);
  }
}

void WriteJsonValue(JsonWriter& json, const GateEntry& gate, const ValueBlock& value) {
  switch (gate.type) {
    case ORV_GATE_SIGNED16:
      json.Integer(value.signed16[1]);
      break;
    case ORV_GATE_SIGNED32:
      json.Integer(value.signed32);
      break;
    case ORV_GATE_UNSIGNED32:
      json.Unsigned(value.unsigned32);
      break;
    case ORV_GATE_TEXT:
      json.String(Cp437ToUtf8(BlockText(value)));
      break;
    case ORV_GATE_TRIGGER:
      json.Null();
      break;
    default:
      json.Unsigned(value.unsigned16[1]);
  }
}

}  // namespace orvhost
