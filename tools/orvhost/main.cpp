// orvhost: a command-line host for the TAVRIK driver. Loads the driver library, follows the
// order of calls a host must keep, and shows results and the driver's log lines.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "command_line.h"
#include "driver_library.h"
#include "exit_status.h"
#include "help_text.h"
#include "interrupt.h"
#include "log_display.h"
#include "session.h"
#include "subcommands.h"
#include "usage_error.h"

namespace orvhost {
namespace {

int Run(const std::vector<std::string>& arguments) {
  const Invocation invocation = ParseCommandLine(arguments);
  if (invocation.help) {
    std::fputs(HelpText(invocation.help_topic), stdout);
    return kExitDone;
  }
  if (invocation.version) {
    std::printf("%s\n", kVersionText);
    return kExitDone;
  }

  // Declared in this order so that the session ends before the library goes and the sink stays
  // registered until both are gone.
  LogDisplay log(invocation.trace);
  DriverLibrary library;
  const std::string path =
      invocation.driver_path.empty() ? DriverLibrary::DefaultPath() : invocation.driver_path;
  std::string reason;
  if (!library.Load(path, &reason))
    return NotDone("cannot load the driver " + path + ": " + reason);

  Session session(library.entry());
  const int32_t info_result = session.GetInfo();
  if (info_result != ORV_DONE || session.info().instance_block_size == 0) {
    return NotDone("GetOrvInfo not done (result " + std::to_string(info_result) + ")");
  }
  InstallInterruptHandlers();
  const RunContext context{invocation, session, path, log};
  switch (invocation.subcommand) {
    case Subcommand::kInfo:
      return RunInfo(context);
    case Subcommand::kTransfer:
      return RunTransfer(context);
    case Subcommand::kPoll:
      return RunPoll(context);
    case Subcommand::kNone:
      break;
  }
  return kExitUsage;
}

}  // namespace
}  // namespace orvhost

int main(int argc, char** argv) {
  try {
    return orvhost::Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const orvhost::UsageError& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "orvhost: %s (orvhost --help for usage)\n", error.what());
    return orvhost::kExitUsage;
  } catch (const std::exception& error) {
    return orvhost::NotDone(error.what());
  } catch (...) {
    return orvhost::NotDone("unexpected failure");
  }
}
