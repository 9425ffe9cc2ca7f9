// WriteAll and ReadAll: byte counts in and out of the port.
#include "serial/serial_port.h"

namespace tavrik::serial {

Result WriteAll(comm::Handle handle, const void* buffer, uint32_t count, uint32_t* written) {
  uint32_t done = 0;
  if (!comm::Write(handle, buffer, count, &done)) return kTransferFailed;
  if (written != nullptr) *written = done;
  return done == count ? kDone : kShortWrite;
}

Result ReadAll(comm::Handle handle, void* buffer, uint16_t count, uint32_t* bytes_read) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  if (bytes_read != nullptr) *bytes_read = 0;
  uint32_t total = 0;
  // At least one read call is made, so a count of 0 ends with nothing read.
  do {
    const auto missing = static_cast<uint16_t>(count - total);
    uint32_t got = 0;
    if (!comm::Read(handle, bytes + total, missing, &got) || got == 0) return kTransferFailed;
    total += got;
    if (bytes_read != nullptr) *bytes_read = total;
  } while (total < count);
  return kDone;
}

}  // namespace tavrik::serial
