// Starts fghsim for one test: its link, ready file and output in the current directory, which
// the test has made a fresh temporary one.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "simulated_line.h"

extern char** environ;

namespace tavrik::test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kStartLimit = std::chrono::seconds(10);
constexpr auto kStopLimit = std::chrono::seconds(5);
constexpr auto kPollInterval = std::chrono::milliseconds(10);
constexpr const char* kLink = "./line0";
constexpr const char* kReadyFile = "./fghsim.ready";
constexpr const char* kControl = "./fghsim.control";
constexpr int kAnswerLimitMs = 5000;

bool Exited(pid_t process) {
  int status = 0;
  return waitpid(process, &status, WNOHANG) == process;
}

}  // namespace

SimulatedLine::SimulatedLine() {
  const char* argv[] = {FGHSIM_PATH,    "--plant",      E2E_PLANT_PATH, "--link",
                        kLink,          "--ready-file", kReadyFile,     "--trace",
                        "fghsim.trace", "--control",    kControl,       nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "fghsim.out",
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t process = -1;
  const int spawned =
      posix_spawn(&process, FGHSIM_PATH, &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    ADD_FAILURE() << "cannot start " << FGHSIM_PATH;
    return;
  }
  process_ = process;
  // Ready once it has written its ready file; it removes nothing before it is stopped.
  const auto until = Clock::now() + kStartLimit;
  while (!std::filesystem::exists(kReadyFile)) {
    if (Exited(process) || Clock::now() > until) {
      ADD_FAILURE() << "fghsim did not come up; see fghsim.out";
      return;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

SimulatedLine::~SimulatedLine() {
  if (process_ < 0) return;
  kill(process_, SIGTERM);
  const auto until = Clock::now() + kStopLimit;
  while (!Exited(process_)) {
    if (Clock::now() > until) {
      kill(process_, SIGKILL);
      waitpid(process_, nullptr, 0);
      ADD_FAILURE() << "fghsim did not stop on SIGTERM";
      return;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

const char* SimulatedLine::port_name() const {
  return kLink;
}

std::string SimulatedLine::Command(const std::string& command) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", kControl);
  const int control = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  std::string answer;
  if (control >= 0 &&
      connect(control, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    const std::string line = command + "\n";
    if (write(control, line.data(), line.size()) == static_cast<ssize_t>(line.size())) {
      pollfd watch{control, POLLIN, 0};
      char byte = 0;
      while (poll(&watch, 1, kAnswerLimitMs) > 0 && read(control, &byte, 1) == 1 && byte != '\n')
        answer += byte;
    }
  }
  if (control >= 0) close(control);
  return answer.empty() ? "error no answer" : answer;
}

}  // namespace tavrik::test
