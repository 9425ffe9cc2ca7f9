// A serial line made of a pseudo-terminal: the controller side for the responder, the device
// side (/dev/pts/N) for the driver and the raw baseline.
#pragma once

#include <string>

namespace bench {

class PtyLine {
 public:
  PtyLine();
  ~PtyLine();
  PtyLine(const PtyLine&) = delete;
  PtyLine& operator=(const PtyLine&) = delete;

  bool ok() const { return held_device_ >= 0; }
  // The controlling side, blocking: what the responder reads requests from and writes to.
  int controller() const { return controller_; }
  // A descriptor on the device side that the line keeps open for its whole life, so that the
  // controlling side never sees a hang-up while the driver has the port closed.
  int held_device() const { return held_device_; }
  const std::string& device_path() const { return device_path_; }
  // The device's name as the driver takes it: "pts/N", a device under /dev/.
  std::string port_name() const;

 private:
  int controller_ = -1;
  int held_device_ = -1;
  std::string device_path_;
};

}  // namespace bench
