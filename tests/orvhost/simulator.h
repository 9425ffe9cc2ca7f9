// fghsim playing orvhost.plant for one test, in the current directory: its line behind the link
// ./line0, its control socket ./fghsim.sock. Started with a bounded wait for its ready file,
// stopped with SIGTERM by its process id.
#pragma once

#include <memory>
#include <string>

#include "child_process.h"

namespace orvhost::test {

class Simulator {
 public:
  Simulator();  // fails the test when the line does not come up
  ~Simulator();

  static constexpr const char* kPort = "./line0";

  // Sends one control command and returns the answer line ("ok ...", "error ..."), or "" when
  // none came.
  std::string Control(const std::string& command) const;

 private:
  std::unique_ptr<ChildProcess> process_;
};

}  // namespace orvhost::test
