// OpenPort: opens the port a PortRecord names, the step every operation that opens a port shares.
#pragma once

#include <cstdint>

#include "instance/instance_block.h"

namespace tavrik {

// The new port handle, or 0 when the port cannot be opened (both logged).
uint32_t OpenPort(const PortRecord& record);

}  // namespace tavrik
