// The controllers the end-to-end tests talk to: fghsim playing tests/integration/e2e.plant.
// On Linux each test starts its own simulator behind ./line0 in its current directory; under
// Wine one simulator, started before the test program, serves the whole run on a mapped COM port.
#pragma once

#include <string>

namespace tavrik::test {

class SimulatedLine {
 public:
  SimulatedLine();  // fails the test (ADD_FAILURE) when the line does not come up
  ~SimulatedLine();
  SimulatedLine(const SimulatedLine&) = delete;
  SimulatedLine& operator=(const SimulatedLine&) = delete;

  // The port name the driver opens; it stays the same when the line drops and comes back.
  const char* port_name() const;

  // Sends one command to the simulator's control socket and returns its answer line ("ok ...",
  // "error ..."). Linux only: under Wine the faults come from the plant file.
  std::string Command(const std::string& command);

 private:
  int process_ = -1;
};

}  // namespace tavrik::test
