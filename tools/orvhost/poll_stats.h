// One polled gate's counters: reads, reads per result, latencies, and the last value read.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tavrik/records.h"

namespace orvhost {

class GateCounters {
 public:
  // The median is taken over at most this many of the latest reads, so a long poll keeps a
  // bounded record.
  static constexpr std::size_t kLatencyWindow = 1024;

  void Record(int32_t result, double latency_ms, const ValueBlock& value);

  uint64_t reads() const { return reads_; }
  uint64_t with_result(int32_t result) const;  // 0, 1 or 2
  int32_t last_result() const { return last_result_; }
  bool has_value() const { return has_value_; }  // a read has been done
  const ValueBlock& last_value() const { return last_value_; }
  double min_ms() const { return min_ms_; }
  double max_ms() const { return max_ms_; }
  double median_ms() const;

 private:
  uint64_t reads_ = 0;
  std::array<uint64_t, 3> results_{};
  int32_t last_result_ = -1;
  bool has_value_ = false;
  ValueBlock last_value_{};
  double min_ms_ = 0;
  double max_ms_ = 0;
  std::vector<double> latest_ms_;  // a ring of the latest latencies
  std::size_t next_slot_ = 0;
};

}  // namespace orvhost
