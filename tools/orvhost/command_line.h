// The command line: options (anywhere before "--"), a subcommand and its arguments.
//   orvhost [OPTIONS] info
//   orvhost [OPTIONS] read GATE[:TYPE]... [write GATE[:TYPE][=VALUE]...] [read ...]...
//   orvhost [OPTIONS] poll [--period MS] [--rounds N] [--reopen-after N] [--reopen-tries N] FILE
//   orvhost help [SUBCOMMAND], orvhost [SUBCOMMAND] --help, orvhost --version
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gate_entry.h"
#include "line_settings.h"
#include "tavrik/records.h"

namespace orvhost {

enum class Subcommand { kNone, kInfo, kTransfer, kPoll };

// One read or write of a transfer run, in command-line order.
struct Step {
  enum class Operation { kRead, kWrite } operation = Operation::kRead;
  GateEntry gate;
  ValueBlock value{};  // what a write sends
};

struct PollSettings {
  std::string gate_file;
  uint64_t period_ms = 1000;
  uint64_t rounds = 0;        // 0: until interrupted
  uint64_t reopen_after = 3;  // result-2 reads in a row before the port is reopened; 0: never
  uint64_t reopen_tries = 6;  // ReOpenCom calls at most, with growing waits between them
};

struct Invocation {
  Subcommand subcommand = Subcommand::kNone;
  bool help = false;       // show help_topic's help ("" for the general one)
  std::string help_topic;  // "info", "read", "write", "poll" or ""
  bool version = false;
  std::string driver_path;  // empty: the driver beside this program
  LineSettings line;
  bool json = false;
  bool trace = false;
  std::vector<Step> steps;  // kTransfer
  PollSettings poll;        // kPoll
};

// The invocation the arguments (without the program name) ask for; throws UsageError.
Invocation ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace orvhost
