// GetOrvInfo: every field of the description, the banner byte for byte, and its log line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "driver_entry.h"
#include "log_capture.h"

namespace tavrik::test {
namespace {

// The banner as a host shows it: a title in a double-line frame, in code page 437.
std::string ExpectedBanner() {
  const std::string title =
      " TAVRIK: FGH controllers (450, 1000, 2000, 3000, RTA and ICU series)   ";
  const std::string rule(71, '\xCD');
  return "\x08\xC9" + rule + "\xBB\n\xBA" + title + "\xBA\n\xC8" + rule + "\xBC";
}

OrvInfo Scribbled() {
  OrvInfo info;
  std::memset(&info, 0xA5, sizeof info);
  return info;
}

int32_t GetInfo(OrvInfo& info, void* instance) {
  OrvRequest request{};
  request.instance = instance;
  request.code = ORV_GET_ORV_INFO;
  request.params = &info;
  return CallDriver(request);
}

TEST(GetOrvInfo, FillsEveryFieldAndLogsItsTraceLine) {
  LogCapture log;
  OrvInfo info = Scribbled();
  ASSERT_EQ(GetInfo(info, nullptr), ORV_DONE);

  EXPECT_EQ(info.kind, 70);
  ASSERT_NE(info.short_name, nullptr);
  EXPECT_STREQ(info.short_name, "FGH Controllers");
  EXPECT_EQ(info.instance_block_size, 294u);
  EXPECT_EQ(info.reply_timeout, 4);
  EXPECT_EQ(info.settings.baud_rate, 9600);
  EXPECT_EQ(info.settings.data_bits, 8);
  EXPECT_EQ(info.settings.stop_bits, 0);
  EXPECT_EQ(info.settings.parity, 0);
  EXPECT_EQ(info.reserved, 0u);
  EXPECT_EQ(log.lines(), (std::vector<LogLine>{{ORV_LOG_TRACE, "TAVRIK> GetOrvInfo() exited"}}));
}

TEST(GetOrvInfo, BannerIsTheFramedTitleInCodePage437) {
  OrvInfo info = Scribbled();
  ASSERT_EQ(GetInfo(info, nullptr), ORV_DONE);
  ASSERT_NE(info.banner, nullptr);
  const std::string banner(info.banner);  // up to its terminating NUL
  ASSERT_EQ(banner.size(), 222u);
  EXPECT_EQ(banner, ExpectedBanner());
  EXPECT_EQ(banner.find('\n'), 74u);
  EXPECT_EQ(banner.rfind('\n'), 74u + 1 + 73);
}

TEST(GetOrvInfo, SecondCallWritesTheSameValuesWithAnyInstanceField) {
  OrvInfo first = Scribbled();
  OrvInfo second = Scribbled();
  ASSERT_EQ(GetInfo(first, nullptr), ORV_DONE);
  ASSERT_EQ(GetInfo(second, reinterpret_cast<void*>(uintptr_t{0xDEADBEE0})), ORV_DONE);
  EXPECT_EQ(std::memcmp(&first, &second, sizeof first), 0);
}

}  // namespace
}  // namespace tavrik::test
