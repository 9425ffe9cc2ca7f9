#include "poll_stats.h"

#include <algorithm>

namespace orvhost {

void GateCounters::Record(int32_t result, double latency_ms, const ValueBlock& value) {
  ++reads_;
  if (result >= 0 && result < static_cast<int32_t>(results_.size())) ++results_[result];
  last_result_ = result;
  if (result == 0) {
    has_value_ = true;
    last_value_ = value;
  }
  min_ms_ = reads_ == 1 ? latency_ms : std::min(min_ms_, latency_ms);
  max_ms_ = std::max(max_ms_, latency_ms);
  if (latest_ms_.size() < kLatencyWindow) {
    latest_ms_.push_back(latency_ms);
  } else {
    latest_ms_[next_slot_] = latency_ms;
    next_slot_ = (next_slot_ + 1) % kLatencyWindow;
  }
}

uint64_t GateCounters::with_result(int32_t result) const {
  return result >= 0 && result < static_cast<int32_t>(results_.size()) ? results_[result] : 0;
}

double GateCounters::median_ms() const {
  if (latest_ms_.empty()) return 0;
  std::vector<double> sorted = latest_ms_;
  std::sort(sorted.begin(), sorted.end());
  const std::size_t middle = sorted.size() / 2;
  return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

}  // namespace orvhost
