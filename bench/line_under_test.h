// What every measurement of the driver starts from: a pseudo-terminal line, a responder on its
// controlling side, a driver instance cold-started on its device side and a prepared SingleRead
// of one gate.
#pragma once

#include <memory>
#include <string>

#include "driver_client.h"
#include "pty_line.h"
#include "responder.h"

namespace bench {

// The exchange every measurement reads: parameter T of controller 07, the value 123.
inline constexpr const char* kGateAddress = "07T";
inline constexpr char kRequest[] = "R07T\r";
inline constexpr const char* kReply = "*07T0123\r";
inline constexpr int kReplyValue = 123;

class LineUnderTest {
 public:
  LineUnderTest(OrvMainFunction entry, ResponderPlan plan, int32_t reply_timeout);

  // Empty when everything is ready; else what failed.
  const std::string& error() const { return error_; }
  PtyLine& line() { return line_; }
  Responder& responder() { return *responder_; }
  GateRead& read() { return *read_; }
  // True when the last read stored the value the responder sends.
  bool HoldsReplyValue() const;

 private:
  PtyLine line_;
  std::unique_ptr<Responder> responder_;
  DriverInstance instance_;
  std::unique_ptr<GateRead> read_;
  std::string error_;
};

}  // namespace bench
