#include "table_rows.h"

namespace bench {
namespace {

std::string Verdict(bool met, bool judge) {
  return !judge ? "not judged (quick)" : met ? "pass" : "FAIL";
}

TableRow ErrorRow(const char* id, const char* measurement, const std::string& error,
                  const std::string& target) {
  return {id, measurement, "could not be measured: " + error, target, "error"};
}

std::string Figures(const std::vector<double>& values, int decimals) {
  std::string text;
  for (double value : values) text += Format("%s%.*f", text.empty() ? "" : " ", decimals, value);
  return text;
}

}  // namespace

TableRow ThroughputRow(const ThroughputResult& result, bool judge) {
  const char* what = "SingleRead throughput over a pty, driver / raw system calls";
  const std::string target = Format(">= %.2f", kLeastThroughputRatio);
  if (!result.error.empty()) return ErrorRow("a", what, result.error, target);
  return {"a", what,
          Format("%.2f (driver %.0f/s, raw %.0f/s)", result.ratio, result.driver_median,
                 result.raw_median),
          target, Verdict(result.ratio >= kLeastThroughputRatio, judge)};
}

TableRow AllocationRow(const AllocationResult& result, bool judge) {
  const char* what = "heap allocations per SingleRead";
  const std::string target = Format("%.0f", kMostAllocations);
  if (!result.error.empty()) return ErrorRow("b", what, result.error, target);
  const double per =
      static_cast<double>(result.allocations) / static_cast<double>(result.transactions);
  return {"b", what,
          Format("%.2f (%.0f bytes)", per,
                 static_cast<double>(result.bytes) / static_cast<double>(result.transactions)),
          target, Verdict(per <= kMostAllocations, judge)};
}

TableRow CpuShareRow(const CpuShareResult& result, bool judge) {
  const std::string what =
      Format("CPU time / wall time, controller answering in %d ms", result.delay_ms);
  const std::string target = Format("< %.0f %%", kCpuShareBelow * 100);
  if (!result.error.empty()) return ErrorRow("c", what.c_str(), result.error, target);
  const double per = static_cast<double>(result.transactions);
  return {"c", what,
          Format("%.3f %% (%.0f us CPU per %.1f ms)", result.share * 100,
                 result.cpu_seconds / per * 1e6, result.wall_seconds / per * 1e3),
          target, Verdict(result.share < kCpuShareBelow, judge)};
}

TableRow SilentReadRow(const SilentReadResult& result, bool judge) {
  const double limit_ms = kAttempts * result.reply_timeout * 10.0;
  const std::string what = Format("silent controller read, against %d x %d ms reply time-out",
                                  kAttempts, result.reply_timeout * 10);
  const std::string target = Format("<= %.0f ms (+%.0f %%)", limit_ms * (1 + kMostSilentReadExcess),
                                    kMostSilentReadExcess * 100);
  if (!result.error.empty()) return ErrorRow("d", what.c_str(), result.error, target);
  const double measured_ms = result.median_seconds * 1e3;
  const bool met =
      result.result == ORV_FAILED && measured_ms <= limit_ms * (1 + kMostSilentReadExcess);
  return {"d", what,
          Format("%.1f ms (%+.1f %%), returned %d", measured_ms, (measured_ms / limit_ms - 1) * 100,
                 static_cast<int>(result.result)),
          target, Verdict(met, judge)};
}

TableRow WineRow(const WineResult* result, const ThroughputResult& native, const char* skipped) {
  const char* what = "SingleRead throughput, TAVRIK32.dll under Wine / libtavrik.so (a)";
  const char* target = "none: recorded";
  if (result == nullptr) return {"e", what, skipped, target, "skipped"};
  if (!result->error.empty()) return ErrorRow("e", what, result->error, target);
  const double ratio = native.driver_median > 0 ? result->rate / native.driver_median : 0;
  return {"e", what, Format("%.2f (Wine %.0f/s)", ratio, result->rate), target, "recorded"};
}

void PrintDetails(const ThroughputResult& throughput, const AllocationResult& allocations,
                  const CpuShareResult& cpu, const SilentReadResult& silent, const WineResult* wine,
                  std::FILE* out) {
  std::fprintf(out, "\n(a) driver by round, transactions/s: %s\n",
               Figures(throughput.driver_rates, 0).c_str());
  std::fprintf(out, "(a) raw by round, transactions/s:    %s\n",
               Figures(throughput.raw_rates, 0).c_str());
  std::fprintf(out, "(a) driver / raw by round:           %s\n",
               Figures(throughput.round_ratios, 3).c_str());
  std::fprintf(out,
               "(a) calling thread's CPU per transaction, median: driver %.1f us, raw %.1f us\n",
               throughput.driver_cpu_us, throughput.raw_cpu_us);
  std::fprintf(out, "(a) driver log lines per transaction: %.2f\n",
               throughput.log_lines_per_transaction);
  std::fprintf(out, "(b) %llu allocations, %llu bytes in %llu transactions\n",
               static_cast<unsigned long long>(allocations.allocations),
               static_cast<unsigned long long>(allocations.bytes),
               static_cast<unsigned long long>(allocations.transactions));
  for (const std::string& caller : allocations.callers)
    std::fprintf(out, "(b)   called from %s\n", caller.c_str());
  std::fprintf(out, "(c) %llu transactions: %.4f s CPU in %.3f s\n",
               static_cast<unsigned long long>(cpu.transactions), cpu.cpu_seconds,
               cpu.wall_seconds);
  std::string reads;
  for (double seconds : silent.seconds) reads += Format(" %.1f", seconds * 1e3);
  std::fprintf(out, "(d) reads, ms:%s; attempts per read seen by the controller: %llu\n",
               reads.c_str(), static_cast<unsigned long long>(silent.attempts_per_read));
  if (wine != nullptr && wine->error.empty())
    std::fprintf(out, "(e) log lines per transaction under Wine: %.2f\n",
                 wine->log_lines_per_transaction);
  std::fflush(out);
}

}  // namespace bench
