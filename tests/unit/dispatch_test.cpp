// The dispatcher: refusals of codes it cannot dispatch, and the block operations.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "driver_entry.h"
#include "log_capture.h"

namespace tavrik::test {
namespace {

// A parameter record filled with a pattern, to show that a call left it alone.
struct Untouched {
  std::array<unsigned char, 64> bytes;
  Untouched() { bytes.fill(0xA5); }
  bool Intact() const {
    for (unsigned char byte : bytes)
      if (byte != 0xA5) return false;
    return true;
  }
};

OrvRequest RequestFor(uint32_t code, void* params) {
  OrvRequest request{};
  request.instance = reinterpret_cast<void*>(uintptr_t{0x10});  // never a real block here
  request.code = code;
  request.params = params;
  return request;
}

struct RefusedCode {
  uint32_t code;
  const char* line;
};

void PrintTo(const RefusedCode& refused, std::ostream* out) {
  *out << "code " << refused.code;
}

class RefusedCodeTest : public ::testing::TestWithParam<RefusedCode> {};

TEST_P(RefusedCodeTest, ReturnsTwoWithItsLine) {
  LogCapture log;
  Untouched params;
  EXPECT_EQ(CallDriver(RequestFor(GetParam().code, &params)), ORV_FAILED);
  EXPECT_EQ(log.lines(), (std::vector<LogLine>{{ORV_LOG_ERROR, GetParam().line}}));
  EXPECT_TRUE(params.Intact());
}

constexpr const char* kOutOfRange = "TAVRIK> Exited OrvMain() #1";
constexpr const char* kEmptySlot = "TAVRIK> Exited OrvMain() #2";

INSTANTIATE_TEST_SUITE_P(
    Codes, RefusedCodeTest,
    ::testing::Values(RefusedCode{0, kOutOfRange}, RefusedCode{17, kOutOfRange},
                      RefusedCode{256 + 14, kOutOfRange}, RefusedCode{0x7FFFFFFF, kOutOfRange},
                      RefusedCode{0x80000000, kOutOfRange},  // negative
                      RefusedCode{0xFFFFFFFF, kOutOfRange},  // -1
                      RefusedCode{8, kEmptySlot}, RefusedCode{9, kEmptySlot},
                      RefusedCode{16, kEmptySlot}),
    [](const auto& test) { return "code_" + std::to_string(test.param.code); });

TEST(Dispatch, MissingRequestIsRefusedAsOutOfRange) {
  LogCapture log;
  EXPECT_EQ(DriverEntry()(nullptr), ORV_FAILED);
  EXPECT_EQ(log.lines(), (std::vector<LogLine>{{ORV_LOG_ERROR, kOutOfRange}}));
}

// Operations rely on their records; a request without them is refused before anything runs.
TEST(Dispatch, RequestsWithoutTheirRecordsAreRefused) {
  struct Missing {
    uint32_t code;
    bool has_instance;
    bool has_params;
    const char* line;
  };
  const Missing cases[] = {
      {ORV_COLD_START, false, true, "TAVRIK> Exited OrvMain() #3"},
      {ORV_COLD_START, true, false, "TAVRIK> Exited OrvMain() #4"},
      {ORV_WARM_START, false, true, "TAVRIK> Exited OrvMain() #3"},
      {ORV_END_ORV, false, true, "TAVRIK> Exited OrvMain() #3"},  // and does not stop
      {ORV_CLOSE_COM, false, true, "TAVRIK> Exited OrvMain() #3"},
      {ORV_RE_OPEN_COM, false, true, "TAVRIK> Exited OrvMain() #3"},
      {ORV_CHANGE_ORV_PARAMS, true, false, "TAVRIK> Exited OrvMain() #4"},
      {ORV_GET_ORV_INFO, true, false, "TAVRIK> Exited OrvMain() #4"},
      {ORV_SINGLE_ADDRESS_PARSER, true, false, "TAVRIK> Exited OrvMain() #4"},
  };
  Untouched block;
  Untouched params;
  for (const Missing& c : cases) {
    SCOPED_TRACE(c.code);
    LogCapture log;
    OrvRequest request = RequestFor(c.code, c.has_params ? &params : nullptr);
    request.instance = c.has_instance ? &block : nullptr;
    EXPECT_EQ(CallDriver(request), ORV_FAILED);
    EXPECT_EQ(log.lines(), (std::vector<LogLine>{{ORV_LOG_ERROR, c.line}}));
  }
  EXPECT_TRUE(block.Intact());
  EXPECT_TRUE(params.Intact());

  OrvInfo info{};
  EXPECT_EQ(CallDriver(RequestFor(ORV_GET_ORV_INFO, &info)), ORV_DONE);  // still running
  EXPECT_EQ(info.instance_block_size, 294u);
}

class BlockOperationTest : public ::testing::TestWithParam<uint32_t> {};

TEST_P(BlockOperationTest, ReturnsOneSilentlyAndTouchesNothing) {
  LogCapture log;
  Untouched params;
  OrvRequest request = RequestFor(GetParam(), &params);
  request.instance = nullptr;  // needs no started instance
  EXPECT_EQ(CallDriver(request), ORV_NOT_DONE);
  EXPECT_TRUE(log.lines().empty());
  EXPECT_TRUE(params.Intact());
}

INSTANTIATE_TEST_SUITE_P(Codes, BlockOperationTest,
                         ::testing::Values(ORV_BLOCK_ADDRESS_PARSER, ORV_BLOCK_READ,
                                           ORV_BLOCK_WRITE));

}  // namespace
}  // namespace tavrik::test
