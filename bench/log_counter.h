// The host's log destination during the benchmark: the stand-in log library's sink, counting the
// driver's lines instead of printing them, so that printing costs nothing in the figures.
#pragma once

#include <cstdint>

namespace bench {

void CountLogLines();
uint64_t LoggedLines();

}  // namespace bench
