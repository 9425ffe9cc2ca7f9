#include "transfer_report.h"

#include <cstdio>

#include "gate_value.h"
#include "result_text.h"

namespace orvhost {
namespace {

bool IsRead(const Step& step) {
  return step.operation == Step::Operation::kRead;
}

// What an operation came to, in words.
std::string Outcome(const Step& step, const ParsedGate& gate, int32_t result,
                    const ValueBlock& value) {
  if (gate.parse_result != ORV_DONE) return kParseRefused;
  if (result != ORV_DONE) {
    return std::string(TransferMeaning(result)) + " (result " + std::to_string(result) + ")";
  }
  if (IsRead(step)) return FormatValue(step.gate, value);
  if (step.gate.kind == GateKind::kCommControl) {
    return std::string("done: ") + CommControlTargets(step.gate.address) +
           (step.value.unsigned16[1] != 0 ? " enabled" : " disabled");
  }
  return "done";
}

}  // namespace

TransferReport::TransferReport(bool json, const std::string& port, int32_t cold_start_result)
    : json_(json) {
  if (!json_) return;
  document_.BeginObject()
      .StringField("port", port)
      .IntegerField("cold_start", cold_start_result)
      .Key("operations")
      .BeginArray();
}

void TransferReport::Add(const Step& step, const ParsedGate& gate, int32_t result,
                         const ValueBlock& value) {
  const int32_t outcome_result = gate.parse_result != ORV_DONE ? gate.parse_result : result;
  if (!json_) {
    const std::string written = IsRead(step) || !WriteTakesValue(step.gate)
                                    ? ""
                                    : FormatValue(step.gate, step.value) + "  ";
    std::printf("%-5s %-11s %-7s %s%s\n", IsRead(step) ? "read" : "write",
                step.gate.address.c_str(), GateTypeName(step.gate.type), written.c_str(),
                Outcome(step, gate, result, value).c_str());
    std::fflush(stdout);
    return;
  }
  document_.BeginObject()
      .StringField("operation", IsRead(step) ? "read" : "write")
      .StringField("gate", step.gate.address)
      .StringField("type", GateTypeName(step.gate.type))
      .IntegerField("result", outcome_result)
      .StringField("meaning",
                   gate.parse_result != ORV_DONE ? kParseRefused : TransferMeaning(result));
  if (!IsRead(step) && WriteTakesValue(step.gate)) {
    document_.Key("value");
    WriteJsonValue(document_, step.gate, step.value);
  } else if (IsRead(step) && outcome_result == ORV_DONE) {
    document_.Key("value");
    WriteJsonValue(document_, step.gate, value);
  }
  document_.EndObject();
}

void TransferReport::Finish(std::size_t done, std::size_t not_done) {
  if (!json_) return;
  document_.EndArray().UnsignedField("done", done).UnsignedField("not_done", not_done).EndObject();
  std::printf("%s\n", document_.text().c_str());
  std::fflush(stdout);
}

}  // namespace orvhost
