#include "wine_row.h"

#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <sstream>

#include "child_process.h"
#include "line_under_test.h"
#include "pty_line.h"
#include "responder.h"

namespace bench {
namespace {

constexpr const char* kPort = "COM5";
constexpr const char* kPortsKey = "HKLM\\Software\\Wine\\Ports";
constexpr int kStepTimeoutS = 60;      // each Wine command (the first may start a server)
constexpr int kProgramTimeoutS = 600;  // the measuring program
constexpr const char* kReplyTimeout = "10";

bool Step(const std::vector<std::string>& argv) {
  const ChildOutcome outcome = RunChild(argv, kStepTimeoutS, false, false);
  return outcome.started && !outcome.timed_out && outcome.exit_code == 0;
}

// Maps the port to the device as tests/windows/wine_ports.py does: the registry key, then a
// restart of the prefix's Wine server, whose mount manager reads the key only when it starts.
bool MapPort(const WinePlan& plan, const std::string& device_path) {
  if (!Step({plan.wine_run, "reg", "add", kPortsKey, "/v", kPort, "/d", device_path, "/f"}) ||
      !Step({plan.wine_stop}) || !Step({plan.wine_run, "reg", "query", kPortsKey, "/v", kPort}))
    return false;
  const std::string link = plan.prefix + "/dosdevices/com5";
  char target[PATH_MAX] = {};
  const ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
  return length > 0 && device_path == std::string(target, static_cast<std::size_t>(length));
}

// The program prints "transactions_per_second R" and "log_lines_per_transaction L".
bool ParseFigures(const std::string& output, WineResult* result) {
  std::istringstream lines(output);
  std::string name;
  double value = 0;
  bool rate_seen = false;
  while (lines >> name >> value) {
    if (name == "transactions_per_second") {
      result->rate = value;
      rate_seen = true;
    } else if (name == "log_lines_per_transaction") {
      result->log_lines_per_transaction = value;
    }
  }
  return rate_seen && result->rate > 0;
}

}  // namespace

WineResult MeasureUnderWine(const WinePlan& plan) {
  WineResult result;
  setenv("WINE_PREFIX_DIR", plan.prefix.c_str(), 1);
  PtyLine line;
  if (!line.ok()) {
    result.error = "no pseudo-terminal";
    return result;
  }
  Responder responder(line, ResponderPlan{kReply, 0});
  if (!MapPort(plan, line.device_path())) {
    result.error = std::string(kPort) + " could not be mapped to " + line.device_path() +
                   " in the prefix " + plan.prefix;
    Step({plan.wine_stop});
    return result;
  }
  const ChildOutcome run =
      RunChild({plan.wine_run, plan.exe, kPort, std::to_string(plan.transactions), kReplyTimeout},
               kProgramTimeoutS, true, true);
  Step({plan.wine_stop});  // nothing of Wine outlives the measurement
  if (!run.started || run.timed_out || run.exit_code != 0) {
    result.error = !run.started ? "bench_wine.exe could not be started"
                   : run.timed_out
                       ? "bench_wine.exe ran out of time"
                       : "bench_wine.exe failed (exit " + std::to_string(run.exit_code) + ")";
    return result;
  }
  if (!ParseFigures(run.output, &result)) result.error = "bench_wine.exe printed no figure";
  return result;
}

}  // namespace bench
