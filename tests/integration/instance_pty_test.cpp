// Starting an instance and managing its port at run time on real pseudo-terminals.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "driver_session.h"
#include "log_capture.h"
#include "packed.h"
#include "pseudo_terminal.h"
#include "serial/platform/comm.h"
#include "temp_directory.h"

namespace tavrik::test {
namespace {

// "pts/N": short enough for the 11 characters a port name may have.
std::string PortName(const PseudoTerminal& line) {
  return line.device().substr(5);
}

class InstancePtyTest : public ::testing::Test, protected DriverSession {
 protected:
  // The instance's port carries bytes to the far end.
  void ExpectPortWorks(PseudoTerminal& line) {
    uint32_t written = 0;
    ASSERT_TRUE(comm::Write(block_.port_handle, "R07T\r", 5, &written));
    EXPECT_EQ(line.Receive(5), "R07T\r");
  }

  CurrentTempDirectory directory_;  // no initialisation file
  LogCapture log_;
  PseudoTerminal line_;
};

TEST_F(InstancePtyTest, ColdStartOpensAndCloseComPlusReOpenComReopens) {
  ASSERT_EQ(ColdStart(PortName(line_).c_str()), ORV_DONE);
  ASSERT_NE(Value(block_.port_handle), 0u);
  ExpectPortWorks(line_);

  ASSERT_EQ(Call(ORV_CLOSE_COM), ORV_DONE);
  EXPECT_EQ(Value(block_.port_handle), 0u);
  ASSERT_EQ(Call(ORV_RE_OPEN_COM), ORV_DONE);
  ASSERT_NE(Value(block_.port_handle), 0u);
  ExpectPortWorks(line_);
  comm::PortTimeouts timeouts{};
  ASSERT_TRUE(comm::GetTimeouts(block_.port_handle, &timeouts));
  EXPECT_EQ(timeouts.read_total_constant, 40u);  // the block's reply time-out
}

TEST_F(InstancePtyTest, ReOpenComWhileOpenFailsAndThePortKeepsWorking) {
  ASSERT_EQ(ColdStart(PortName(line_).c_str()), ORV_DONE);
  const uint32_t handle = block_.port_handle;
  EXPECT_EQ(Call(ORV_RE_OPEN_COM), ORV_FAILED);
  EXPECT_EQ(Value(block_.port_handle), handle);
  ExpectPortWorks(line_);
}

TEST_F(InstancePtyTest, ChangeOrvParamsMovesToAnotherLine) {
  PseudoTerminal other;
  ASSERT_EQ(ColdStart(PortName(line_).c_str()), ORV_DONE);
  ChangeParams params{};
  std::snprintf(params.port_name, sizeof params.port_name, "%s", PortName(other).c_str());
  params.reply_timeout = -1;
  ASSERT_EQ(Call(ORV_CHANGE_ORV_PARAMS, &params), ORV_DONE);
  ExpectPortWorks(other);

  // The first line was closed: it opens again.
  comm::Handle first = comm::kNoHandle;
  ASSERT_TRUE(comm::Open(line_.device().c_str(), &first));
  EXPECT_TRUE(comm::Close(first));
}

}  // namespace
}  // namespace tavrik::test
