#include "simulator.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <thread>

namespace orvhost::test {
namespace {

constexpr auto kStartLimit = std::chrono::seconds(10);
constexpr auto kStopLimit = std::chrono::seconds(5);
constexpr int kAnswerLimitSeconds = 5;
constexpr const char* kReadyFile = "./fghsim.ready";
constexpr const char* kControlSocket = "./fghsim.sock";

}  // namespace

Simulator::Simulator() {
  process_ = std::make_unique<ChildProcess>(
      std::vector<std::string>{FGHSIM_PATH, "--plant", ORVHOST_PLANT_PATH, "--link", kPort,
                               "--ready-file", kReadyFile, "--control", kControlSocket, "--trace",
                               "fghsim.trace"},
      "fghsim.out", "fghsim.err");
  const auto until = std::chrono::steady_clock::now() + kStartLimit;
  while (!std::filesystem::exists(kReadyFile)) {
    if (!process_->running() || std::chrono::steady_clock::now() > until) {
      ADD_FAILURE() << "fghsim did not come up: " << ReadFile("fghsim.err");
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

Simulator::~Simulator() {
  process_->Signal(SIGTERM);
  process_->Wait(kStopLimit);
}

std::string Simulator::Control(const std::string& command) const {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd < 0) return "";
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, kControlSocket, sizeof address.sun_path - 1);
  timeval limit{kAnswerLimitSeconds, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  std::string answer;
  const std::string line = command + "\n";
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
      write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size())) {
    char c = 0;
    while (read(fd, &c, 1) == 1 && c != '\n') answer += c;
  }
  close(fd);
  return answer;
}

}  // namespace orvhost::test
