// Each measurement's row of the table, judged against its target, and its details below the
// table.
#pragma once

#include <cstdio>

#include "measurements.h"
#include "results_table.h"
#include "wine_row.h"

namespace bench {

// Targets.
inline constexpr double kLeastThroughputRatio = 0.8;   // (a) driver / raw
inline constexpr double kMostAllocations = 0;          // (b) per transaction
inline constexpr double kCpuShareBelow = 0.02;         // (c)
inline constexpr double kMostSilentReadExcess = 0.10;  // (d) above four reply time-outs
inline constexpr int kAttempts = 4;

// judge false: quick mode, whose counts are too small for a figure to mean anything.
TableRow ThroughputRow(const ThroughputResult& result, bool judge);
TableRow AllocationRow(const AllocationResult& result, bool judge);
TableRow CpuShareRow(const CpuShareResult& result, bool judge);
TableRow SilentReadRow(const SilentReadResult& result, bool judge);
TableRow WineRow(const WineResult* result, const ThroughputResult& native, const char* skipped);

void PrintDetails(const ThroughputResult& throughput, const AllocationResult& allocations,
                  const CpuShareResult& cpu, const SilentReadResult& silent, const WineResult* wine,
                  std::FILE* out);

}  // namespace bench
