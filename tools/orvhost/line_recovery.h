// poll's own recovery from a line that has gone away: after a number of result-2 reads in a row
// it closes the port (CloseCom) and opens it again (ReOpenCom), retrying ReOpenCom with growing
// waits while it gives 2. A port that stays closed is tried again at the next round.
#pragma once

#include <cstdint>

#include "session.h"

namespace orvhost {

struct ReopenRecord {
  uint64_t round = 0;
  int32_t close_result = ORV_DONE;  // ORV_DONE when the port was already closed
  uint64_t tries = 0;               // ReOpenCom calls
  int32_t result = ORV_FAILED;      // the last ReOpenCom's result
};

class LineRecovery {
 public:
  LineRecovery(Session& session, uint64_t reopen_after, uint64_t max_tries)
      : session_(session), reopen_after_(reopen_after), max_tries_(max_tries) {}

  // Counts a read's result; true when the port is to be reopened now.
  bool NoteRead(int32_t result);

  // CloseCom, then ReOpenCom until it is done, gives 1, or max_tries are used up.
  ReopenRecord Reopen(uint64_t round);

  // After a reopen that did not succeed: one ReOpenCom, as each round begins.
  bool port_closed() const { return port_closed_; }
  ReopenRecord RetryOpen(uint64_t round);

  uint64_t failures_in_a_row() const { return failures_in_a_row_; }

 private:
  Session& session_;
  uint64_t reopen_after_;
  uint64_t max_tries_;
  uint64_t failures_in_a_row_ = 0;
  bool port_closed_ = false;
};

}  // namespace orvhost
