// The simulator's loop: one poll() over the line, the control channel, signals and the reply
// pacer's timer. Requests are answered one after another, in the order they came.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "control_server.h"
#include "line.h"
#include "reply_pacer.h"
#include "request_framer.h"
#include "sim_state.h"
#include "trace.h"

namespace fghsim {

struct SimulatorSettings {
  LineSettings line;
  std::string ready_file;  // gets the line's device path once it is ready; empty: none
  std::string control;     // the control socket's path; empty: none
  std::string trace;       // "-" for standard output; empty: none
  long baud = 0;           // paces replies on a pseudo-terminal; 0: no pacing
  int bits = 10;           // bit times a character
};

class Simulator {
 public:
  Simulator(SimulatorSettings settings, SimState state);

  // Sets up, announces readiness, serves until SIGTERM, SIGINT, SIGHUP or the control channel's
  // quit, and cleans up. Returns the exit status: 0, or 1 when it could not set up.
  int Run();

 private:
  void SetUp();
  void Serve();
  void CleanUp();
  void Announce();
  void WriteReadyFile();

  void ReadLine(bool hung_up);
  void StartNextReply(Clock::time_point now);
  void SendDue(Clock::time_point now);
  void FinishReply();
  void DropLine(const std::string& why);
  void RunControl(const ControlServer::Command& command);
  Clock::time_point WakeTime(Clock::time_point now) const;

  SimulatorSettings settings_;
  SimState state_;
  Line line_;
  Trace trace_;
  ControlServer control_;
  ReplyPacer pacer_;
  RequestFramer framer_;
  int signals_ = -1;
  bool stopping_ = false;

  std::deque<std::string> requests_;                // request lines waiting for their turn
  bool replying_ = false;                           // a reply is on its way
  std::string unsent_;                              // reply bytes due but not yet taken by the line
  std::string sent_;                                // the reply so far, for the trace
  std::optional<Clock::time_point> blocked_since_;  // the line has not taken bytes since

  // A drop after a reply waits until the far end has read the reply: a hang-up throws away what
  // it has not read. It waits at least until `settled` (the bytes may still be on their way into
  // the far end's queue) and no longer than `latest`.
  struct PendingDrop {
    Clock::time_point settled;
    Clock::time_point latest;
  };
  std::optional<PendingDrop> pending_drop_;
};

}  // namespace fghsim
