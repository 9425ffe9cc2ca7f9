#include "pty_line.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace bench {

PtyLine::PtyLine() {
  controller_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (controller_ < 0 || grantpt(controller_) != 0 || unlockpt(controller_) != 0) return;
  const char* name = ptsname(controller_);
  if (name == nullptr) return;
  device_path_ = name;
  const int device = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (device < 0) return;
  // Bytes through unchanged from the start, as on a serial line: no echo, no translation.
  termios settings{};
  if (tcgetattr(device, &settings) != 0) {
    close(device);
    return;
  }
  cfmakeraw(&settings);
  if (tcsetattr(device, TCSANOW, &settings) != 0) {
    close(device);
    return;
  }
  held_device_ = device;
}

PtyLine::~PtyLine() {
  if (held_device_ >= 0) close(held_device_);
  if (controller_ >= 0) close(controller_);
}

std::string PtyLine::port_name() const {
  constexpr const char kDevicePrefix[] = "/dev/";
  const std::string prefix(kDevicePrefix);
  return device_path_.compare(0, prefix.size(), prefix) == 0 ? device_path_.substr(prefix.size())
                                                             : device_path_;
}

}  // namespace bench
