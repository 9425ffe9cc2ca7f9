#include "host/log.h"
#include "instance/instance_block.h"
#include "instance/instance_operations.h"
#include "instance/open_port.h"
#include "instance/port_name.h"
#include "serial/serial_port.h"
#include "tavrik/codes.h"

namespace tavrik {

// Opens the block's own PortRecord, whether or not a port is open; ports are opened unshared,
// so reopening one this instance still holds fails and leaves it in use.
int32_t ReOpenCom(const OrvRequest& request) {
  InstanceBlock& block = BlockOf(request);
  if (NamesNoLine(block.port.name)) {
    TAVRIK_LOG(kLogTrace, "TAVRIK> ReOpenCom() NULLDEV => no communications");
    TAVRIK_LOG(kLogTrace, "TAVRIK> ReOpenCom() exited 0");
    return ORV_DONE;
  }
  const uint32_t handle = OpenPort(block.port);
  if (handle == comm::kNoHandle) {
    TAVRIK_LOG(kLogError, "TAVRIK> ReOpenCom() exited 2");
    return ORV_FAILED;
  }
  block.port_handle = handle;
  serial::SetReadTimeout(handle, block.reply_timeout);
  TAVRIK_LOG(kLogTrace, "TAVRIK> ReOpenCom() exited 0");
  return ORV_DONE;
}

}  // namespace tavrik
