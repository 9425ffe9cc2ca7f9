// read and write: the instance started on the port, each distinct gate parsed once, the
// operations run in command-line order, the driver ended.
#include <vector>

#include "exit_status.h"
#include "instance_start.h"
#include "interrupt.h"
#include "subcommands.h"
#include "transfer_report.h"

namespace orvhost {
namespace {

// The gates of the steps, each address and type once, parsed by the driver; steps refer to
// them by index.
struct GateTable {
  std::vector<ParsedGate> gates;
  std::vector<std::size_t> of_step;
};

GateTable ParseGates(Session& session, const std::vector<Step>& steps) {
  GateTable table;
  for (const Step& step : steps) {
    std::size_t index = 0;
    while (index < table.gates.size() && (table.gates[index].entry.address != step.gate.address ||
                                          table.gates[index].entry.type != step.gate.type)) {
      ++index;
    }
    if (index == table.gates.size()) table.gates.push_back(session.Parse(step.gate));
    table.of_step.push_back(index);
  }
  return table;
}

}  // namespace

int RunTransfer(const RunContext& context) {
  const Invocation& invocation = context.invocation;
  std::string reason;
  const int32_t cold_start =
      StartInstance(context.session, invocation.line, invocation.trace, &reason);
  TransferReport report(invocation.json, invocation.line.port, cold_start);
  if (cold_start != ORV_DONE) {
    report.Finish(0, invocation.steps.size());
    context.session.End();
    return NotDone(reason);
  }

  const GateTable table = ParseGates(context.session, invocation.steps);
  std::size_t done = 0;
  std::size_t run = 0;
  for (std::size_t i = 0; i < invocation.steps.size() && !Interrupted(); ++i, ++run) {
    const Step& step = invocation.steps[i];
    const ParsedGate& gate = table.gates[table.of_step[i]];
    ValueBlock value = step.value;  // a read starts from a zeroed block
    const int32_t result = step.operation == Step::Operation::kRead
                               ? context.session.Read(gate, value)
                               : context.session.Write(gate, value);
    report.Add(step, gate, result, value);
    if (gate.parse_result == ORV_DONE && result == ORV_DONE) ++done;
  }
  context.session.End();
  const std::size_t not_done = invocation.steps.size() - done;
  report.Finish(done, not_done);

  if (run < invocation.steps.size()) {
    return NotDone("interrupted after " + std::to_string(run) + " of " +
                   std::to_string(invocation.steps.size()) + " operations");
  }
  if (not_done == 0) return kExitDone;
  return NotDone(std::to_string(not_done) + " of " + std::to_string(invocation.steps.size()) +
                 " operations not done" +
                 (invocation.trace ? "" : " (--trace shows the driver's reasons)"));
}

}  // namespace orvhost
