// (a): the driver's SingleRead against the raw exchange on the same line. A round runs both for
// the same number of transactions, alternating in blocks, so that both see the same load from
// whatever else the machine is doing; the figures are medians over the rounds.
#include <algorithm>

#include "bench_clock.h"
#include "line_under_test.h"
#include "log_counter.h"
#include "measurements.h"
#include "raw_exchange.h"
#include "statistics.h"

namespace bench {
namespace {

constexpr int kRawByteTimeoutMs = 1000;
constexpr int32_t kReplyTimeout = 10;  // 100 ms: never reached against a prompt responder

// Time spent in one kind of transaction over a round.
struct Tally {
  uint64_t transactions = 0;
  double wall_seconds = 0;
  double cpu_seconds = 0;
  double rate() const { return static_cast<double>(transactions) / wall_seconds; }
  double cpu_us() const { return cpu_seconds / static_cast<double>(transactions) * 1e6; }
};

// Runs count transactions into the tally; false when one failed.
template <typename Transaction>
bool Timed(uint64_t count, Tally* tally, Transaction transaction) {
  const double start = WallSeconds();
  const double cpu_start = ThreadCpuSeconds();
  for (uint64_t i = 0; i < count; ++i)
    if (!transaction()) return false;
  tally->cpu_seconds += ThreadCpuSeconds() - cpu_start;
  tally->wall_seconds += WallSeconds() - start;
  tally->transactions += count;
  return true;
}

class Contest {
 public:
  Contest(LineUnderTest& test, RawExchange& raw) : test_(test), raw_(raw) {}

  bool Driver(uint64_t count, Tally* tally) {
    return Timed(count, tally, [this] { return test_.read().Run() == ORV_DONE; }) &&
           test_.HoldsReplyValue();
  }
  bool Raw(uint64_t count, Tally* tally) {
    return Timed(count, tally,
                 [this] { return raw_.Run(kRequest, sizeof kRequest - 1, kRawByteTimeoutMs); }) &&
           std::string(raw_.reply(), raw_.reply_length()) == kReply;
  }

 private:
  LineUnderTest& test_;
  RawExchange& raw_;
};

}  // namespace

ThroughputResult MeasureThroughput(OrvMainFunction entry, const ThroughputPlan& plan) {
  ThroughputResult result;
  LineUnderTest test(entry, ResponderPlan{kReply, 0}, kReplyTimeout);
  if (!test.error().empty()) {
    result.error = test.error();
    return result;
  }
  RawExchange raw(test.line().device_path());
  if (!raw.ok()) {
    result.error = "cannot open " + test.line().device_path() + " for the raw exchange";
    return result;
  }
  Contest contest(test, raw);
  Tally warmup;
  if (!contest.Driver(plan.warmup, &warmup) || !contest.Raw(plan.warmup, &warmup)) {
    result.error = "a warm-up transaction failed";
    return result;
  }
  uint64_t driver_lines = 0;
  std::vector<double> driver_cpu;
  std::vector<double> raw_cpu;
  for (int round = 0; round < plan.rounds; ++round) {
    Tally driver;
    Tally raw_tally;
    for (uint64_t done = 0; done < plan.transactions; done += plan.block) {
      const uint64_t count = std::min(plan.block, plan.transactions - done);
      const uint64_t lines_before = LoggedLines();
      if (!contest.Driver(count, &driver)) {
        result.error = "a driver read failed";
        return result;
      }
      driver_lines += LoggedLines() - lines_before;
      if (!contest.Raw(count, &raw_tally)) {
        result.error = "a raw exchange failed";
        return result;
      }
    }
    result.driver_rates.push_back(driver.rate());
    result.raw_rates.push_back(raw_tally.rate());
    result.round_ratios.push_back(driver.rate() / raw_tally.rate());
    driver_cpu.push_back(driver.cpu_us());
    raw_cpu.push_back(raw_tally.cpu_us());
  }
  result.driver_median = Median(result.driver_rates);
  result.raw_median = Median(result.raw_rates);
  result.ratio = Median(result.round_ratios);
  result.driver_cpu_us = Median(driver_cpu);
  result.raw_cpu_us = Median(raw_cpu);
  result.log_lines_per_transaction =
      static_cast<double>(driver_lines) / static_cast<double>(plan.transactions * plan.rounds);
  return result;
}

}  // namespace bench
