#include "control_commands.h"

#include "plant_file.h"
#include "text_syntax.h"

namespace fghsim {

namespace {

Parameter& FindParameter(SimState& state, const std::string& word) {
  const FaultTarget target = ParseFaultTarget(word);
  Controller* controller = state.plant.Find(target.address);
  Parameter* parameter = controller != nullptr && target.code
                             ? controller->Find(*target.code, target.secondary)
                             : nullptr;
  if (parameter == nullptr) throw SyntaxError("no parameter " + Printable(word) + " in the plant");
  return *parameter;
}

void ExpectWords(const std::vector<std::string>& words, size_t least, size_t most,
                 std::string_view usage) {
  if (words.size() < least || words.size() > most) {
    throw SyntaxError("expected: " + std::string(usage));
  }
}

ControlReply Run(SimState& state, const std::vector<std::string>& words) {
  const std::string& name = words[0];
  if (name == "fault") {
    const Fault fault = ParseFault({words.begin() + 1, words.end()});
    CheckFaultTarget(state.plant, fault);
    state.faults.Add(fault);
  } else if (name == "clear") {
    ExpectWords(words, 1, 2, "clear [TARGET]");
    if (words.size() == 1) {
      state.faults.Clear();
    } else {
      state.faults.Clear(ParseFaultTarget(words[1]));
    }
  } else if (name == "faults") {
    std::string list;
    for (const Fault& fault : state.faults.faults()) {
      list += (list.empty() ? "" : " ; ") + DescribeFault(fault);
    }
    return {"ok" + (list.empty() ? "" : " " + list)};
  } else if (name == "set") {
    ExpectWords(words, 3, 3, "set CONTROLLER/PARAMETER VALUE");
    Parameter& parameter = FindParameter(state, words[1]);
    if (parameter.text) {
      SetText(parameter, words[2]);
    } else {
      SetNumber(parameter, words[2]);
    }
  } else if (name == "get") {
    ExpectWords(words, 2, 2, "get CONTROLLER/PARAMETER");
    const Parameter& parameter = FindParameter(state, words[1]);
    const std::string data = ReplyData(parameter);
    return {"ok " + (parameter.text ? "\"" + Printable(data) + "\"" : data)};
  } else if (name == "commands") {
    std::string list;
    for (const RecordedCommand& command : state.commands) {
      list +=
          " " + TwoDigitText(command.address) + Printable(std::string_view(&command.command, 1));
    }
    return {"ok" + list};
  } else if (name == "stats") {
    return {"ok requests=" + std::to_string(state.requests) + " replies=" +
            std::to_string(state.replies) + " commands=" + std::to_string(state.commands.size())};
  } else if (name == "line") {
    return {"ok " + state.device};
  } else if (name == "drop") {
    return {"ok", ControlAction::kDrop};
  } else if (name == "quit") {
    return {"ok", ControlAction::kQuit};
  } else {
    throw SyntaxError("unknown command '" + Printable(name) +
                      "' (fault, clear, faults, set, get, commands, stats, line, drop, quit)");
  }
  return {"ok"};
}

}  // namespace

ControlReply RunControlCommand(SimState& state, std::string_view line) {
  try {
    const std::vector<std::string> words = SplitWords(line);
    if (words.empty()) return {"error empty command"};
    return Run(state, words);
  } catch (const SyntaxError& error) {
    return {std::string("error ") + error.what()};
  }
}

}  // namespace fghsim
