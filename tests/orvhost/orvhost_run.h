// Runs orvhost as built (its driver beside it) to the end and collects what it wrote.
#pragma once

#include <string>
#include <vector>

namespace orvhost::test {

struct OrvhostRun {
  int status = -1;
  std::string out;
  std::string err;
};

// orvhost with these arguments, in the current directory; bounded wait.
OrvhostRun RunOrvhost(const std::vector<std::string>& arguments);

// The lines of text, without their line feeds.
std::vector<std::string> Lines(const std::string& text);

}  // namespace orvhost::test
