// fghsim: simulated FGH controllers on a serial line. See kHelpText (fghsim --help).
#include <cstdio>
#include <utility>

#include "options.h"
#include "plant_file.h"
#include "simulator.h"
#include "text_syntax.h"

namespace {

constexpr int kUsage = 2;
constexpr int kFailure = 1;

int Usage(const char* message) {
  std::fprintf(stderr, "fghsim: %s\nTry 'fghsim --help'.\n", message);
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace fghsim;
  Options options;
  try {
    options = ParseOptions(argc, argv);
  } catch (const UsageError& error) {
    return Usage(error.what());
  }
  if (options.help) {
    std::fputs(kHelpText, stdout);
    return 0;
  }

  PlantFile plant;
  try {
    plant = LoadPlant(options.plant);
  } catch (const PlantError& error) {
    std::fprintf(stderr, "fghsim: %s\n", error.what());
    return kFailure;
  }
  SimState state;
  state.plant = std::move(plant.plant);
  for (const Fault& fault : plant.faults) state.faults.Add(fault);
  for (const std::string& text : options.faults) {
    try {
      const Fault fault = ParseFault(SplitWords(text));
      CheckFaultTarget(state.plant, fault);
      state.faults.Add(fault);
    } catch (const SyntaxError& error) {
      const std::string message = "--fault '" + text + "': " + error.what();
      return Usage(message.c_str());
    }
  }

  SimulatorSettings settings;
  settings.line.device = options.device;
  settings.line.link = options.link;
  settings.line.baud = options.baud > 0 ? options.baud : 9600;
  settings.line.bits = options.bits;
  settings.ready_file = options.ready_file;
  settings.control = options.control;
  settings.trace = options.trace;
  settings.baud = options.baud;
  settings.bits = options.bits;
  try {
    Simulator simulator(std::move(settings), std::move(state));
    return simulator.Run();
  } catch (const std::exception& error) {  // settings refused before the line comes up
    std::fprintf(stderr, "fghsim: %s\n", error.what());
    return kFailure;
  }
}
