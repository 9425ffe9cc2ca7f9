// Starting, refreshing and closing an instance, and managing its port at run time, over the
// scripted comm fake: results, every log line in order, the platform calls and the block.
#include <gtest/gtest.h>

#include "instance_fixture.h"

namespace tavrik::test {
namespace {

using Calls = std::vector<std::string>;
using Lines = std::vector<LogLine>;
using Op = FakeComm::Op;

const LogLine kVersion = Trace("version compiled on Nov 18 1997 at time 11:43:27");
const LogLine kColdStartDone = Trace("ColdStart() exited, 0");
const Calls kOpenCom1 = {"Open COM1", "GetConfig", "SetTimeouts 0/0/1000/0/0", "SetConfig",
                         "SetQueueSizes 1200/1200"};
constexpr comm::Handle kFirstHandle = 0x100;  // the fake's first handle, 256

Calls Join(Calls a, const Calls& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class ColdStartTest : public InstanceFixture {
 protected:
  void ExpectFreshState(int32_t timeout = 4) {
    EXPECT_EQ(Value(block_.reply_timeout), timeout);
    EXPECT_EQ(Value(block_.inter_frame_gap), 0u);
    for (uint8_t enabled : block_.enable_table) ASSERT_EQ(enabled, 1);
  }
  void ExpectPortRecord(const char* name) {
    EXPECT_STREQ(block_.port.name, name);
    EXPECT_EQ(Value(block_.port.settings.baud_rate), 9600);
    EXPECT_EQ(Value(block_.port.settings.data_bits), 8);
    EXPECT_EQ(Value(block_.port.control_lines), 0x0101);
  }
  void ExpectPortRecordUntouched() {
    PortRecord scribbled;
    std::memset(&scribbled, kScribble, sizeof scribbled);
    EXPECT_EQ(std::memcmp(&block_.port, &scribbled, sizeof scribbled), 0);
  }
};

TEST_F(ColdStartTest, WithoutPortFlagOpensNothingAndKeepsThePortRecord) {
  EXPECT_EQ(ColdStart("COM1", 0), ORV_DONE);
  EXPECT_EQ(log_.lines(), (Lines{kVersion, kColdStartDone}));
  EXPECT_TRUE(fake().calls().empty());
  EXPECT_EQ(Value(block_.port_handle), 0u);
  ExpectFreshState();
  ExpectPortRecordUntouched();
}

TEST_F(ColdStartTest, NoLineNamesStoreTheRecordAndOpenNothing) {
  for (const char* name : {"NULLDEV", "NUL"}) {
    SCOPED_TRACE(name);
    SetUp();
    EXPECT_EQ(ColdStart(name), ORV_DONE);
    EXPECT_EQ(log_.lines(),
              (Lines{kVersion, Trace("ColdStart() NULLDEV => no communication"), kColdStartDone}));
    EXPECT_TRUE(fake().calls().empty());
    EXPECT_EQ(Value(block_.port_handle), 0u);
    ExpectFreshState();
    ExpectPortRecord(name);
  }
}

TEST_F(ColdStartTest, PortThatCannotBeOpenedGivesOneAndLeavesTheRecord) {
  // nul is an ordinary name here: the null device goes on to be configured, and cannot be.
  fake().AddDevice("nul");
  fake().FailNext(Op::kGetConfig);
  EXPECT_EQ(ColdStart("nul"), ORV_NOT_DONE);
  EXPECT_EQ(log_.lines(), (Lines{kVersion, Error("OpenCom() exited with error"),
                                 Trace("ColdStart() unable to open nul port")}));
  EXPECT_EQ(fake().calls(), (Calls{"Open nul", "GetConfig", "Close"}));

  SetUp();
  EXPECT_EQ(ColdStart("COM9"), ORV_NOT_DONE);
  EXPECT_EQ(log_.lines(), (Lines{kVersion, Error("OpenCom() exited with error"),
                                 Trace("ColdStart() unable to open COM9 port")}));
  EXPECT_EQ(Value(block_.port_handle), 0u);
  ExpectFreshState();
  ExpectPortRecordUntouched();
}

TEST_F(ColdStartTest, OpensThePortAndSetsTheReplyTimeout) {
  EXPECT_EQ(ColdStart("COM1", 1, 7), ORV_DONE);
  EXPECT_EQ(log_.lines(),
            (Lines{kVersion, Trace("OpenCom() exited OK, file handle 256"),
                   Trace("ColdStart() port COM1 opened, file handle 256"), kColdStartDone}));
  EXPECT_EQ(fake().calls(), Join(kOpenCom1, {"GetTimeouts", "SetTimeouts 0/0/70/0/0"}));
  EXPECT_EQ(Value(block_.port_handle), kFirstHandle);
  // Opened with data-terminal-ready on and request-to-send off.
  EXPECT_EQ(fake().config(kFirstHandle).dtr_control, comm::DtrControl::kEnable);
  EXPECT_EQ(fake().config(kFirstHandle).rts_control, comm::RtsControl::kDisable);
  ExpectFreshState(7);
  ExpectPortRecord("COM1");
}

TEST_F(ColdStartTest, ReplyTimeoutBelowOneIsReplacedByFour) {
  for (int32_t timeout : {0, -7}) {
    SCOPED_TRACE(timeout);
    SetUp();
    EXPECT_EQ(ColdStart("COM1", 1, timeout), ORV_DONE);
    ASSERT_GE(log_.lines().size(), 2u);
    EXPECT_EQ(log_.lines()[1],
              Error("ColdStart() illegal time-out " + std::to_string(timeout) + ", using 4"));
    EXPECT_EQ(fake().timeouts(kFirstHandle).read_total_constant, 40u);
    ExpectFreshState(4);
  }
}

TEST_F(ColdStartTest, PortNameWithoutTerminatorIsRefusedAndNothingChanges) {
  ColdStartParams params{};
  std::memcpy(params.port_name, "ABCDEFGHIJKL", sizeof params.port_name);  // 12, no NUL
  params.port_flag = 1;
  params.reply_timeout = 4;
  const InstanceBlock before = block_;
  EXPECT_EQ(Call(ORV_COLD_START, &params), ORV_NOT_DONE);
  EXPECT_EQ(log_.lines(), (Lines{Error("ColdStart() illegal port name")}));
  EXPECT_TRUE(fake().calls().empty());
  EXPECT_EQ(std::memcmp(&block_, &before, sizeof block_), 0);
}

TEST_F(ColdStartTest, NeverClosesAHandleItFindsInTheBlock) {
  StartOnCom1();
  EXPECT_EQ(ColdStart("COM2"), ORV_DONE);
  EXPECT_EQ(fake().calls()[0], "Open COM2");
  for (const std::string& call : fake().calls()) EXPECT_NE(call, "Close");
  EXPECT_TRUE(fake().IsOpen(kFirstHandle));
  EXPECT_NE(Value(block_.port_handle), kFirstHandle);
}

TEST_F(InstanceFixture, WarmStartPurgesAndChangesNothingElse) {
  StartOnCom1();
  block_.inter_frame_gap = 25;
  block_.enable_table[3] = 0;
  fake().Arrive("stale");
  EXPECT_EQ(Call(ORV_WARM_START), ORV_DONE);
  EXPECT_EQ(log_.lines(), (Lines{Trace("WarmStart() exited, 0")}));
  EXPECT_EQ(fake().calls(), (Calls{"ClearErrors", "GetTimeouts", "SetTimeouts 0/0/50/0/0",
                                   "Read 512", "GetTimeouts", "SetTimeouts 0/0/40/0/0"}));
  EXPECT_EQ(fake().PendingInput(), 0u);
  EXPECT_EQ(Value(block_.inter_frame_gap), 25u);
  EXPECT_EQ(Value(block_.enable_table[3]), 0);
  EXPECT_EQ(Value(block_.reply_timeout), 4);

  ASSERT_EQ(ColdStart("NULLDEV"), ORV_DONE);
  fake().ClearCalls();
  log_.Clear();
  EXPECT_EQ(Call(ORV_WARM_START), ORV_DONE);  // without a port
  EXPECT_EQ(log_.lines(), (Lines{Trace("WarmStart() exited, 0")}));
  EXPECT_TRUE(fake().calls().empty());
}

TEST_F(InstanceFixture, CloseComClosesOnceAndKeepsAHandleItCouldNotClose) {
  StartOnCom1();
  fake().FailNext(Op::kClose);
  EXPECT_EQ(Call(ORV_CLOSE_COM), ORV_FAILED);
  EXPECT_EQ(Value(block_.port_handle), kFirstHandle);

  EXPECT_EQ(Call(ORV_CLOSE_COM), ORV_DONE);
  EXPECT_EQ(Value(block_.port_handle), 0u);
  EXPECT_FALSE(fake().IsOpen(kFirstHandle));

  EXPECT_EQ(Call(ORV_CLOSE_COM), ORV_DONE);  // no port: nothing to close
  EXPECT_EQ(log_.lines(), (Lines{Trace("CloseCom() exited 2"), Trace("CloseCom() exited 0"),
                                 Trace("CloseCom() exited 0")}));
  EXPECT_EQ(fake().calls(), (Calls{"Close", "Close"}));
}

TEST_F(InstanceFixture, ReOpenComReopensTheBlocksPortWithItsTimeout) {
  StartOnCom1();
  ASSERT_EQ(Call(ORV_CLOSE_COM), ORV_DONE);
  fake().ClearCalls();
  log_.Clear();
  EXPECT_EQ(Call(ORV_RE_OPEN_COM), ORV_DONE);
  EXPECT_EQ(log_.lines(),
            (Lines{Trace("OpenCom() exited OK, file handle 257"), Trace("ReOpenCom() exited 0")}));
  EXPECT_EQ(fake().calls(), Join(kOpenCom1, {"GetTimeouts", "SetTimeouts 0/0/40/0/0"}));
  EXPECT_EQ(Value(block_.port_handle), kFirstHandle + 1);
  // With the control lines ColdStart opened it with.
  EXPECT_EQ(fake().config(block_.port_handle).dtr_control, comm::DtrControl::kEnable);
  EXPECT_EQ(fake().config(block_.port_handle).rts_control, comm::RtsControl::kDisable);
}

TEST_F(InstanceFixture, ReOpenComWhileOpenFailsAndThePortStaysInUse) {
  StartOnCom1();
  EXPECT_EQ(Call(ORV_RE_OPEN_COM), ORV_FAILED);
  EXPECT_EQ(log_.lines(),
            (Lines{Error("OpenCom() exited with error"), Error("ReOpenCom() exited 2")}));
  EXPECT_EQ(Value(block_.port_handle), kFirstHandle);
  EXPECT_TRUE(fake().IsOpen(kFirstHandle));
}

TEST_F(InstanceFixture, ReOpenComWithoutALineDoesNothing) {
  ASSERT_EQ(ColdStart("NULLDEV"), ORV_DONE);
  log_.Clear();
  EXPECT_EQ(Call(ORV_RE_OPEN_COM), ORV_DONE);
  EXPECT_EQ(log_.lines(), (Lines{Trace("ReOpenCom() NULLDEV => no communications"),
                                 Trace("ReOpenCom() exited 0")}));
  EXPECT_TRUE(fake().calls().empty());
}

TEST_F(InstanceFixture, ChangeOrvParamsToAnotherPortChangesOnlyTheName) {
  StartOnCom1();
  EXPECT_EQ(ChangeOrvParams("COM2", -1, {}), ORV_DONE);  // time-out -1, baud 0: keep both
  EXPECT_EQ(log_.lines(),
            (Lines{Trace("CloseCom() exited 0"), Trace("OpenCom() exited OK, file handle 257")}));
  EXPECT_FALSE(fake().IsOpen(kFirstHandle));
  EXPECT_EQ(Value(block_.port_handle), kFirstHandle + 1);
  EXPECT_STREQ(block_.port.name, "COM2");
  EXPECT_EQ(Value(block_.reply_timeout), 4);
  EXPECT_EQ(Value(block_.port.settings.baud_rate), 9600);
  EXPECT_EQ(fake().timeouts(block_.port_handle).read_total_constant, 40u);
}

TEST_F(InstanceFixture, ChangeOrvParamsToNoLineClosesThePort) {
  StartOnCom1();
  EXPECT_EQ(ChangeOrvParams("NULLDEV"), ORV_DONE);
  EXPECT_EQ(log_.lines(), (Lines{Trace("CloseCom() exited 0"),
                                 Trace("ChangeOrvParams() NULLDEV => no communications")}));
  EXPECT_EQ(Value(block_.port_handle), 0u);
  EXPECT_FALSE(fake().IsOpen(kFirstHandle));
}

TEST_F(InstanceFixture, ChangeOrvParamsOnTheOpenPortStoresButCannotApply) {
  StartOnCom1();
  EXPECT_EQ(ChangeOrvParams("COM1", 9, {19200, 7, 0, 2}), ORV_FAILED);
  EXPECT_EQ(log_.lines(),
            (Lines{Error("OpenCom() exited with error"), Trace("ChangeOrvParams() exited 2")}));
  // The open port keeps working with what it had; the block holds the new values.
  EXPECT_EQ(Value(block_.port_handle), kFirstHandle);
  EXPECT_TRUE(fake().IsOpen(kFirstHandle));
  EXPECT_EQ(fake().config(kFirstHandle).baud_rate, 9600u);
  EXPECT_EQ(fake().timeouts(kFirstHandle).read_total_constant, 40u);
  EXPECT_EQ(Value(block_.reply_timeout), 9);
  EXPECT_EQ(Value(block_.port.settings.baud_rate), 19200);
  EXPECT_EQ(Value(block_.port.settings.parity), 2);
}

TEST_F(InstanceFixture, ChangeOrvParamsToAPortThatCannotBeOpenedLeavesNoPort) {
  StartOnCom1();
  EXPECT_EQ(ChangeOrvParams("COM9"), ORV_FAILED);
  EXPECT_EQ(log_.lines(), (Lines{Trace("CloseCom() exited 0"), Error("OpenCom() exited with error"),
                                 Trace("ChangeOrvParams() exited 2")}));
  EXPECT_EQ(Value(block_.port_handle), 0u);
  EXPECT_STREQ(block_.port.name, "COM9");
}

TEST_F(InstanceFixture, ChangeOrvParamsTimeouts) {
  struct Case {
    int32_t timeout;
    int32_t stored;
    Lines lines;
  };
  const Case cases[] = {
      {0, 4, {}},
      {-1, 4, {}},
      {-5, 4, {Error("ChangeOrvParams() illegal time-out -5 ignored")}},
      {7, 7, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.timeout);
    SetUp();
    StartOnCom1();
    ASSERT_EQ(Call(ORV_CLOSE_COM), ORV_DONE);
    log_.Clear();
    EXPECT_EQ(ChangeOrvParams("COM1", c.timeout), ORV_DONE);
    Lines expected = c.lines;
    expected.push_back(Trace("OpenCom() exited OK, file handle 257"));
    EXPECT_EQ(log_.lines(), expected);
    EXPECT_EQ(Value(block_.reply_timeout), c.stored);
    EXPECT_EQ(fake().timeouts(block_.port_handle).read_total_constant,
              static_cast<uint32_t>(c.stored) * 10);
  }
}

TEST_F(InstanceFixture, ChangeOrvParamsRefusesAPortNameWithoutTerminator) {
  StartOnCom1();
  ChangeParams params{};
  std::memcpy(params.port_name, "ABCDEFGHIJKL", sizeof params.port_name);
  params.reply_timeout = 9;
  params.settings = {19200, 8, 0, 0};
  const InstanceBlock before = block_;
  EXPECT_EQ(Call(ORV_CHANGE_ORV_PARAMS, &params), ORV_FAILED);
  EXPECT_EQ(log_.lines(), (Lines{Error("ChangeOrvParams() illegal port name")}));
  EXPECT_TRUE(fake().calls().empty());
  EXPECT_EQ(std::memcmp(&block_, &before, sizeof block_), 0);
}

}  // namespace
}  // namespace tavrik::test
