// The plant file: the controllers, their parameters and the faults the line starts with.
//
//   controller 07                       the statements below belong to controller 07
//   param T number 4 123                code T, 4 digits, value 123 (answered as 0123)
//   param P03 number 6 -5 read-only     code P with secondary parameter 03, read-only
//   param N text 8 "PUMP 1"             a text; writes carry 8 characters
//   fault 07/T error 1 8 count=2        a fault, as on the control channel
//
// Blank lines and # comments are ignored.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "fault.h"
#include "plant.h"

namespace fghsim {

// A plant file that cannot be read; the message is "FILE:LINE: what is wrong".
struct PlantError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct PlantFile {
  Plant plant;
  std::vector<Fault> faults;  // in file order
};

// Reads a plant from its text; `file_name` goes into error messages.
PlantFile ParsePlant(std::string_view text, const std::string& file_name);

PlantFile LoadPlant(const std::string& path);

// Checks that a fault's target is a declared controller; throws SyntaxError if not.
void CheckFaultTarget(const Plant& plant, const Fault& fault);

}  // namespace fghsim
