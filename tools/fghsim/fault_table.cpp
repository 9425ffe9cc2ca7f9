#include "fault_table.h"

#include <algorithm>

namespace fghsim {

void FaultTable::Add(const Fault& fault) {
  faults_.push_back(fault);
}

void FaultTable::Clear() {
  faults_.clear();
}

size_t FaultTable::Clear(const FaultTarget& target) {
  return std::erase_if(faults_, [&](const Fault& fault) { return fault.target == target; });
}

std::optional<Fault> FaultTable::Take(int address, std::string_view line) {
  auto chosen = faults_.end();
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->target.address != address || !it->target.Covers(line)) continue;
    if (chosen == faults_.end() || it->target.Narrowness() > chosen->target.Narrowness()) {
      chosen = it;
    }
  }
  if (chosen == faults_.end()) return std::nullopt;
  Fault taken = *chosen;
  if (chosen->count && --*chosen->count == 0) faults_.erase(chosen);
  return taken;
}

}  // namespace fghsim
