// EndOrv stops the driver for the whole process, and nothing clears that while the library is
// loaded: every test here runs in a process of its own (CTest runs each discovered test alone).
#include <gtest/gtest.h>

#include <array>

#include "instance_fixture.h"

namespace tavrik::test {
namespace {

using Lines = std::vector<LogLine>;

class EndOrvTest : public InstanceFixture {
 protected:
  // After EndOrv: every kind of code returns 0 and writes, logs and sends nothing.
  void ExpectStopped() {
    fake().ClearCalls();
    log_.Clear();
    const InstanceBlock before = block_;
    for (uint32_t code :
         {0u, 1u, 2u, 3u, 4u, 5u, 8u, 11u, 12u, 13u, 14u, 15u, 16u, 17u, 0xFFFFFFFFu}) {
      SCOPED_TRACE(code);
      std::array<unsigned char, 64> params;
      params.fill(kScribble);
      EXPECT_EQ(Call(code, params.data()), ORV_DONE);
      for (unsigned char byte : params) ASSERT_EQ(byte, kScribble);
    }
    EXPECT_EQ(DriverEntry()(nullptr), ORV_DONE);
    EXPECT_TRUE(log_.lines().empty());
    EXPECT_TRUE(fake().calls().empty());
    EXPECT_EQ(std::memcmp(&block_, &before, sizeof block_), 0);
  }
};

TEST_F(EndOrvTest, StopsBeforeClosingAndReturnsWhatTheCloseGave) {
  StartOnCom1();
  // While the port is being closed, the driver is already stopped.
  int32_t during_close = -1;
  OrvInfo info{};
  fake().OnNext(FakeComm::Op::kClose, [&] {
    OrvRequest request{};
    request.code = ORV_GET_ORV_INFO;
    request.params = &info;
    during_close = CallDriver(request);
  });
  fake().FailNext(FakeComm::Op::kClose);

  EXPECT_EQ(Call(ORV_END_ORV), ORV_FAILED);
  EXPECT_EQ(during_close, ORV_DONE);
  EXPECT_EQ(info.instance_block_size, 0u);  // GetOrvInfo did not run
  EXPECT_EQ(log_.lines(), (Lines{Trace("CloseCom() exited 2"), Trace("EndOrv() exited, 2")}));
  ExpectStopped();
}

TEST_F(EndOrvTest, WithoutAPortReturnsZeroAndColdStartStaysRefused) {
  ASSERT_EQ(ColdStart("NULLDEV"), ORV_DONE);
  log_.Clear();
  EXPECT_EQ(Call(ORV_END_ORV), ORV_DONE);
  EXPECT_EQ(log_.lines(), (Lines{Trace("CloseCom() exited 0"), Trace("EndOrv() exited, 0")}));
  ExpectStopped();  // ColdStart (code 1) among the codes
}

TEST_F(EndOrvTest, ClosesAnOpenPort) {
  StartOnCom1();
  EXPECT_EQ(Call(ORV_END_ORV), ORV_DONE);
  EXPECT_EQ(fake().calls(), (std::vector<std::string>{"Close"}));
  EXPECT_EQ(Value(block_.port_handle), 0u);
  ExpectStopped();
}

}  // namespace
}  // namespace tavrik::test
