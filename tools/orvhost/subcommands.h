// The subcommands, each run on a session whose GetOrvInfo is done; each returns the exit status.
#pragma once

#include <string>

#include "command_line.h"
#include "log_display.h"
#include "session.h"

namespace orvhost {

struct RunContext {
  const Invocation& invocation;
  Session& session;
  const std::string& driver_path;
  LogDisplay& log;
};

int RunInfo(const RunContext& context);
int RunTransfer(const RunContext& context);
int RunPoll(const RunContext& context);

}  // namespace orvhost
