// The gate list of poll: one GATE[:TYPE] a line; blank lines, lines starting with # and
// # comments after the gate are skipped.
#pragma once

#include <string>
#include <vector>

#include "gate_entry.h"

namespace orvhost {

// The gates listed in the file at path, in order. Throws UsageError ("FILE:LINE: reason") for a
// file that cannot be read, a line that is no readable gate, or a file without gates.
std::vector<GateEntry> ReadGateList(const std::string& path);

}  // namespace orvhost
