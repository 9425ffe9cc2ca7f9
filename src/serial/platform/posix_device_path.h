// Port names to device paths on POSIX systems.
#pragma once

#include <cstddef>

namespace tavrik::comm {

inline constexpr std::size_t kDevicePathSize = 64;
inline constexpr const char* kNullDevicePath = "/dev/null";

// NUL in any case is the null device (Windows device names ignore case); COMn is the n-th serial
// port, /dev/ttyS(n-1); a name starting with / or . is a path as given; any other name is a
// device under /dev/. False when the path does not fit.
bool DevicePath(const char* name, char (&path)[kDevicePathSize]);

}  // namespace tavrik::comm
