// The faults in force, and which one a request meets.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "fault.h"

namespace fghsim {

class FaultTable {
 public:
  void Add(const Fault& fault);
  void Clear();
  // Removes the faults set on exactly this target; returns how many.
  size_t Clear(const FaultTarget& target);

  // The fault a request line (without its CR) to a controller meets, with one use of its count
  // spent (a fault whose count runs out is removed). The narrowest target wins; among equally
  // narrow ones the earliest set, so faults set one after another on a target act in turn.
  std::optional<Fault> Take(int address, std::string_view line);

  const std::vector<Fault>& faults() const { return faults_; }

 private:
  std::vector<Fault> faults_;  // in the order set
};

}  // namespace fghsim
