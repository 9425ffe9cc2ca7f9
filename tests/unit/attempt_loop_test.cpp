// The line exchange and the attempt loop, seen through reads and writes over the scripted fake:
// the exact platform calls of an attempt, failures of the modem-line and queue calls, the result
// rule across attempts, and the controllers' error replies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol_fixture.h"

namespace tavrik::test {
namespace {

using Answer = FakeComm::Answer;
using Calls = std::vector<std::string>;
using Lines = std::vector<LogLine>;
using Op = FakeComm::Op;

const Answer kGood = {"*07T0123\r"};
const Answer kSilence = {""};

Calls ReadsOfOneByte(int count) {
  return Calls(static_cast<std::size_t>(count), "Read 1");
}

Calls Join(std::vector<Calls> parts) {
  Calls all;
  for (const Calls& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class AttemptLoopTest : public ProtocolFixture {};

TEST_F(AttemptLoopTest, OneAttemptsPlatformCallsInOrder) {
  const Gate gate = Parsed("07T", ORV_GATE_SIGNED16);
  block_.inter_frame_gap = 25;
  // The transmitter is still busy at the first query after the write.
  fake().OnNext(Op::kWrite, [] { FakeComm::Get().QueueOutputCounts({3, 0}); });
  fake().ScriptAnswers({kGood});
  ASSERT_EQ(Read(gate), ORV_DONE);
  EXPECT_EQ(fake().calls(),
            Join({{"ClearErrors", "Sleep 25", "ChangeLine SETRTS", "Write 5", "ClearErrors",
                   "Sleep 0", "ClearErrors", "Sleep 0", "ChangeLine CLRRTS"},
                  ReadsOfOneByte(9)}));
  EXPECT_EQ(fake().written(), "R07T\r");
  EXPECT_TRUE(log_.lines().empty());
}

TEST_F(AttemptLoopTest, GapIsReadFromTheBlockAtEveryAttemptAndSkippedWhenZero) {
  const Gate gate = Parsed("07T", ORV_GATE_SIGNED16);
  block_.inter_frame_gap = 0;
  // The site's gap changes while the first attempt waits for its reply.
  fake().OnNext(Op::kWrite, [this] { block_.inter_frame_gap = 7; });
  fake().ScriptAnswers({kSilence, kGood});
  ASSERT_EQ(Read(gate), ORV_DONE);
  Calls sleeps;
  for (const std::string& call : fake().calls())
    if (call.rfind("Sleep", 0) == 0 && call != "Sleep 0") sleeps.push_back(call);
  EXPECT_EQ(sleeps, (Calls{"Sleep 7"}));
}

TEST_F(AttemptLoopTest, FailingModemLineAndQueueCallsAreLoggedAndTheExchangeGoesOn) {
  const Gate gate = Parsed("07T", ORV_GATE_SIGNED16);
  fake().FailNext(Op::kChangeLine, 2);  // both request-to-send changes
  fake().OnNext(Op::kWrite, [] { FakeComm::Get().FailNext(Op::kClearErrors); });
  fake().ScriptAnswers({kGood});
  EXPECT_EQ(Read(gate), ORV_DONE);
  EXPECT_EQ(log_.lines(), (Lines{Trace("Send() EscapeCommFunction() failed"),
                                 Trace("Send() ClearCommError() failed"),
                                 Trace("Send() EscapeCommFunction() failed")}));
  EXPECT_EQ(
      fake().calls(),
      Join({{"ClearErrors", "ChangeLine SETRTS", "Write 5", "ClearErrors", "ChangeLine CLRRTS"},
            ReadsOfOneByte(9)}));
}

TEST_F(AttemptLoopTest, OutputQueueThatNeverDrainsIsWaitedForAtMostFiveSeconds) {
  const Gate gate = Parsed("07T", ORV_GATE_SIGNED16);
  fake().OnNext(Op::kWrite,
                [] { FakeComm::Get().QueueOutputCounts(std::vector<uint32_t>(100000, 5)); });
  fake().ScriptAnswers({kGood});
  const int64_t before = fake().now();
  EXPECT_EQ(Read(gate), ORV_DONE);
  EXPECT_EQ(log_.lines(), (Lines{Trace("Send() output queue not drained")}));
  EXPECT_GE(fake().now() - before, 5000);
  EXPECT_LT(fake().now() - before, 5100);
}

// The result rule: each letter one attempt's outcome, in order.
//   S silence (receive failure)     X wrong first character     N reply not the answer
//   E error reply (1)               D data length wrong (1)     F send failure (2)
//   G good reply
Answer Outcome(char letter) {
  switch (letter) {
    case 'S':
      return kSilence;
    case 'X':
      return {"#07T0123\r"};
    case 'N':
      return {"*08T0123\r"};
    case 'E':
      return {"?0710\r"};
    case 'D':
      return {"*07T123\r"};
    case 'F':
      return {"", true};
    default:
      return kGood;
  }
}

struct RuleCase {
  const char* outcomes;
  int32_t result;
};

TEST_F(AttemptLoopTest, ResultRuleAcrossAttempts) {
  const RuleCase cases[] = {
      {"G", 0},    {"SG", 0},   {"EEEG", 0}, {"SSSS", 2}, {"ESSS", 1}, {"EFSS", 2},
      {"XXXX", 2}, {"EXXX", 1}, {"NNNN", 2}, {"ENNN", 1}, {"DSSS", 1}, {"SDSS", 1},
      {"FFFF", 2}, {"EEEF", 2}, {"FFFE", 1}, {"EEEE", 1}, {"SSSE", 1}, {"DDDS", 1},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.outcomes);
    SetUp();
    const Gate gate = Parsed("07T", ORV_GATE_SIGNED16);
    std::vector<Answer> answers;
    for (const char* letter = c.outcomes; *letter != '\0'; ++letter)
      answers.push_back(Outcome(*letter));
    fake().ScriptAnswers(answers);
    EXPECT_EQ(Read(gate), c.result);
    int writes = 0;
    for (const std::string& call : fake().calls()) writes += call == "Write 5";
    EXPECT_EQ(writes, static_cast<int>(std::string(c.outcomes).size()));  // no attempt more
  }
}

TEST_F(AttemptLoopTest, ControllerThatNeverAnswers) {
  const Gate gate = Parsed("07T", ORV_GATE_SIGNED16);
  EXPECT_EQ(Read(gate), ORV_FAILED);
  Lines expected;
  for (int attempt = 1; attempt <= 4; ++attempt) {
    expected.push_back(Trace("Receive() Error, reading error msg from controller"));
    expected.push_back(Trace("DoRead() error recv. 1st part of reply, retry " +
                             std::to_string(attempt) + " '07T'"));
  }
  expected.push_back(Trace("Read() , ret val is 2"));
  EXPECT_EQ(log_.lines(), expected);
}

TEST_F(AttemptLoopTest, WriteLinesNameTheWriteAndTheHostsText) {
  const Gate gate = Parsed("07t", ORV_GATE_UNSIGNED16);
  value_.unsigned16[1] = 123;
  fake().ScriptAnswers({{"", true}, {"#07T0123\r"}, {"*07T0124\r"}, kSilence});
  EXPECT_EQ(Write(gate), ORV_FAILED);
  EXPECT_EQ(log_.lines(),
            (Lines{Trace("DoWrite() error sending data, retry 1 '07t'"),
                   Trace("DoWrite() illegal 1st char. of reply message, retry 2 '07t'"),
                   Trace("DoWrite() reply was not answer to request, retry 3 '07t'"),
                   Trace("Receive() Error, reading error msg from controller"),
                   Trace("DoWrite() error recv. ack. msg, retry 4 '07t'"),
                   Trace("SingleWrite() , ret val is 2")}));
}

struct ErrorReplyCase {
  std::string reply;  // what comes on the line; without a carriage return it is cut off
  std::vector<std::string> lines;  // after "TAVRIK> Read() Controller ", each ",retry 1 '07T'"
};

TEST_F(AttemptLoopTest, ErrorRepliesAndTheirLines) {
  const ErrorReplyCase cases[] = {
      {"?0701\r", {"warning: read only param."}},
      {"?0702\r", {"detected ill. header"}},
      {"?0704\r", {"detected RX buff. overflow"}},
      {"?0708\r", {"detected ill. param. code"}},
      {"?0703\r", {}},  // neither an error nor a known warning: still a failed attempt
      {"?0710\r", {"detected illegal data"}},
      {"?0720\r", {"detected ill. nr. of char."}},
      {"?0740\r", {"detected TX buff. overflow"}},
      {"?0780\r", {"detected illegal trailer"}},
      {"?07F0\r", {"detected overflow error"}},
      {"?07O0\r", {"detected receover overrun"}},
      {"?07P0\r", {"detected parity error"}},
      {"?07f0\r", {"sent unknown error msg"}},
      {"?07o0\r", {"sent unknown error msg"}},
      {"?07p0\r", {"sent unknown error msg"}},
      {"?07Z0\r", {"sent unknown error msg"}},
      {"?0712\r", {"detected illegal data", "detected ill. header"}},
      {"?071\r", {"detected illegal data"}},  // five characters: no warning code
      {"?0721", {"detected ill. nr. of char.", "warning: read only param."}},  // cut off
      {"?072", {}},  // four characters cut off: not an error reply
  };
  for (const ErrorReplyCase& c : cases) {
    SCOPED_TRACE(c.reply);
    SetUp();
    const Gate gate = Parsed("07T", ORV_GATE_SIGNED16);
    fake().ScriptAnswers({{c.reply}, kGood});
    EXPECT_EQ(Read(gate), ORV_DONE);  // the second attempt succeeds
    Lines expected;
    const bool cut_off = c.reply.back() != '\r';
    if (cut_off) expected.push_back(Trace("Receive() Error, reading error msg from controller"));
    for (const std::string& line : c.lines)
      expected.push_back(Trace("Read() Controller " + line + ",retry 1 '07T'"));
    if (c.reply == "?072")
      expected.push_back(Trace("DoRead() error recv. 1st part of reply, retry 1 '07T'"));
    EXPECT_EQ(log_.lines(), expected);
  }
}

TEST_F(AttemptLoopTest, SevenCharactersStartingWithQuestionMarkAreNoErrorReply) {
  const Gate gate = Parsed("07T", ORV_GATE_SIGNED16);
  fake().ScriptAnswers({{"?07123\r"}, kGood});
  EXPECT_EQ(Read(gate), ORV_DONE);
  EXPECT_EQ(log_.lines(),
            (Lines{Trace("DoRead() illegal 1st char. of reply message, retry 1 '07T'")}));
}

TEST_F(AttemptLoopTest, ReplyOf128CharactersWithoutCarriageReturnEndsTheLine) {
  const Gate gate = Parsed("07T", ORV_GATE_SIGNED16);
  fake().ScriptAnswers({{"*07T" + std::string(200, '0')}, kGood});
  EXPECT_EQ(Read(gate), ORV_DONE);
  // 128 characters are read, status 0; the rest is purged before the next attempt.
  int reads = 0;
  for (const std::string& call : fake().calls()) reads += call == "Read 1";
  EXPECT_EQ(reads, 128 + 9);
  EXPECT_EQ(log_.lines(),
            (Lines{Trace("DoRead() illegal last char. of reply message, retry 1 '07T'")}));
}

}  // namespace
}  // namespace tavrik::test
