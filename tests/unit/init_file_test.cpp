// The initialisation file, read at ColdStart: which file, how its lines are read and counted,
// which lines set the inter-frame gap and which are reported.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "driver_entry.h"
#include "instance/instance_block.h"
#include "log_capture.h"
#include "packed.h"
#include "temp_directory.h"

namespace tavrik::test {
namespace {

struct InitCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> files;  // file name, contents
  uint32_t instance_number;
  uint32_t gap;
  std::vector<std::string> illegal;  // the logged lines, after "TAVRIK> ReadIntFile() "
};

void PrintTo(const InitCase& c, std::ostream* out) {
  *out << c.name;
}

const std::string k300 = "# " + std::string(298, 'c');
const std::string k255 = std::string(255, 'c');

const InitCase kCases[] = {
    {"gap", {{"TAVRIK01.INT", "IFG=25\n"}}, 1, 25, {}},
    {"blank_comment_and_spaced_setting",
     {{"TAVRIK01.INT", "\n# comment\n  IFG = 40\n"}},
     1,
     40,
     {"illegal line 2 in 'TAVRIK01.INT'"}},
    {"two_digit_name_first", {{"TAVRIK01.INT", "IFG=11\n"}, {"TAVRIK.INT", "IFG=22\n"}}, 1, 11, {}},
    {"one_digit_name_second", {{"TAVRIK1.INT", "IFG=12\n"}, {"TAVRIK.INT", "IFG=22\n"}}, 1, 12, {}},
    {"name_without_number_last", {{"TAVRIK.INT", "IFG=22\n"}}, 7, 22, {}},
    {"instance_10", {{"TAVRIK10.INT", "IFG=10\n"}, {"TAVRIK.INT", "IFG=22\n"}}, 10, 10, {}},
    {"instance_of_six_digits", {{"TAVRIK123456.INT", "IFG=6\n"}}, 123456, 6, {}},
    {"largest_instance", {{"TAVRIK4294967295.INT", "IFG=9\n"}}, 4294967295u, 9, {}},
    {"no_file", {}, 1, 0, {}},
    {"no_digits_after_equals",
     {{"TAVRIK.INT", "IFG=x\n"}},
     1,
     0,
     {"illegal line 1 in 'TAVRIK.INT'"}},
    {"lower_case_key", {{"TAVRIK.INT", "ifg=25\n"}}, 1, 0, {"illegal line 1 in 'TAVRIK.INT'"}},
    {"text_after_number", {{"TAVRIK.INT", "IFG = 30 ms\n"}}, 1, 30, {}},
    {"tabs_and_plus_sign", {{"TAVRIK.INT", "\tIFG\t=\t+12\n"}}, 1, 12, {}},
    {"later_setting_wins", {{"TAVRIK.INT", "IFG=1\nIFG=2\n"}}, 1, 2, {}},
    {"last_line_without_line_feed",
     {{"TAVRIK.INT", "# gap\nIFG=15"}},
     1,
     15,
     {"illegal line 1 in 'TAVRIK.INT'"}},
    {"long_line_counts_twice",
     {{"TAVRIK.INT", k300 + "\nIFG=5\nx\n"}},
     1,
     5,
     {"illegal line 1 in 'TAVRIK.INT'", "illegal line 2 in 'TAVRIK.INT'",
      "illegal line 4 in 'TAVRIK.INT'"}},
    {"line_of_255_then_its_line_feed",
     {{"TAVRIK.INT", k255 + "\nIFG=6\nx\n"}},
     1,
     6,
     {"illegal line 1 in 'TAVRIK.INT'", "illegal line 4 in 'TAVRIK.INT'"}},
    {"crlf_line_ends",
     {{"TAVRIK.INT", "IFG=8\r\n\r\nfoo\r\n"}},
     1,
     8,
     {"illegal line 3 in 'TAVRIK.INT'"}},
    {"ctrl_z_ends_the_file", {{"TAVRIK.INT", "IFG=9\n\x1AIFG=99\nfoo\n"}}, 1, 9, {}},
    {"largest_gap", {{"TAVRIK.INT", "IFG=4294967295\n"}}, 1, 4294967295u, {}},
    // Values that would stall every request for weeks if taken modulo 2^32.
    {"negative_gap", {{"TAVRIK.INT", "IFG=-5\n"}}, 1, 0, {"illegal line 1 in 'TAVRIK.INT'"}},
    {"gap_beyond_32_bits",
     {{"TAVRIK.INT", "IFG=4294967296\n"}},
     1,
     0,
     {"illegal line 1 in 'TAVRIK.INT'"}},
};

class InitFileTest : public ::testing::TestWithParam<InitCase> {};

TEST_P(InitFileTest, GapAndReportedLines) {
  const InitCase& c = GetParam();
  CurrentTempDirectory directory;
  for (const auto& [name, contents] : c.files) directory.Write(name, contents);

  InstanceBlock block;
  std::memset(&block, 0xA5, sizeof block);
  ColdStartParams params{};
  std::strcpy(params.port_name, "COM1");
  params.port_flag = 0;  // no port: the file is read all the same
  params.reply_timeout = 4;
  OrvRequest request{};
  request.instance = &block;
  request.code = ORV_COLD_START;
  request.instance_number = c.instance_number;
  request.params = &params;

  LogCapture log;
  ASSERT_EQ(CallDriver(request), ORV_DONE);
  EXPECT_EQ(Value(block.inter_frame_gap), c.gap);

  std::vector<LogLine> expected = {
      {ORV_LOG_TRACE, "TAVRIK> version compiled on Nov 18 1997 at time 11:43:27"}};
  for (const std::string& line : c.illegal)
    expected.push_back({ORV_LOG_ERROR, "TAVRIK> ReadIntFile() " + line});
  expected.push_back({ORV_LOG_TRACE, "TAVRIK> ColdStart() exited, 0"});
  EXPECT_EQ(log.lines(), expected);
}

INSTANTIATE_TEST_SUITE_P(Files, InitFileTest, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tavrik::test
