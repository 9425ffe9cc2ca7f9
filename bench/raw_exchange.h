// The baseline: the same request and reply as a SingleRead, with nothing but system calls. The
// request is written, then the reply is read one byte at a time, each read after a poll(), up
// to its carriage return.
#pragma once

#include <cstddef>
#include <string>

namespace bench {

class RawExchange {
 public:
  explicit RawExchange(const std::string& device_path);
  ~RawExchange();
  RawExchange(const RawExchange&) = delete;
  RawExchange& operator=(const RawExchange&) = delete;

  bool ok() const { return descriptor_ >= 0; }
  // One exchange; false when the write failed or a byte did not come within timeout_ms. The
  // reply, its carriage return included, is left in reply() with its length in reply_length().
  bool Run(const char* request, std::size_t length, int timeout_ms);
  const char* reply() const { return reply_; }
  std::size_t reply_length() const { return reply_length_; }

 private:
  int descriptor_ = -1;
  char reply_[128] = {};
  std::size_t reply_length_ = 0;
};

}  // namespace bench
