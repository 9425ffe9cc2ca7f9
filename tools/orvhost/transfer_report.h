// The output of a read/write run: one text line per operation as it is done, or one JSON
// document at the end.
#pragma once

#include <cstdint>
#include <string>

#include "command_line.h"
#include "json_writer.h"
#include "session.h"

namespace orvhost {

class TransferReport {
 public:
  // Begins the output of a run whose ColdStart gave cold_start_result.
  TransferReport(bool json, const std::string& port, int32_t cold_start_result);

  // An operation's outcome; value is the block after the call.
  void Add(const Step& step, const ParsedGate& gate, int32_t result, const ValueBlock& value);

  // Ends the output: the JSON document, when that is the form.
  void Finish(std::size_t done, std::size_t not_done);

 private:
  bool json_;
  JsonWriter document_;
};

}  // namespace orvhost
