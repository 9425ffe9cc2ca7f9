// The controller at the far end of a PtyLine: a thread that reads requests up to their carriage
// return and answers each with one fixed reply, at once or after a delay, or never.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "pty_line.h"

namespace bench {

struct ResponderPlan {
  std::string reply;  // written whole for every request; empty: a silent controller
  int delay_ms = 0;   // how long the controller takes to answer
};

class Responder {
 public:
  Responder(const PtyLine& line, ResponderPlan plan);
  ~Responder();
  Responder(const Responder&) = delete;
  Responder& operator=(const Responder&) = delete;

  // Ends the thread: wakes its read with a carriage return sent from the device side.
  void Stop();
  uint64_t requests() const { return requests_.load(); }

 private:
  void Serve();

  const PtyLine& line_;
  const ResponderPlan plan_;
  std::atomic<bool> stopping_{false};
  std::atomic<uint64_t> requests_{0};
  std::thread thread_;
};

}  // namespace bench
