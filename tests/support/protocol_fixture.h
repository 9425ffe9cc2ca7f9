// A fixture for reads and writes over the scripted comm fake: an instance started on COM1 with a
// reply time-out of 40 ms, gates parsed by the driver itself, and a ValueBlock filled with a
// pattern so that every byte a transaction writes shows.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "instance_fixture.h"

namespace tavrik::test {

class ProtocolFixture : public InstanceFixture {
 protected:
  struct Gate {
    std::string address;
    int32_t type;
    GateDescriptor descriptor;
  };

  void SetUp() override {
    InstanceFixture::SetUp();
    StartOnCom1();
    std::memset(&value_, kScribble, sizeof value_);
  }

  Gate Parsed(const std::string& address, int32_t type) {
    ParseRecord record{};
    record.address = address.c_str();
    record.gate_type = type;
    EXPECT_EQ(Call(ORV_SINGLE_ADDRESS_PARSER, &record), ORV_DONE) << address;
    return Gate{address, type, record.descriptor};
  }

  int32_t Transfer(uint32_t code, const Gate& gate, ValueBlock* value) {
    GateRecord record{};
    record.address = gate.address.c_str();
    record.descriptor = gate.descriptor;
    record.gate_type = gate.type;
    record.value = value;
    fake().ClearCalls();
    log_.Clear();
    return Call(code, &record);
  }
  int32_t Read(const Gate& gate) { return Transfer(ORV_SINGLE_READ, gate, &value_); }
  int32_t Write(const Gate& gate) { return Transfer(ORV_SINGLE_WRITE, gate, &value_); }

  // Whether the ValueBlock still holds the pattern from byte `from` on.
  bool UntouchedFrom(std::size_t from) const {
    for (std::size_t i = from; i < sizeof value_; ++i)
      if (static_cast<uint8_t>(value_.text[i]) != kScribble) return false;
    return true;
  }

  ValueBlock value_;
};

}  // namespace tavrik::test
