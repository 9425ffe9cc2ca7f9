// The output of poll: the round lines or the live status line, the reopen notices, the final
// table, or the one JSON document at the end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "line_recovery.h"
#include "poll_stats.h"
#include "session.h"
#include "status_line.h"

namespace orvhost {

struct PolledGate {
  ParsedGate gate;
  GateCounters counters;
};

class PollReport {
 public:
  PollReport(bool json, StatusLine& status, uint64_t rounds_asked)
      : json_(json), status_(status), rounds_asked_(rounds_asked) {}

  // After each round: the status line on a terminal, one plain line otherwise.
  void Round(uint64_t round, const std::vector<PolledGate>& gates, uint64_t reopens);

  void ReopenStarting(uint64_t round, uint64_t failures_in_a_row);
  void Reopened(const ReopenRecord& record, bool retry_at_round_start);

  struct Summary {
    std::string port;
    int32_t cold_start = ORV_DONE;
    uint64_t period_ms = 0;
    uint64_t rounds = 0;
    bool interrupted = false;
  };
  void Final(const Summary& summary, const std::vector<PolledGate>& gates,
             const std::vector<ReopenRecord>& reopens);

 private:
  void Notice(const std::string& text);  // stdout for text, stderr beside JSON

  bool json_;
  StatusLine& status_;
  uint64_t rounds_asked_;
};

}  // namespace orvhost
