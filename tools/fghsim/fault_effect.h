// What a fault makes of a controller's reply.
#pragma once

#include <string_view>

#include "fault.h"
#include "reply_plan.h"

namespace fghsim {

// Whether the controller still acts on a request (stores a write, records a command) under the
// fault: not when it is silent or answers with an error; it does when only its reply is damaged.
bool RequestTakesEffect(const Fault& fault);

// The reply under the fault. `reply` is the controller's own reply (CR included); silent and error
// faults do not look at it.
ReplyPlan ShapeReply(const Fault& fault, std::string_view reply);

}  // namespace fghsim
