// poll: the gates of a gate list read round after round, with counters, and the port closed
// and reopened when the line has gone away.
#include <chrono>
#include <vector>

#include "exit_status.h"
#include "gate_list_file.h"
#include "instance_start.h"
#include "interrupt.h"
#include "line_recovery.h"
#include "poll_report.h"
#include "status_line.h"
#include "subcommands.h"

namespace orvhost {
namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string PollOutcome(const std::vector<PolledGate>& gates, uint64_t* not_done) {
  uint64_t reads = 0;
  uint64_t refused = 0;
  *not_done = 0;
  for (const PolledGate& polled : gates) {
    if (polled.gate.parse_result != ORV_DONE) ++refused;
    reads += polled.counters.reads();
    *not_done += polled.counters.reads() - polled.counters.with_result(ORV_DONE);
  }
  std::string reason =
      std::to_string(*not_done) + " of " + std::to_string(reads) + " reads not done";
  if (refused > 0) {
    reason += ", " + std::to_string(refused) + " gate" + (refused == 1 ? "" : "s") +
              " refused by the driver";
  }
  *not_done += refused;
  return reason;
}

// One read of each gate the parser accepted, with the host's recovery when the line has gone.
void ReadRound(uint64_t round, Session& session, std::vector<PolledGate>& gates,
               LineRecovery& recovery, PollReport& report, std::vector<ReopenRecord>& reopens) {
  for (PolledGate& polled : gates) {
    if (Interrupted()) return;
    if (polled.gate.parse_result != ORV_DONE) continue;
    ValueBlock value{};
    const Clock::time_point read_start = Clock::now();
    const int32_t result = session.Read(polled.gate, value);
    polled.counters.Record(result, MillisecondsSince(read_start), value);
    if (recovery.NoteRead(result)) {
      report.ReopenStarting(round, recovery.failures_in_a_row());
      reopens.push_back(recovery.Reopen(round));
      report.Reopened(reopens.back(), false);
    }
  }
}

}  // namespace

int RunPoll(const RunContext& context) {
  const Invocation& invocation = context.invocation;
  const PollSettings& settings = invocation.poll;
  Session& session = context.session;
  const std::vector<GateEntry> entries = ReadGateList(settings.gate_file);

  StatusLine status(!invocation.json && StandardOutputIsTerminal());
  PollReport report(invocation.json, status, settings.rounds);
  PollReport::Summary summary;
  summary.port = invocation.line.port;
  summary.period_ms = settings.period_ms;

  std::string reason;
  summary.cold_start = StartInstance(session, invocation.line, invocation.trace, &reason);
  if (summary.cold_start != ORV_DONE) {
    session.End();
    report.Final(summary, {}, {});
    return NotDone(reason);
  }

  std::vector<PolledGate> gates;
  for (const GateEntry& entry : entries) gates.push_back({session.Parse(entry), {}});

  context.log.set_before_line([&status] { status.Clear(); });
  LineRecovery recovery(session, settings.reopen_after, settings.reopen_tries);
  std::vector<ReopenRecord> reopens;
  const auto period = std::chrono::milliseconds(settings.period_ms);
  while (!Interrupted() && (settings.rounds == 0 || summary.rounds < settings.rounds)) {
    const uint64_t round = ++summary.rounds;
    const Clock::time_point round_start = Clock::now();
    if (recovery.port_closed()) report.Reopened(recovery.RetryOpen(round), true);
    ReadRound(round, session, gates, recovery, report, reopens);
    report.Round(round, gates, reopens.size());
    if (settings.rounds != 0 && summary.rounds == settings.rounds) break;
    const auto elapsed = Clock::now() - round_start;
    if (elapsed < period) {
      SleepUnlessInterrupted(
          std::chrono::duration_cast<std::chrono::milliseconds>(period - elapsed));
    }
  }
  summary.interrupted = Interrupted();
  context.log.set_before_line(nullptr);
  status.Clear();
  session.End();
  report.Final(summary, gates, reopens);

  uint64_t not_done = 0;
  const std::string outcome = PollOutcome(gates, &not_done);
  if (not_done == 0) return kExitDone;
  return NotDone(outcome + (invocation.trace ? "" : " (--trace shows the driver's reasons)"));
}

}  // namespace orvhost
