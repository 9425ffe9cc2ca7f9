#include "plant.h"

#include "text_syntax.h"

namespace fghsim {

std::string ParameterName(char code, std::optional<int> secondary) {
  std::string name = Printable(std::string_view(&code, 1));
  if (secondary) name += TwoDigitText(*secondary);
  return name;
}

std::string ReplyData(const Parameter& parameter) {
  return parameter.negative ? "-" + parameter.data : parameter.data;
}

void SetNumber(Parameter& parameter, std::string_view decimal) {
  const bool negative = !decimal.empty() && decimal.front() == '-';
  std::string_view digits = negative ? decimal.substr(1) : decimal;
  bool all_digits = !digits.empty();
  for (const char c : digits) all_digits = all_digits && IsDigit(c);
  if (!all_digits) {
    throw SyntaxError("'" + Printable(decimal) + "' is not a whole number");
  }
  while (!digits.empty() && digits.front() == '0') digits.remove_prefix(1);
  const auto width = static_cast<size_t>(parameter.width);
  if (digits.size() > width) {
    throw SyntaxError(std::string(decimal) + " does not fit in " + std::to_string(width) +
                      " digits");
  }
  parameter.data = std::string(width - digits.size(), '0') + std::string(digits);
  parameter.negative = negative && !digits.empty();
}

void SetText(Parameter& parameter, std::string_view text) {
  if (text.size() > static_cast<size_t>(parameter.width)) {
    throw SyntaxError("text \"" + Printable(text) + "\" is longer than " +
                      std::to_string(parameter.width) + " characters");
  }
  parameter.data = text;
}

Parameter* Controller::Find(char code, std::optional<int> secondary) {
  for (Parameter& parameter : parameters) {
    if (parameter.code == code && parameter.secondary == secondary) return &parameter;
  }
  return nullptr;
}

bool Controller::TakesSecondary(char code) const {
  for (const Parameter& parameter : parameters) {
    if (parameter.code == code && parameter.secondary) return true;
  }
  return false;
}

Controller* Plant::Find(int address) {
  if (address < 0 || address >= kControllerCount || !controllers_[address]) return nullptr;
  return &*controllers_[address];
}

const Controller* Plant::Find(int address) const {
  if (address < 0 || address >= kControllerCount || !controllers_[address]) return nullptr;
  return &*controllers_[address];
}

Controller& Plant::Add(int address) {
  if (address < 0 || address >= kControllerCount) {
    throw SyntaxError("a controller address is two digits, 00 to 99");
  }
  if (controllers_[address]) {
    throw SyntaxError("controller " + TwoDigitText(address) + " is declared twice");
  }
  controllers_[address] = Controller{address, {}};
  return *controllers_[address];
}

size_t Plant::size() const {
  size_t count = 0;
  for (const auto& controller : controllers_) count += controller ? 1 : 0;
  return count;
}

}  // namespace fghsim
