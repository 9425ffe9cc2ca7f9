#include "fault_effect.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "text_syntax.h"

namespace fghsim {

namespace {

constexpr size_t kDefaultGarbage = 16;
constexpr size_t kDefaultFlood = 128;

// Noise from a fixed sequence, so that a test sees the same bytes each run: printable characters
// other than the reply leaders * and ?, and with `nul` every third byte a NUL.
std::string Garbage(size_t length, bool nul) {
  static constexpr std::string_view kAlphabet =
      "!\"#%&'()+,-./0123456789:;<=>@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{|}~";
  std::string noise;
  std::uint32_t state = 0x2545F491u;
  for (size_t i = 0; i < length; ++i) {
    state = state * 1664525u + 1013904223u;
    noise += nul && i % 3 == 2 ? '\0' : kAlphabet[(state >> 16) % kAlphabet.size()];
  }
  return noise + '\r';
}

// The reply with its echo altered: for a positive reply the code or command after the address,
// for an error reply the address's last digit (a reply that seems to come from another
// controller).
std::string WrongEcho(std::string reply) {
  if (reply.size() < 4) return reply;
  const size_t at = reply[0] == '*' ? 3 : 2;
  char& c = reply[at];
  if (IsDigit(c)) {
    c = static_cast<char>('0' + (c - '0' + 1) % 10);
  } else {
    c = c == 'X' ? 'Y' : 'X';
  }
  return reply;
}

std::string Flood(std::string_view reply, size_t length) {
  std::string pattern(reply.substr(0, reply.size() - 1));
  if (pattern.empty()) pattern = "*";
  std::string flood;
  while (flood.size() < length) flood += pattern;
  flood.resize(length);
  return flood;
}

std::string ErrorReply(const Fault& fault) {
  std::string reply = "?" + TwoDigitText(fault.target.address) + fault.error_code;
  if (fault.warning_code) reply += *fault.warning_code;
  return reply + '\r';
}

}  // namespace

bool RequestTakesEffect(const Fault& fault) {
  return fault.kind != FaultKind::kSilent && fault.kind != FaultKind::kError;
}

ReplyPlan ShapeReply(const Fault& fault, std::string_view reply) {
  ReplyPlan plan{std::string(reply), fault.delay_ms, fault.gap_ms, false};
  const size_t without_cr = reply.empty() ? 0 : reply.size() - 1;
  const auto length_or = [&](size_t otherwise) {
    return fault.length ? static_cast<size_t>(*fault.length) : otherwise;
  };
  switch (fault.kind) {
    case FaultKind::kNormal:
      break;
    case FaultKind::kSilent:
      plan.bytes.clear();
      break;
    case FaultKind::kError:
      plan.bytes = ErrorReply(fault);
      break;
    case FaultKind::kWrongEcho:
      plan.bytes = WrongEcho(plan.bytes);
      break;
    case FaultKind::kWrongFirst:
      if (!plan.bytes.empty()) plan.bytes[0] = fault.first;
      break;
    case FaultKind::kGarbage:
      plan.bytes = Garbage(length_or(kDefaultGarbage), fault.nul);
      break;
    case FaultKind::kCut:
      plan.bytes.resize(std::min(length_or(without_cr), without_cr));
      break;
    case FaultKind::kFlood:
      plan.bytes = Flood(reply, length_or(kDefaultFlood));
      break;
    case FaultKind::kDouble:
      plan.bytes += reply;
      break;
    case FaultKind::kDrop:
      plan.bytes.resize(std::min(length_or(reply.size() / 2), reply.size()));
      plan.drop_line = true;
      break;
    case FaultKind::kRaw:
      plan.bytes = fault.raw;
      break;
  }
  return plan;
}

}  // namespace fghsim
