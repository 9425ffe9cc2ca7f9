// GetOrvInfo: the driver's description for the host.
#pragma once

#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

// Fills the OrvInfo at the request's params. Needs no instance block.
int32_t GetOrvInfo(const OrvRequest& request);

}  // namespace tavrik
