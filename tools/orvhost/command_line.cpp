#include "command_line.h"

#include <functional>
#include <string_view>

#include "gate_value.h"
#include "usage_error.h"

namespace orvhost {
namespace {

constexpr uint64_t kLongestPeriodMs = 24ull * 60 * 60 * 1000;
constexpr uint64_t kMostRounds = 1000000000;
constexpr uint64_t kMostReopenTries = 100;

enum class Scope { kAny, kPoll };

struct Option {
  std::string_view name;
  bool takes_value;
  Scope scope;
  std::function<void(Invocation&, std::string_view)> apply;
};

const std::vector<Option>& Options() {
  static const std::vector<Option> options = {
      {"--driver", true, Scope::kAny,
       [](Invocation& in, std::string_view v) { in.driver_path = std::string(v); }},
      {"--port", true, Scope::kAny,
       [](Invocation& in, std::string_view v) { SetPort(in.line, v); }},
      {"--baud", true, Scope::kAny,
       [](Invocation& in, std::string_view v) { SetBaudRate(in.line, v); }},
      {"--data-bits", true, Scope::kAny,
       [](Invocation& in, std::string_view v) { SetDataBits(in.line, v); }},
      {"--parity", true, Scope::kAny,
       [](Invocation& in, std::string_view v) { SetParity(in.line, v); }},
      {"--stop-bits", true, Scope::kAny,
       [](Invocation& in, std::string_view v) { SetStopBits(in.line, v); }},
      {"--timeout", true, Scope::kAny,
       [](Invocation& in, std::string_view v) { SetReplyTimeout(in.line, v); }},
      {"--instance", true, Scope::kAny,
       [](Invocation& in, std::string_view v) { SetInstanceNumber(in.line, v); }},
      {"--trace", false, Scope::kAny, [](Invocation& in, std::string_view) { in.trace = true; }},
      {"--json", false, Scope::kAny, [](Invocation& in, std::string_view) { in.json = true; }},
      {"--period", true, Scope::kPoll,
       [](Invocation& in, std::string_view v) {
         in.poll.period_ms = ParseCount("--period", v, 10, kLongestPeriodMs);
       }},
      {"--rounds", true, Scope::kPoll,
       [](Invocation& in, std::string_view v) {
         in.poll.rounds = ParseCount("--rounds", v, 0, kMostRounds);
       }},
      {"--reopen-after", true, Scope::kPoll,
       [](Invocation& in, std::string_view v) {
         in.poll.reopen_after = ParseCount("--reopen-after", v, 0, kMostRounds);
       }},
      {"--reopen-tries", true, Scope::kPoll,
       [](Invocation& in, std::string_view v) {
         in.poll.reopen_tries = ParseCount("--reopen-tries", v, 1, kMostReopenTries);
       }},
  };
  return options;
}

const Option* FindOption(std::string_view name) {
  for (const Option& option : Options()) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

bool IsSubcommandName(std::string_view word) {
  return word == "info" || word == "read" || word == "write" || word == "poll" || word == "help";
}

struct Split {
  std::vector<std::string> positionals;
  std::vector<const Option*> poll_options;  // given, to refuse them outside poll
  bool help = false;
};

// Applies the options and collects the rest; the positionals are judged once the subcommand is
// known.
Split SplitArguments(const std::vector<std::string>& arguments, Invocation& in) {
  Split split;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view word = arguments[i];
    if (options_ended || word.size() < 2 || word[0] != '-') {
      split.positionals.emplace_back(word);
      continue;
    }
    if (word == "--") {
      options_ended = true;
    } else if (word == "--help" || word == "-h") {
      split.help = true;
    } else if (word == "--version") {
      in.version = true;
    } else {
      const std::size_t equals = word.find('=');
      const std::string_view name = word.substr(0, equals);
      const Option* option = FindOption(name);
      if (option == nullptr) throw UsageError("unknown option " + std::string(name));
      std::string_view value;
      if (option->takes_value) {
        if (equals != std::string_view::npos) {
          value = word.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
          value = arguments[++i];
        } else {
          throw UsageError(std::string(name) + " needs a value");
        }
      } else if (equals != std::string_view::npos) {
        throw UsageError(std::string(name) + " takes no value");
      }
      option->apply(in, value);
      if (option->scope == Scope::kPoll) split.poll_options.push_back(option);
    }
  }
  return split;
}

Step ReadStep(std::string_view text) {
  if (ValueSeparator(text) != std::string_view::npos) {
    throw UsageError("read " + std::string(text) + ": a read takes no value (write GATE=VALUE)");
  }
  Step step;
  step.gate = ParseGateEntry(text);
  CheckReadable(step.gate);
  return step;
}

Step WriteStep(std::string_view text) {
  const std::size_t equals = ValueSeparator(text);
  Step step;
  step.operation = Step::Operation::kWrite;
  step.gate = ParseGateEntry(text.substr(0, equals));
  if (!WriteTakesValue(step.gate)) {
    if (equals != std::string_view::npos) {
      throw UsageError("write " + std::string(text) + ": a command gate takes no value (write " +
                       step.gate.address + ")");
    }
    return step;
  }
  if (equals == std::string_view::npos) {
    throw UsageError("write " + std::string(text) + ": give a value, GATE[:TYPE]=VALUE");
  }
  step.value = ValueForWrite(step.gate, text.substr(equals + 1));
  return step;
}

// read and write groups in any order: "read A B write C=1 read C".
std::vector<Step> TransferSteps(const std::vector<std::string>& words) {
  std::vector<Step> steps;
  std::string_view operation;
  std::size_t gates_in_group = 0;
  for (const std::string& word : words) {
    if (word == "read" || word == "write") {
      if (!operation.empty() && gates_in_group == 0) {
        throw UsageError(std::string(operation) + " needs at least one gate");
      }
      operation = word == "read" ? "read" : "write";
      gates_in_group = 0;
      continue;
    }
    steps.push_back(operation == "read" ? ReadStep(word) : WriteStep(word));
    ++gates_in_group;
  }
  if (gates_in_group == 0) throw UsageError(std::string(operation) + " needs at least one gate");
  return steps;
}

}  // namespace

Invocation ParseCommandLine(const std::vector<std::string>& arguments) {
  Invocation in;
  const Split split = SplitArguments(arguments, in);
  const std::vector<std::string>& words = split.positionals;

  if (!words.empty() && !IsSubcommandName(words[0])) {
    throw UsageError("unknown subcommand '" + words[0] + "' (info, read, write, poll, help)");
  }
  if (split.help || (!words.empty() && words[0] == "help")) {
    in.help = true;
    const bool named_after_help = !words.empty() && words[0] == "help" && words.size() > 1;
    in.help_topic = named_after_help ? words[1] : (words.empty() ? "" : words[0]);
    if (in.help_topic == "help") in.help_topic.clear();
    if (!in.help_topic.empty() && !IsSubcommandName(in.help_topic)) {
      throw UsageError("no help on '" + in.help_topic + "' (info, read, write, poll)");
    }
    return in;
  }
  if (in.version) return in;
  if (words.empty()) throw UsageError("no subcommand: info, read, write or poll");

  const std::string& name = words[0];
  if (name != "poll" && !split.poll_options.empty()) {
    throw UsageError(std::string(split.poll_options.front()->name) + " belongs to poll");
  }
  if (name == "info") {
    if (words.size() > 1) throw UsageError("info takes no arguments");
    in.subcommand = Subcommand::kInfo;
    return in;
  }
  if (in.line.port.empty()) {
    throw UsageError(name + " needs a port: --port NAME (e.g. COM1, ttyUSB0, ./line0)");
  }
  if (name == "poll") {
    if (words.size() != 2) throw UsageError("poll takes one gate list FILE");
    in.subcommand = Subcommand::kPoll;
    in.poll.gate_file = words[1];
    return in;
  }
  in.subcommand = Subcommand::kTransfer;
  in.steps = TransferSteps(words);
  return in;
}

}  // namespace orvhost
