// An instance's life through the real TAVRIK32.dll under Wine, on a COM port that the prefix maps
// to a pseudo-terminal (pty_responder.py answers R07T on the far end). One scenario in order:
// EndOrv at its end stops the DLL for the rest of the process.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "driver_session.h"
#include "log_capture.h"
#include "packed.h"
#include "temp_directory.h"

namespace tavrik::test {
namespace {

constexpr const char* kPort = TAVRIK_WINE_TEST_PORT;

// The handle the driver keeps is a real Windows handle of this process: a request sent on it
// gets the far end's reply.
std::string Exchange(uint32_t handle, const std::string& request) {
  const HANDLE port = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(handle));
  DWORD moved = 0;
  if (!WriteFile(port, request.data(), static_cast<DWORD>(request.size()), &moved, nullptr))
    return "(write failed)";
  std::string reply;
  char byte = 0;
  while (reply.size() < 16 && ReadFile(port, &byte, 1, &moved, nullptr) && moved == 1) {
    reply += byte;
    if (byte == '\r') break;
  }
  return reply;
}

class InstanceOverWine : public ::testing::Test, protected DriverSession {
 protected:
  bool HasLine(const std::string& text) const {
    for (const LogLine& line : log_.lines())
      if (line.text == "TAVRIK> " + text) return true;
    return false;
  }

  CurrentTempDirectory directory_;
  LogCapture log_;
};

TEST_F(InstanceOverWine, ColdStartCloseComReOpenComAndEndOrv) {
  directory_.Write("TAVRIK01.INT", "# site settings\r\nIFG = 25\r\n");

  ASSERT_EQ(ColdStart(kPort, 1, 50), ORV_DONE);  // a reply time-out of 500 ms
  const uint32_t handle = Value(block_.port_handle);
  ASSERT_NE(handle, 0u);
  EXPECT_EQ(Value(block_.inter_frame_gap), 25u);  // the file in the current directory
  EXPECT_TRUE(HasLine("ReadIntFile() illegal line 1 in 'TAVRIK01.INT'"));
  EXPECT_TRUE(HasLine("ColdStart() port " + std::string(kPort) + " opened, file handle " +
                      std::to_string(handle)));
  COMMTIMEOUTS timeouts{};
  ASSERT_TRUE(GetCommTimeouts(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(handle)), &timeouts));
  EXPECT_EQ(timeouts.ReadTotalTimeoutConstant, 500u);
  EXPECT_EQ(Exchange(handle, "R07T\r"), "*07T0123\r");

  EXPECT_EQ(Call(ORV_CLOSE_COM), ORV_DONE);
  EXPECT_EQ(Value(block_.port_handle), 0u);

  ASSERT_EQ(Call(ORV_RE_OPEN_COM), ORV_DONE);
  const uint32_t reopened = Value(block_.port_handle);
  ASSERT_NE(reopened, 0u);
  EXPECT_EQ(Exchange(reopened, "R07T\r"), "*07T0123\r");

  log_.Clear();
  EXPECT_EQ(Call(ORV_END_ORV), ORV_DONE);
  EXPECT_EQ(log_.lines(), (std::vector<LogLine>{{ORV_LOG_TRACE, "TAVRIK> CloseCom() exited 0"},
                                                {ORV_LOG_TRACE, "TAVRIK> EndOrv() exited, 0"}}));
  EXPECT_EQ(Value(block_.port_handle), 0u);

  // Stopped: nothing runs any more, ColdStart included.
  log_.Clear();
  OrvInfo info{};
  EXPECT_EQ(Call(ORV_GET_ORV_INFO, &info), ORV_DONE);
  EXPECT_EQ(info.instance_block_size, 0u);
  EXPECT_EQ(ColdStart(kPort, 1, 50), ORV_DONE);
  EXPECT_EQ(Value(block_.port_handle), 0u);
  EXPECT_TRUE(log_.lines().empty());
}

}  // namespace
}  // namespace tavrik::test
