// Faults: how a controller misbehaves on purpose, written as
//   TARGET KIND [ARGUMENTS] [count=N] [delay=MS] [gap=MS]
// in the plant file (after "fault"), on the command line (--fault) and on the control channel.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fghsim {

// A controller ("07"), one parameter code or command of it ("07/T"), or a parameter code with a
// secondary parameter ("07/T03").
struct FaultTarget {
  int address = 0;
  std::optional<char> code;
  std::optional<int> secondary;

  // How narrow the target is: a narrower target's fault wins over a wider one's.
  int Narrowness() const;
  // Whether a request line (without its CR) to the target's controller falls under the target:
  // its code is the character after the address, its secondary the two characters after that.
  bool Covers(std::string_view line) const;
  bool operator==(const FaultTarget&) const = default;
};

FaultTarget ParseFaultTarget(std::string_view word);
std::string FaultTargetText(const FaultTarget& target);

enum class FaultKind {
  kNormal,      // the right reply (with delay= or gap=: late or trickling)
  kSilent,      // no reply; the request has no effect
  kError,       // ?AA E [W] CR; the request has no effect
  kWrongEcho,   // the echoed request altered
  kWrongFirst,  // the first character replaced
  kGarbage,     // noise, then CR
  kCut,         // the reply cut off, no CR
  kFlood,       // characters without any CR
  kDouble,      // the reply twice, back to back
  kDrop,        // part of the reply, then the line drops
  kRaw,         // exactly the given bytes
};

struct Fault {
  FaultTarget target;
  FaultKind kind = FaultKind::kNormal;
  char error_code = '0';             // error
  std::optional<char> warning_code;  // error: none gives the 5-character form
  char first = '#';                  // first
  std::optional<long> length;        // garbage, cut, flood, drop: characters sent
  bool nul = false;                  // garbage: NUL bytes among the noise
  std::string raw;                   // raw
  long delay_ms = 0;                 // before the first character
  long gap_ms = 0;                   // between characters
  std::optional<long> count;         // requests it still applies to; none: until cleared
};

// Words after "fault": target, kind, the kind's arguments and options. Throws SyntaxError.
Fault ParseFault(const std::vector<std::string>& words);

// The fault in the words ParseFault reads, for the trace and the control channel.
std::string DescribeFault(const Fault& fault);

}  // namespace fghsim
