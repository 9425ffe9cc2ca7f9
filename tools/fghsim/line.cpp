#include "line.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace fghsim {

namespace {

std::string Failure(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

speed_t SpeedFor(long baud) {
  static constexpr std::array<std::pair<long, speed_t>, 18> kSpeeds{{
      {50, B50},
      {75, B75},
      {110, B110},
      {150, B150},
      {300, B300},
      {600, B600},
      {1200, B1200},
      {2400, B2400},
      {4800, B4800},
      {9600, B9600},
      {19200, B19200},
      {38400, B38400},
      {57600, B57600},
      {115200, B115200},
      {230400, B230400},
      {460800, B460800},
      {921600, B921600},
      {1000000, B1000000},
  }};
  for (const auto& [rate, speed] : kSpeeds) {
    if (rate == baud) return speed;
  }
  throw LineError("a serial device cannot run at " + std::to_string(baud) + " baud");
}

// Raw 8-bit characters: no echo, no line editing, no CR/LF translation, no signals.
void MakeRaw(int fd, const std::string& path, speed_t speed, bool parity) {
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) throw LineError(Failure(path + " is not a terminal"));
  cfmakeraw(&settings);
  settings.c_cflag |= CLOCAL | CREAD;
  if (parity) settings.c_cflag |= PARENB;  // even
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
  cfsetispeed(&settings, speed);
  cfsetospeed(&settings, speed);
  if (tcsetattr(fd, TCSANOW, &settings) != 0) throw LineError(Failure("cannot set up " + path));
}

}  // namespace

Line::Line(LineSettings settings) : settings_(std::move(settings)) {
  if (!settings_.device.empty()) {
    SpeedFor(settings_.baud);
    // The link must lead to the device from wherever it is.
    if (settings_.device.front() != '/') {
      char* here = getcwd(nullptr, 0);
      if (here != nullptr) settings_.device = std::string(here) + "/" + settings_.device;
      free(here);
    }
  }
  struct stat status {};
  if (!settings_.link.empty() && lstat(settings_.link.c_str(), &status) == 0 &&
      !S_ISLNK(status.st_mode)) {
    throw LineError(settings_.link + " exists and is not a symbolic link; not replacing it");
  }
}

Line::~Line() {
  Close();
}

void Line::Open() {
  if (settings_.device.empty()) {
    OpenPseudoTerminal();
  } else {
    OpenDevice();
  }
  PointLink();
}

void Line::OpenPseudoTerminal() {
  fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) throw LineError(Failure("no pseudo-terminal"));
  char name[128];
  if (grantpt(fd_) != 0 || unlockpt(fd_) != 0 || ptsname_r(fd_, name, sizeof name) != 0) {
    const std::string message = Failure("cannot set up a pseudo-terminal");
    Close();
    throw LineError(message);
  }
  path_ = name;
  // Holding the device side open ourselves keeps the line up while drivers open and close it:
  // without it, the controlling side would see a hang-up each time the last one closes.
  device_side_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (device_side_ < 0) {
    const std::string message = Failure("cannot open " + path_);
    Close();
    throw LineError(message);
  }
  try {
    MakeRaw(device_side_, path_, B9600, false);
  } catch (const LineError&) {
    Close();
    throw;
  }
}

void Line::OpenDevice() {
  path_ = settings_.device;
  fd_ = open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) throw LineError(Failure("cannot open " + path_));
  try {
    MakeRaw(fd_, path_, SpeedFor(settings_.baud), settings_.bits == 11);
  } catch (const LineError&) {
    Close();
    throw;
  }
  tcflush(fd_, TCIOFLUSH);
}

// The link moves in one step (a new link renamed over the old), so that a driver opening it
// finds either the old line or the new one, never nothing.
void Line::PointLink() {
  if (settings_.link.empty()) return;
  const std::string fresh = settings_.link + ".fghsim-new";
  unlink(fresh.c_str());
  if (symlink(path_.c_str(), fresh.c_str()) != 0 ||
      rename(fresh.c_str(), settings_.link.c_str()) != 0) {
    const std::string message = Failure("cannot point " + settings_.link + " at " + path_);
    unlink(fresh.c_str());
    throw LineError(message);
  }
}

void Line::RemoveLink() {
  struct stat status {};
  if (!settings_.link.empty() && lstat(settings_.link.c_str(), &status) == 0 &&
      S_ISLNK(status.st_mode)) {
    unlink(settings_.link.c_str());
  }
}

void Line::Close() {
  if (device_side_ >= 0) close(device_side_);
  if (fd_ >= 0) close(fd_);
  device_side_ = -1;
  fd_ = -1;
}

ssize_t Line::Read(char* buffer, size_t size) {
  const ssize_t n = read(fd_, buffer, size);
  if (n > 0) return n;
  if (n < 0 && (errno == EAGAIN || errno == EINTR)) return 0;
  return -1;
}

ssize_t Line::Write(std::string_view bytes) {
  const ssize_t n = write(fd_, bytes.data(), bytes.size());
  if (n >= 0) return n;
  if (errno == EAGAIN || errno == EINTR) return 0;
  return -1;
}

void Line::DiscardUnread() {
  if (device_side_ >= 0) {
    tcflush(device_side_, TCIFLUSH);
  } else if (fd_ >= 0) {
    tcflush(fd_, TCOFLUSH);
  }
}

size_t Line::Undelivered() const {
  int count = 0;
  if (device_side_ >= 0) {
    ioctl(device_side_, FIONREAD, &count);
  } else if (fd_ >= 0) {
    ioctl(fd_, TIOCOUTQ, &count);
  }
  return count > 0 ? static_cast<size_t>(count) : 0;
}

}  // namespace fghsim
