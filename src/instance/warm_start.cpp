#include "host/log.h"
#include "instance/instance_block.h"
#include "instance/instance_operations.h"
#include "serial/serial_port.h"
#include "tavrik/codes.h"

namespace tavrik {

// Discards pending input; time-out, gap and EnableTable keep their values.
int32_t WarmStart(const OrvRequest& request) {
  const uint32_t handle = BlockOf(request).port_handle;
  if (handle != comm::kNoHandle) serial::PurgeInput(handle);
  TAVRIK_LOG(kLogTrace, "TAVRIK> WarmStart() exited, 0");
  return ORV_DONE;
}

}  // namespace tavrik
