#include "log_capture.h"

#include "peltar.h"

namespace tavrik::test {

std::ostream& operator<<(std::ostream& out, const LogLine& line) {
  return out << "{" << line.level << ", \"" << line.text << "\"}";
}

LogCapture::LogCapture() {
  peltar_set_sink(&LogCapture::Receive, this);
}

LogCapture::~LogCapture() {
  peltar_set_sink(nullptr, nullptr);
}

void LogCapture::Receive(void* context, int32_t level, const char* line) {
  static_cast<LogCapture*>(context)->lines_.push_back({level, line});
}

}  // namespace tavrik::test
