#include <cstring>

#include "host/log.h"
#include "instance/instance_block.h"
#include "instance/instance_operations.h"
#include "instance/open_port.h"
#include "instance/port_name.h"
#include "serial/serial_port.h"
#include "tavrik/codes.h"

namespace tavrik {
namespace {

constexpr int32_t kKeepTimeout = 0;
constexpr int32_t kAlsoKeepTimeout = -1;

}  // namespace

// Stores a new reply time-out, port name and line settings in the block and opens that port.
// What is stored stays even when the open fails; it reaches a port at its next successful open.
int32_t ChangeOrvParams(const OrvRequest& request) {
  const auto& params = *static_cast<const ChangeParams*>(request.params);
  InstanceBlock& block = BlockOf(request);

  if (!FitsPortRecord(params.port_name)) {
    TAVRIK_LOG(kLogError, "TAVRIK> ChangeOrvParams() illegal port name");
    return ORV_FAILED;
  }
  const int32_t timeout = params.reply_timeout;
  if (timeout != kKeepTimeout && timeout != kAlsoKeepTimeout) {
    if (timeout < 1) {
      // It would leave the port without a read time-out; the current one stays.
      TAVRIK_LOG(kLogError, "TAVRIK> ChangeOrvParams() illegal time-out %d ignored", timeout);
    } else {
      block.reply_timeout = timeout;
    }
  }
  // A port whose name stays is not closed.
  if (!SamePortName(params.port_name, block.port.name) && block.port_handle != comm::kNoHandle)
    CloseCom(request);
  std::memcpy(block.port.name, params.port_name, kPortNameSize);
  if (params.settings.baud_rate != 0) block.port.settings = params.settings;

  if (NamesNoLine(block.port.name)) {
    TAVRIK_LOG(kLogTrace, "TAVRIK> ChangeOrvParams() NULLDEV => no communications");
    return ORV_DONE;
  }
  const uint32_t handle = OpenPort(block.port);
  if (handle == comm::kNoHandle) {
    TAVRIK_LOG(kLogTrace, "TAVRIK> ChangeOrvParams() exited 2");
    return ORV_FAILED;
  }
  block.port_handle = handle;
  serial::SetReadTimeout(handle, block.reply_timeout);
  return ORV_DONE;
}

}  // namespace tavrik
