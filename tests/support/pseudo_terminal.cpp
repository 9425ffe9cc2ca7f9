#include "pseudo_terminal.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>

namespace tavrik::test {

PseudoTerminal::PseudoTerminal() {
  controller_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (controller_ < 0 || grantpt(controller_) != 0 || unlockpt(controller_) != 0) {
    ADD_FAILURE() << "no pseudo-terminal";
    return;
  }
  device_ = ptsname(controller_);
}

PseudoTerminal::~PseudoTerminal() {
  Close();
}

void PseudoTerminal::Send(const std::string& bytes) {
  ASSERT_EQ(write(controller_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

std::string PseudoTerminal::Receive(size_t expected_bytes, int timeout_ms) {
  std::string got;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (got.size() < expected_bytes) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        until - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd watch{controller_, POLLIN, 0};
    if (poll(&watch, 1, static_cast<int>(left.count())) <= 0) break;
    char buffer[256];
    const ssize_t n = read(controller_, buffer, sizeof buffer);
    if (n <= 0) break;
    got.append(buffer, static_cast<size_t>(n));
  }
  return got;
}

void PseudoTerminal::Close() {
  if (controller_ >= 0) close(controller_);
  controller_ = -1;
}

}  // namespace tavrik::test
