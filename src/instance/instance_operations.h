// The operations that start, refresh, reconfigure and end an instance.
#pragma once

#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

int32_t ColdStart(const OrvRequest& request);        // 0, or 1 when the port cannot be opened
int32_t WarmStart(const OrvRequest& request);        // 0
int32_t EndOrv(const OrvRequest& request);           // the result of CloseCom
int32_t CloseCom(const OrvRequest& request);         // 0, or 2 when the close fails
int32_t ReOpenCom(const OrvRequest& request);        // 0, or 2 when the port cannot be opened
int32_t ChangeOrvParams(const OrvRequest& request);  // 0, or 2

}  // namespace tavrik
