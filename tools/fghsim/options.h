// fghsim's command line.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace fghsim {

// A command line fghsim cannot run with (exit status 2).
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Options {
  bool help = false;
  std::string plant;
  std::string device;  // empty: a new pseudo-terminal
  std::string link;
  std::string ready_file;
  std::string control;
  std::string trace;
  long baud = 0;  // 0: not set
  int bits = 10;
  std::vector<std::string> faults;  // --fault texts, as after "fault" in the plant file
};

// Reads --name VALUE and --name=VALUE options. Throws UsageError.
Options ParseOptions(int argc, const char* const* argv);

// What --help prints.
extern const char* const kHelpText;

}  // namespace fghsim
