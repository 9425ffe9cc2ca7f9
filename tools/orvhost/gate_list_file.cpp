#include "gate_list_file.h"

#include <fstream>

#include "usage_error.h"

namespace orvhost {
namespace {

constexpr const char* kBlanks = " \t\r\n\f\v";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<GateEntry> ReadGateList(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw UsageError("cannot read the gate list " + path);
  std::vector<GateEntry> gates;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    const std::string_view text = Trimmed(line);
    if (text.empty() || text.front() == '#') continue;
    const std::size_t blank = text.find_first_of(kBlanks);
    const std::string_view word = text.substr(0, blank);
    if (blank != std::string_view::npos && Trimmed(text.substr(blank)).front() != '#') {
      throw UsageError(path + ":" + std::to_string(number) +
                       ": one gate a line (a comment starts with #)");
    }
    try {
      if (ValueSeparator(word) != std::string_view::npos) {
        throw UsageError("a gate list holds gates to read, not values");
      }
      GateEntry gate = ParseGateEntry(word);
      CheckReadable(gate);
      gates.push_back(std::move(gate));
    } catch (const UsageError& error) {
      throw UsageError(path + ":" + std::to_string(number) + ": " + error.what());
    }
  }
  if (gates.empty()) throw UsageError("the gate list " + path + " lists no gates");
  return gates;
}

}  // namespace orvhost
