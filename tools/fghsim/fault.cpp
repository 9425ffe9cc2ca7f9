#include "fault.h"

#include <array>
#include <utility>

#include "text_syntax.h"

namespace fghsim {

namespace {

constexpr std::array<std::pair<std::string_view, FaultKind>, 11> kKindNames{{
    {"normal", FaultKind::kNormal},
    {"silent", FaultKind::kSilent},
    {"error", FaultKind::kError},
    {"echo", FaultKind::kWrongEcho},
    {"first", FaultKind::kWrongFirst},
    {"garbage", FaultKind::kGarbage},
    {"cut", FaultKind::kCut},
    {"flood", FaultKind::kFlood},
    {"double", FaultKind::kDouble},
    {"drop", FaultKind::kDrop},
    {"raw", FaultKind::kRaw},
}};

constexpr long kMaxLength = 100000;

// A character as a word that reads back as itself (a blank or a leading # would not).
std::string CharacterWord(char c) {
  if (c == ' ') return "\\x20";
  if (c == '#') return "\\x23";
  return Printable(std::string_view(&c, 1));
}

FaultKind ParseKind(std::string_view word) {
  for (const auto& [name, kind] : kKindNames) {
    if (word == name) return kind;
  }
  throw SyntaxError("unknown fault '" + Printable(word) +
                    "' (normal, silent, error, echo, first, garbage, cut, flood, double, drop, "
                    "raw)");
}

std::string_view KindName(FaultKind kind) {
  for (const auto& [name, each] : kKindNames) {
    if (each == kind) return name;
  }
  return "?";
}

char OneCharacter(const std::string& word, std::string_view what) {
  if (word.size() != 1 || word == "\r") {
    throw SyntaxError(std::string(what) + " must be one character, not '" + Printable(word) + "'");
  }
  return word[0];
}

// Reads count=, delay= and gap=; false when the word is no option.
bool ReadOption(const std::string& word, Fault& fault) {
  const size_t equals = word.find('=');
  if (equals == std::string::npos) return false;
  const std::string_view name = std::string_view(word).substr(0, equals);
  const std::string_view value = std::string_view(word).substr(equals + 1);
  if (name == "count") {
    fault.count = ParseNumber(value, 1, 1000000, "count");
  } else if (name == "delay") {
    fault.delay_ms = ParseNumber(value, 0, 600000, "delay");
  } else if (name == "gap") {
    fault.gap_ms = ParseNumber(value, 0, 60000, "gap");
  } else {
    return false;
  }
  return true;
}

void ReadArguments(const std::vector<std::string>& arguments, Fault& fault) {
  const auto too_many = [&](size_t most) {
    if (arguments.size() > most) {
      throw SyntaxError("too many arguments for " + std::string(KindName(fault.kind)) + ": '" +
                        Printable(arguments[most]) + "'");
    }
  };
  switch (fault.kind) {
    case FaultKind::kError:
      if (arguments.empty()) throw SyntaxError("error needs an error code: error E [W]");
      too_many(2);
      fault.error_code = OneCharacter(arguments[0], "the error code");
      if (arguments.size() == 2)
        fault.warning_code = OneCharacter(arguments[1], "the warning code");
      break;
    case FaultKind::kWrongFirst:
      too_many(1);
      if (!arguments.empty()) fault.first = OneCharacter(arguments[0], "the first character");
      break;
    case FaultKind::kGarbage:
      for (const std::string& argument : arguments) {
        if (argument == "nul") {
          fault.nul = true;
        } else if (!fault.length) {
          fault.length = ParseNumber(argument, 1, kMaxLength, "the garbage length");
        } else {
          throw SyntaxError("garbage takes a length and 'nul', not '" + Printable(argument) + "'");
        }
      }
      break;
    case FaultKind::kCut:
    case FaultKind::kDrop:
      too_many(1);
      if (!arguments.empty()) fault.length = ParseNumber(arguments[0], 0, 1000, "the length");
      break;
    case FaultKind::kFlood:
      too_many(1);
      if (!arguments.empty()) fault.length = ParseNumber(arguments[0], 1, kMaxLength, "the length");
      break;
    case FaultKind::kRaw:
      if (arguments.empty()) throw SyntaxError("raw needs the bytes to send, e.g. raw \"*07T\\r\"");
      too_many(1);
      fault.raw = arguments[0];
      break;
    default:
      too_many(0);
  }
}

}  // namespace

int FaultTarget::Narrowness() const {
  return (code ? 1 : 0) + (secondary ? 1 : 0);
}

bool FaultTarget::Covers(std::string_view line) const {
  if (code && (line.size() < 4 || line[3] != *code)) return false;
  if (secondary && line.substr(4, 2) != TwoDigitText(*secondary)) return false;
  return true;
}

FaultTarget ParseFaultTarget(std::string_view word) {
  FaultTarget target;
  target.address = TwoDigits(word.substr(0, 2));
  const bool parameter = word.size() > 2;
  if (target.address < 0 || (parameter && (word[2] != '/' || word.size() < 4))) {
    throw SyntaxError(
        "a fault target is CONTROLLER or CONTROLLER/PARAMETER (07, 07/T, 07/T03), "
        "not '" +
        Printable(word) + "'");
  }
  if (parameter) {
    target.code = word[3];
    if (word.size() > 4) {
      const int secondary = TwoDigits(word.substr(4));
      if (secondary < 0) {
        throw SyntaxError("a secondary parameter is two digits, not '" + Printable(word.substr(4)) +
                          "'");
      }
      target.secondary = secondary;
    }
  }
  return target;
}

std::string FaultTargetText(const FaultTarget& target) {
  std::string text = TwoDigitText(target.address);
  if (target.code) {
    text += '/';
    text += *target.code == ' ' ? "\\x20" : Printable(std::string_view(&*target.code, 1));
    if (target.secondary) text += TwoDigitText(*target.secondary);
  }
  return text;
}

Fault ParseFault(const std::vector<std::string>& words) {
  if (words.size() < 2) throw SyntaxError("a fault is TARGET KIND [ARGUMENTS] [OPTIONS]");
  Fault fault;
  fault.target = ParseFaultTarget(words[0]);
  fault.kind = ParseKind(words[1]);
  std::vector<std::string> arguments;
  for (size_t i = 2; i < words.size(); ++i) {
    // raw's bytes are taken as they are, even when they hold '='.
    const bool raw_bytes = fault.kind == FaultKind::kRaw && i == 2;
    if (raw_bytes || !ReadOption(words[i], fault)) arguments.push_back(words[i]);
  }
  ReadArguments(arguments, fault);
  return fault;
}

std::string DescribeFault(const Fault& fault) {
  std::string text = FaultTargetText(fault.target) + " " + std::string(KindName(fault.kind));
  const auto character = [](char c) { return " " + CharacterWord(c); };
  switch (fault.kind) {
    case FaultKind::kError:
      text += character(fault.error_code);
      if (fault.warning_code) text += character(*fault.warning_code);
      break;
    case FaultKind::kWrongFirst:
      text += character(fault.first);
      break;
    case FaultKind::kRaw:
      text += " \"" + Printable(fault.raw) + "\"";
      break;
    default:
      if (fault.length) text += " " + std::to_string(*fault.length);
      if (fault.nul) text += " nul";
  }
  if (fault.count) text += " count=" + std::to_string(*fault.count);
  if (fault.delay_ms) text += " delay=" + std::to_string(fault.delay_ms);
  if (fault.gap_ms) text += " gap=" + std::to_string(fault.gap_ms);
  return text;
}

}  // namespace fghsim
