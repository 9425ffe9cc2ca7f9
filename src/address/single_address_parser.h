// SingleAddressParser: parses one gate's address and checks its gate type against the width.
#pragma once

#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

// Works on the ParseRecord at the request's params; needs no instance block.
int32_t SingleAddressParser(const OrvRequest& request);

}  // namespace tavrik
