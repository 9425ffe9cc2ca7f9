// The serial line the controllers answer on: a new pseudo-terminal, or an existing serial device
// for a bench with real hardware. Either way raw: 8-bit characters, no echo, no CR/LF translation.
#pragma once

#include <sys/types.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace fghsim {

struct LineError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct LineSettings {
  std::string device;  // empty: a new pseudo-terminal
  std::string link;    // a symbolic link kept pointing at the line's device path; empty: none
  long baud = 9600;    // a serial device's speed
  int bits = 10;       // a serial device's character: 10 bits 8N1, 11 bits 8E1
};

class Line {
 public:
  // Checks the settings (a link path that is not a symbolic link is refused); throws LineError.
  explicit Line(LineSettings settings);
  ~Line();
  Line(const Line&) = delete;
  Line& operator=(const Line&) = delete;

  // Brings the line up and points the link at it. Throws LineError.
  void Open();
  void Close();
  void RemoveLink();

  bool is_open() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }

  // Non-blocking. Read: bytes read, 0 for none yet, -1 when the line failed. Write: bytes the
  // line took (0 when it takes none now), -1 when the line failed.
  ssize_t Read(char* buffer, size_t size);
  ssize_t Write(std::string_view bytes);

  // Throws away what the line holds for the far end: on a pseudo-terminal what the far end has
  // not read, on a serial device what is not yet sent.
  void DiscardUnread();

  // Bytes written and not yet delivered: on a pseudo-terminal those the far end has not read,
  // on a serial device those not yet sent.
  size_t Undelivered() const;

 private:
  void OpenPseudoTerminal();
  void OpenDevice();
  void PointLink();

  LineSettings settings_;
  int fd_ = -1;
  int device_side_ = -1;  // our own hold on the pseudo-terminal's device side
  std::string path_;
};

}  // namespace fghsim
