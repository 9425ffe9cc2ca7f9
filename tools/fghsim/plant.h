// The plant: the controllers on the line and the current values of their parameters.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fghsim {

constexpr int kControllerCount = 100;  // addresses 00 to 99
constexpr int kMaxWidth = 99;          // most digits (or text characters) of a value

struct Parameter {
  char code = 0;
  std::optional<int> secondary;  // 0 to 99, for a parameter that takes a secondary parameter
  bool text = false;
  int width = 0;  // m: a number's digits, or the characters a write to a text carries
  bool read_only = false;
  bool negative = false;  // numbers only; zero is never negative
  std::string data;       // a number's m digits with leading zeros, or the text
};

// "T" or "T03", escaped where the code is not printable.
std::string ParameterName(char code, std::optional<int> secondary);

// What a positive read reply carries after the echoed request: "-0123", "0123" or the text.
std::string ReplyData(const Parameter& parameter);

// Sets a number from a decimal integer with an optional sign and at most m significant digits
// ("-5" with m = 4 becomes -0005). Throws SyntaxError when it is not such a number.
void SetNumber(Parameter& parameter, std::string_view decimal);

// Sets a text of at most m characters. Throws SyntaxError when it is longer.
void SetText(Parameter& parameter, std::string_view text);

struct Controller {
  int address = 0;
  std::vector<Parameter> parameters;

  Parameter* Find(char code, std::optional<int> secondary);
  // Whether requests for this code carry a secondary parameter (two digits after the code).
  bool TakesSecondary(char code) const;
};

class Plant {
 public:
  Controller* Find(int address);
  const Controller* Find(int address) const;
  // Declares a controller; throws SyntaxError when the address is taken.
  Controller& Add(int address);
  size_t size() const;

 private:
  std::array<std::optional<Controller>, kControllerCount> controllers_;
};

}  // namespace fghsim
