// SingleWrite: sends a value to a parameter gate, a command to a command gate, or switches
// controllers on or off through a communication-control gate.
#pragma once

#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

int32_t SingleWrite(const OrvRequest& request);  // 0, 1 or 2

}  // namespace tavrik
