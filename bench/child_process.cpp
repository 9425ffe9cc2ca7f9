#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "bench_clock.h"

extern char** environ;

namespace bench {
namespace {

constexpr int kPollMs = 50;  // how often the child's end is looked for

bool Reap(pid_t child, ChildOutcome* outcome) {
  int status = 0;
  if (waitpid(child, &status, WNOHANG) != child) return false;
  outcome->exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return true;
}

void DrainInto(int descriptor, std::string* output) {
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(descriptor, buffer, sizeof buffer);
    if (n > 0) {
      output->append(buffer, static_cast<std::size_t>(n));
    } else if (!(n < 0 && errno == EINTR)) {
      return;
    }
  }
}

}  // namespace

ChildOutcome RunChild(const std::vector<std::string>& argv, int timeout_seconds, bool capture,
                      bool show_errors) {
  ChildOutcome outcome;
  int pipe_ends[2] = {-1, -1};
  // Non-blocking on our side: a Wine server started by the child may hold the write end open
  // long after the child is gone, so the end of the child, not of the pipe, ends the reading.
  if (capture && pipe2(pipe_ends, O_CLOEXEC | O_NONBLOCK) != 0) return outcome;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (capture) {
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  }
  if (!show_errors)
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

  std::vector<char*> arguments;
  for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);
  pid_t child = -1;
  const int spawned =
      posix_spawn(&child, arguments[0], &actions, nullptr, arguments.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (capture) close(pipe_ends[1]);
  if (spawned != 0) {
    if (capture) close(pipe_ends[0]);
    return outcome;
  }
  outcome.started = true;

  const double deadline = WallSeconds() + timeout_seconds;
  while (!Reap(child, &outcome)) {
    if (WallSeconds() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
      outcome.timed_out = true;
      break;
    }
    if (capture) {
      pollfd watch{pipe_ends[0], POLLIN, 0};
      if (poll(&watch, 1, kPollMs) > 0) DrainInto(pipe_ends[0], &outcome.output);
    } else {
      usleep(kPollMs * 1000);
    }
  }
  if (capture) {
    DrainInto(pipe_ends[0], &outcome.output);
    close(pipe_ends[0]);
  }
  return outcome;
}

}  // namespace bench
