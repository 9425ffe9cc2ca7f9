// A gate as given on the command line or in a gate list, GATE[:TYPE]: its address, its gate
// type, and what orvhost needs to know of it before the driver's parser sees it (its kind, for
// the default type and the value's checks, and its number of digits).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvhost {

enum class GateKind {
  kParameter16,  // NNp[Sdd][Ldd] with at most 4 digits
  kParameter32,  // NNp[Sdd]Ldd with 5 digits or more
  kCommand,      // NN$c
  kCommControl,  // dd*, dX*, XX*
};

struct GateEntry {
  std::string address;  // as given: the driver upper-cases it for itself
  int32_t type = 0;     // an OrvGateType
  GateKind kind = GateKind::kParameter16;
  uint32_t digits = 4;  // a parameter gate's reply length: the field its value travels in
};

// The kind of gate an address names, read from its form only; the driver's parser has the last
// word on whether the address is valid.
GateKind KindOfAddress(std::string_view address);

// The reply length of a parameter gate address: its L field, else 4.
uint32_t DigitsOfAddress(std::string_view address);

// The gate type used when none is given: s16, s32, trigger or u16 by kind.
int32_t DefaultGateType(GateKind kind);

// The type's name (u16, s16, u16out, none, s32, u32, trigger, text).
const char* GateTypeName(int32_t type);

// A type given as a number 0 to 7 or by name; nothing when it is neither.
std::optional<int32_t> GateTypeFromText(std::string_view text);

// "GATE" or "GATE:TYPE"; throws UsageError with the reason when it cannot be one.
GateEntry ParseGateEntry(std::string_view text);

// Where GATE[:TYPE] ends and "=VALUE" begins in text: the position of the '=', or npos. The
// search starts after the parameter code, which may be any character.
std::size_t ValueSeparator(std::string_view text);

// Throws UsageError when a read of the gate cannot give a value: command and
// communication-control gates are only written, and so are gates of type u16out.
void CheckReadable(const GateEntry& gate);

// "controller 07", "controllers 30-39", "all controllers": the controllers a communication-control
// address names.
std::string CommControlTargets(std::string_view address);

}  // namespace orvhost
