// The control channel's commands, in turn on one simulator state.
#include "control_commands.h"

#include <gtest/gtest.h>

#include "plant_file.h"

namespace fghsim {
namespace {

TEST(ControlCommands, AnswerEachCommandInTurn) {
  const struct {
    const char* command;
    const char* answer;  // an "error" answer is compared by its start only
    ControlAction action = ControlAction::kNone;
  } cases[] = {
      {"fault 07/T error 1 8 count=2", "ok"},
      {"fault 07 silent", "ok"},
      {"faults", "ok 07/T error 1 8 count=2 ; 07 silent"},
      {"clear 07/T", "ok"},
      {"faults", "ok 07 silent"},
      {"clear", "ok"},
      {"faults", "ok"},
      {"fault 99 silent", "error no controller 99"},
      {"fault 07 sulk", "error unknown fault"},
      {"set 07/T -7", "ok"},
      {"get 07/T", "ok -0007"},
      {"set 07/N \"TANK 2\"", "ok"},
      {"get 07/N", "ok \"TANK 2\""},
      {"set 07/T 12345", "error 12345 does not fit"},
      {"get 07/Q", "error no parameter 07/Q"},
      {"get 07", "error no parameter 07"},
      {"commands", "ok"},
      {"stats", "ok requests=0 replies=0 commands=0"},
      {"line", "ok /dev/pts/77"},
      {"drop", "ok", ControlAction::kDrop},
      {"quit", "ok", ControlAction::kQuit},
      {"", "error"},
      {"bogus", "error unknown command 'bogus'"},
  };
  SimState state;
  state.plant = ParsePlant("controller 07\nparam T number 4 1\nparam N text 8 \"\"\n", "t").plant;
  state.device = "/dev/pts/77";
  for (const auto& each : cases) {
    SCOPED_TRACE(each.command);
    const ControlReply reply = RunControlCommand(state, each.command);
    if (std::string_view(each.answer).rfind("error", 0) == 0) {
      EXPECT_EQ(reply.text.rfind(each.answer, 0), 0u) << reply.text;
    } else {
      EXPECT_EQ(reply.text, each.answer);
    }
    EXPECT_EQ(reply.action, each.action);
  }
}

}  // namespace
}  // namespace fghsim
