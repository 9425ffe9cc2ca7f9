// The block operations, which the driver refuses: it offers only single-gate addressing, reading
// and writing.
#pragma once

#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

int32_t BlockAddressParser(const OrvRequest& request);
int32_t BlockRead(const OrvRequest& request);
int32_t BlockWrite(const OrvRequest& request);

}  // namespace tavrik
