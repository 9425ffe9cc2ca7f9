// The fixed table of operations, one slot per operation code.
#pragma once

#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

using Operation = int32_t (*)(const OrvRequest& request);

// The operation in the slot of code (1 to ORV_OPERATION_SLOTS), or null for an empty slot.
Operation OperationFor(uint32_t code) noexcept;

}  // namespace tavrik
