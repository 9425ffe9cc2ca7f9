// Port names as they stand in the 12-byte fields of ColdStartParams, ChangeParams and the
// PortRecord.
#pragma once

#include <cstring>

#include "instance/instance_block.h"

namespace tavrik {

// Holds a name of at most 11 characters and its terminator: a field without a terminator in
// its 12 bytes names no port the driver can open or compare.
inline bool FitsPortRecord(const char (&name)[kPortNameSize]) {
  return std::memchr(name, '\0', kPortNameSize) != nullptr;
}

inline bool SamePortName(const char (&a)[kPortNameSize], const char (&b)[kPortNameSize]) {
  return std::strncmp(a, b, kPortNameSize) == 0;
}

// "NULLDEV" and "NUL" (exactly, case-sensitively) mean that there is no line to open.
inline bool NamesNoLine(const char (&name)[kPortNameSize]) {
  return std::strncmp(name, "NULLDEV", kPortNameSize) == 0 ||
         std::strncmp(name, "NUL", kPortNameSize) == 0;
}

}  // namespace tavrik
