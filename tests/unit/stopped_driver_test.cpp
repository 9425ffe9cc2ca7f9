// A stopped driver: every call returns 0 and does nothing. The flag is process-wide and nothing
// clears it, so these tests run in a program of their own.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "driver_entry.h"
#include "host/stopped_flag.h"
#include "log_capture.h"

namespace tavrik::test {
namespace {

class StoppedDriverTest : public ::testing::TestWithParam<uint32_t> {
 protected:
  static void SetUpTestSuite() { SetStopped(); }
};

TEST_P(StoppedDriverTest, ReturnsZeroWithoutLoggingOrWriting) {
  LogCapture log;
  std::array<unsigned char, 64> params;
  params.fill(0xA5);
  OrvRequest request{};
  request.code = GetParam();
  request.params = params.data();

  EXPECT_EQ(CallDriver(request), ORV_DONE);
  EXPECT_TRUE(log.lines().empty());
  for (unsigned char byte : params) ASSERT_EQ(byte, 0xA5);
}

// Codes out of range and empty slots too: the flag is tested before the code.
INSTANTIATE_TEST_SUITE_P(EveryKindOfCode, StoppedDriverTest,
                         ::testing::Values(0u, ORV_COLD_START, ORV_BLOCK_ADDRESS_PARSER,
                                           ORV_SINGLE_READ, 8u, ORV_GET_ORV_INFO, 16u, 17u,
                                           0xFFFFFFFFu));

TEST_F(StoppedDriverTest, MissingRequestAlsoReturnsZero) {
  LogCapture log;
  EXPECT_EQ(DriverEntry()(nullptr), ORV_DONE);
  EXPECT_TRUE(log.lines().empty());
}

}  // namespace
}  // namespace tavrik::test
