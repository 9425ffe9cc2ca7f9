// The driver's benchmark: measures the figures of one table in one run and prints it.
//   tavrik_bench           full counts, a few seconds a measurement
//   tavrik_bench --quick   tiny counts: only shows that every measurement runs
#include <cstdio>
#include <memory>
#include <vector>

#include "bench_options.h"
#include "driver_client.h"
#include "log_counter.h"
#include "measurements.h"
#include "results_table.h"
#include "table_rows.h"
#include "wine_row.h"

namespace {

void Progress(const char* what) {
  std::fprintf(stderr, "tavrik_bench: measuring %s\n", what);
}

}  // namespace

int main(int argc, char** argv) {
  bench::BenchOptions options;
  options.driver = TAVRIK_LIBRARY_PATH;
  if (!bench::ParseOptions(argc, argv, &options)) return 2;

  const bench::DriverLibrary driver(options.driver);
  if (driver.entry() == nullptr) {
    std::fprintf(stderr, "tavrik_bench: %s\n", driver.error().c_str());
    return 2;
  }
  bench::CountLogLines();
  const OrvMainFunction entry = driver.entry();
  const bool judge = !options.quick;

  Progress("(a) throughput, driver and raw runs interleaved");
  const bench::ThroughputResult throughput = bench::MeasureThroughput(
      entry, {options.transactions, options.rounds, options.block, options.warmup});
  Progress("(b) heap allocations");
  const bench::AllocationResult allocations =
      bench::MeasureAllocations(entry, options.allocation_transactions);
  Progress("(c) CPU time against a slow controller");
  const bench::CpuShareResult cpu =
      bench::MeasureCpuShare(entry, options.slow_transactions, options.slow_delay_ms);
  Progress("(d) a read of a silent controller");
  const bench::SilentReadResult silent =
      bench::MeasureSilentRead(entry, options.silent_timeout, options.silent_reads);

  std::unique_ptr<bench::WineResult> wine;
  const char* wine_skipped = options.quick ? "skipped in quick mode" : "skipped: no --wine-exe";
  if (!options.quick && !options.wine_exe.empty()) {
    Progress("(e) TAVRIK32.dll under Wine");
    wine = std::make_unique<bench::WineResult>(
        bench::MeasureUnderWine({options.wine_exe, options.wine_run, options.wine_stop,
                                 options.wine_prefix, options.wine_transactions}));
  }

  std::printf(
      "TAVRIK benchmark, %s mode. Transactions: (a) %llu driver and %llu raw a round, "
      "alternating every %llu, %d rounds, medians; (b) %llu; (c) %llu; (d) %d reads, "
      "median; (e) %llu\n\n",
      options.quick ? "quick" : "full", static_cast<unsigned long long>(options.transactions),
      static_cast<unsigned long long>(options.transactions),
      static_cast<unsigned long long>(options.block), options.rounds,
      static_cast<unsigned long long>(options.allocation_transactions),
      static_cast<unsigned long long>(options.slow_transactions), options.silent_reads,
      static_cast<unsigned long long>(wine != nullptr ? options.wine_transactions : 0));
  const std::vector<bench::TableRow> rows = {
      bench::ThroughputRow(throughput, judge), bench::AllocationRow(allocations, judge),
      bench::CpuShareRow(cpu, judge), bench::SilentReadRow(silent, judge),
      bench::WineRow(wine.get(), throughput, wine_skipped)};
  bench::PrintTable(rows, stdout);
  bench::PrintDetails(throughput, allocations, cpu, silent, wine.get(), stdout);

  // The run succeeded when every figure could be measured; whether each meets its target is
  // the table's to say.
  for (const bench::TableRow& row : rows)
    if (row.result == "error") return 1;
  return 0;
}
