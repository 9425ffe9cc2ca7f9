// (e): the same SingleRead through TAVRIK32.dll under Wine. A Windows program, bench_wine.exe,
// loads the DLL and reads over COM5; here the port is mapped to a pseudo-terminal whose far end
// is the same responder as in (a), and the program's own figure is read back.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct WinePlan {
  std::string exe;        // bench_wine.exe, beside TAVRIK32.dll and PELTAR.DLL
  std::string wine_run;   // cmake/wine-run.sh
  std::string wine_stop;  // cmake/wine-stop.sh
  std::string prefix;     // the Wine prefix to use (WINE_PREFIX_DIR), booted already
  uint64_t transactions = 0;
};

struct WineResult {
  std::string error;
  double rate = 0;                       // transactions per second
  double log_lines_per_transaction = 0;  // as the program counted them
};

WineResult MeasureUnderWine(const WinePlan& plan);

}  // namespace bench
