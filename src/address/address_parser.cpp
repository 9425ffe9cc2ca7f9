// Address forms (NN: two characters, each a digit or X; p: a parameter code):
//   NN p [S dd] [L dd]   parameter gate
//   NN $ c               command gate, command character c
//   dd* dX* XX*          communication-control gate: one controller, ten, or all
#include "address/address_parser.h"

#include <cstring>

#include "address/field_scan.h"
#include "address/gate_descriptor.h"
#include "host/log.h"
#include "tavrik/codes.h"

namespace tavrik {
namespace {

constexpr std::size_t kLongestAddress = kWorkingCopySize - 1;

// Only the first two positions are checked character by character; the third position's entry
// is empty and ends the check.
constexpr std::size_t kCheckedPositions = 2;
constexpr const char* kControllerCharacters = "0123456789X";

constexpr std::size_t kShortestAddress = 3;
constexpr std::size_t kCommControlLength = 3;
constexpr std::size_t kCommandLength = 4;
constexpr std::size_t kClassPosition = 2;  // counted from 0

// An S or L field: its letter and two characters. The cursor moves this far on from the letter,
// whatever the number's scan consumed.
constexpr std::size_t kFieldLength = 3;
constexpr char kSecondaryField = 'S';
constexpr char kReplyLengthField = 'L';

struct WorkingCopy {
  char text[kWorkingCopySize];
  std::size_t length;
  bool too_long;  // the address had more characters than the copy holds
};

char ToUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Copies at most kLongestAddress characters and reads the host's text no further than one
// character past them.
WorkingCopy MakeWorkingCopy(const char* address) {
  WorkingCopy copy{};
  if (address == nullptr) address = "";
  std::size_t n = 0;
  for (; n < kLongestAddress && address[n] != '\0'; ++n) copy.text[n] = ToUpper(address[n]);
  copy.text[n] = '\0';
  copy.length = n;
  copy.too_long = address[n] != '\0';
  return copy;
}

int32_t RefuseTrailingCharacters(const char* text) {
  TAVRIK_LOG(kLogError, "TAVRIK> Parse() Illegal character in gateaddress string %s", text);
  return ORV_NOT_DONE;
}

int32_t ParseCommControlGate(const WorkingCopy& copy, GateDescriptor& d) {
  d.gate_class = SignExtended(kCommControlClass);
  if (copy.text[0] == 'X' && copy.text[1] != 'X') {
    TAVRIK_LOG(kLogError, "TAVRIK> Parse() Comm. control gate illegal plc address, gate '%s'",
               copy.text);
    return ORV_NOT_DONE;
  }
  if (copy.length != kCommControlLength) {
    TAVRIK_LOG(kLogError,
               "TAVRIK> Parse() Illegal length gate address string comm. control gate '%s'",
               copy.text);
    return ORV_NOT_DONE;
  }
  d.parameter_word = kNoSecondaryParameter;
  d.width = kWidthCommand;
  d.controller = kCommControlController;
  return ORV_DONE;
}

int32_t ParseCommandGate(const WorkingCopy& copy, GateDescriptor& d) {
  if (copy.length != kCommandLength) {
    TAVRIK_LOG(kLogError, "TAVRIK> Parse() Illegal length gate address string command gate '%s'",
               copy.text);
    return ORV_NOT_DONE;
  }
  // Both characters sign-extended from a signed byte; the command character then shifted.
  const uint32_t command = static_cast<uint32_t>(SignExtended(copy.text[kCommandLength - 1]));
  d.gate_class = static_cast<int32_t>(static_cast<uint32_t>(d.gate_class) | (command << 16));
  d.parameter_word = kNoSecondaryParameter;
  d.width = kWidthCommand;
  return ORV_DONE;
}

// The optional S and L fields after the parameter code. A minus sign is refused: it would give a
// secondary parameter or reply length no transaction can use.
int32_t ParseParameterFields(const WorkingCopy& copy, GateDescriptor& d) {
  const char* text = copy.text;
  std::size_t cursor = kClassPosition + 1;

  if (text[cursor] == kSecondaryField) {
    const FieldScan secondary = ScanTwoCharacterNumber(text + cursor + 1);
    if (!secondary.found || secondary.negative) {
      TAVRIK_LOG(kLogError, "TAVRIK> Parse() Illegal Secondary Parameter, gate %s", text);
      return ORV_NOT_DONE;
    }
    d.parameter_word = ParameterWord(ReplyLength(d), secondary.value);
    cursor += kFieldLength;
    // A one-character field at the end: the cursor would pass the terminator.
    if (cursor > copy.length) return RefuseTrailingCharacters(text);
  }

  if (text[cursor] == kReplyLengthField) {
    const FieldScan reply_length = ScanTwoCharacterNumber(text + cursor + 1);
    if (!reply_length.found || reply_length.negative) {
      TAVRIK_LOG(kLogError, "TAVRIK> Parse() Illegal Reply Length field, gate %s", text);
      return ORV_NOT_DONE;
    }
    d.parameter_word = ParameterWord(reply_length.value, SecondaryParameter(d));
    cursor += kFieldLength;
    if (cursor > copy.length) return RefuseTrailingCharacters(text);
    if (reply_length.value > kLongestReplyFor16) d.width = kWidth32;
  }

  if (cursor != copy.length) return RefuseTrailingCharacters(text);
  return ORV_DONE;
}

}  // namespace

int32_t Parse(const char* address, GateDescriptor& d) {
  const WorkingCopy copy = MakeWorkingCopy(address);
  const char* text = copy.text;

  if (copy.too_long) {
    TAVRIK_LOG(kLogError, "TAVRIK> Parse() Illegal length gate address string %s", text);
    return ORV_NOT_DONE;
  }
  for (std::size_t position = 0; position < kCheckedPositions && position < copy.length;
       ++position) {
    if (std::strchr(kControllerCharacters, text[position]) == nullptr) {
      TAVRIK_LOG(kLogError, "TAVRIK> Parse() Illegal character %d in '%s'",
                 static_cast<int>(position + 1), text);
      return ORV_NOT_DONE;
    }
  }

  d.reserved = kReservedField;
  d.width = kWidth16;
  d.parameter_word = ParameterWord(kDefaultReplyLength, kNoSecondaryParameter);

  if (copy.length < kShortestAddress) {
    TAVRIK_LOG(kLogError, "TAVRIK> Parse() Illegal length gate address string %s", text);
    return ORV_NOT_DONE;
  }
  if (text[kClassPosition] == kCommControlClass) return ParseCommControlGate(copy, d);

  // The one or two digits before any X; none when the address starts with X.
  const FieldScan controller = ScanTwoCharacterNumber(text);
  if (!controller.found) {
    TAVRIK_LOG(kLogError, "TAVRIK> Parse() Illegal PLC address, gate %s", text);
    return ORV_NOT_DONE;
  }
  d.controller = controller.value;
  d.gate_class = SignExtended(text[kClassPosition]);

  if (text[kClassPosition] == kCommandClass) return ParseCommandGate(copy, d);
  return ParseParameterFields(copy, d);
}

}  // namespace tavrik
