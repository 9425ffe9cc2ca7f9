// The serial library over the POSIX comm seam, on real pseudo-terminals.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "open_descriptors.h"
#include "pseudo_terminal.h"
#include "serial/platform/posix_device_path.h"
#include "serial/serial_port.h"

namespace tavrik::test {
namespace {

constexpr CommSettings k9600 = {9600, 8, 0, 0};
constexpr serial::ControlLines kColdStartLines = 0x0101;

using Clock = std::chrono::steady_clock;

int64_t MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class SerialPosixTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (handle_ != comm::kNoHandle) serial::ClosePort(handle_);
  }
  serial::Result Open(const std::string& name, const CommSettings& settings = k9600) {
    return serial::OpenCom(name.c_str(), settings, kColdStartLines, &handle_);
  }
  // Reads one byte as the driver does.
  serial::Result ReadByte(char* byte) { return serial::ReadAll(handle_, byte, 1, nullptr); }

  PseudoTerminal line_;
  comm::Handle handle_ = comm::kNoHandle;
};

TEST_F(SerialPosixTest, OpensAndConfiguresAPseudoTerminalForRawBytes) {
  ASSERT_EQ(Open(line_.device()), serial::kDone);
  comm::PortConfig config{};
  ASSERT_TRUE(comm::GetConfig(handle_, &config));
  EXPECT_EQ(config.baud_rate, 9600u);
  EXPECT_EQ(config.byte_size, 8);
  EXPECT_EQ(config.parity, 0);
  EXPECT_EQ(config.stop_bits, 0);
  EXPECT_TRUE(config.parity_check);

  // A request goes out and a reply comes back byte for byte: no CR/LF translation, no echo.
  uint32_t written = 0;
  ASSERT_EQ(serial::WriteAll(handle_, "R07T\r", 5, &written), serial::kDone);
  EXPECT_EQ(line_.Receive(5), "R07T\r");
  line_.Send("*07T0123\r");
  std::string reply;
  for (char byte = 0; reply.size() < 9 && ReadByte(&byte) == serial::kDone;) reply += byte;
  EXPECT_EQ(reply, "*07T0123\r");
  EXPECT_EQ(line_.Receive(1, 100), "");  // nothing echoed back
}

TEST_F(SerialPosixTest, NameUnderDevAndTheOpenTimeout) {
  ASSERT_EQ(Open(line_.device().substr(std::strlen("/dev/"))), serial::kDone);  // "pts/N"
  EXPECT_EQ(serial::SetReadTimeout(handle_, 100), 100);  // the open set 1000 ms
}

TEST_F(SerialPosixTest, SecondOpenOfTheSameDeviceFails) {
  ASSERT_EQ(Open(line_.device()), serial::kDone);
  comm::Handle second = comm::kNoHandle;
  EXPECT_EQ(serial::OpenCom(line_.device().c_str(), k9600, kColdStartLines, &second),
            serial::kOpenFailed);
  // Once closed, it opens again.
  ASSERT_EQ(serial::ClosePort(handle_), serial::kDone);
  handle_ = comm::kNoHandle;
  EXPECT_EQ(Open(line_.device()), serial::kDone);
}

TEST_F(SerialPosixTest, ReadWaitsTheTimeoutFromTheCallThenGivesUp) {
  ASSERT_EQ(Open(line_.device()), serial::kDone);
  serial::SetReadTimeout(handle_, 15);  // 150 ms
  char byte = 0;
  const auto start = Clock::now();
  EXPECT_EQ(ReadByte(&byte), serial::kTransferFailed);
  const int64_t waited = MillisecondsSince(start);
  EXPECT_GE(waited, 140);
  EXPECT_LT(waited, 2000);  // bounded, with room for a loaded machine
}

TEST_F(SerialPosixTest, PurgeDrainsPendingInput) {
  ASSERT_EQ(Open(line_.device()), serial::kDone);
  line_.Send(std::string(700, 'x'));
  comm::PortStatus status{};
  for (int tries = 0; tries < 200 && status.input_queue < 700; ++tries) {
    ASSERT_TRUE(comm::ClearErrors(handle_, &status));
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_EQ(status.input_queue, 700u);

  EXPECT_EQ(serial::PurgeInput(handle_), serial::kDone);
  ASSERT_TRUE(comm::ClearErrors(handle_, &status));
  EXPECT_EQ(status.input_queue, 0u);
  EXPECT_EQ(serial::SetReadTimeout(handle_, 100), 100);  // the open's time-out restored
}

TEST_F(SerialPosixTest, FarEndHangingUpMidReadFailsTheReadAtOnce) {
  ASSERT_EQ(Open(line_.device()), serial::kDone);
  serial::SetReadTimeout(handle_, 500);  // 5 s: the hang-up must end the read long before
  line_.Send("*07");
  std::thread hang_up([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    line_.Close();
  });
  char reply[9] = {};
  uint32_t got = 0;
  const auto start = Clock::now();
  EXPECT_EQ(serial::ReadAll(handle_, reply, 9, &got), serial::kTransferFailed);
  hang_up.join();
  EXPECT_EQ(got, 3u);
  EXPECT_LT(MillisecondsSince(start), 4000);
}

TEST_F(SerialPosixTest, NullDeviceInAnyCase) {
  // NUL is used unconfigured; nul is the same device but goes on to be configured, which the
  // null device cannot be, and is closed again.
  const int before = OpenDescriptors();
  comm::Handle lower = comm::kNoHandle;
  EXPECT_EQ(serial::OpenCom("nul", k9600, kColdStartLines, &lower), serial::kConfigUnreadable);
  EXPECT_EQ(OpenDescriptors(), before);

  ASSERT_EQ(Open("NUL"), serial::kDone);
  EXPECT_NE(handle_, comm::kNoHandle);
  uint32_t written = 0;
  EXPECT_EQ(serial::WriteAll(handle_, "R07T\r", 5, &written), serial::kDone);
}

TEST_F(SerialPosixTest, ConfigurationsTheDeviceCannotTakeAreRefused) {
  struct Case {
    const char* name;
    CommSettings settings;
    serial::Result result;
  };
  const Case cases[] = {
      {"2 stop bits", {57600, 8, 2, 0}, serial::kDone},
      {"300 baud", {300, 8, 0, 0}, serial::kDone},
      // A pseudo-terminal has no UART: Linux keeps it at 8 data bits without parity, so these
      // are frames it cannot take, as a real port without mark parity could not.
      {"7 data bits, even parity", {9600, 7, 0, 2}, serial::kConfigRefused},
      {"mark parity", {9600, 8, 0, 3}, serial::kConfigRefused},
      // Settings no serial port takes.
      {"no such baud rate", {12345, 8, 0, 0}, serial::kConfigRefused},
      {"9 data bits", {9600, 9, 0, 0}, serial::kConfigRefused},
      {"1.5 stop bits with 8 data bits", {9600, 8, 1, 0}, serial::kConfigRefused},
      {"2 stop bits with 5 data bits", {9600, 5, 2, 0}, serial::kConfigRefused},
      {"parity code 5", {9600, 8, 0, 5}, serial::kConfigRefused},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    comm::Handle handle = comm::kNoHandle;
    const int before = OpenDescriptors();
    ASSERT_EQ(serial::OpenCom(line_.device().c_str(), c.settings, kColdStartLines, &handle),
              c.result);
    if (c.result == serial::kDone) {
      comm::PortConfig config{};
      ASSERT_TRUE(comm::GetConfig(handle, &config));
      EXPECT_EQ(config.baud_rate, c.settings.baud_rate);
      EXPECT_EQ(config.byte_size, c.settings.data_bits);
      EXPECT_EQ(config.stop_bits, c.settings.stop_bits);
      EXPECT_EQ(config.parity, c.settings.parity);
      EXPECT_EQ(serial::ClosePort(handle), serial::kDone);
    }
    EXPECT_EQ(OpenDescriptors(), before);  // a refused configuration leaves nothing open
  }
}

TEST_F(SerialPosixTest, PseudoTerminalHasNoModemLinesAndSaysSo) {
  ASSERT_EQ(Open(line_.device()), serial::kDone);
  EXPECT_FALSE(comm::ChangeLine(handle_, comm::LineChange::kSetRts));
  EXPECT_FALSE(comm::ChangeLine(handle_, comm::LineChange::kClearRts));
}

TEST_F(SerialPosixTest, NeverHandsOutDescriptorZero) {
  const int saved_input = dup(0);
  close(0);  // the next descriptor the system gives out is 0
  const serial::Result result = Open(line_.device());
  dup2(saved_input, 0);
  close(saved_input);
  ASSERT_EQ(result, serial::kDone);
  EXPECT_NE(handle_, comm::kNoHandle);
  uint32_t written = 0;
  EXPECT_EQ(serial::WriteAll(handle_, "S05G\r", 5, &written), serial::kDone);
  EXPECT_EQ(line_.Receive(5), "S05G\r");
}

TEST(PosixDevicePath, PortNamesToDevices) {
  const std::pair<const char*, const char*> cases[] = {
      {"NUL", "/dev/null"},        {"nul", "/dev/null"},         {"Nul", "/dev/null"},
      {"COM1", "/dev/ttyS0"},      {"com10", "/dev/ttyS9"},      {"COM0", "/dev/COM0"},
      {"COM1X", "/dev/COM1X"},     {"/dev/pts/3", "/dev/pts/3"}, {"./line0", "./line0"},
      {"ttyUSB0", "/dev/ttyUSB0"}, {"pts/3", "/dev/pts/3"},
  };
  for (const auto& [name, expected] : cases) {
    char path[comm::kDevicePathSize];
    ASSERT_TRUE(comm::DevicePath(name, path)) << name;
    EXPECT_STREQ(path, expected) << name;
  }
  char path[comm::kDevicePathSize];
  EXPECT_FALSE(comm::DevicePath(std::string(comm::kDevicePathSize, 'a').c_str(), path));
}

}  // namespace
}  // namespace tavrik::test
