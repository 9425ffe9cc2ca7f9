#include "raw_exchange.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace bench {

RawExchange::RawExchange(const std::string& device_path)
    : descriptor_(open(device_path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK)) {}

RawExchange::~RawExchange() {
  if (descriptor_ >= 0) close(descriptor_);
}

bool RawExchange::Run(const char* request, std::size_t length, int timeout_ms) {
  if (write(descriptor_, request, length) != static_cast<ssize_t>(length)) return false;
  reply_length_ = 0;
  while (reply_length_ < sizeof reply_) {
    pollfd watch{descriptor_, POLLIN, 0};
    const int ready = poll(&watch, 1, timeout_ms);
    if (ready == 0) return false;
    if (ready < 0 && errno != EINTR) return false;
    char byte = 0;
    const ssize_t n = read(descriptor_, &byte, 1);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (n != 1) return false;
    reply_[reply_length_++] = byte;
    if (byte == '\r') return true;
  }
  return false;
}

}  // namespace bench
