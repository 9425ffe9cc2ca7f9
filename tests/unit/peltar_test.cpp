// The stand-in log library's own destinations: a file, and lines longer than its first buffer.
#include "peltar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "log_capture.h"

namespace tavrik::test {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The log file is a text file: lines end as the platform's text files do.
#if defined(_WIN32)
constexpr const char* kLineEnd = "\r\n";
#else
constexpr const char* kLineEnd = "\n";
#endif

TEST(Peltar, FileDestinationGetsEveryLineWithItsLevel) {
  const std::string path = ::testing::TempDir() + "peltar_file_test.log";
  std::remove(path.c_str());
  const std::string long_text(600, 'x');  // longer than the first formatting buffer

  ASSERT_EQ(peltar_set_file(path.c_str()), 0);
  err(32, "TAVRIK> value %d of '%s'", -5, "07T");
  err(64, "%s", long_text.c_str());
  ASSERT_EQ(peltar_set_file(nullptr), 0);

  EXPECT_EQ(ReadAll(path), "[32] TAVRIK> value -5 of '07T'" + std::string(kLineEnd) + "[64] " +
                               long_text + kLineEnd);
  std::remove(path.c_str());
}

TEST(Peltar, UnopenableFileLeavesTheDestinationAsItWas) {
  LogCapture log;
  EXPECT_EQ(peltar_set_file("/nonexistent-directory/x.log"), -1);
  err(32, "still %s", "here");
  EXPECT_EQ(log.lines(), (std::vector<LogLine>{{32, "still here"}}));
}

}  // namespace
}  // namespace tavrik::test
