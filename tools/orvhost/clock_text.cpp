#include "clock_text.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace orvhost {

std::string TimeOfDay() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  const std::tm* local = std::localtime(&seconds);  // one thread: its shared result is safe
  if (local == nullptr) return "--:--:--.---";
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local->tm_hour, local->tm_min,
                local->tm_sec, static_cast<int>(milliseconds));
  return text;
}

}  // namespace orvhost
