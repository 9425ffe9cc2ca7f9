#include "line_under_test.h"

namespace bench {

LineUnderTest::LineUnderTest(OrvMainFunction entry, ResponderPlan plan, int32_t reply_timeout)
    : instance_(entry) {
  if (!line_.ok()) {
    error_ = "no pseudo-terminal";
    return;
  }
  responder_ = std::make_unique<Responder>(line_, std::move(plan));
  if (instance_.ColdStart(line_.port_name(), reply_timeout) != ORV_DONE) {
    error_ = "ColdStart on " + line_.port_name() + " failed";
    return;
  }
  read_ = std::make_unique<GateRead>(instance_, kGateAddress, ORV_GATE_SIGNED16);
  if (!read_->parsed()) error_ = std::string("the address ") + kGateAddress + " was refused";
}

bool LineUnderTest::HoldsReplyValue() const {
  return read_->value().signed16[1] == kReplyValue;
}

}  // namespace bench
