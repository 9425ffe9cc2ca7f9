// SingleWrite over the scripted fake: every request format, the overflow check, the
// acknowledgement, commands, communication control and the writes refused without traffic.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "protocol_fixture.h"

namespace tavrik::test {
namespace {

using Answer = FakeComm::Answer;
using Lines = std::vector<LogLine>;

// The acknowledgement a controller gives: the request with "*" for its first character.
Answer Acknowledging(const std::string& request) {
  return {request.empty() ? "" : "*" + request.substr(1)};
}

class WriteTransactionTest : public ProtocolFixture {
 protected:
  void SetValue(int32_t type, int64_t number) {
    if (type == 0 || type == 2 || type == 6) value_.unsigned16[1] = static_cast<uint16_t>(number);
    if (type == 1) value_.signed16[1] = static_cast<int16_t>(number);
    if (type == 4) value_.signed32 = static_cast<int32_t>(number);
    if (type == 5) value_.unsigned32 = static_cast<uint32_t>(number);
  }
};

struct NumberCase {
  const char* address;
  int32_t type;
  int64_t value;
  std::string request;  // empty: refused for overflow
};

TEST_F(WriteTransactionTest, NumbersAsExactlyReplyLengthDigits) {
  const NumberCase cases[] = {
      {"07T", 0, 123, "W07T0123\r"},
      {"07T", 1, -5, "W07T-0005\r"},
      {"07T", 2, 9999, "W07T9999\r"},
      {"07TS03", 1, 7, "W07T030007\r"},
      {"07TS03", 1, -7, "W07T03-0007\r"},
      {"07TL02", 0, 99, "W07T99\r"},
      {"07TL02", 0, 100, ""},
      {"07TL00", 0, 0, "W07T\r"},
      {"07TL00", 0, 1, ""},
      {"07T", 1, -32768, ""},  // 32768 needs five digits
      {"07T", 0, 65535, ""},
      {"07TL05", 4, -32768, "W07T-32768\r"},
      {"07TL05", 5, 65535, "W07T65535\r"},
      {"07TL09", 5, 999999999, "W07T999999999\r"},
      {"07TL09", 5, UINT32_MAX, ""},
      {"07TL10", 5, UINT32_MAX, "W07T4294967295\r"},
      {"07TL10", 4, INT32_MIN, "W07T-2147483648\r"},
      {"07TL12", 4, INT32_MAX, "W07T002147483647\r"},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(std::string(c.address) + " " + std::to_string(c.value));
    SetUp();
    const Gate gate = Parsed(c.address, c.type);
    SetValue(c.type, c.value);
    const ValueBlock before = value_;
    fake().ScriptAnswers({Acknowledging(c.request)});
    if (c.request.empty()) {
      EXPECT_EQ(Write(gate), ORV_NOT_DONE);
      EXPECT_EQ(log_.lines(), (Lines{Error("SingleWrite() ERROR: value overflow")}));
      EXPECT_TRUE(fake().calls().empty());
    } else {
      EXPECT_EQ(Write(gate), ORV_DONE);
      EXPECT_EQ(fake().written(), c.request);
      EXPECT_TRUE(log_.lines().empty());
    }
    EXPECT_EQ(std::memcmp(&value_, &before, sizeof value_), 0);  // a write never changes it
  }
}

TEST_F(WriteTransactionTest, TextRightAlignedAndCutToReplyLength) {
  struct TextCase {
    const char* address;
    std::string text;
    std::string request;
  };
  const std::string forty(40, 'T');
  const TextCase cases[] = {
      {"07TL06", "AB", "W07T    AB\r"},         {"07TL06", "ABCDEFGH", "W07TABCDEF\r"},
      {"07TS03L03", "xyz", "W07T03xyz\r"},      {"07TL00", "AB", "W07T\r"},
      {"07TL40", forty, "W07T" + forty + "\r"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.address + (" " + c.text));
    SetUp();
    const Gate gate = Parsed(c.address, ORV_GATE_TEXT);
    std::memcpy(value_.text, c.text.c_str(), c.text.size() + 1);
    fake().ScriptAnswers({Acknowledging(c.request)});
    EXPECT_EQ(Write(gate), ORV_DONE);
    EXPECT_EQ(fake().written(), c.request);
  }
}

TEST_F(WriteTransactionTest, TextWithoutTerminatorIsReadNoFurtherThanItsField) {
  const Gate gate = Parsed("07TL04", ORV_GATE_TEXT);
  std::memset(value_.text, 'Q', sizeof value_.text);  // no terminator anywhere
  fake().ScriptAnswers({Acknowledging("W07TQQQQ\r")});
  EXPECT_EQ(Write(gate), ORV_DONE);
  EXPECT_EQ(fake().written(), "W07TQQQQ\r");
}

TEST_F(WriteTransactionTest, LongRequestIsSentUnchangedOnEveryAttempt) {
  // 45 characters: more than the block's request area; the replies must not overwrite it.
  const Gate gate = Parsed("07TL40", ORV_GATE_TEXT);
  const std::string text(40, 'L');
  std::memcpy(value_.text, text.c_str(), text.size() + 1);
  const std::string request = "W07T" + text + "\r";
  fake().ScriptAnswers({{"*07T" + std::string(40, 'X') + "\r"}, Acknowledging(request)});
  EXPECT_EQ(Write(gate), ORV_DONE);
  EXPECT_EQ(fake().written(), request + request);
}

TEST_F(WriteTransactionTest, AcknowledgementMustRepeatTheWholeRequest) {
  const Gate gate = Parsed("07T", ORV_GATE_UNSIGNED16);
  value_.unsigned16[1] = 123;
  const std::string not_answer = "DoWrite() reply was not answer to request, retry ";
  fake().ScriptAnswers({{"*07T\r"}, {"*07T0123X\r"}, {"*07T0123\r"}});
  EXPECT_EQ(Write(gate), ORV_DONE);
  EXPECT_EQ(log_.lines(), (Lines{Trace(not_answer + "1 '07T'"), Trace(not_answer + "2 '07T'")}));
}

TEST_F(WriteTransactionTest, IllegalGateTypesAreRefusedWithoutTraffic) {
  for (const int32_t type : {3, 6, 8, -1}) {
    SCOPED_TRACE(type);
    SetUp();
    Gate gate = Parsed("07T", ORV_GATE_SIGNED16);
    gate.type = type;
    EXPECT_EQ(Write(gate), ORV_NOT_DONE);
    EXPECT_EQ(log_.lines(), (Lines{Trace("DoWrite() illegal gate type, '07T'")}));
    EXPECT_TRUE(fake().calls().empty());
  }
}

TEST_F(WriteTransactionTest, CommandGateSendsItsCommandWhateverTheType) {
  Gate gate = Parsed("05$g", ORV_GATE_TRIGGER);
  gate.type = 3;  // no parameter gate could have it; a command does not look
  fake().ScriptAnswers({{"*05G\r"}});
  EXPECT_EQ(Transfer(ORV_SINGLE_WRITE, gate, nullptr), ORV_DONE);  // nor at the value
  EXPECT_EQ(fake().written(), "S05G\r");
}

TEST_F(WriteTransactionTest, DisabledControllerAndBadDescriptorsAreRefusedWithoutTraffic) {
  Gate gate = Parsed("35T", ORV_GATE_SIGNED16);
  block_.enable_table[35] = 0;
  EXPECT_EQ(Write(gate), ORV_NOT_DONE);
  EXPECT_TRUE(log_.lines().empty());

  gate.descriptor.controller = 100;
  EXPECT_EQ(Write(gate), ORV_NOT_DONE);
  EXPECT_EQ(log_.lines(), (Lines{Error("DoWrite() illegal gate descriptor '35T'")}));
  EXPECT_TRUE(fake().calls().empty());
}

class CommControlTest : public WriteTransactionTest {
 protected:
  std::string EnabledPattern() const {
    std::string pattern;
    for (uint8_t enabled : block_.enable_table) pattern += enabled != 0 ? '1' : '0';
    return pattern;
  }
  static std::string AllBut(std::size_t first, std::size_t count) {
    std::string pattern(100, '1');
    pattern.replace(first, count, count, '0');
    return pattern;
  }
};

TEST_F(CommControlTest, SwitchesControllersAndNothingIsSent) {
  struct Case {
    const char* address;
    int32_t type;
    int64_t value;
    std::string pattern;
  };
  const Case cases[] = {
      {"3X*", 0, 0, AllBut(30, 10)},
      {"3x*", 6, 0, AllBut(30, 10)},
      {"XX*", 1, 0, std::string(100, '0')},
      {"17*", 0, 0, AllBut(17, 1)},
      {"17*", 5, 1, AllBut(17, 1)},  // 32-bit gate: the upper 16 bits decide, and they are 0
      {"17*", 5, 65536, std::string(100, '1')},
      {"17*", 4, -1, std::string(100, '1')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address + (" " + std::to_string(c.value)));
    SetUp();
    const Gate gate = Parsed(c.address, c.type);
    SetValue(c.type, c.value);
    EXPECT_EQ(Write(gate), ORV_DONE);
    EXPECT_EQ(EnabledPattern(), c.pattern);
    EXPECT_TRUE(fake().calls().empty());
    EXPECT_TRUE(log_.lines().empty());
  }
}

TEST_F(CommControlTest, DisabledControllersAreSkippedUntilEnabledAgain) {
  SetValue(0, 0);
  ASSERT_EQ(Write(Parsed("3X*", 0)), ORV_DONE);
  EXPECT_EQ(Read(Parsed("35T", ORV_GATE_SIGNED16)), ORV_NOT_DONE);
  EXPECT_TRUE(fake().calls().empty());
  EXPECT_TRUE(log_.lines().empty());

  SetValue(0, 1);
  ASSERT_EQ(Write(Parsed("XX*", 0)), ORV_DONE);
  fake().ScriptAnswers({{"*35T0001\r"}});
  EXPECT_EQ(Read(Parsed("35T", ORV_GATE_SIGNED16)), ORV_DONE);
}

TEST_F(CommControlTest, WithoutAPortNothingChanges) {
  ASSERT_EQ(ColdStart("NULLDEV"), ORV_DONE);
  SetValue(0, 0);
  EXPECT_EQ(Write(Parsed("XX*", 0)), ORV_NOT_DONE);
  EXPECT_EQ(EnabledPattern(), std::string(100, '1'));
}

TEST_F(CommControlTest, AnAddressTextNamingNoControllersIsRefused) {
  Gate gate = Parsed("17*", 0);
  gate.address = "X3*";  // changed by the host after parsing
  SetValue(0, 0);
  EXPECT_EQ(Write(gate), ORV_NOT_DONE);
  EXPECT_EQ(log_.lines(), (Lines{Error("DoWrite() illegal gate descriptor 'X3*'")}));
  EXPECT_EQ(EnabledPattern(), std::string(100, '1'));
}

}  // namespace
}  // namespace tavrik::test
