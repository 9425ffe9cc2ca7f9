#include "host/log.h"
#include "instance/instance_block.h"
#include "instance/instance_operations.h"
#include "serial/serial_port.h"
#include "tavrik/codes.h"

namespace tavrik {

int32_t CloseCom(const OrvRequest& request) {
  InstanceBlock& block = BlockOf(request);
  if (block.port_handle != comm::kNoHandle) {
    if (serial::ClosePort(block.port_handle) != serial::kDone) {
      TAVRIK_LOG(kLogTrace, "TAVRIK> CloseCom() exited 2");
      return ORV_FAILED;  // the handle stays in the block
    }
    block.port_handle = comm::kNoHandle;
  }
  TAVRIK_LOG(kLogTrace, "TAVRIK> CloseCom() exited 0");
  return ORV_DONE;
}

}  // namespace tavrik
