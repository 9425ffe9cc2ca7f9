#include "options.h"

#include <string_view>

#include "text_syntax.h"

namespace fghsim {

Options ParseOptions(int argc, const char* const* argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string_view name = argv[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
      return options;
    }
    std::string value;
    const size_t equals = name.find('=');
    if (name.rfind("--", 0) == 0 && equals != std::string_view::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
    } else if (name.rfind("--", 0) == 0 && i + 1 < argc) {
      value = argv[++i];
    } else if (name.rfind("--", 0) == 0) {
      throw UsageError(std::string(name) + " needs a value");
    } else {
      throw UsageError("unexpected argument '" + std::string(name) + "'");
    }

    if (name == "--plant") {
      options.plant = value;
    } else if (name == "--device") {
      options.device = value;
    } else if (name == "--link") {
      options.link = value;
    } else if (name == "--ready-file") {
      options.ready_file = value;
    } else if (name == "--control") {
      options.control = value;
    } else if (name == "--trace") {
      options.trace = value;
    } else if (name == "--fault") {
      options.faults.push_back(value);
    } else {
      try {
        if (name == "--baud") {
          options.baud = ParseNumber(value, 1, 4000000, "--baud");
        } else if (name == "--bits") {
          options.bits = static_cast<int>(ParseNumber(value, 10, 11, "--bits"));
        } else {
          throw UsageError("unknown option " + std::string(name));
        }
      } catch (const SyntaxError& error) {
        throw UsageError(error.what());
      }
    }
  }
  if (options.plant.empty()) throw UsageError("--plant FILE is required");
  return options;
}

}  // namespace fghsim
