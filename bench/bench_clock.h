// The two clocks the measurements read: wall time and the calling thread's CPU time.
#pragma once

#include <time.h>

namespace bench {

inline double SecondsOf(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Monotonic wall time, in seconds.
inline double WallSeconds() {
  return SecondsOf(CLOCK_MONOTONIC);
}

// User and system time of the calling thread, in seconds.
inline double ThreadCpuSeconds() {
  return SecondsOf(CLOCK_THREAD_CPUTIME_ID);
}

}  // namespace bench
