#include "log_display.h"

#include <cstdio>
#include <string>

#include "clock_text.h"
#include "peltar.h"
#include "tavrik/codes.h"

namespace orvhost {

LogDisplay::LogDisplay(bool show_trace) : show_trace_(show_trace) {
  peltar_set_sink(&LogDisplay::Receive, this);
}

LogDisplay::~LogDisplay() {
  peltar_set_sink(nullptr, nullptr);
}

void LogDisplay::Receive(void* context, int32_t level, const char* line) {
  static_cast<LogDisplay*>(context)->Show(level, line);
}

void LogDisplay::Show(int32_t level, const char* line) {
  if (level == ORV_LOG_TRACE && !show_trace_) return;
  if (before_line_) before_line_();
  const std::string time = TimeOfDay();
  std::fflush(stdout);  // keeps the order of results and log lines on a shared terminal
  if (level == ORV_LOG_ERROR) {
    std::fprintf(stderr, "%s [error] %s\n", time.c_str(), line);
  } else if (level == ORV_LOG_TRACE) {
    std::fprintf(stderr, "%s [trace] %s\n", time.c_str(), line);
  } else {
    std::fprintf(stderr, "%s [level %d] %s\n", time.c_str(), static_cast<int>(level), line);
  }
  std::fflush(stderr);
}

}  // namespace orvhost
