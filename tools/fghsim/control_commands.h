// The control channel's commands, one a line; each answered with "ok [RESULT]" or
// "error MESSAGE":
//   fault TARGET KIND [ARGS] [OPTIONS]   set a fault (as in the plant file)
//   clear [TARGET]                       remove all faults, or those set on exactly TARGET
//   faults                               list the faults in force, separated by " ; "
//   set CC/P[SS] VALUE                   change a parameter's value (a number, or a text)
//   get CC/P[SS]                         a parameter's value: ok -0123, ok "PUMP 1"
//   commands                             acknowledged commands: ok 05G 05G 07X
//   stats                                ok requests=N replies=N commands=N
//   line                                 ok DEVICE-PATH
//   drop                                 drop the line, bring up a new one: ok NEW-DEVICE-PATH
//   quit                                 ok, and the simulator stops
#pragma once

#include <string>
#include <string_view>

#include "sim_state.h"

namespace fghsim {

enum class ControlAction { kNone, kDrop, kQuit };

struct ControlReply {
  std::string text;  // the answer without its line end; for drop the caller adds the path
  ControlAction action = ControlAction::kNone;
};

ControlReply RunControlCommand(SimState& state, std::string_view line);

}  // namespace fghsim
