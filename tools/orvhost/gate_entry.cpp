#include "gate_entry.h"

#include <array>

#include "tavrik/codes.h"
#include "usage_error.h"

namespace orvhost {
namespace {

constexpr std::size_t kClassPosition = 2;  // the character after the two-character controller
constexpr std::size_t kFieldLength = 3;    // an S or L field: its letter and two digits
constexpr uint32_t kDefaultDigits = 4;
constexpr uint32_t kLongest16BitDigits = 4;
constexpr std::size_t kShortestAddress = 3;

constexpr std::array<const char*, 8> kTypeNames = {"u16", "s16", "u16out",  "none",
                                                   "s32", "u32", "trigger", "text"};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

GateKind KindOfAddress(std::string_view address) {
  if (address.size() > kClassPosition) {
    if (address[kClassPosition] == '*') return GateKind::kCommControl;
    if (address[kClassPosition] == '$') return GateKind::kCommand;
  }
  return DigitsOfAddress(address) > kLongest16BitDigits ? GateKind::kParameter32
                                                        : GateKind::kParameter16;
}

uint32_t DigitsOfAddress(std::string_view address) {
  std::size_t at = kClassPosition + 1;
  if (at < address.size() && Upper(address[at]) == 'S') at += kFieldLength;
  if (at + 2 < address.size() && Upper(address[at]) == 'L' && IsDigit(address[at + 1]) &&
      IsDigit(address[at + 2])) {
    return static_cast<uint32_t>((address[at + 1] - '0') * 10 + (address[at + 2] - '0'));
  }
  return kDefaultDigits;
}

int32_t DefaultGateType(GateKind kind) {
  switch (kind) {
    case GateKind::kParameter16:
      return ORV_GATE_SIGNED16;
    case GateKind::kParameter32:
      return ORV_GATE_SIGNED32;
    case GateKind::kCommand:
      return ORV_GATE_TRIGGER;
    case GateKind::kCommControl:
      return ORV_GATE_UNSIGNED16;
  }
  return ORV_GATE_SIGNED16;
}

const char* GateTypeName(int32_t type) {
  return type >= 0 && type < static_cast<int32_t>(kTypeNames.size()) ? kTypeNames[type] : "?";
}

std::optional<int32_t> GateTypeFromText(std::string_view text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '7') return text[0] - '0';
  for (std::size_t i = 0; i < kTypeNames.size(); ++i) {
    if (text == kTypeNames[i]) return static_cast<int32_t>(i);
  }
  return std::nullopt;
}

std::size_t ValueSeparator(std::string_view text) {
  return text.size() > kClassPosition ? text.find('=', kClassPosition + 1) : std::string_view::npos;
}

GateEntry ParseGateEntry(std::string_view text) {
  const std::size_t colon =
      text.size() > kClassPosition ? text.find(':', kClassPosition + 1) : std::string_view::npos;
  const std::string_view address = text.substr(0, colon);
  if (address.size() < kShortestAddress) {
    throw UsageError("gate '" + std::string(text) +
                     "' is too short: a gate is NNp[Sdd][Ldd], NN$c, dd*, dX* or XX*");
  }
  for (const char c : address) {
    if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x7F) {
      throw UsageError("gate '" + std::string(address) +
                       "' has a character that is not printable ASCII");
    }
  }
  GateEntry entry;
  entry.address = std::string(address);
  entry.kind = KindOfAddress(address);
  entry.digits = DigitsOfAddress(address);
  if (colon == std::string_view::npos) {
    entry.type = DefaultGateType(entry.kind);
    return entry;
  }
  const std::string_view type_text = text.substr(colon + 1);
  const std::optional<int32_t> type = GateTypeFromText(type_text);
  if (!type) {
    throw UsageError("gate '" + std::string(text) + "': unknown type '" + std::string(type_text) +
                     "' (0-7 or u16, s16, u16out, s32, u32, trigger, text)");
  }
  if (*type == ORV_GATE_UNSUPPORTED) {
    throw UsageError("gate '" + std::string(text) + "': type 3 (none) is accepted for no gate");
  }
  entry.type = *type;
  return entry;
}

void CheckReadable(const GateEntry& gate) {
  if (gate.kind == GateKind::kCommand) {
    throw UsageError("gate " + gate.address + " is a command gate: it can only be written");
  }
  if (gate.kind == GateKind::kCommControl) {
    throw UsageError("gate " + gate.address +
                     " is a communication-control gate: it can only be written");
  }
  if (gate.type == ORV_GATE_UNSIGNED16_OUTPUT) {
    throw UsageError("gate " + gate.address + ": type u16out is written, never read");
  }
}

std::string CommControlTargets(std::string_view address) {
  const char first = address.size() > 0 ? Upper(address[0]) : '?';
  const char second = address.size() > 1 ? Upper(address[1]) : '?';
  if (first == 'X' && second == 'X') return "all controllers";
  if (IsDigit(first) && second == 'X') {
    return std::string("controllers ") + first + "0-" + first + "9";
  }
  return std::string("controller ") + first + second;
}

}  // namespace orvhost
