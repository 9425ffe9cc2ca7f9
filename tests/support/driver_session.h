// One driver instance driven through OrvMain as a host drives it: its block, calls by operation
// code, ColdStart and ChangeOrvParams with their records, gates parsed and then read or written.
// Test fixtures derive from it, whichever driver they talk to (see driver_entry.h).
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "driver_entry.h"
#include "instance/instance_block.h"

namespace tavrik::test {

class DriverSession {
 public:
  struct Gate {
    std::string address;
    int32_t type;
    GateDescriptor descriptor;
  };

  static constexpr CommSettings k9600 = {9600, 8, 0, 0};

 protected:
  int32_t Call(uint32_t code, void* params = nullptr) {
    OrvRequest request{};
    request.instance = &block_;
    request.code = code;
    request.instance_number = instance_number_;
    request.params = params;
    return CallDriver(request);
  }

  int32_t ColdStart(const char* port, int32_t port_flag = 1, int32_t timeout = 4,
                    CommSettings settings = k9600) {
    ColdStartParams params{};
    std::snprintf(params.port_name, sizeof params.port_name, "%s", port);
    params.port_flag = port_flag;
    params.reply_timeout = timeout;
    params.settings = settings;
    return Call(ORV_COLD_START, &params);
  }

  int32_t ChangeOrvParams(const char* port, int32_t timeout = -1, CommSettings settings = {}) {
    ChangeParams params{};
    std::snprintf(params.port_name, sizeof params.port_name, "%s", port);
    params.reply_timeout = timeout;
    params.settings = settings;
    return Call(ORV_CHANGE_ORV_PARAMS, &params);
  }

  // The gate as the driver's parser describes it; the address must be accepted.
  Gate Parsed(const std::string& address, int32_t type) {
    ParseRecord record{};
    record.address = address.c_str();
    record.gate_type = type;
    EXPECT_EQ(Call(ORV_SINGLE_ADDRESS_PARSER, &record), ORV_DONE) << address;
    return Gate{address, type, record.descriptor};
  }

  // SingleRead or SingleWrite of a gate with the host's ValueBlock.
  int32_t Transfer(uint32_t code, const Gate& gate, ValueBlock* value) {
    GateRecord record{};
    record.address = gate.address.c_str();
    record.descriptor = gate.descriptor;
    record.gate_type = gate.type;
    record.value = value;
    return Call(code, &record);
  }

  InstanceBlock block_{};
  uint32_t instance_number_ = 1;
};

}  // namespace tavrik::test
