// Under Wine the simulator runs already (tests/windows/run_with_fghsim.py), mapped to the port.
#include "simulated_line.h"

namespace tavrik::test {

SimulatedLine::SimulatedLine() = default;
SimulatedLine::~SimulatedLine() = default;

const char* SimulatedLine::port_name() const {
  return TAVRIK_WINE_TEST_PORT;
}

}  // namespace tavrik::test
