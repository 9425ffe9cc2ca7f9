#include "serial/platform/posix_device_path.h"

#include <strings.h>

#include <cstdio>

namespace tavrik::comm {
namespace {

// The number of a COMn name (n from 1, digits only), or 0 for any other name.
unsigned ComPortNumber(const char* name) {
  if (strncasecmp(name, "COM", 3) != 0 || name[3] < '1' || name[3] > '9') return 0;
  unsigned number = 0;
  for (const char* digit = name + 3; *digit != '\0'; ++digit) {
    if (*digit < '0' || *digit > '9' || number > 99999) return 0;
    number = number * 10 + static_cast<unsigned>(*digit - '0');
  }
  return number;
}

}  // namespace

bool DevicePath(const char* name, char (&path)[kDevicePathSize]) {
  int length = -1;
  if (strcasecmp(name, "NUL") == 0) {
    length = std::snprintf(path, kDevicePathSize, "%s", kNullDevicePath);
  } else if (const unsigned number = ComPortNumber(name); number != 0) {
    length = std::snprintf(path, kDevicePathSize, "/dev/ttyS%u", number - 1);
  } else if (name[0] == '/' || name[0] == '.') {
    length = std::snprintf(path, kDevicePathSize, "%s", name);
  } else {
    length = std::snprintf(path, kDevicePathSize, "/dev/%s", name);
  }
  return length > 0 && static_cast<std::size_t>(length) < kDevicePathSize;
}

}  // namespace tavrik::comm
