// Paces one reply onto the line: the delay before it, then each character after the line's
// character time (at the set baud rate) and the plan's gap.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "reply_plan.h"

namespace fghsim {

using Clock = std::chrono::steady_clock;

class ReplyPacer {
 public:
  // char_time: how long one character takes on the line; zero sends a reply at once.
  explicit ReplyPacer(Clock::duration char_time) : char_time_(char_time) {}

  void Start(ReplyPlan plan, Clock::time_point now);
  void Stop();
  bool active() const { return active_; }
  const ReplyPlan& plan() const { return plan_; }

  // The characters whose time has come by `now`. Once the last has been given out (or at the end
  // of the delay, for a plan without characters) the pacer is no longer active.
  std::string TakeDue(Clock::time_point now);

  // When the next character (or the end of an empty plan's delay) is due.
  std::optional<Clock::time_point> NextDue() const;

 private:
  Clock::time_point DueTime(size_t index) const;

  Clock::duration char_time_;
  ReplyPlan plan_;
  Clock::time_point start_;
  size_t sent_ = 0;
  bool active_ = false;
};

}  // namespace fghsim
