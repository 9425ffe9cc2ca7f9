// The process-wide stopped flag: false while the library is loaded, set by EndOrv. Once set,
// every call of OrvMain returns 0 without doing anything, until the library is unloaded.
#pragma once

namespace tavrik {

bool IsStopped() noexcept;
void SetStopped() noexcept;

}  // namespace tavrik
