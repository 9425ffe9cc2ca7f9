// A program run by a test: started with posix_spawn, its standard output and error in files,
// waited for within a limit, and never left behind.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace orvhost::test {

class ChildProcess {
 public:
  // Starts program (argv[0] is its path) with its output in out_file and err_file, which are
  // created in the current directory. Fails the test when it cannot start.
  ChildProcess(const std::vector<std::string>& argv, const std::string& out_file,
               const std::string& err_file);
  ~ChildProcess();  // kills the program if it is still running
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool running();
  void Signal(int signal_number);

  // Its exit status once it has ended within limit; otherwise it is killed, the test fails and
  // the result is -1. -1 also when a signal ended it.
  int Wait(std::chrono::milliseconds limit);

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  int status_ = 0;
};

std::string ReadFile(const std::string& path);

}  // namespace orvhost::test
