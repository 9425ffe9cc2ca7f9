#include "poll_report.h"

#include <cstdio>

#include "clock_text.h"
#include "gate_value.h"
#include "json_writer.h"
#include "result_text.h"

namespace orvhost {
namespace {

bool Parsed(const PolledGate& polled) {
  return polled.gate.parse_result == ORV_DONE;
}

// "01T=215", "12T=[2]" for a read not done, "0AT=refused".
std::string RoundEntry(const PolledGate& polled) {
  const GateCounters& counters = polled.counters;
  std::string entry = polled.gate.entry.address + "=";
  if (!Parsed(polled)) return entry + "refused";
  if (counters.last_result() != ORV_DONE) {
    return entry + "[" + std::to_string(counters.last_result()) + "]";
  }
  return entry + FormatValue(polled.gate.entry, counters.last_value());
}

std::string Milliseconds(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

void WriteGateJson(JsonWriter& json, const PolledGate& polled) {
  const GateCounters& counters = polled.counters;
  json.BeginObject()
      .StringField("gate", polled.gate.entry.address)
      .StringField("type", GateTypeName(polled.gate.entry.type))
      .IntegerField("parse_result", polled.gate.parse_result)
      .UnsignedField("reads", counters.reads())
      .Key("results")
      .BeginObject()
      .UnsignedField("0", counters.with_result(0))
      .UnsignedField("1", counters.with_result(1))
      .UnsignedField("2", counters.with_result(2))
      .EndObject();
  json.Key("latency_ms");
  if (counters.reads() == 0) {
    json.Null();
  } else {
    json.BeginObject()
        .MillisecondsField("min", counters.min_ms())
        .MillisecondsField("median", counters.median_ms())
        .MillisecondsField("max", counters.max_ms())
        .EndObject();
  }
  json.Key("last").BeginObject().Key("result");
  if (counters.reads() == 0) {
    json.Null();
  } else {
    json.Integer(counters.last_result());
  }
  json.Key("value");
  if (counters.has_value()) {
    WriteJsonValue(json, polled.gate.entry, counters.last_value());
  } else {
    json.Null();
  }
  json.EndObject().EndObject();
}

void PrintTable(const std::vector<PolledGate>& gates) {
  std::printf("%-11s %-7s %12s %6s %5s %5s %5s %8s %8s %8s\n", "gate", "type", "last value",
              "reads", "res0", "res1", "res2", "min ms", "med ms", "max ms");
  for (const PolledGate& polled : gates) {
    const GateCounters& counters = polled.counters;
    const char* address = polled.gate.entry.address.c_str();
    const char* type = GateTypeName(polled.gate.entry.type);
    if (!Parsed(polled)) {
      std::printf("%-11s %-7s %s (result %d)\n", address, type, kParseRefused,
                  static_cast<int>(polled.gate.parse_result));
      continue;
    }
    const std::string value =
        counters.has_value() ? FormatValue(polled.gate.entry, counters.last_value()) : "-";
    const bool read = counters.reads() > 0;
    std::printf("%-11s %-7s %12s %6llu %5llu %5llu %5llu %8s %8s %8s\n", address, type,
                value.c_str(), static_cast<unsigned long long>(counters.reads()),
                static_cast<unsigned long long>(counters.with_result(0)),
                static_cast<unsigned long long>(counters.with_result(1)),
                static_cast<unsigned long long>(counters.with_result(2)),
                read ? Milliseconds(counters.min_ms()).c_str() : "-",
                read ? Milliseconds(counters.median_ms()).c_str() : "-",
                read ? Milliseconds(counters.max_ms()).c_str() : "-");
  }
}

}  // namespace

void PollReport::Notice(const std::string& text) {
  if (json_) {
    std::fprintf(stderr, "orvhost: %s\n", text.c_str());
    std::fflush(stderr);
    return;
  }
  status_.Clear();
  std::printf("%s\n", text.c_str());
  std::fflush(stdout);
}

void PollReport::Round(uint64_t round, const std::vector<PolledGate>& gates, uint64_t reopens) {
  if (json_) return;
  std::string line = "round " + std::to_string(round);
  if (rounds_asked_ != 0) line += "/" + std::to_string(rounds_asked_);
  line += "  " + TimeOfDay();
  if (reopens > 0) line += "  reopens " + std::to_string(reopens);
  for (const PolledGate& polled : gates) line += "  " + RoundEntry(polled);
  if (status_.live()) {
    status_.Show(line);
  } else {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  }
}

void PollReport::ReopenStarting(uint64_t round, uint64_t failures_in_a_row) {
  Notice("round " + std::to_string(round) + ": " + std::to_string(failures_in_a_row) +
         " reads in a row failed (result 2): closing the port (CloseCom) and opening it again "
         "(ReOpenCom)");
}

void PollReport::Reopened(const ReopenRecord& record, bool retry_at_round_start) {
  const std::string round = "round " + std::to_string(record.round) + ": ";
  if (record.result == ORV_DONE) {
    Notice(round + "port reopened (ReOpenCom done" +
           (retry_at_round_start ? ")" : " at try " + std::to_string(record.tries) + ")"));
  } else if (retry_at_round_start) {
    Notice(round + "port still closed (ReOpenCom gave " + std::to_string(record.result) + ")");
  } else {
    Notice(round + "port still closed after " + std::to_string(record.tries) +
           " ReOpenCom tries (last result " + std::to_string(record.result) +
           "); trying again as each round begins");
  }
}

void PollReport::Final(const Summary& summary, const std::vector<PolledGate>& gates,
                       const std::vector<ReopenRecord>& reopens) {
  status_.Clear();
  if (!json_) {
    if (summary.interrupted)
      std::printf("interrupted after round %llu\n",
                  static_cast<unsigned long long>(summary.rounds));
    PrintTable(gates);
    if (!reopens.empty()) std::printf("reopens: %s\n", std::to_string(reopens.size()).c_str());
    std::fflush(stdout);
    return;
  }
  JsonWriter json;
  json.BeginObject()
      .StringField("port", summary.port)
      .IntegerField("cold_start", summary.cold_start)
      .UnsignedField("period_ms", summary.period_ms)
      .UnsignedField("rounds", summary.rounds)
      .BooleanField("interrupted", summary.interrupted)
      .Key("gates")
      .BeginArray();
  for (const PolledGate& polled : gates) WriteGateJson(json, polled);
  json.EndArray().Key("reopens").BeginArray();
  for (const ReopenRecord& record : reopens) {
    json.BeginObject()
        .UnsignedField("round", record.round)
        .IntegerField("close_result", record.close_result)
        .UnsignedField("tries", record.tries)
        .IntegerField("result", record.result)
        .EndObject();
  }
  json.EndArray().EndObject();
  std::printf("%s\n", json.text().c_str());
  std::fflush(stdout);
}

}  // namespace orvhost
