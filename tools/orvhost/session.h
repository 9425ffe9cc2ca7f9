// One instance of the driver, driven in the order a host must follow: GetOrvInfo first, a zeroed
// block of the announced size, ColdStart before anything else on it, gates parsed once with
// their descriptors kept, EndOrv last (which stops the driver for the whole process).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gate_entry.h"
#include "tavrik/tavrik.h"

namespace orvhost {

// A gate the driver's parser has seen, with the descriptor it filled, handed back unchanged.
struct ParsedGate {
  GateEntry entry;
  GateDescriptor descriptor{};
  int32_t parse_result = ORV_NOT_DONE;
};

class Session {
 public:
  explicit Session(OrvMainFunction orv_main) : orv_main_(orv_main) {}
  ~Session();  // EndOrv, if ColdStart was called and EndOrv was not
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // GetOrvInfo; on success allocates the instance block of the announced size.
  int32_t GetInfo();
  const OrvInfo& info() const { return info_; }

  int32_t ColdStart(const ColdStartParams& params, uint32_t instance_number);

  // SingleAddressParser for the gate; the result and descriptor are kept in the ParsedGate.
  ParsedGate Parse(const GateEntry& entry);

  int32_t Read(const ParsedGate& gate, ValueBlock& value);
  int32_t Write(const ParsedGate& gate, ValueBlock& value);
  int32_t CloseCom();
  int32_t ReOpenCom();
  int32_t End();  // EndOrv; later calls do nothing

 private:
  int32_t Call(uint32_t code, void* params);
  int32_t Transfer(uint32_t code, const ParsedGate& gate, ValueBlock& value);

  OrvMainFunction orv_main_;
  OrvInfo info_{};
  std::vector<unsigned char> block_;
  uint32_t instance_number_ = 0;
  bool started_ = false;
  bool ended_ = false;
};

}  // namespace orvhost
