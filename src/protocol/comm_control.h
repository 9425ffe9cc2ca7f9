// Communication-control gates: writing one enables or disables controllers in the EnableTable.
#pragma once

#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

// The controllers an address text names: all 100 (XX), ten (dX: d0 to d9) or one (dd).
struct ControllerRange {
  uint32_t first;
  uint32_t count;  // 0: the text names none
};
ControllerRange ControllersNamed(const char* address_text);

// Sets the named controllers' bytes to 1 when the 16 bits at offset 2 of the value are nonzero,
// else to 0, whatever the gate type. Nothing is sent and nothing is logged.
void CommControlWrite(uint8_t* enable_table, ControllerRange controllers, const ValueBlock& value);

}  // namespace tavrik
