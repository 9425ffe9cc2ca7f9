// What the simulator knows while it runs: the plant, the faults, and what the line has seen.
#pragma once

#include <deque>
#include <string>

#include "fault_table.h"
#include "plant.h"

namespace fghsim {

struct RecordedCommand {
  int address = 0;
  char command = 0;
};

struct SimState {
  static constexpr size_t kCommandsKept = 10000;

  Plant plant;
  FaultTable faults;
  std::deque<RecordedCommand> commands;  // acknowledged command requests, the latest kept
  long requests = 0;                     // request lines received
  long replies = 0;                      // replies put on the line, faulty ones included
  std::string device;                    // the line's device path

  void Record(int address, char command) {
    commands.push_back({address, command});
    if (commands.size() > kCommandsKept) commands.pop_front();
  }
};

}  // namespace fghsim
