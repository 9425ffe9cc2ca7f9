// (d): a read of a controller that takes the requests but never answers: four attempts, each
// ending when the reply time-out runs out on its first character.
#include "bench_clock.h"
#include "line_under_test.h"
#include "measurements.h"
#include "statistics.h"

namespace bench {

SilentReadResult MeasureSilentRead(OrvMainFunction entry, int32_t reply_timeout, int reads) {
  SilentReadResult result;
  result.reply_timeout = reply_timeout;
  LineUnderTest test(entry, ResponderPlan{"", 0}, reply_timeout);
  if (!test.error().empty()) {
    result.error = test.error();
    return result;
  }
  for (int i = 0; i < reads; ++i) {
    const double start = WallSeconds();
    result.result = test.read().Run();
    result.seconds.push_back(WallSeconds() - start);
  }
  result.median_seconds = Median(result.seconds);
  // The requests of the last read are all in by now: it has waited out its last time-out.
  result.attempts_per_read =
      reads > 0 ? test.responder().requests() / static_cast<uint64_t>(reads) : 0;
  return result;
}

}  // namespace bench
