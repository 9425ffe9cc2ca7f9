// The per-instance state block that the host allocates and passes in every request.
#pragma once

#include <cstdint>

namespace tavrik {

// Size in bytes of the block a host must allocate per instance, as GetOrvInfo announces it.
inline constexpr uint32_t kInstanceBlockSize = 294;

}  // namespace tavrik
