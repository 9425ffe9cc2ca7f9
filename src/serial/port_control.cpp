// ClosePort, SendBreak and Delay.
#include "serial/serial_port.h"

namespace tavrik::serial {

Result ClosePort(comm::Handle handle) {
  return comm::Close(handle) ? kDone : kTransferFailed;
}

// The outcomes of starting and ending the break are not looked at.
Result SendBreak(uint32_t milliseconds, comm::Handle handle) {
  comm::SetBreak(handle);
  comm::Sleep(milliseconds);
  comm::ClearBreak(handle);
  return kDone;
}

Result Delay(uint32_t milliseconds) {
  comm::Sleep(milliseconds);
  return kDone;
}

}  // namespace tavrik::serial
