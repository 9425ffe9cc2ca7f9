// Running a program to its end within a time limit, by its process id, optionally keeping what
// it writes to standard output.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct ChildOutcome {
  bool started = false;
  bool timed_out = false;  // killed when its time ran out
  int exit_code = -1;      // when it exited by itself
  std::string output;      // its standard output, when asked for
};

// Standard input is /dev/null. Standard output goes to a pipe read here when capture is true,
// else to /dev/null; standard error is inherited only when show_errors is true.
ChildOutcome RunChild(const std::vector<std::string>& argv, int timeout_seconds, bool capture,
                      bool show_errors);

}  // namespace bench
