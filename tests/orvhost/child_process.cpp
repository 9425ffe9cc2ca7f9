#include "child_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace orvhost::test {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& out_file,
                           const std::string& err_file) {
  std::vector<char*> pointers;
  for (const std::string& word : argv) pointers.push_back(const_cast<char*>(word.c_str()));
  pointers.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out_file.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_file.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int spawned =
      posix_spawn(&pid_, argv[0].c_str(), &actions, nullptr, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    pid_ = -1;
    ADD_FAILURE() << "cannot start " << argv[0];
  }
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !reaped_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

bool ChildProcess::running() {
  if (pid_ <= 0 || reaped_) return false;
  if (waitpid(pid_, &status_, WNOHANG) == pid_) reaped_ = true;
  return !reaped_;
}

void ChildProcess::Signal(int signal_number) {
  if (running()) kill(pid_, signal_number);
}

int ChildProcess::Wait(std::chrono::milliseconds limit) {
  if (pid_ <= 0) return -1;
  const auto until = std::chrono::steady_clock::now() + limit;
  while (running()) {
    if (std::chrono::steady_clock::now() > until) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      reaped_ = true;
      ADD_FAILURE() << "process " << pid_ << " did not end within " << limit.count() << " ms";
      return -1;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace orvhost::test
