// SetReadTimeout: the read total constant in tens of milliseconds.
#include "serial/serial_port.h"

namespace tavrik::serial {
namespace {

constexpr uint32_t kMsPerUnit = 10;

}  // namespace

int32_t SetReadTimeout(comm::Handle handle, int32_t value) {
  comm::PortTimeouts timeouts{};
  if (!comm::GetTimeouts(handle, &timeouts)) return 0;
  const uint32_t previous = timeouts.read_total_constant;
  const uint32_t wanted = static_cast<uint32_t>(value) * kMsPerUnit;  // 32-bit arithmetic
  if (previous != wanted) {
    timeouts.read_total_constant = wanted;
    if (!comm::SetTimeouts(handle, timeouts)) return 0;
  }
  return static_cast<int32_t>(previous / kMsPerUnit);
}

}  // namespace tavrik::serial
