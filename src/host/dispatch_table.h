// The fixed table of operations, one slot per operation code.
#pragma once

#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

using Operation = int32_t (*)(const OrvRequest& request);

struct Slot {
  Operation operation;  // null: an empty slot
  bool uses_instance;   // reads the request's InstanceBlock
  bool uses_params;     // reads the request's parameter record
};

// The slot of code (1 to ORV_OPERATION_SLOTS); an empty slot for any other code.
Slot SlotFor(uint32_t code) noexcept;

}  // namespace tavrik
