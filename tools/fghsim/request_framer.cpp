#include "request_framer.h"

namespace fghsim {

std::vector<std::string> RequestFramer::Add(std::string_view bytes) {
  std::vector<std::string> lines;
  for (const char c : bytes) {
    if (c == '\r') {
      lines.push_back(std::move(partial_));
      partial_.clear();
    } else if (partial_.size() < kLongestKept) {
      partial_ += c;
    }
  }
  return lines;
}

}  // namespace fghsim
