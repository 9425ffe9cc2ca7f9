// The driver's log lines, received through the log library's sink and shown on standard error
// with the time and level: errors (32) always, trace lines (64) on request.
#pragma once

#include <cstdint>
#include <functional>

namespace orvhost {

class LogDisplay {
 public:
  // Registers the sink with the log library; the destructor removes it.
  explicit LogDisplay(bool show_trace);
  ~LogDisplay();
  LogDisplay(const LogDisplay&) = delete;
  LogDisplay& operator=(const LogDisplay&) = delete;

  // Called before each line shown, so that a live status line can get out of its way.
  void set_before_line(std::function<void()> before_line) { before_line_ = std::move(before_line); }

 private:
  static void Receive(void* context, int32_t level, const char* line);
  void Show(int32_t level, const char* line);

  bool show_trace_;
  std::function<void()> before_line_;
};

}  // namespace orvhost
