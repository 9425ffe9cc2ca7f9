// A pseudo-terminal for tests: the driver opens the device side by its path, the test plays the
// far end of the line on the controlling side.
#pragma once

#include <string>

namespace tavrik::test {

class PseudoTerminal {
 public:
  PseudoTerminal();  // fails the test (ADD_FAILURE) when none can be had
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  const std::string& device() const { return device_; }  // for example /dev/pts/3

  // The far end: sends bytes down the line, receives what the driver sent.
  void Send(const std::string& bytes);
  // Everything that arrives within timeout_ms (stops early once expected_bytes have come).
  std::string Receive(size_t expected_bytes, int timeout_ms = 2000);
  // Hangs up the line: the device side then fails its reads.
  void Close();

 private:
  int controller_ = -1;
  std::string device_;
};

}  // namespace tavrik::test
