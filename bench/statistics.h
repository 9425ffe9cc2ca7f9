// Small helpers over a run's figures.
#pragma once

#include <algorithm>
#include <vector>

namespace bench {

// The median; the mean of the middle two for an even count; 0 for none.
inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace bench
