// Collects the lines the driver logs, as the stand-in log library receives them.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tavrik::test {

struct LogLine {
  int32_t level;
  std::string text;

  bool operator==(const LogLine&) const = default;
};

std::ostream& operator<<(std::ostream& out, const LogLine& line);

// Registers itself as the log library's sink for its lifetime.
class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  const std::vector<LogLine>& lines() const { return lines_; }
  void Clear() { lines_.clear(); }

 private:
  static void Receive(void* context, int32_t level, const char* line);

  std::vector<LogLine> lines_;
};

}  // namespace tavrik::test
