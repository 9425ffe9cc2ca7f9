// Every fixed-size field at its size and around it, without terminator, with an embedded NUL or
// a carriage return, and numbers at their limits and one beyond: each refused cleanly or handled,
// never wrapped or written past. Host buffers lie in heap allocations of exactly their size, so
// that the sanitizers see a byte read or written too many.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "protocol_fixture.h"

namespace tavrik::test {
namespace {

using Answer = FakeComm::Answer;

// A host buffer of exactly these bytes (no terminator unless they hold one).
std::unique_ptr<char[]> Exactly(const std::string& bytes) {
  std::unique_ptr<char[]> buffer(new char[bytes.size()]);
  std::memcpy(buffer.get(), bytes.data(), bytes.size());
  return buffer;
}

class BoundsTest : public ProtocolFixture {
 protected:
  int32_t ParseAt(const char* address, int32_t type, GateDescriptor* descriptor = nullptr) {
    ParseRecord record{};
    record.address = address;
    record.gate_type = type;
    log_.Clear();
    const int32_t result = Call(ORV_SINGLE_ADDRESS_PARSER, &record);
    if (descriptor != nullptr) *descriptor = record.descriptor;
    return result;
  }
  // The block's bytes beside the reply area: a reply written too far would change them.
  void ExpectBlockIntactAfterReplyArea(uint32_t gap) {
    EXPECT_EQ(Value(block_.inter_frame_gap), gap);
    for (uint8_t enabled : block_.enable_table) ASSERT_EQ(enabled, 1);
  }
};

TEST_F(BoundsTest, AddressTextAroundTheWorkingCopy) {
  const std::string refusal = "TAVRIK> Parse() Illegal length gate address string ";
  struct Case {
    std::string bytes;  // as the host's buffer holds them
    int32_t result;
    std::string line;  // empty: accepted
  };
  const std::string k31 = "07T" + std::string(28, 'A');
  const Case cases[] = {
      {std::string("07TS03L04") + '\0', ORV_DONE, ""},
      {k31.substr(0, 30) + '\0', ORV_NOT_DONE,
       "TAVRIK> Parse() Illegal character in gateaddress string " + k31.substr(0, 30)},
      {k31 + '\0', ORV_NOT_DONE, "TAVRIK> Parse() Illegal character in gateaddress string " + k31},
      {k31 + 'A' + '\0', ORV_NOT_DONE, refusal + k31},                   // 32 characters
      {k31 + "AA" + '\0', ORV_NOT_DONE, refusal + k31},                  // 33
      {k31 + std::string(33, 'A') + '\0', ORV_NOT_DONE, refusal + k31},  // 64
      {k31 + 'A', ORV_NOT_DONE, refusal + k31},                          // 32 bytes, no terminator
      {k31 + std::string(33, 'A'), ORV_NOT_DONE, refusal + k31},         // 64 bytes, no terminator
      {std::string("07T\0L05", 7) + '\0', ORV_DONE, ""},                 // ends at the embedded NUL
      {std::string("07\rT") + '\0', ORV_NOT_DONE,
       "TAVRIK> Parse() Illegal character in gateaddress string 07\rT"},
      {std::string("07T\r") + '\0', ORV_NOT_DONE,
       "TAVRIK> Parse() Illegal character in gateaddress string 07T\r"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.size());
    const auto buffer = Exactly(c.bytes);
    GateDescriptor descriptor{};
    EXPECT_EQ(ParseAt(buffer.get(), ORV_GATE_SIGNED16, &descriptor), c.result);
    if (c.line.empty()) {
      EXPECT_TRUE(log_.lines().empty());
    } else {
      EXPECT_EQ(log_.lines(), (std::vector<LogLine>{{ORV_LOG_ERROR, c.line}}));
    }
  }
}

TEST_F(BoundsTest, PortNameInItsTwelveBytes) {
  struct Case {
    std::string field;  // the 12 bytes, padded with NULs
    int32_t result;
    std::string opened;  // the name the open was asked for; empty: none
  };
  const Case cases[] = {
      {"ABCDEFGHIJK", ORV_NOT_DONE, "ABCDEFGHIJK"},  // 11: the longest name, no such port
      {"ABCDEFGHIJKL", ORV_NOT_DONE, ""},            // 12 without terminator: refused
      {std::string("COM1\0XYZABCD", 12), ORV_DONE, "COM1"},
      {"CO\rM1", ORV_NOT_DONE, "CO\rM1"},
  };
  ASSERT_EQ(Call(ORV_CLOSE_COM), ORV_DONE);  // the fixture's port: COM1 opens again below
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    ColdStartParams params{};
    std::memcpy(params.port_name, c.field.data(), std::min<std::size_t>(c.field.size(), 12));
    params.port_flag = 1;
    params.reply_timeout = 4;
    params.settings = k9600;
    fake().ClearCalls();
    EXPECT_EQ(Call(ORV_COLD_START, &params), c.result);
    const std::vector<std::string> opens = c.opened.empty()
                                               ? std::vector<std::string>{}
                                               : std::vector<std::string>{"Open " + c.opened};
    std::vector<std::string> made;
    for (const std::string& call : fake().calls())
      if (call.rfind("Open", 0) == 0) made.push_back(call);
    EXPECT_EQ(made, opens);
    Call(ORV_CLOSE_COM);
  }
}

TEST_F(BoundsTest, ReplyAroundItsHundredAndTwentyEightCharacters) {
  block_.inter_frame_gap = 3;
  struct Case {
    const char* address;
    std::string reply;
    int32_t result;
    std::size_t stored;  // text length on success
  };
  const Case cases[] = {
      {"07T", "*07T" + std::string(122, 'x') + "\r", ORV_DONE, 122},  // 127
      {"07T", "*07T" + std::string(123, 'x') + "\r", ORV_DONE, 123},  // 128: the longest
      {"07T", "*07T" + std::string(124, 'x') + "\r", ORV_FAILED, 0},  // 129: no CR in 128
      {"07T", "*07T" + std::string(252, 'x') + "\r", ORV_FAILED, 0},  // 256
      {"07TS03", "*07T03" + std::string(121, 'x') + "\r", ORV_DONE, 121},
      {"07T",
       std::string("*07T12\0"
                   "34\r",
                   10),
       ORV_DONE, 2},                         // stored up to the NUL
      {"07T", "*07T12\r34\r", ORV_DONE, 2},  // ends at the first CR
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply.size());
    const Gate gate = Parsed(c.address, ORV_GATE_TEXT);
    auto value = std::make_unique<ValueBlock>();  // exactly its size
    std::memset(value.get(), 0x5A, sizeof *value);
    fake().ScriptAnswers({{c.reply}, {c.reply}, {c.reply}, {c.reply}});
    EXPECT_EQ(Transfer(ORV_SINGLE_READ, gate, value.get()), c.result);
    if (c.result == ORV_DONE) {
      EXPECT_EQ(std::strlen(value->text), c.stored);
    }
    ExpectBlockIntactAfterReplyArea(3);
  }
}

TEST_F(BoundsTest, LongestWriteRequestsAndTextsWithoutTerminator) {
  // W, address, code, secondary, sign, 99 digits, CR: 107 characters.
  const Gate number = Parsed("07TS03L99", ORV_GATE_SIGNED32);
  value_.signed32 = INT32_MIN;
  const std::string longest = "W07T03-" + std::string(89, '0') + "2147483648\r";
  ASSERT_EQ(longest.size(), 107u);
  fake().ScriptAnswers({{"*" + longest.substr(1)}});
  EXPECT_EQ(Write(number), ORV_DONE);
  EXPECT_EQ(fake().written(), longest);

  // A text with no terminator anywhere in its ValueBlock: only the field's width is read.
  for (const char* address : {"07TL98", "07TL99", "07TS03L99"}) {
    SCOPED_TRACE(address);
    const Gate text = Parsed(address, ORV_GATE_TEXT);
    auto value = std::make_unique<ValueBlock>();
    std::memset(value->text, 'Q', sizeof value->text);
    fake().ScriptAnswers({{"(no answer needed)"}});
    Transfer(ORV_SINGLE_WRITE, text, value.get());
    const std::string& written = fake().written();
    EXPECT_LE(written.find('\r'), 106u);
  }
}

TEST_F(BoundsTest, NumbersReadAtTheirLimitsAndOneBeyond) {
  struct Case {
    int32_t type;
    uint32_t digits;
    std::string data;
    bool fits;
    int64_t value;
  };
  const Case cases[] = {
      {0, 5, "65535", true, 65535},
      {0, 5, "65536", false, 0},
      {1, 5, "32767", true, 32767},
      {1, 5, "32768", false, 0},
      {1, 5, "-32768", true, -32768},
      {1, 5, "-32769", false, 0},
      {4, 10, "2147483647", true, INT32_MAX},
      {4, 10, "2147483648", false, 0},
      {4, 10, "-2147483648", true, INT32_MIN},
      {4, 10, "-2147483649", false, 0},
      {5, 10, "4294967295", true, UINT32_MAX},
      {5, 10, "4294967296", false, 0},
      {5, 20, "99999999999999999999", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    // A host may hand in a gate type the descriptor's width was not parsed for.
    Gate gate = Parsed("07TL05", ORV_GATE_SIGNED32);
    gate.type = c.type;
    gate.descriptor.parameter_word = (c.digits << 16) | 0xFFFF;
    std::memset(&value_, kScribble, sizeof value_);
    const std::string reply = "*07T" + c.data + "\r";
    fake().ScriptAnswers({{reply}, {reply}, {reply}, {reply}});
    EXPECT_EQ(Read(gate), c.fits ? ORV_DONE : ORV_NOT_DONE);
    if (!c.fits) {
      EXPECT_TRUE(UntouchedFrom(0));
      EXPECT_EQ(log_.lines().front(), Trace("DoRead() value out of range, retry 1 '07TL05'"));
    } else if (c.type <= 1) {
      EXPECT_EQ(c.type == 0 ? int64_t{value_.unsigned16[1]} : int64_t{value_.signed16[1]}, c.value);
    } else {
      EXPECT_EQ(c.type == 4 ? int64_t{value_.signed32} : int64_t{value_.unsigned32}, c.value);
    }
  }
}

TEST_F(BoundsTest, NumbersWrittenAtTheirLimits) {
  struct Case {
    int32_t type;
    uint32_t digits;
    int64_t value;
    std::string data;  // empty: refused for overflow
  };
  const Case cases[] = {
      {0, 5, 65535, "65535"},
      {1, 5, -32768, "-32768"},
      {1, 5, 32767, "32767"},
      {1, 4, -32768, ""},
      {4, 10, INT32_MIN, "-2147483648"},
      {5, 10, UINT32_MAX, "4294967295"},
      {5, 9, UINT32_MAX, ""},
      {0, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + " " + std::to_string(c.value));
    Gate gate = Parsed("07TL05", ORV_GATE_SIGNED32);
    gate.type = c.type;
    gate.descriptor.parameter_word = (c.digits << 16) | 0xFFFF;
    if (c.type == 0) value_.unsigned16[1] = static_cast<uint16_t>(c.value);
    if (c.type == 1) value_.signed16[1] = static_cast<int16_t>(c.value);
    if (c.type == 4) value_.signed32 = static_cast<int32_t>(c.value);
    if (c.type == 5) value_.unsigned32 = static_cast<uint32_t>(c.value);
    const std::string request = "W07T" + c.data + "\r";
    fake().ScriptAnswers({{"*" + request.substr(1)}});
    const int32_t result = Write(gate);
    if (c.data.empty() && c.digits > 0) {
      EXPECT_EQ(result, ORV_NOT_DONE);
      EXPECT_TRUE(fake().written().empty());
    } else {
      EXPECT_EQ(result, ORV_DONE);
      EXPECT_EQ(fake().written(), request);
    }
  }
}

}  // namespace
}  // namespace tavrik::test
