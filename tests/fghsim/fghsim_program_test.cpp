// The fghsim program itself on a new pseudo-terminal, driven the way a test of the driver drives
// it: started, awaited through its readiness line, talked to over the line in raw mode and over
// its control socket, and stopped with SIGTERM.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
namespace fs = std::filesystem;

constexpr int kGenerousMs = 10000;  // for things that take milliseconds unless something is wrong

int MsLeft(Clock::time_point until) {
  const auto left = std::chrono::duration_cast<milliseconds>(until - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Reads from fd until the text holds `end` or the time is up; false on end of file.
bool ReadUntil(int fd, std::string& text, char end, int timeout_ms) {
  const Clock::time_point until = Clock::now() + milliseconds(timeout_ms);
  while (text.find(end) == std::string::npos) {
    pollfd watch{fd, POLLIN, 0};
    if (poll(&watch, 1, MsLeft(until)) <= 0) return true;
    char buffer[256];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return false;
    text.append(buffer, static_cast<size_t>(n));
  }
  return true;
}

class TempDirectory {
 public:
  TempDirectory() {
    char name[] = "/tmp/fghsim-test-XXXXXX";
    if (mkdtemp(name) != nullptr) path_ = name;
  }
  ~TempDirectory() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// fghsim as a child process; its standard output comes through a pipe.
class FghsimProcess {
 public:
  ~FghsimProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (output_ >= 0) close(output_);
  }

  void Start(const std::vector<std::string>& arguments) {
    int pipe_ends[2];
    ASSERT_EQ(pipe2(pipe_ends, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
    std::vector<std::string> words{FGHSIM_PROGRAM};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const int spawned = posix_spawn(&pid_, FGHSIM_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_ends[1]);
    output_ = pipe_ends[0];
    ASSERT_EQ(spawned, 0) << std::strerror(spawned);
  }

  // The device path of the next "fghsim: line PATH ready" line, or "" when none comes.
  std::string WaitUntilReady() {
    static const std::string kPrefix = "fghsim: line ";
    static const std::string kSuffix = " ready";
    const Clock::time_point until = Clock::now() + milliseconds(kGenerousMs);
    while (true) {
      const size_t end = output_text_.find('\n');
      if (end != std::string::npos) {
        const std::string line = output_text_.substr(0, end);
        output_text_.erase(0, end + 1);
        if (line.rfind(kPrefix, 0) == 0 && line.size() > kPrefix.size() + kSuffix.size() &&
            line.compare(line.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0) {
          return line.substr(kPrefix.size(), line.size() - kPrefix.size() - kSuffix.size());
        }
        continue;
      }
      if (MsLeft(until) == 0 || !ReadUntil(output_, output_text_, '\n', MsLeft(until))) return "";
    }
  }

  // Stops it with SIGTERM; its exit status, or -1 when it did not exit cleanly in time.
  int Stop() {
    kill(pid_, SIGTERM);
    const Clock::time_point until = Clock::now() + milliseconds(kGenerousMs);
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (MsLeft(until) == 0) return -1;  // the destructor kills it
      std::this_thread::sleep_for(milliseconds(10));
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int output_ = -1;
  std::string output_text_;
};

// The driver's end of the line, opened by its path in raw mode, as a driver would.
class LineEnd {
 public:
  explicit LineEnd(const std::string& path) {
    fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios settings{};
    if (fd_ < 0 || tcgetattr(fd_, &settings) != 0) {
      ADD_FAILURE() << "cannot open " << path << ": " << std::strerror(errno);
      return;
    }
    cfmakeraw(&settings);
    tcsetattr(fd_, TCSANOW, &settings);
  }
  ~LineEnd() {
    if (fd_ >= 0) close(fd_);
  }

  // Sends a request and collects the reply up to its CR; "" when none comes in time.
  std::string Ask(const std::string& request, int timeout_ms = kGenerousMs) {
    EXPECT_EQ(write(fd_, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    std::string reply;
    hung_up_ = !ReadUntil(fd_, reply, '\r', timeout_ms);
    return reply;
  }
  bool hung_up() const { return hung_up_; }

 private:
  int fd_ = -1;
  bool hung_up_ = false;
};

// A client of the control socket.
class Control {
 public:
  explicit Control(const std::string& path) {
    fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    if (connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      ADD_FAILURE() << "cannot connect to " << path << ": " << std::strerror(errno);
    }
  }
  ~Control() { close(fd_); }

  std::string Send(const std::string& command) {
    const std::string line = command + "\n";
    EXPECT_EQ(send(fd_, line.data(), line.size(), MSG_NOSIGNAL), static_cast<ssize_t>(line.size()));
    std::string answer;
    ReadUntil(fd_, answer, '\n', kGenerousMs);
    return answer.substr(0, answer.find('\n'));
  }

 private:
  int fd_ = -1;
};

constexpr const char* kPlant = R"(
controller 07
  param T number 4 123
controller 12
  param T number 4 0
controller 13
  param T number 4 0
fault 12 silent
fault 13 error 1 8
)";

class FghsimProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(directory_ / "test.plant") << kPlant;
    ASSERT_NO_FATAL_FAILURE(
        fghsim_.Start({"--plant", directory_ / "test.plant", "--link", link_, "--control", control_,
                       "--trace", directory_ / "trace"}));
    device_ = fghsim_.WaitUntilReady();
    ASSERT_NE(device_, "") << "no readiness line";
  }

  TempDirectory directory_;
  const std::string link_ = directory_ / "line0";
  const std::string control_ = directory_ / "control";
  FghsimProcess fghsim_;
  std::string device_;
};

TEST_F(FghsimProgram, AnswersOnTheLineAndTakesFaultsAtRunTime) {
  EXPECT_EQ(fs::read_symlink(link_), device_);
  {
    LineEnd line(link_);
    EXPECT_EQ(line.Ask("R07T\r"), "*07T0123\r");
    EXPECT_EQ(line.Ask("W07T0456\r"), "*07T0456\r");
    EXPECT_EQ(line.Ask("R07T\r"), "*07T0456\r");
    EXPECT_EQ(line.Ask("S07G\r"), "*07G\r");
    EXPECT_EQ(line.Ask("R13T\r"), "?1318\r");
    EXPECT_EQ(line.Ask("R12T\r", 300), "");  // silent

    Control control(control_);
    EXPECT_EQ(control.Send("fault 07/T error 2 count=1"), "ok");
    EXPECT_EQ(line.Ask("R07T\r"), "?072\r");
    EXPECT_EQ(line.Ask("R07T\r"), "*07T0456\r");
    EXPECT_EQ(control.Send("commands"), "ok 07G");
  }
  EXPECT_EQ(fghsim_.Stop(), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(link_)));
  EXPECT_FALSE(fs::exists(fs::symlink_status(control_)));
}

TEST_F(FghsimProgram, DropsTheLineMidReplyAndBringsUpANewOneBehindTheLink) {
  Control control(control_);
  {
    LineEnd line(link_);
    EXPECT_EQ(control.Send("fault 07/T drop 3 count=1"), "ok");
    EXPECT_EQ(line.Ask("R07T\r"), "*07");
    EXPECT_TRUE(line.hung_up());
  }
  const std::string new_device = fghsim_.WaitUntilReady();
  ASSERT_NE(new_device, "");
  EXPECT_EQ(fs::read_symlink(link_), new_device);
  EXPECT_EQ(control.Send("line"), "ok " + new_device);
  {
    LineEnd line(link_);
    EXPECT_EQ(line.Ask("R07T\r"), "*07T0123\r");
  }
  EXPECT_EQ(fghsim_.Stop(), 0);
}

}  // namespace
