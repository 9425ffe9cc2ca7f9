// The serial port library over the win32 comm seam, under Wine, through a COM port that the
// prefix maps to a Linux pseudo-terminal. pty_responder.py is the far end: it answers "R07T\r"
// with "*07T0123\r" and leaves every other request unanswered.
//
// What Wine 8 does with the comm calls on a pseudo-terminal, found by experiment:
//  - CreateFileA with share mode 0 does not keep a second open out: Wine enforces share modes on
//    files but not on devices (Windows refuses the second open of a COM port).
//  - SetCommState succeeds, but the pty keeps only the baud rate and the stop bits: Linux forces
//    8 data bits and no parity on a pty, and GetCommState reports what the pty holds (after odd,
//    mark or space parity, a Parity value that means nothing). It fails for RTS toggle
//    (ERROR_NOT_SUPPORTED), which Wine does not implement.
//  - EscapeCommFunction fails for every modem line change (ERROR_NOT_SUPPORTED): a pty has none.
//  - The time-out calls, SetupComm, ClearCommError (with its queue counts), ReadFile and
//    WriteFile under the time-outs, SetCommBreak, ClearCommBreak and CloseHandle work as on
//    Windows.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

#include "serial/serial_port.h"

namespace tavrik::test {
namespace {

using serial::Result;

constexpr const char* kPort = TAVRIK_WINE_TEST_PORT;
constexpr CommSettings k9600_8N1{.baud_rate = 9600, .data_bits = 8, .stop_bits = 0, .parity = 0};
constexpr serial::ControlLines kDtrOn = 0x0101;

constexpr const char* kRequest = "R07T\r";
constexpr const char* kReply = "*07T0123\r";
constexpr const char* kUnanswered = "R99T\r";

constexpr std::size_t kLongestReply = 64;

// Reads one byte at a time up to a carriage return, as the driver reads a reply.
Result ReadReply(comm::Handle port, std::string* reply) {
  while (reply->size() < kLongestReply) {
    char byte = 0;
    const Result result = serial::ReadAll(port, &byte, 1, nullptr);
    if (result != serial::kDone) return result;
    reply->push_back(byte);
    if (byte == '\r') break;
  }
  return serial::kDone;
}

// Waits until the port has at least count bytes waiting, for a few seconds at most.
bool WaitForInput(comm::Handle port, uint32_t count) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  comm::PortStatus status{};
  while (comm::ClearErrors(port, &status) && status.input_queue < count) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    comm::Sleep(10);
  }
  return status.input_queue >= count;
}

class SerialPortOverWine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(serial::OpenCom(kPort, k9600_8N1, kDtrOn, &port_), serial::kDone);
    opened_ = true;
    EXPECT_NE(port_, comm::kNoHandle);
  }
  void TearDown() override {
    if (opened_) {
      EXPECT_EQ(serial::ClosePort(port_), serial::kDone);
    }
  }

  void Send(const char* request) {
    const auto length = static_cast<uint32_t>(std::strlen(request));
    uint32_t written = 0;
    EXPECT_EQ(serial::WriteAll(port_, request, length, &written), serial::kDone);
    EXPECT_EQ(written, length);
  }

  comm::Handle port_ = comm::kNoHandle;
  bool opened_ = false;
};

TEST_F(SerialPortOverWine, RequestIsAnsweredAndTheReplyReadByteByByte) {
  Send(kRequest);
  std::string reply;
  EXPECT_EQ(ReadReply(port_, &reply), serial::kDone);
  EXPECT_EQ(reply, kReply);
}

TEST_F(SerialPortOverWine, ReadWithNothingComingEndsAfterTheReadTimeout) {
  Send(kUnanswered);
  char byte = 0;
  uint32_t read = 1;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(serial::ReadAll(port_, &byte, 1, &read), serial::kTransferFailed);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(read, 0u);
  // OpenCom sets a read total time-out of one second; Wine's timer may end it a little early.
  EXPECT_GE(waited, std::chrono::milliseconds(800));
  EXPECT_LT(waited, std::chrono::seconds(10));
}

TEST_F(SerialPortOverWine, SetReadTimeoutReturnsThePreviousTimeout) {
  EXPECT_EQ(serial::SetReadTimeout(port_, 100), 100);  // OpenCom's one second
  EXPECT_EQ(serial::SetReadTimeout(port_, 25), 100);
  EXPECT_EQ(serial::SetReadTimeout(port_, 100), 25);
  comm::PortTimeouts timeouts{};
  ASSERT_TRUE(comm::GetTimeouts(port_, &timeouts));
  EXPECT_EQ(timeouts, (comm::PortTimeouts{0, 0, 1000, 0, 0}));
}

TEST_F(SerialPortOverWine, PurgeInputDiscardsAReplyLeftUnread) {
  EXPECT_EQ(serial::PurgeInput(port_), serial::kDone);  // nothing waiting

  Send(kRequest);
  ASSERT_TRUE(WaitForInput(port_, static_cast<uint32_t>(std::strlen(kReply))));
  EXPECT_EQ(serial::PurgeInput(port_), serial::kDone);
  comm::PortStatus status{};
  ASSERT_TRUE(comm::ClearErrors(port_, &status));
  EXPECT_EQ(status.input_queue, 0u);
  EXPECT_EQ(serial::SetReadTimeout(port_, 100), 100);  // the drain's time-out was undone

  Send(kRequest);  // the next reply comes without the discarded one before it
  std::string reply;
  EXPECT_EQ(ReadReply(port_, &reply), serial::kDone);
  EXPECT_EQ(reply, kReply);
}

// Windows refuses a second open of a port that is open (OpenCom: kOpenFailed); Wine 8 enforces
// share mode 0 only on files, so on its ports the second open succeeds.
TEST_F(SerialPortOverWine, SecondOpenOfTheOpenPortIsNotRefusedUnderWine) {
  comm::Handle second = comm::kNoHandle;
  ASSERT_EQ(serial::OpenCom(kPort, k9600_8N1, kDtrOn, &second), serial::kDone);
  EXPECT_NE(second, port_);
  EXPECT_EQ(serial::ClosePort(second), serial::kDone);
}

TEST_F(SerialPortOverWine, ModemLinesCannotChangeOnAPseudoTerminal) {
  for (const comm::LineChange change : {comm::LineChange::kSetRts, comm::LineChange::kClearRts,
                                        comm::LineChange::kSetDtr, comm::LineChange::kClearDtr}) {
    EXPECT_FALSE(comm::ChangeLine(port_, change)) << static_cast<int>(change);
  }
}

TEST(SerialPortOverWinePty, OpenComConfiguresWhatThePseudoTerminalKeeps) {
  struct Case {
    const char* what;
    CommSettings settings;
    serial::ControlLines lines;
    Result result;
  };
  const Case cases[] = {
      {"9600 8N1, DTR on", k9600_8N1, 0x0101, serial::kDone},
      {"19200 8N2, DTR handshake",
       {.baud_rate = 19200, .data_bits = 8, .stop_bits = 2, .parity = 0},
       0x8000,
       serial::kDone},
      {"1200 8N1, RTS handshake",
       {.baud_rate = 1200, .data_bits = 8, .stop_bits = 0, .parity = 0},
       0x1000,
       serial::kDone},
      {"RTS toggle, which Wine refuses", k9600_8N1, 0x2000, serial::kConfigRefused},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    comm::Handle port = comm::kNoHandle;
    ASSERT_EQ(serial::OpenCom(kPort, c.settings, c.lines, &port), c.result);
    if (c.result != serial::kDone) continue;
    comm::PortConfig config{};
    EXPECT_TRUE(comm::GetConfig(port, &config));
    EXPECT_EQ(config.baud_rate, c.settings.baud_rate);
    EXPECT_EQ(config.byte_size, c.settings.data_bits);
    EXPECT_EQ(config.parity, c.settings.parity);
    EXPECT_EQ(config.stop_bits, c.settings.stop_bits);
    EXPECT_TRUE(config.binary);
    EXPECT_EQ(serial::ClosePort(port), serial::kDone);
  }
}

TEST(SerialPortOverWinePty, ClosingAClosedPortFails) {
  comm::Handle port = comm::kNoHandle;
  ASSERT_EQ(serial::OpenCom(kPort, k9600_8N1, kDtrOn, &port), serial::kDone);
  EXPECT_EQ(serial::ClosePort(port), serial::kDone);
  EXPECT_EQ(serial::ClosePort(port), serial::kTransferFailed);
}

}  // namespace
}  // namespace tavrik::test
