// A command line orvhost cannot act on: reported in one line on standard error, exit status 2.
#pragma once

#include <stdexcept>
#include <string>

namespace orvhost {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace orvhost
