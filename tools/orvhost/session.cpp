#include "session.h"

namespace orvhost {

Session::~Session() {
  End();
}

int32_t Session::Call(uint32_t code, void* params) {
  OrvRequest request{};
  request.instance = block_.empty() ? nullptr : block_.data();
  request.code = code;
  request.instance_number = instance_number_;
  request.params = params;
  return orv_main_(&request);
}

int32_t Session::GetInfo() {
  const int32_t result = Call(ORV_GET_ORV_INFO, &info_);
  if (result == ORV_DONE && info_.instance_block_size > 0) {
    block_.assign(info_.instance_block_size, 0);
  }
  return result;
}

int32_t Session::ColdStart(const ColdStartParams& params, uint32_t instance_number) {
  if (block_.empty()) return ORV_NOT_DONE;  // GetOrvInfo first
  instance_number_ = instance_number;
  started_ = true;
  ColdStartParams copy = params;
  return Call(ORV_COLD_START, &copy);
}

ParsedGate Session::Parse(const GateEntry& entry) {
  ParsedGate gate;
  gate.entry = entry;
  if (!started_) return gate;
  ParseRecord record{};
  record.address = gate.entry.address.c_str();
  record.gate_type = entry.type;
  gate.parse_result = Call(ORV_SINGLE_ADDRESS_PARSER, &record);
  gate.descriptor = record.descriptor;
  return gate;
}

int32_t Session::Transfer(uint32_t code, const ParsedGate& gate, ValueBlock& value) {
  if (!started_ || ended_ || gate.parse_result != ORV_DONE) return ORV_NOT_DONE;
  GateRecord record{};
  record.address = gate.entry.address.c_str();
  record.descriptor = gate.descriptor;
  record.gate_type = gate.entry.type;
  record.value = &value;
  return Call(code, &record);
}

int32_t Session::Read(const ParsedGate& gate, ValueBlock& value) {
  return Transfer(ORV_SINGLE_READ, gate, value);
}

int32_t Session::Write(const ParsedGate& gate, ValueBlock& value) {
  return Transfer(ORV_SINGLE_WRITE, gate, value);
}

int32_t Session::CloseCom() {
  return started_ && !ended_ ? Call(ORV_CLOSE_COM, nullptr) : ORV_NOT_DONE;
}

int32_t Session::ReOpenCom() {
  return started_ && !ended_ ? Call(ORV_RE_OPEN_COM, nullptr) : ORV_NOT_DONE;
}

// A block never cold-started is left alone: the driver takes nothing but ColdStart on it.
int32_t Session::End() {
  if (!started_ || ended_) return ORV_DONE;
  ended_ = true;
  return Call(ORV_END_ORV, nullptr);
}

}  // namespace orvhost
