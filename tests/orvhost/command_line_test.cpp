// orvhost's command line, where no driver call is needed to judge it: usage errors are refused
// with exit status 2 and a reason; info shows the driver's description.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orvhost_run.h"
#include "scratch_directory.h"

namespace orvhost::test {
namespace {

struct BadCommandLine {
  std::vector<std::string> arguments;
  std::string reason;  // a part of the one line on standard error
};

TEST(OrvhostCommandLine, RefusesWhatItCannotActOnWithExitStatusTwoAndTheReason) {
  ScratchDirectory directory;
  const std::vector<BadCommandLine> cases = {
      {{"--port", "/dev/serial/by-id/usb-FTDI_0001", "read", "07T"},
       "has 31 characters; the driver takes at most 11. On Linux make a short symbolic link "
       "(ln -s /dev/serial/by-id/usb-FTDI_0001 ./line0)"},
      {{"--port", "./line0", "--baud", "115200", "read", "07T"},
       "baud rate 115200 is not one the driver can set"},
      {{"--port", "./line0", "--parity", "high", "read", "07T"},
       "parity 'high' is none of none, odd, even, mark, space"},
      {{"--port", "./line0", "--stop-bits", "1.5", "read", "07T"},
       "1.5 stop bits go with 5 data bits only"},
      {{"--port", "./line0", "read", "7T"}, "gate '7T' is too short"},
      {{"--port", "./line0", "read", "07T:float"}, "unknown type 'float'"},
      {{"--port", "./line0", "read", "05$G"}, "05$G is a command gate: it can only be written"},
      {{"--port", "./line0", "write", "07T=40000"}, "40000 does not fit type s16"},
      {{"--port", "./line0", "write", "07T=12345"}, "12345 needs more than 4 digits"},
      {{"--port", "./line0", "write", "07LL10:u32=-1"}, "-1 does not fit type u32"},
      {{"--port", "./line0", "write", "07NL08:text=TOO LONG!"}, "the gate holds 8"},
      {{"--port", "./line0", "write", "07T"}, "give a value"},
      {{"read", "07T"}, "read needs a port"},
      {{"--port", "./line0", "read", "07T", "--period", "100"}, "--period belongs to poll"},
      {{"frobnicate"}, "unknown subcommand 'frobnicate'"},
  };
  for (const BadCommandLine& bad : cases) {
    SCOPED_TRACE(testing::PrintToString(bad.arguments));
    const OrvhostRun run = RunOrvhost(bad.arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    const std::vector<std::string> err = Lines(run.err);
    ASSERT_EQ(err.size(), 1u) << run.err;
    EXPECT_EQ(err[0].rfind("orvhost: ", 0), 0u) << err[0];
    EXPECT_NE(err[0].find(bad.reason), std::string::npos) << err[0];
  }
}

TEST(OrvhostCommandLine, InfoShowsTheDescriptionAndTheBannerInUtf8) {
  ScratchDirectory directory;
  const OrvhostRun run = RunOrvhost({"info"});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 8u) << run.out;
  EXPECT_EQ(lines[0], "driver          FGH Controllers (kind 70)");
  EXPECT_EQ(lines[2], "instance block  294 bytes");
  EXPECT_EQ(
      lines[3],
      "defaults        reply time-out 40 ms; 9600 baud, 8 data bits, parity none, 1 stop bit");
  std::string rule;
  for (int i = 0; i < 71; ++i) rule += "═";
  EXPECT_EQ(lines[5], "╔" + rule + "╗");  // no backspace before it
  EXPECT_EQ(lines[6], "║ TAVRIK: FGH controllers (450, 1000, 2000, 3000, RTA and ICU series)   ║");
  EXPECT_EQ(lines[7], "╚" + rule + "╝");
}

}  // namespace
}  // namespace orvhost::test
