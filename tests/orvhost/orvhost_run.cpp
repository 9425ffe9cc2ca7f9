#include "orvhost_run.h"

#include <sstream>

#include "child_process.h"

namespace orvhost::test {
namespace {

constexpr auto kRunLimit = std::chrono::seconds(60);

}  // namespace

OrvhostRun RunOrvhost(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{ORVHOST_PATH};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  OrvhostRun run;
  {
    ChildProcess process(argv, "orvhost.out", "orvhost.err");
    run.status = process.Wait(kRunLimit);
  }
  run.out = ReadFile("orvhost.out");
  run.err = ReadFile("orvhost.err");
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace orvhost::test
