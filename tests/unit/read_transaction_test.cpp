// SingleRead over the scripted fake: each check of a reply with the attempt before it giving 2 or
// 1, every store by gate type, and the reads refused without any traffic.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "protocol_fixture.h"

namespace tavrik::test {
namespace {

using Answer = FakeComm::Answer;
using Lines = std::vector<LogLine>;

const Answer kSilence = {""};
const Answer kErrorReply = {"?0710\r"};

class ReadTransactionTest : public ProtocolFixture {};

struct CheckCase {
  const char* name;
  const char* address;
  int32_t type;
  std::string reply;
  int32_t after_two;  // the attempt's result as the first attempt (the one before counts as 2)
  int32_t after_one;  // after an attempt that gave 1
  std::string line;   // without ", retry %d '%s'"
};

// Silence after an attempt keeps its result, so the read's result is the checked attempt's.
TEST_F(ReadTransactionTest, EachCheckGivesItsResult) {
  const std::string k128 = "*07T" + std::string(124, '0');  // no carriage return
  const CheckCase cases[] = {
      {"not the answer", "07T", 1, "*08T0123\r", 2, 1, "reply was not answer to request"},
      {"no carriage return", "07T", 1, k128, 2, 1, "illegal last char. of reply message"},
      {"too few digits", "07T", 1, "*07T123\r", 1, 1, "illegal data length in reply msg"},
      {"too many digits", "07T", 1, "*07T01234\r", 1, 1, "illegal data length in reply msg"},
      {"letter in data", "07T", 1, "*07T01A3\r", 1, 1, "non numerical character in data"},
      {"plus is no sign", "07T", 1, "*07T+123\r", 1, 1, "non numerical character in data"},
      {"negative unsigned 16", "07T", 0, "*07T-0001\r", 1, 1, "negative value for unsigned gate"},
      {"negative unsigned 32", "07TL06", 5, "*07T-000001\r", 1, 1,
       "negative value for unsigned gate"},
      {"beyond 32 bits", "07TL10", 5, "*07T4294967296\r", 1, 1, "value out of range"},
      {"beyond signed 32 bits", "07TL10", 4, "*07T2147483648\r", 1, 1, "value out of range"},
      {"type never read", "07T", 2, "*07T0123\r", 2, 2, "illegal gate type"},
      {"secondary parameter differs", "07TS03", 1, "*07T040123\r", 2, 1,
       "reply was not answer to request"},
  };
  for (const CheckCase& c : cases) {
    for (const bool after_error : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (after_error ? ", after an error reply" : ""));
      SetUp();
      const Gate gate = Parsed(c.address, c.type);
      std::vector<Answer> answers = {{c.reply}, kSilence, kSilence, kSilence};
      if (after_error) answers = {kErrorReply, {c.reply}, kSilence, kSilence};
      fake().ScriptAnswers(answers);
      EXPECT_EQ(Read(gate), after_error ? c.after_one : c.after_two);
      const int attempt = after_error ? 2 : 1;
      const LogLine expected = Trace("DoRead() " + c.line + ", retry " + std::to_string(attempt) +
                                     " '" + c.address + "'");
      EXPECT_EQ(log_.lines()[after_error ? 1 : 0], expected);
      EXPECT_TRUE(UntouchedFrom(0));  // a failed attempt stores nothing
    }
  }
}

struct StoreCase {
  const char* address;
  int32_t type;
  std::string reply;
  int64_t value;  // 16 bits at offset 2 for types 0 and 1, 32 bits at offset 0 for 4 and 5
};

TEST_F(ReadTransactionTest, NumbersAreStoredInTheirWidthOnly) {
  const StoreCase cases[] = {
      {"07T", 0, "*07T0123\r", 123},
      {"07T", 0, "*07T9999\r", 9999},
      {"07T", 1, "*07T-0123\r", -123},
      {"07T", 1, "*07T-0000\r", 0},
      {"07TS03", 1, "*07T03-0042\r", -42},
      {"07TL00", 0, "*07T\r", 0},  // no digits: 0
      {"07TL00", 1, "*07T-\r", 0},
      {"07TL01", 1, "*07T7\r", 7},
      {"07TL06", 4, "*07T-000042\r", -42},
      {"07TL10", 4, "*07T-2147483648\r", INT32_MIN},
      {"07TL10", 4, "*07T2147483647\r", INT32_MAX},
      {"07TL10", 5, "*07T4294967295\r", UINT32_MAX},
      {"07TL12", 5, "*07T004294967295\r", UINT32_MAX},
  };
  for (const StoreCase& c : cases) {
    SCOPED_TRACE(c.address + (" " + c.reply));
    SetUp();
    const Gate gate = Parsed(c.address, c.type);
    fake().ScriptAnswers({{c.reply}});
    ASSERT_EQ(Read(gate), ORV_DONE);
    if (c.type == 0 || c.type == 1) {
      EXPECT_EQ(c.type == 0 ? int64_t{value_.unsigned16[1]} : int64_t{value_.signed16[1]}, c.value);
      EXPECT_EQ(static_cast<uint8_t>(value_.text[0]), kScribble);  // bytes 0 and 1 untouched
      EXPECT_EQ(static_cast<uint8_t>(value_.text[1]), kScribble);
    } else {
      EXPECT_EQ(c.type == 4 ? int64_t{value_.signed32} : int64_t{value_.unsigned32}, c.value);
    }
    EXPECT_TRUE(UntouchedFrom(4));
    EXPECT_TRUE(log_.lines().empty());
  }
}

TEST_F(ReadTransactionTest, TextIsStoredAsItCameWithItsTerminator) {
  struct TextCase {
    const char* address;
    std::string reply;
    std::string text;
  };
  const std::string longest(123, 'x');  // 128 characters in all: the most a reply holds
  const TextCase cases[] = {
      {"07T", "*07TABCD\r", "ABCD"},  // the reply length of the address does not count
      {"07T", "*07T\r", ""},
      {"07T", "*07T-12\r", "-12"},
      {"07TS03", "*07T03 A b\r", " A b"},
      {"07TL40", "*07T" + longest + "\r", longest},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.reply);
    SetUp();
    const Gate gate = Parsed(c.address, ORV_GATE_TEXT);
    fake().ScriptAnswers({{c.reply}});
    ASSERT_EQ(Read(gate), ORV_DONE);
    EXPECT_EQ(std::string(value_.text), c.text);
    EXPECT_TRUE(UntouchedFrom(c.text.size() + 1));
  }
}

TEST_F(ReadTransactionTest, ReadsRefusedWithoutTraffic) {
  struct Refusal {
    const char* name;
    const char* address;
    int32_t type;
    Lines lines;
  };
  const Refusal cases[] = {
      {"command gate", "05$g", 6, {Trace("DoRead() not supported for command gate '05$g'")}},
      {"comm. control gate",
       "3x*",
       6,
       {Trace("DoRead() not supported for comm. control gate '3x*'")}},
      {"disabled controller", "35T", 1, {}},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    block_.enable_table[35] = 0;
    EXPECT_EQ(Read(Parsed(c.address, c.type)), ORV_NOT_DONE);
    EXPECT_EQ(log_.lines(), c.lines);
    EXPECT_TRUE(fake().calls().empty());
    EXPECT_TRUE(UntouchedFrom(0));
  }
}

TEST_F(ReadTransactionTest, WithoutAPortEveryReadIsOneAndSilent) {
  ASSERT_EQ(ColdStart("NULLDEV"), ORV_DONE);
  for (const char* address : {"07T", "05$G", "17*"}) {
    EXPECT_EQ(Read(Parsed(address, ORV_GATE_SIGNED16)), ORV_NOT_DONE);
    EXPECT_TRUE(log_.lines().empty());
    EXPECT_TRUE(fake().calls().empty());
  }
}

TEST_F(ReadTransactionTest, DescriptorsTheParserCannotMakeAreRefused) {
  Gate gate = Parsed("07T", ORV_GATE_SIGNED16);
  const uint32_t bad[][2] = {{100, 0x4FFFF}, {7, 0x40064}, {7, 0x64FFFF}, {0xFFFFFFFF, 0x4FFFF}};
  for (const auto& [controller, parameter_word] : bad) {
    SCOPED_TRACE(controller);
    gate.descriptor.controller = controller;
    gate.descriptor.parameter_word = parameter_word;
    EXPECT_EQ(Read(gate), ORV_NOT_DONE);
    EXPECT_EQ(log_.lines(), (Lines{Error("DoRead() illegal gate descriptor '07T'")}));
    EXPECT_TRUE(fake().calls().empty());
  }
}

TEST_F(ReadTransactionTest, RequestWithSecondaryParameterAndItsKeepingInTheBlock) {
  const Gate gate = Parsed("12AS03", ORV_GATE_SIGNED16);
  fake().ScriptAnswers({{"*12A030042\r"}});
  ASSERT_EQ(Read(gate), ORV_DONE);
  EXPECT_EQ(fake().written(), "R12A03\r");
  EXPECT_EQ(std::string(block_.transfer, 7), "R12A03\r");  // built in the request area
  EXPECT_EQ(value_.signed16[1], 42);
}

}  // namespace
}  // namespace tavrik::test
