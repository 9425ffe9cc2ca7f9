// (c): the calling thread's CPU time against the wall time while the controller is slow; a
// driver that waits for the reply in the kernel uses next to none of it.
#include "bench_clock.h"
#include "line_under_test.h"
#include "measurements.h"

namespace bench {
namespace {

constexpr int32_t kReplyTimeout = 20;  // 200 ms: well above the controller's delay

}  // namespace

CpuShareResult MeasureCpuShare(OrvMainFunction entry, uint64_t transactions, int delay_ms) {
  CpuShareResult result;
  result.delay_ms = delay_ms;
  LineUnderTest test(entry, ResponderPlan{kReply, delay_ms}, kReplyTimeout);
  if (!test.error().empty()) {
    result.error = test.error();
    return result;
  }
  if (test.read().Run() != ORV_DONE) {  // warm-up
    result.error = "the warm-up read failed";
    return result;
  }
  const double wall_start = WallSeconds();
  const double cpu_start = ThreadCpuSeconds();
  for (uint64_t i = 0; i < transactions; ++i) {
    if (test.read().Run() != ORV_DONE) {
      result.error = "a read failed";
      return result;
    }
  }
  result.cpu_seconds = ThreadCpuSeconds() - cpu_start;
  result.wall_seconds = WallSeconds() - wall_start;
  result.transactions = transactions;
  result.share = result.cpu_seconds / result.wall_seconds;
  return result;
}

}  // namespace bench
