// (b): allocations counted on the calling thread only, from just before each SingleRead call to
// just after it; the responder thread's never count.
#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

#include "counting_allocator.h"
#include "line_under_test.h"
#include "measurements.h"

namespace bench {
namespace {

constexpr int32_t kReplyTimeout = 10;
constexpr uint64_t kWarmup = 100;
constexpr std::size_t kCallersShown = 64;

std::string Describe(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return "unknown code";
  std::string library = info.dli_fname;
  library = library.substr(library.find_last_of('/') + 1);
  return library + " " + (info.dli_sname != nullptr ? info.dli_sname : "(no symbol)");
}

std::vector<std::string> DescribeCallers() {
  const void* callers[kCallersShown];
  const std::size_t kept = bench_counted_callers(callers, kCallersShown);
  std::map<std::string, int> counts;
  for (std::size_t i = 0; i < kept; ++i) ++counts[Describe(callers[i])];
  std::vector<std::pair<int, std::string>> ranked;
  for (const auto& [caller, count] : counts) ranked.emplace_back(count, caller);
  std::sort(ranked.rbegin(), ranked.rend());
  std::vector<std::string> described;
  for (const auto& [count, caller] : ranked)
    described.push_back(std::to_string(count) + " x " + caller);
  return described;
}

// True when an allocation made inside a shared library (the C library's strdup) is counted:
// the allocator of this program is the one the libraries call, as the driver does.
bool CountsLibraryAllocations() {
  bench_reset_allocation_counts();
  bench_count_allocations(1);
  char* copy = strdup("probe");
  bench_count_allocations(0);
  std::free(copy);
  const bool counted = bench_counted_allocations() == 1;
  bench_reset_allocation_counts();
  return counted;
}

}  // namespace

AllocationResult MeasureAllocations(OrvMainFunction entry, uint64_t transactions) {
  AllocationResult result;
  if (!CountsLibraryAllocations()) {
    result.error = "the interposed allocator does not see the shared libraries' allocations";
    return result;
  }
  LineUnderTest test(entry, ResponderPlan{kReply, 0}, kReplyTimeout);
  if (!test.error().empty()) {
    result.error = test.error();
    return result;
  }
  for (uint64_t i = 0; i < kWarmup; ++i) {
    if (test.read().Run() != ORV_DONE) {
      result.error = "a warm-up read failed";
      return result;
    }
  }
  bench_reset_allocation_counts();
  for (uint64_t i = 0; i < transactions; ++i) {
    bench_count_allocations(1);
    const int32_t outcome = test.read().Run();
    bench_count_allocations(0);
    if (outcome != ORV_DONE) {
      result.error = "a read failed";
      return result;
    }
  }
  result.transactions = transactions;
  result.allocations = bench_counted_allocations();
  result.bytes = bench_counted_bytes();
  result.callers = DescribeCallers();
  return result;
}

}  // namespace bench
