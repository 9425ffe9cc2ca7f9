// The OrvMain under test. The same tests run against the driver linked into the test program,
// against libtavrik.so loaded with dlopen, and against TAVRIK32.dll loaded with LoadLibrary under
// Wine; each test program links the matching implementation of DriverEntry.
#pragma once

#include "tavrik/tavrik.h"

namespace tavrik::test {

OrvMainFunction DriverEntry();

inline int32_t CallDriver(const OrvRequest& request) {
  return DriverEntry()(&request);
}

}  // namespace tavrik::test
