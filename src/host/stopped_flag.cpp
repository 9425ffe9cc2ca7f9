#include "host/stopped_flag.h"

#include <atomic>

namespace tavrik {
namespace {

// The only state the driver keeps outside the instance blocks; shared by every instance, which
// the host may drive from different threads.
std::atomic<bool> stopped{false};

}  // namespace

bool IsStopped() noexcept {
  return stopped.load();
}

void SetStopped() noexcept {
  stopped.store(true);
}

}  // namespace tavrik
