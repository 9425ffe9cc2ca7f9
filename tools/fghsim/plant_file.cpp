#include "plant_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "text_syntax.h"

namespace fghsim {

namespace {

Controller& DeclareController(Plant& plant, const std::vector<std::string>& words) {
  if (words.size() != 2) throw SyntaxError("expected: controller ADDRESS");
  const int address = TwoDigits(words[1]);
  if (address < 0) {
    throw SyntaxError("a controller address is two digits, 00 to 99, not '" + Printable(words[1]) +
                      "'");
  }
  return plant.Add(address);
}

// param CODE[SS] number|text WIDTH VALUE [read-only]
void DeclareParameter(Controller& controller, const std::vector<std::string>& words) {
  if (words.size() != 5 && words.size() != 6) {
    throw SyntaxError("expected: param CODE[SECONDARY] number|text WIDTH VALUE [read-only]");
  }
  const std::string& name = words[1];
  Parameter parameter;
  if (name.size() != 1 && name.size() != 3) {
    throw SyntaxError(
        "a parameter is a code character with an optional two-digit secondary "
        "parameter (T, T03), not '" +
        Printable(name) + "'");
  }
  parameter.code = name[0];
  if (parameter.code == '*' || parameter.code == '$' || parameter.code == '\r') {
    throw SyntaxError("a parameter code cannot be '" + Printable(name.substr(0, 1)) + "'");
  }
  if (name.size() == 3) {
    parameter.secondary = TwoDigits(std::string_view(name).substr(1));
    if (*parameter.secondary < 0) {
      throw SyntaxError("a secondary parameter is two digits, not '" + Printable(name.substr(1)) +
                        "'");
    }
  }
  if (words[2] != "number" && words[2] != "text") {
    throw SyntaxError("a parameter is a number or a text, not '" + Printable(words[2]) + "'");
  }
  parameter.text = words[2] == "text";
  parameter.width = static_cast<int>(ParseNumber(words[3], 0, kMaxWidth, "the width"));
  if (parameter.text) {
    if (words[4].find('\r') != std::string::npos) throw SyntaxError("a text cannot hold a CR");
    SetText(parameter, words[4]);
  } else {
    SetNumber(parameter, words[4]);
  }
  if (words.size() == 6) {
    if (words[5] != "read-only") {
      throw SyntaxError("expected read-only or nothing after the value, not '" +
                        Printable(words[5]) + "'");
    }
    parameter.read_only = true;
  }

  const std::string shown = ParameterName(parameter.code, parameter.secondary);
  if (controller.Find(parameter.code, parameter.secondary) != nullptr) {
    throw SyntaxError("parameter " + shown + " is declared twice");
  }
  for (const Parameter& other : controller.parameters) {
    if (other.code == parameter.code &&
        other.secondary.has_value() != parameter.secondary.has_value()) {
      // A request could not say which one it meant.
      throw SyntaxError("parameter " + ParameterName(parameter.code, std::nullopt) +
                        " is declared both with and without a secondary parameter");
    }
  }
  controller.parameters.push_back(parameter);
}

}  // namespace

void CheckFaultTarget(const Plant& plant, const Fault& fault) {
  if (plant.Find(fault.target.address) == nullptr) {
    throw SyntaxError("no controller " + TwoDigitText(fault.target.address) + " in the plant");
  }
}

PlantFile ParsePlant(std::string_view text, const std::string& file_name) {
  PlantFile file;
  Controller* controller = nullptr;
  int line_number = 0;
  while (!text.empty()) {
    ++line_number;
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    try {
      const std::vector<std::string> words = SplitWords(line);
      if (words.empty()) continue;
      if (words[0] == "controller") {
        controller = &DeclareController(file.plant, words);
      } else if (words[0] == "param") {
        if (controller == nullptr) throw SyntaxError("param before any controller");
        DeclareParameter(*controller, words);
      } else if (words[0] == "fault") {
        const Fault fault = ParseFault({words.begin() + 1, words.end()});
        CheckFaultTarget(file.plant, fault);
        file.faults.push_back(fault);
      } else {
        throw SyntaxError("unknown statement '" + Printable(words[0]) +
                          "' (controller, param, fault)");
      }
    } catch (const SyntaxError& error) {
      throw PlantError(file_name + ":" + std::to_string(line_number) + ": " + error.what());
    }
  }
  if (file.plant.size() == 0) throw PlantError(file_name + ": no controller declared");
  return file;
}

PlantFile LoadPlant(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw PlantError(path + ": cannot open: " + std::strerror(errno));
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw PlantError(path + ": cannot read: " + std::strerror(errno));
  return ParsePlant(text.str(), path);
}

}  // namespace fghsim
