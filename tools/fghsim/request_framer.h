// Cuts the bytes coming up the line into request lines at each CR.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fghsim {

class RequestFramer {
 public:
  // Longest line kept; the rest of a longer one is dropped (it is answered as an overflow).
  static constexpr size_t kLongestKept = 512;

  // The request lines (without their CR) that the bytes complete.
  std::vector<std::string> Add(std::string_view bytes);
  void Clear() { partial_.clear(); }

 private:
  std::string partial_;
};

}  // namespace fghsim
