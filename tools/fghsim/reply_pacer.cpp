#include "reply_pacer.h"

#include <utility>

namespace fghsim {

void ReplyPacer::Start(ReplyPlan plan, Clock::time_point now) {
  plan_ = std::move(plan);
  start_ = now;
  sent_ = 0;
  active_ = true;
}

void ReplyPacer::Stop() {
  active_ = false;
}

// Character i is due once it has crossed the line: after the delay, i characters and gaps
// before it, and its own character time.
Clock::time_point ReplyPacer::DueTime(size_t index) const {
  const auto count = static_cast<Clock::rep>(index);
  return start_ + std::chrono::milliseconds(plan_.delay_ms) +
         count * (char_time_ + std::chrono::milliseconds(plan_.gap_ms)) +
         (plan_.bytes.empty() ? Clock::duration::zero() : char_time_);
}

std::string ReplyPacer::TakeDue(Clock::time_point now) {
  if (!active_) return {};
  size_t end = sent_;
  while (end < plan_.bytes.size() && DueTime(end) <= now) ++end;
  std::string due = plan_.bytes.substr(sent_, end - sent_);
  sent_ = end;
  if (sent_ == plan_.bytes.size() && (sent_ > 0 || DueTime(0) <= now)) active_ = false;
  return due;
}

std::optional<Clock::time_point> ReplyPacer::NextDue() const {
  if (!active_) return std::nullopt;
  return DueTime(sent_);
}

}  // namespace fghsim
