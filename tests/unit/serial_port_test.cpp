// The serial port library over the scripted comm fake: exact call sequences, every configuration
// member, time-outs, purging and the byte-count transfers with their result codes.
#include "serial/serial_port.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm_fake.h"

namespace tavrik::test {
namespace {

using comm::DtrControl;
using comm::RtsControl;
using Calls = std::vector<std::string>;
using Op = FakeComm::Op;

class SerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake().Reset();
    fake().AddDevice("COM1");
  }
  static FakeComm& fake() { return FakeComm::Get(); }

  // A port opened the ordinary way; the calls that took are forgotten.
  comm::Handle OpenPort() {
    comm::Handle handle = comm::kNoHandle;
    EXPECT_EQ(serial::OpenCom("COM1", kSettings, 0x0101, &handle), serial::kDone);
    fake().ClearCalls();
    return handle;
  }
  void SetReadConstant(comm::Handle handle, uint32_t milliseconds) {
    ASSERT_TRUE(comm::SetTimeouts(handle, {0, 0, milliseconds, 0, 0}));
    fake().ClearCalls();
  }

  static constexpr CommSettings kSettings = {9600, 8, 0, 0};
};

const Calls kOpenSequence = {"Open COM1", "GetConfig", "SetTimeouts 0/0/1000/0/0", "SetConfig",
                             "SetQueueSizes 1200/1200"};

TEST_F(SerialPortTest, OpenComSetsItsMembersAndKeepsEveryOther) {
  // 57600 does not fit a signed 16-bit field: it must be widened without sign. Only the low
  // byte of data bits, stop bits and parity counts.
  const CommSettings settings = {57600, 0x0108, 0x0100, 0x0203};
  comm::Handle handle = comm::kNoHandle;
  ASSERT_EQ(serial::OpenCom("COM1", settings, 0x0101, &handle), serial::kDone);
  EXPECT_EQ(fake().calls(), kOpenSequence);

  comm::PortConfig expected = FakeComm::DeviceDefaults();  // kept unless set below
  expected.baud_rate = 57600;
  expected.binary = true;
  expected.parity_check = true;
  expected.out_cts_flow = false;
  expected.out_dsr_flow = false;
  expected.dtr_control = DtrControl::kEnable;
  expected.dsr_sensitivity = false;
  expected.out_x = false;
  expected.in_x = false;
  expected.error_char_enabled = false;
  expected.null_discard = false;
  expected.rts_control = RtsControl::kDisable;
  expected.abort_on_error = false;
  expected.byte_size = 8;
  expected.stop_bits = 0;
  expected.parity = 3;
  expected.error_char = static_cast<char>(0xFC);
  EXPECT_EQ(fake().config(handle), expected);
  EXPECT_EQ(fake().timeouts(handle), (comm::PortTimeouts{0, 0, 1000, 0, 0}));
}

struct LinesCase {
  serial::ControlLines lines;
  DtrControl dtr;
  RtsControl rts;
};

TEST_F(SerialPortTest, ControlLinesTestedInOrder) {
  const LinesCase cases[] = {
      {0x0101, DtrControl::kEnable, RtsControl::kDisable},  // as ColdStart passes it
      {0x0100, DtrControl::kEnable, RtsControl::kDisable},
      {0x8001, DtrControl::kEnable, RtsControl::kDisable},  // enable bits before handshake
      {0x8000, DtrControl::kHandshake, RtsControl::kDisable},
      {0x0002, DtrControl::kDisable, RtsControl::kEnable},
      {0x1200, DtrControl::kDisable, RtsControl::kEnable},     // enable before handshake
      {0x3000, DtrControl::kDisable, RtsControl::kHandshake},  // handshake before toggle
      {0x2000, DtrControl::kDisable, RtsControl::kToggle},
      {0x0000, DtrControl::kDisable, RtsControl::kDisable},
      {0x4CFC, DtrControl::kDisable, RtsControl::kDisable},  // other bits ignored
  };
  for (const LinesCase& c : cases) {
    SCOPED_TRACE(c.lines);
    fake().Reset();
    fake().AddDevice("COM1");
    comm::Handle handle = comm::kNoHandle;
    ASSERT_EQ(serial::OpenCom("COM1", kSettings, c.lines, &handle), serial::kDone);
    EXPECT_EQ(fake().config(handle).dtr_control, c.dtr);
    EXPECT_EQ(fake().config(handle).rts_control, c.rts);
  }
}

TEST_F(SerialPortTest, NullDeviceIsUsedUnconfiguredOnlyByItsExactName) {
  fake().AddDevice("NUL");
  fake().AddDevice("nul");
  comm::Handle handle = comm::kNoHandle;
  EXPECT_EQ(serial::OpenCom("NUL", kSettings, 0x0101, &handle), serial::kDone);
  EXPECT_EQ(fake().calls(), (Calls{"Open NUL"}));
  EXPECT_TRUE(fake().IsOpen(handle));

  // In lower case it is an ordinary name; a device with no configuration is closed again.
  fake().ClearCalls();
  fake().FailNext(Op::kGetConfig);
  comm::Handle lower = comm::kNoHandle;
  EXPECT_EQ(serial::OpenCom("nul", kSettings, 0x0101, &lower), serial::kConfigUnreadable);
  EXPECT_EQ(fake().calls(), (Calls{"Open nul", "GetConfig", "Close"}));
  EXPECT_FALSE(fake().IsOpen(lower));
}

struct OpenFailure {
  const char* name;
  Op failing;
  serial::Result result;
  Calls calls;
};

TEST_F(SerialPortTest, EveryFailureAfterTheOpenClosesTheDeviceAgain) {
  const OpenFailure cases[] = {
      {"open", Op::kOpen, serial::kOpenFailed, {"Open COM1"}},
      {"read configuration",
       Op::kGetConfig,
       serial::kConfigUnreadable,
       {"Open COM1", "GetConfig", "Close"}},
      {"set time-outs",
       Op::kSetTimeouts,
       serial::kOpenFailed,
       {"Open COM1", "GetConfig", "SetTimeouts 0/0/1000/0/0", "Close"}},
      {"set configuration",
       Op::kSetConfig,
       serial::kConfigRefused,
       {"Open COM1", "GetConfig", "SetTimeouts 0/0/1000/0/0", "SetConfig", "Close"}},
      {"queue sizes, not looked at", Op::kSetQueueSizes, serial::kDone, kOpenSequence},
  };
  for (const OpenFailure& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    fake().FailNext(c.failing);
    comm::Handle handle = comm::kNoHandle;
    EXPECT_EQ(serial::OpenCom("COM1", kSettings, 0x0101, &handle), c.result);
    EXPECT_EQ(fake().calls(), c.calls);
    // Only the open itself remains after a success; after a failure nothing is held.
    comm::Handle again = comm::kNoHandle;
    EXPECT_EQ(comm::Open("COM1", &again), c.result != serial::kDone);
  }
}

TEST_F(SerialPortTest, SecondOpenOfTheSamePortFails) {
  OpenPort();
  comm::Handle second = comm::kNoHandle;
  EXPECT_EQ(serial::OpenCom("COM1", kSettings, 0x0101, &second), serial::kOpenFailed);
}

TEST_F(SerialPortTest, SetReadTimeoutWritesOnlyAChangeAndReturnsThePrevious) {
  const comm::Handle handle = OpenPort();
  EXPECT_EQ(serial::SetReadTimeout(handle, 100), 100);  // the open's 1000 ms: unchanged
  EXPECT_EQ(fake().calls(), (Calls{"GetTimeouts"}));

  fake().ClearCalls();
  EXPECT_EQ(serial::SetReadTimeout(handle, 4), 100);
  EXPECT_EQ(fake().calls(), (Calls{"GetTimeouts", "SetTimeouts 0/0/40/0/0"}));

  SetReadConstant(handle, 1009);  // divided by 10, rounded toward zero
  EXPECT_EQ(serial::SetReadTimeout(handle, 3), 100);

  SetReadConstant(handle, 0);
  EXPECT_EQ(serial::SetReadTimeout(handle, 429496730), 0);  // x10 wraps in 32 bits
  EXPECT_EQ(fake().timeouts(handle).read_total_constant, 4u);
}

TEST_F(SerialPortTest, SetReadTimeoutGivesZeroOnFailure) {
  const comm::Handle handle = OpenPort();
  fake().FailNext(Op::kGetTimeouts);
  EXPECT_EQ(serial::SetReadTimeout(handle, 4), 0);
  EXPECT_EQ(fake().calls(), (Calls{"GetTimeouts"}));
  fake().FailNext(Op::kSetTimeouts);
  EXPECT_EQ(serial::SetReadTimeout(handle, 4), 0);
  EXPECT_EQ(fake().timeouts(handle).read_total_constant, 1000u);
}

TEST_F(SerialPortTest, PurgeInputOnAnEmptyQueueOnlyAsks) {
  const comm::Handle handle = OpenPort();
  EXPECT_EQ(serial::PurgeInput(handle), serial::kDone);
  EXPECT_EQ(fake().calls(), (Calls{"ClearErrors"}));
}

TEST_F(SerialPortTest, PurgeInputDrainsIn512ByteReadsUnder50Ms) {
  const comm::Handle handle = OpenPort();
  fake().Arrive(std::string(700, 'x'));
  const int64_t before = fake().now();
  EXPECT_EQ(serial::PurgeInput(handle), serial::kDone);
  EXPECT_EQ(fake().calls(),
            (Calls{"ClearErrors", "GetTimeouts", "SetTimeouts 0/0/50/0/0", "Read 512", "Read 512",
                   "GetTimeouts", "SetTimeouts 0/0/1000/0/0"}));
  EXPECT_EQ(fake().PendingInput(), 0u);
  EXPECT_EQ(fake().now() - before, 50);  // the last, short read waits out the 50 ms
}

TEST_F(SerialPortTest, PurgeInputDoesNotRestoreAPreviousTimeoutOfZero) {
  const comm::Handle handle = OpenPort();
  SetReadConstant(handle, 0);
  fake().Arrive("abc");
  EXPECT_EQ(serial::PurgeInput(handle), serial::kDone);
  EXPECT_EQ(fake().calls(),
            (Calls{"ClearErrors", "GetTimeouts", "SetTimeouts 0/0/50/0/0", "Read 512"}));
  EXPECT_EQ(fake().timeouts(handle).read_total_constant, 50u);
}

TEST_F(SerialPortTest, PurgeInputResultComesFromTheLastCallMade) {
  const comm::Handle handle = OpenPort();
  // A failed query drains all the same; the read that follows decides.
  fake().FailNext(Op::kClearErrors);
  EXPECT_EQ(serial::PurgeInput(handle), serial::kDone);
  EXPECT_EQ(fake().calls(), (Calls{"ClearErrors", "GetTimeouts", "SetTimeouts 0/0/50/0/0",
                                   "Read 512", "GetTimeouts", "SetTimeouts 0/0/1000/0/0"}));

  fake().Arrive("abc");
  fake().FailNext(Op::kRead);
  EXPECT_EQ(serial::PurgeInput(handle), serial::kOpenFailed);
}

TEST_F(SerialPortTest, WriteAllReportsShortAndFailedWrites) {
  const comm::Handle handle = OpenPort();
  uint32_t written = 99;
  EXPECT_EQ(serial::WriteAll(handle, "R07T\r", 5, &written), serial::kDone);
  EXPECT_EQ(written, 5u);

  fake().LimitNextWrite(3);
  EXPECT_EQ(serial::WriteAll(handle, "R07T\r", 5, &written), serial::kShortWrite);
  EXPECT_EQ(written, 3u);

  written = 99;
  fake().FailNext(Op::kWrite);
  EXPECT_EQ(serial::WriteAll(handle, "R07T\r", 5, &written), serial::kTransferFailed);
  EXPECT_EQ(written, 99u);  // not touched
  EXPECT_EQ(serial::WriteAll(handle, "R07T\r", 5, nullptr), serial::kDone);
}

struct ReadCase {
  const char* name;
  uint16_t count;
  std::vector<std::pair<std::string, int64_t>> arrivals;  // bytes and when they come
  bool read_fails;
  serial::Result result;
  uint32_t total;
  int64_t elapsed;  // on the fake clock
  Calls calls;
};

TEST_F(SerialPortTest, ReadAllTable) {
  // With the open's 1000 ms read total time-out.
  const ReadCase cases[] = {
      {"count 0 still reads once", 0, {}, false, serial::kTransferFailed, 0, 0, {"Read 0"}},
      {"nothing comes", 1, {}, false, serial::kTransferFailed, 0, 1000, {"Read 1"}},
      {"one byte", 1, {{"*", 10}}, false, serial::kDone, 1, 10, {"Read 1"}},
      {"3 of 5 after two time-outs",
       5,
       {{"abc", 0}},
       false,
       serial::kTransferFailed,
       3,
       2000,
       {"Read 5", "Read 2"}},
      {"5 in two parts",
       5,
       {{"abc", 0}, {"de", 1500}},
       false,
       serial::kDone,
       5,
       1500,
       {"Read 5", "Read 2"}},
      {"read fails", 1, {{"*", 0}}, true, serial::kTransferFailed, 0, 0, {"Read 1"}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    const comm::Handle handle = OpenPort();
    for (const auto& [bytes, at] : c.arrivals) fake().Arrive(bytes, at);
    if (c.read_fails) fake().FailNext(Op::kRead);
    char buffer[8] = {};
    uint32_t total = 99;
    const int64_t before = fake().now();
    EXPECT_EQ(serial::ReadAll(handle, buffer, c.count, &total), c.result);
    EXPECT_EQ(total, c.total);
    EXPECT_EQ(fake().now() - before, c.elapsed);
    EXPECT_EQ(fake().calls(), c.calls);
  }
}

TEST_F(SerialPortTest, ReadAllPlacesEachPartAfterTheLast) {
  const comm::Handle handle = OpenPort();
  fake().Arrive("*07", 0);
  fake().Arrive("T0\r", 200);
  char buffer[7] = {};
  EXPECT_EQ(serial::ReadAll(handle, buffer, 6, nullptr), serial::kDone);
  EXPECT_EQ(std::string(buffer, 6), "*07T0\r");
}

TEST_F(SerialPortTest, CloseBreakAndDelay) {
  const comm::Handle handle = OpenPort();
  fake().FailNext(Op::kSetBreak);  // not looked at
  EXPECT_EQ(serial::SendBreak(250, handle), serial::kDone);
  EXPECT_EQ(serial::Delay(20), serial::kDone);
  EXPECT_EQ(fake().calls(), (Calls{"SetBreak", "Sleep 250", "ClearBreak", "Sleep 20"}));

  fake().FailNext(Op::kClose);
  EXPECT_EQ(serial::ClosePort(handle), serial::kTransferFailed);
  EXPECT_EQ(serial::ClosePort(handle), serial::kDone);
  EXPECT_FALSE(fake().IsOpen(handle));
}

}  // namespace
}  // namespace tavrik::test
