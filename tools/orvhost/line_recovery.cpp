#include "line_recovery.h"

#include <algorithm>
#include <chrono>

#include "interrupt.h"

namespace orvhost {
namespace {

constexpr auto kFirstWait = std::chrono::milliseconds(100);
constexpr auto kLongestWait = std::chrono::milliseconds(2000);

}  // namespace

bool LineRecovery::NoteRead(int32_t result) {
  failures_in_a_row_ = result == ORV_FAILED ? failures_in_a_row_ + 1 : 0;
  return reopen_after_ > 0 && failures_in_a_row_ >= reopen_after_;
}

ReopenRecord LineRecovery::Reopen(uint64_t round) {
  failures_in_a_row_ = 0;
  ReopenRecord record;
  record.round = round;
  record.close_result = session_.CloseCom();
  auto wait = kFirstWait;
  for (;;) {
    ++record.tries;
    record.result = session_.ReOpenCom();
    if (record.result != ORV_FAILED || record.tries >= max_tries_) break;
    if (!SleepUnlessInterrupted(wait)) break;
    wait = std::min(wait * 2, kLongestWait);
  }
  port_closed_ = record.result != ORV_DONE;
  return record;
}

ReopenRecord LineRecovery::RetryOpen(uint64_t round) {
  ReopenRecord record;
  record.round = round;
  record.tries = 1;
  record.result = session_.ReOpenCom();
  port_closed_ = record.result != ORV_DONE;
  return record;
}

}  // namespace orvhost
