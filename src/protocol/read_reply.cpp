#include "protocol/read_reply.h"

#include <cstring>

#include "host/log.h"
#include "protocol/line_exchange.h"
#include "tavrik/codes.h"

namespace tavrik {
namespace {

struct Number {
  uint32_t value;
  bool beyond_32_bits;
};

// The decimal value of digits known to be 0 to 9 (none gives 0).
Number DecimalValue(const char* digits, std::size_t count) {
  uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    value = value * 10 + static_cast<uint64_t>(digits[i] - '0');
    if (value > UINT32_MAX) return {0, true};
  }
  return {static_cast<uint32_t>(value), false};
}

bool AllDigits(const char* data, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    if (data[i] < '0' || data[i] > '9') return false;
  return true;
}

// Whether a magnitude fits a gate type, a "-" before it allowing one more for signed types.
bool FitsGateType(Number number, bool negative, int32_t gate_type) {
  if (number.beyond_32_bits) return false;
  switch (gate_type) {
    case ORV_GATE_UNSIGNED16:
      return number.value <= UINT16_MAX;
    case ORV_GATE_SIGNED16:
      return number.value <= (negative ? 32768u : 32767u);
    case ORV_GATE_SIGNED32:
      return number.value <= (negative ? 2147483648u : 2147483647u);
    default:
      return true;  // unsigned 32-bit: any 32-bit number
  }
}

}  // namespace

int32_t ReadReplyCheck::Check(const char* reply, std::size_t length, int32_t previous,
                              int attempt) {
  // The body is everything between R and the carriage return; the reply repeats it after "*".
  const std::size_t body = request_.length - 2;
  if (length < body + 1 || std::memcmp(reply + 1, request_.text + 1, body) != 0) {
    TAVRIK_LOG(kLogTrace, "TAVRIK> DoRead() reply was not answer to request, retry %d '%s'",
               attempt, address_text_);
    return FollowPrevious(previous);
  }
  const std::size_t data_at = body + 1;
  const bool negative = length > data_at && reply[data_at] == '-';
  // A reply without its carriage return has filled all 128 characters.
  if (length <= data_at || reply[length - 1] != kCarriageReturn) {
    TAVRIK_LOG(kLogTrace, "TAVRIK> DoRead() illegal last char. of reply message, retry %d '%s'",
               attempt, address_text_);
    return FollowPrevious(previous);
  }
  const char* data = reply + data_at;
  const std::size_t data_length = length - 1 - data_at;
  if (gate_type_ != ORV_GATE_TEXT) {
    if (length != request_.length + digits_ + (negative ? 1 : 0)) {
      TAVRIK_LOG(kLogTrace, "TAVRIK> DoRead() illegal data length in reply msg, retry %d '%s'",
                 attempt, address_text_);
      return ORV_NOT_DONE;
    }
    if (!AllDigits(data + (negative ? 1 : 0), digits_)) {
      TAVRIK_LOG(kLogTrace, "TAVRIK> DoRead() non numerical character in data, retry %d '%s'",
                 attempt, address_text_);
      return ORV_NOT_DONE;
    }
  }
  return Store(data, data_length, negative, attempt);
}

int32_t ReadReplyCheck::Store(const char* data, std::size_t data_length, bool negative,
                              int attempt) {
  const bool is_unsigned = gate_type_ == ORV_GATE_UNSIGNED16 || gate_type_ == ORV_GATE_UNSIGNED32;
  switch (gate_type_) {
    case ORV_GATE_TEXT:
      // The data as they came, a "-" included, ending where the carriage return stood.
      std::memcpy(value_.text, data, data_length);
      value_.text[data_length] = '\0';
      return ORV_DONE;
    case ORV_GATE_UNSIGNED16:
    case ORV_GATE_SIGNED16:
    case ORV_GATE_UNSIGNED32:
    case ORV_GATE_SIGNED32:
      break;
    default:  // types that cannot be read are refused only after the whole exchange
      TAVRIK_LOG(kLogTrace, "TAVRIK> DoRead() illegal gate type, retry %d '%s'", attempt,
                 address_text_);
      return ORV_FAILED;
  }
  if (negative && is_unsigned) {
    TAVRIK_LOG(kLogTrace, "TAVRIK> DoRead() negative value for unsigned gate, retry %d '%s'",
               attempt, address_text_);
    return ORV_NOT_DONE;
  }
  // A reply length of 0 leaves no digits: the value is 0.
  const Number number = DecimalValue(data + (negative ? 1 : 0), digits_);
  if (!FitsGateType(number, negative, gate_type_)) {
    TAVRIK_LOG(kLogTrace, "TAVRIK> DoRead() value out of range, retry %d '%s'", attempt,
               address_text_);
    return ORV_NOT_DONE;
  }
  // Negated in the value's own width; only the value's bytes of the block are written.
  if (gate_type_ == ORV_GATE_UNSIGNED16 || gate_type_ == ORV_GATE_SIGNED16) {
    const auto magnitude = static_cast<uint16_t>(number.value);
    value_.unsigned16[1] = negative ? static_cast<uint16_t>(0u - magnitude) : magnitude;
  } else {
    value_.unsigned32 = negative ? 0u - number.value : number.value;
  }
  return ORV_DONE;
}

}  // namespace tavrik
