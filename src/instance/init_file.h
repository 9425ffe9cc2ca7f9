// The site's initialisation file, TAVRIK followed by the instance number and .INT, read at every
// ColdStart. It may set the inter-frame gap.
#pragma once

#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

// Reads the first of TAVRIK<nn>.INT, TAVRIK<n>.INT and TAVRIK.INT that opens in the current
// directory and stores any IFG setting in the request's block. A missing file is no failure.
void ReadIntFile(const OrvRequest& request);

}  // namespace tavrik
