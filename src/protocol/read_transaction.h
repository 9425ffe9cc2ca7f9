// SingleRead: fetches one parameter gate's value from its controller into the host's ValueBlock.
#pragma once

#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

int32_t SingleRead(const OrvRequest& request);  // 0, 1 or 2

}  // namespace tavrik
