// A gate's value in its ValueBlock, where its gate type puts it: from the command line into the
// block (checked before the driver sees it), and from the block for display and JSON.
#pragma once

#include <string>
#include <string_view>

#include "gate_entry.h"
#include "json_writer.h"
#include "tavrik/records.h"

namespace orvhost {

// Whether a write to the gate carries a value: every gate but a command gate.
bool WriteTakesValue(const GateEntry& gate);

// The block for writing text to the gate. Throws UsageError when the text is no number of the
// gate's type, the number does not fit the type or the gate's digits, or a text is too long for
// the gate's field or not printable ASCII.
ValueBlock ValueForWrite(const GateEntry& gate, std::string_view text);

// The value in the block as text: a number, or a text in double quotes (code page 437 shown
// as UTF-8, control characters as \xNN).
std::string FormatValue(const GateEntry& gate, const ValueBlock& value);

// The value as a JSON number or string.
void WriteJsonValue(JsonWriter& json, const GateEntry& gate, const ValueBlock& value);

}  // namespace orvhost
