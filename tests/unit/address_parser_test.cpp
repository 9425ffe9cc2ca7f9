// SingleAddressParser: one table of address texts and gate types with their descriptors or
// refusal lines, and the matrix of gate types each width accepts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "driver_entry.h"
#include "log_capture.h"

namespace tavrik::test {
namespace {

constexpr int32_t Class(char c) {
  return static_cast<int32_t>(static_cast<signed char>(c));
}

GateDescriptor Descriptor(uint32_t controller, int32_t gate_class, uint32_t parameter_word,
                          uint32_t width) {
  return {controller, gate_class, parameter_word, -1, width};
}

// A descriptor filled with a pattern, to show what the parser wrote.
GateDescriptor Scribbled() {
  GateDescriptor d;
  std::memset(&d, 0xA5, sizeof d);
  return d;
}

struct ParseCase {
  const char* name;
  const char* text;  // may be null
  int32_t type;
  int32_t result;
  GateDescriptor descriptor;  // when accepted
  std::string line;           // the one level-32 line, when refused
  bool descriptor_untouched;  // refused before anything is written
};

ParseCase Accept(const char* name, const char* text, int32_t type, GateDescriptor d) {
  return {name, text, type, ORV_DONE, d, "", false};
}
ParseCase Refuse(const char* name, const char* text, int32_t type, std::string line,
                 bool untouched = false) {
  return {name, text, type, ORV_NOT_DONE, {}, "TAVRIK> " + line, untouched};
}

void PrintTo(const ParseCase& c, std::ostream* out) {
  *out << c.name;
}

// Deliberately not 31 or 32 characters of a real address: the length alone decides.
const std::string k31 = "07T" + std::string(28, 'A');
const std::string k32 = "07t" + std::string(29, 'a');
const std::string k40 = "07t" + std::string(37, 'a');

// Command class: '$' in the low byte, the command character in bits 16 to 23, both sign-extended.
constexpr int32_t kCommandG = 0x00470024;
constexpr int32_t kCommandHighBit = static_cast<int32_t>(0xFFE90024u);

const ParseCase kCases[] = {
    // Parameter gates.
    Accept("parameter", "07T", 1, Descriptor(7, 'T', 0x4FFFF, 16)),
    Accept("parameter_lower_case", "07t", 1, Descriptor(7, 'T', 0x4FFFF, 16)),
    Accept("secondary_and_length", "07TS03L06", 4, Descriptor(7, 'T', 0x60003, 32)),
    Accept("secondary_and_length_lower_case", "07ts03l06", 5, Descriptor(7, 'T', 0x60003, 32)),
    Accept("controller_before_x", "5XT", 0, Descriptor(5, 'T', 0x4FFFF, 16)),
    Accept("controller_zero", "00A", 2, Descriptor(0, 'A', 0x4FFFF, 16)),
    Accept("controller_99", "99A", 7, Descriptor(99, 'A', 0x4FFFF, 16)),
    Accept("class_with_high_bit", "07\xE9", 1, Descriptor(7, Class('\xE9'), 0x4FFFF, 16)),
    Accept("length_4_is_16_bit", "07TL04", 1, Descriptor(7, 'T', 0x4FFFF, 16)),
    Accept("length_5_is_32_bit", "07TL05", 5, Descriptor(7, 'T', 0x5FFFF, 32)),
    Accept("length_0", "07TL00", 0, Descriptor(7, 'T', 0x0FFFF, 16)),
    Accept("length_99", "00TL99", 7, Descriptor(0, 'T', 0x63FFFF, 32)),
    Accept("length_blank_then_digit", "07TL 5", 4, Descriptor(7, 'T', 0x5FFFF, 32)),
    Accept("length_plus_sign", "07TL+5", 5, Descriptor(7, 'T', 0x5FFFF, 32)),
    Accept("length_cursor_moves_three_whatever_read", "07TL5X", 4, Descriptor(7, 'T', 0x5FFFF, 32)),
    Accept("secondary_blank_then_digit", "07TS 3", 1, Descriptor(7, 'T', 0x40003, 16)),
    Accept("secondary_plus_sign", "07TS+3", 1, Descriptor(7, 'T', 0x40003, 16)),
    Accept("secondary_only", "07TS99", 0, Descriptor(7, 'T', 0x40063, 16)),
    // Command gates.
    Accept("command", "05$G", 0, Descriptor(5, kCommandG, 0xFFFF, 1)),
    Accept("command_lower_case", "05$g", 6, Descriptor(5, kCommandG, 0xFFFF, 1)),
    Accept("command_with_high_bit", "05$\xE9", 6, Descriptor(5, kCommandHighBit, 0xFFFF, 1)),
    // Communication-control gates.
    Accept("comm_control_one", "17*", 5, Descriptor(255, '*', 0xFFFF, 1)),
    Accept("comm_control_ten", "3X*", 0, Descriptor(255, '*', 0xFFFF, 1)),
    Accept("comm_control_ten_lower_case", "3x*", 6, Descriptor(255, '*', 0xFFFF, 1)),
    Accept("comm_control_all", "XX*", 4, Descriptor(255, '*', 0xFFFF, 1)),

    // Character check of the first two positions: nothing written to the descriptor.
    Refuse("first_character", "A1T", 1, "Parse() Illegal character 1 in 'A1T'", true),
    Refuse("second_character", "7T", 1, "Parse() Illegal character 2 in '7T'", true),
    Refuse("before_star", "1A*", 1, "Parse() Illegal character 2 in '1A*'", true),
    Refuse("lower_case_in_copy", "0a", 1, "Parse() Illegal character 2 in '0A'", true),
    // Length.
    Refuse("empty", "", 1, "Parse() Illegal length gate address string "),
    Refuse("missing", nullptr, 1, "Parse() Illegal length gate address string "),
    Refuse("one_character", "7", 1, "Parse() Illegal length gate address string 7"),
    Refuse("two_characters", "12", 1, "Parse() Illegal length gate address string 12"),
    Refuse("longest_copy_then_fields", k31.c_str(), 1,
           "Parse() Illegal character in gateaddress string " + k31),
    Refuse("32_characters", k32.c_str(), 1, "Parse() Illegal length gate address string " + k31,
           true),
    Refuse("40_characters", k40.c_str(), 1, "Parse() Illegal length gate address string " + k31,
           true),
    // Controller address.
    Refuse("x_first", "X7T", 1, "Parse() Illegal PLC address, gate X7T"),
    Refuse("x_both_lower_case", "xxt", 1, "Parse() Illegal PLC address, gate XXT"),
    // Communication control.
    Refuse("comm_control_x_then_digit", "X3*", 1,
           "Parse() Comm. control gate illegal plc address, gate 'X3*'"),
    Refuse("comm_control_too_long", "17*A", 1,
           "Parse() Illegal length gate address string comm. control gate '17*A'"),
    // Command.
    Refuse("command_too_long", "05$GH", 6,
           "Parse() Illegal length gate address string command gate '05$GH'"),
    Refuse("command_without_character", "05$", 6,
           "Parse() Illegal length gate address string command gate '05$'"),
    // S and L fields.
    Refuse("secondary_without_number", "07TS", 1, "Parse() Illegal Secondary Parameter, gate 07TS"),
    Refuse("secondary_letters", "07TSAB", 1, "Parse() Illegal Secondary Parameter, gate 07TSAB"),
    Refuse("secondary_minus", "07TS-1", 1, "Parse() Illegal Secondary Parameter, gate 07TS-1"),
    Refuse("length_without_number", "07TL", 1, "Parse() Illegal Reply Length field, gate 07TL"),
    Refuse("length_without_number_after_secondary", "07TS03L", 1,
           "Parse() Illegal Reply Length field, gate 07TS03L"),
    Refuse("length_minus", "07TL-5", 4, "Parse() Illegal Reply Length field, gate 07TL-5"),
    Refuse("secondary_one_digit_then_length", "07TS3L05", 1,
           "Parse() Illegal character in gateaddress string 07TS3L05"),
    Refuse("length_before_secondary", "07TL05S03", 4,
           "Parse() Illegal character in gateaddress string 07TL05S03"),
    Refuse("secondary_one_digit_at_end", "07TS3", 1,
           "Parse() Illegal character in gateaddress string 07TS3"),
    Refuse("length_one_digit_at_end", "07TL5", 4,
           "Parse() Illegal character in gateaddress string 07TL5"),
    Refuse("length_two_blanks", "07TL  5", 4,
           "Parse() Illegal character in gateaddress string 07TL  5"),
    Refuse("unknown_field", "07TX", 1, "Parse() Illegal character in gateaddress string 07TX"),
    // Gate type against width (the whole matrix is below).
    Refuse("length_5_as_16_bit_type", "07TL05", 1,
           "SingleParse() Gate type should be LONG or string"),
    Refuse("command_as_text", "05$G", 7,
           "SingleParse() Gate type should be analog 16-bit or STRING"),
};

class ParseTableTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTableTest, ResultDescriptorAndLine) {
  const ParseCase& c = GetParam();
  LogCapture log;
  ParseRecord record{};
  record.address = c.text;
  record.gate_type = c.type;
  record.descriptor = Scribbled();
  OrvRequest request{};
  request.code = ORV_SINGLE_ADDRESS_PARSER;  // no instance: the parser needs none
  request.params = &record;

  ASSERT_EQ(CallDriver(request), c.result);
  if (c.result == ORV_DONE) {
    EXPECT_EQ(record.descriptor.controller, c.descriptor.controller);
    EXPECT_EQ(record.descriptor.gate_class, c.descriptor.gate_class);
    EXPECT_EQ(record.descriptor.parameter_word, c.descriptor.parameter_word);
    EXPECT_EQ(record.descriptor.reserved, -1);
    EXPECT_EQ(record.descriptor.width, c.descriptor.width);
    EXPECT_TRUE(log.lines().empty());
  } else {
    EXPECT_EQ(log.lines(), (std::vector<LogLine>{{ORV_LOG_ERROR, c.line}}));
    if (c.descriptor_untouched) {
      const GateDescriptor scribbled = Scribbled();
      EXPECT_EQ(std::memcmp(&record.descriptor, &scribbled, sizeof scribbled), 0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Addresses, ParseTableTest, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

// Which gate types each width accepts, and the line for every type it refuses.
TEST(GateTypeCheck, TypesAcceptedByWidth) {
  struct Width {
    const char* address;
    std::vector<int32_t> accepted;
    const char* refusal;
  };
  const std::string analog = "TAVRIK> SingleParse() Gate type should be analog 16-bit or STRING";
  const std::string long_or_text = "TAVRIK> SingleParse() Gate type should be LONG or string";
  const Width widths[] = {
      {"05$G", {0, 1, 2, 4, 5, 6}, analog.c_str()},  // width 1: command
      {"17*", {0, 1, 2, 4, 5, 6}, analog.c_str()},   // width 1: communication control
      {"07T", {0, 1, 2, 7}, analog.c_str()},         // width 16
      {"07TL05", {4, 5, 7}, long_or_text.c_str()},   // width 32
  };
  for (const Width& width : widths) {
    for (int32_t type = -2; type <= 9; ++type) {
      SCOPED_TRACE(std::string(width.address) + " type " + std::to_string(type));
      LogCapture log;
      ParseRecord record{};
      record.address = width.address;
      record.gate_type = type;
      OrvRequest request{};
      request.code = ORV_SINGLE_ADDRESS_PARSER;
      request.params = &record;
      const bool accepted =
          std::find(width.accepted.begin(), width.accepted.end(), type) != width.accepted.end();
      EXPECT_EQ(CallDriver(request), accepted ? ORV_DONE : ORV_NOT_DONE);
      std::vector<LogLine> expected_lines;
      if (!accepted) expected_lines.push_back({ORV_LOG_ERROR, width.refusal});
      EXPECT_EQ(log.lines(), expected_lines);
    }
  }
}

}  // namespace
}  // namespace tavrik::test
