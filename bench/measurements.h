// The benchmark's measurements, one per row of its table. Each sets up its own line, responder
// and driver instance and returns its figures, or an error saying why it could not be made.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tavrik/tavrik.h"

namespace bench {

// (a) SingleRead transactions per second against a responder that answers at once, and the same
// exchange made with plain system calls, interleaved.
struct ThroughputPlan {
  uint64_t transactions = 0;  // of each kind per round
  int rounds = 0;
  uint64_t block = 0;   // transactions of one kind before switching to the other
  uint64_t warmup = 0;  // transactions of each kind before the first round
};
struct ThroughputResult {
  std::string error;
  std::vector<double> driver_rates;  // transactions per second, one per round
  std::vector<double> raw_rates;
  double driver_median = 0;
  double raw_median = 0;
  std::vector<double> round_ratios;  // driver / raw within each round
  double ratio = 0;                  // median of round_ratios
  // The calling thread's CPU time per transaction, median over the runs, in microseconds.
  double driver_cpu_us = 0;
  double raw_cpu_us = 0;
  double log_lines_per_transaction = 0;  // over the driver's runs
};
ThroughputResult MeasureThroughput(OrvMainFunction entry, const ThroughputPlan& plan);

// (b) Heap allocations made on the calling thread during SingleRead calls.
struct AllocationResult {
  std::string error;
  uint64_t transactions = 0;
  uint64_t allocations = 0;
  uint64_t bytes = 0;
  std::vector<std::string> callers;  // "COUNT x LIBRARY SYMBOL", most frequent first
};
AllocationResult MeasureAllocations(OrvMainFunction entry, uint64_t transactions);

// (c) CPU time of the calling thread while a controller takes delay_ms to answer.
struct CpuShareResult {
  std::string error;
  uint64_t transactions = 0;
  int delay_ms = 0;
  double cpu_seconds = 0;
  double wall_seconds = 0;
  double share = 0;  // cpu_seconds / wall_seconds
};
CpuShareResult MeasureCpuShare(OrvMainFunction entry, uint64_t transactions, int delay_ms);

// (d) Wall time of a read of a controller that never answers.
struct SilentReadResult {
  std::string error;
  int32_t reply_timeout = 0;       // tens of milliseconds
  int32_t result = -1;             // what the last read returned
  uint64_t attempts_per_read = 0;  // requests the responder saw, per read
  std::vector<double> seconds;     // one per read
  double median_seconds = 0;
};
SilentReadResult MeasureSilentRead(OrvMainFunction entry, int32_t reply_timeout, int reads);

}  // namespace bench
