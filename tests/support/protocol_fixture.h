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
  void SetUp() override {
    InstanceFixture::SetUp();
    StartOnCom1();
    std::memset(&value_, kScribble, sizeof value_);
  }

  // A transfer with the calls and lines before it forgotten.
  int32_t Transfer(uint32_t code, const Gate& gate, ValueBlock* value) {
    fake().ClearCalls();
    log_.Clear();
    return DriverSession::Transfer(code, gate, value);
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
