#include "host/log.h"
#include "host/stopped_flag.h"
#include "instance/instance_operations.h"

namespace tavrik {

// Stops the driver for every instance in the process, then closes this instance's port. The
// flag is set first, so the driver is stopped even when the close fails.
int32_t EndOrv(const OrvRequest& request) {
  SetStopped();
  const int32_t result = CloseCom(request);
  TAVRIK_LOG(kLogTrace, "TAVRIK> EndOrv() exited, %d", result);
  return result;
}

}  // namespace tavrik
