// PurgeInput: drain whatever input is waiting, under a short read time-out.
#include "serial/serial_port.h"

namespace tavrik::serial {
namespace {

constexpr uint32_t kDrainBlock = 512;
constexpr int32_t kDrainTimeout = 5;  // tens of milliseconds

}  // namespace

Result PurgeInput(comm::Handle handle) {
  comm::PortStatus status{};
  const bool queried = comm::ClearErrors(handle, &status);
  if (queried && status.input_queue == 0) return kDone;

  // A failure here reads as a previous time-out of 0, which is not restored: the port then
  // keeps the drain's time-out.
  const int32_t previous = SetReadTimeout(handle, kDrainTimeout);
  unsigned char scratch[kDrainBlock];
  uint32_t count = 0;
  bool read_ok = false;
  do {
    read_ok = comm::Read(handle, scratch, kDrainBlock, &count);
  } while (read_ok && count == kDrainBlock);
  if (previous != 0) SetReadTimeout(handle, previous);
  return read_ok ? kDone : kOpenFailed;
}

}  // namespace tavrik::serial
