// orvhost end to end: the program as built, loading the driver built beside it, against fghsim
// playing orvhost.plant on a pseudo-terminal.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "orvhost_run.h"
#include "scratch_directory.h"
#include "simulator.h"

namespace orvhost::test {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kParseRefused = "not done: address or type refused by the driver";
constexpr const char* kResult1 =
    "not done: refused, error reply, controller disabled or no port (result 1)";
constexpr const char* kResult2 = "failed: no reply or the line failed (result 2)";

// The line options of every run: the simulator's port, 50 ms reply time-out (a silent
// controller costs four of them).
Strings OnLine(const Strings& rest) {
  Strings arguments{"--port", Simulator::kPort, "--timeout", "50"};
  arguments.insert(arguments.end(), rest.begin(), rest.end());
  return arguments;
}

void WriteGateList(const std::string& text) {
  std::ofstream("gates.txt") << text;
}

// The object of one gate in poll's JSON document, from {"gate":"ADDRESS" to its closing brace.
std::string GateObject(const std::string& json, const std::string& address) {
  const std::size_t start = json.find("{\"gate\":\"" + address + "\"");
  if (start == std::string::npos) return "";
  int depth = 0;
  for (std::size_t i = start; i < json.size(); ++i) {
    if (json[i] == '{') ++depth;
    if (json[i] == '}' && --depth == 0) return json.substr(start, i - start + 1);
  }
  return "";
}

// The number after "key": in text (the first one), or -1.
double NumberAfter(const std::string& text, const std::string& key) {
  std::smatch match;
  if (!std::regex_search(text, match, std::regex("\"" + key + "\":(-?[0-9.]+)"))) return -1;
  return std::stod(match[1]);
}

std::string ResultCounts(const std::string& gate) {
  std::smatch match;
  if (!std::regex_search(gate, match, std::regex(R"("results":\{[^}]*\})"))) return "";
  return match[0];
}

class OrvhostEndToEnd : public ::testing::Test {
 protected:
  ScratchDirectory directory_;
  Simulator simulator_;
};

TEST_F(OrvhostEndToEnd, ReadsWritesAndReadsBackInOneRun) {
  const OrvhostRun run = RunOrvhost(OnLine({"read", "07T", "07LL10:u32", "07NL08:text", "write",
                                            "07T=-5", "07LL10:u32=4000000000", "07NL08:text=VALVE",
                                            "05$G", "read", "07T", "07LL10:u32", "07NL08:text"}));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Lines(run.out), (Strings{
                                "read  07T         s16     123",
                                "read  07LL10      u32     100000",
                                "read  07NL08      text    \"PUMP 1\"",
                                "write 07T         s16     -5  done",
                                "write 07LL10      u32     4000000000  done",
                                "write 07NL08      text    \"VALVE\"  done",
                                "write 05$G        trigger done",
                                "read  07T         s16     -5",
                                "read  07LL10      u32     4000000000",
                                "read  07NL08      text    \"VALVE\"",
                            }));
  EXPECT_EQ(run.err, "");  // errors only by default: there were none
  // What the controllers hold now, asked of the simulator itself.
  EXPECT_EQ(simulator_.Control("get 07/T"), "ok -0005");
  EXPECT_EQ(simulator_.Control("commands"), "ok 05G");
}

TEST_F(OrvhostEndToEnd, OperationsNotDoneAreShownWithTheirResultsAndTheDriversErrors) {
  const OrvhostRun run = RunOrvhost(OnLine({"read", "09T", "13T", "0AT", "write", "3X*=0", "read",
                                            "31T", "write", "3X*=1", "read", "31T"}));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Lines(run.out), (Strings{
                                std::string("read  09T         s16     ") + kResult2,
                                std::string("read  13T         s16     ") + kResult1,
                                std::string("read  0AT         s16     ") + kParseRefused,
                                "write 3X*         u16     0  done: controllers 30-39 disabled",
                                std::string("read  31T         s16     ") + kResult1,
                                "write 3X*         u16     1  done: controllers 30-39 enabled",
                                "read  31T         s16     31",
                            }));
  const Strings err = Lines(run.err);
  ASSERT_EQ(err.size(), 2u) << run.err;
  EXPECT_NE(err[0].find("[error] TAVRIK> Parse() Illegal character 2 in '0AT'"), std::string::npos);
  EXPECT_EQ(err[1], "orvhost: 4 of 7 operations not done (--trace shows the driver's reasons)");
}

TEST_F(OrvhostEndToEnd, PollCountsEachGatesReadsByResult) {
  WriteGateList("# four gates\n07T\n09T      # silent\n13T:u16  # error reply\n\n07NL08:text\n");
  const OrvhostRun run =
      RunOrvhost(OnLine({"--json", "poll", "--rounds", "3", "--period", "10", "gates.txt"}));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Lines(run.out).size(), 1u) << "one JSON document: " << run.out;
  EXPECT_NE(run.out.find("\"rounds\":3,\"interrupted\":false"), std::string::npos) << run.out;
  // A silent controller among answering ones is no dead line: nothing to reopen.
  EXPECT_NE(run.out.find("\"reopens\":[]"), std::string::npos);

  const std::string working = GateObject(run.out, "07T");
  EXPECT_EQ(ResultCounts(working), R"("results":{"0":3,"1":0,"2":0})") << working;
  EXPECT_NE(working.find(R"("last":{"result":0,"value":123})"), std::string::npos) << working;
  const std::string text = GateObject(run.out, "07NL08");
  EXPECT_NE(text.find(R"("last":{"result":0,"value":"PUMP 1"})"), std::string::npos) << text;
  EXPECT_EQ(ResultCounts(GateObject(run.out, "13T")), R"("results":{"0":0,"1":3,"2":0})");

  const std::string silent = GateObject(run.out, "09T");
  EXPECT_EQ(NumberAfter(silent, "reads"), 3);
  EXPECT_EQ(ResultCounts(silent), R"("results":{"0":0,"1":0,"2":3})") << silent;
  EXPECT_NE(silent.find(R"("last":{"result":2,"value":null})"), std::string::npos) << silent;
  const double min = NumberAfter(silent, "min");
  const double median = NumberAfter(silent, "median");
  const double max = NumberAfter(silent, "max");
  EXPECT_GE(min, 150);  // four reply time-outs of 50 ms waited in every read
  EXPECT_LE(min, median);
  EXPECT_LE(median, max);
  EXPECT_NE(run.err.find("orvhost: 6 of 12 reads not done"), std::string::npos) << run.err;
}

TEST_F(OrvhostEndToEnd, PollReopensThePortWhenTheLineDropsAndReadsAgain) {
  WriteGateList("07T\n");
  const std::string line_before = simulator_.Control("line");
  // The next read of 07T gets two characters of its reply, then the line drops; a new one
  // comes up behind ./line0.
  ASSERT_EQ(simulator_.Control("fault 07/T drop 2 count=1"), "ok");
  const OrvhostRun run =
      RunOrvhost(OnLine({"--json", "poll", "--rounds", "4", "--period", "20", "--reopen-after", "2",
                         "--reopen-tries", "30", "gates.txt"}));
  EXPECT_EQ(run.status, 1) << run.err;  // two reads failed on the way
  // Round 1 meets the drop, round 2 the closed line: the port is reopened in round 2, and
  // rounds 3 and 4 read again.
  std::smatch reopen;
  ASSERT_TRUE(std::regex_search(
      run.out, reopen,
      std::regex(R"("reopens":\[\{"round":2,"close_result":0,"tries":[0-9]+,"result":0\}\])")))
      << run.out;
  const std::string gate = GateObject(run.out, "07T");
  EXPECT_EQ(ResultCounts(gate), R"("results":{"0":2,"1":0,"2":2})") << gate;
  EXPECT_NE(gate.find(R"("last":{"result":0,"value":123})"), std::string::npos) << gate;
  EXPECT_NE(run.err.find("orvhost: round 2: 2 reads in a row failed (result 2)"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("orvhost: round 2: port reopened"), std::string::npos) << run.err;
  EXPECT_NE(simulator_.Control("line"), line_before);  // a new line indeed
}

TEST_F(OrvhostEndToEnd, InterruptEndsPollAfterTheCurrentReadAndEndsTheDriver) {
  WriteGateList("07T\n");
  ChildProcess poll(
      {ORVHOST_PATH, "--port", Simulator::kPort, "--trace", "poll", "--period", "20", "gates.txt"},
      "poll.out", "poll.err");
  // Interrupted once it is polling: the simulator has had a few requests.
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  std::smatch requests;
  for (std::string stats; std::chrono::steady_clock::now() < until;) {
    stats = simulator_.Control("stats");
    if (std::regex_search(stats, requests, std::regex("requests=([0-9]+)")) &&
        std::stoi(requests[1]) >= 3) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  poll.Signal(SIGINT);
  EXPECT_EQ(poll.Wait(std::chrono::seconds(10)), 0);  // every read was done
  const std::string out = ReadFile("poll.out");
  EXPECT_NE(out.find("interrupted after round"), std::string::npos) << out;
  EXPECT_NE(out.find("\n07T         s16              123"), std::string::npos) << out;
  EXPECT_NE(ReadFile("poll.err").find("TAVRIK> EndOrv() exited, 0"), std::string::npos);
}

}  // namespace
}  // namespace orvhost::test
