// The protocol engine: what the line's controllers answer to one request, given the plant and
// the faults in force. No input or output: the caller puts the reply on the line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "fault_table.h"
#include "plant.h"
#include "reply_plan.h"

namespace fghsim {

// Longest request without its CR: W AA P SS - and 99 digits or characters.
constexpr size_t kLongestRequest = 106;

struct Exchange {
  int address = -1;             // the declared controller addressed; -1: none, and no reply
  ReplyPlan reply;              // empty bytes and no drop: no reply
  std::optional<char> command;  // a command request the controller acknowledged and acted on
  std::optional<Fault> fault;   // the fault the request met, as it was before this use
};

// Answers a request line (without its CR), acting on it: writes change the plant, faults with a
// count are used up.
Exchange Answer(Plant& plant, FaultTable& faults, std::string_view line);

// The controller's own reply (CR included), faults aside; a valid write is stored. Sets *command
// for an acknowledged command request.
std::string Respond(Controller& controller, std::string_view line, std::optional<char>* command);

}  // namespace fghsim
