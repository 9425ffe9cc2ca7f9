// orvhost's exit status, and the one line on standard error that gives the reason.
#pragma once

#include <cstdio>
#include <string>

namespace orvhost {

inline constexpr int kExitDone = 0;     // every operation done
inline constexpr int kExitNotDone = 1;  // an operation not done, or the driver not usable
inline constexpr int kExitUsage = 2;    // a command line orvhost cannot act on

inline int NotDone(const std::string& reason) {
  std::fflush(stdout);
  std::fprintf(stderr, "orvhost: %s\n", reason.c_str());
  return kExitNotDone;
}

}  // namespace orvhost
