// ColdStart: resets the block, reads the initialisation file and opens the configured port.
#include <cstring>

#include "host/log.h"
#include "instance/init_file.h"
#include "instance/instance_block.h"
#include "instance/instance_operations.h"
#include "instance/open_port.h"
#include "instance/port_name.h"
#include "serial/serial_port.h"
#include "tavrik/codes.h"

namespace tavrik {
namespace {

// Data-terminal-ready on, request-to-send off: the line exchange raises request-to-send around
// each request itself.
constexpr uint16_t kColdStartControlLines = 0x0101;

// A reply time-out below 1 would leave the port without a read time-out, holding the host's
// call for good on a silent line; this one is used instead.
constexpr int32_t kFallbackReplyTimeout = 4;

constexpr uint8_t kEnabled = 1;

}  // namespace

int32_t ColdStart(const OrvRequest& request) {
  const auto& params = *static_cast<const ColdStartParams*>(request.params);
  InstanceBlock& block = BlockOf(request);

  if (!FitsPortRecord(params.port_name)) {
    TAVRIK_LOG(kLogError, "TAVRIK> ColdStart() illegal port name");
    return ORV_NOT_DONE;
  }
  TAVRIK_LOG(kLogTrace, "TAVRIK> version compiled on Nov 18 1997 at time 11:43:27");

  int32_t reply_timeout = params.reply_timeout;
  if (reply_timeout < 1) {
    TAVRIK_LOG(kLogError, "TAVRIK> ColdStart() illegal time-out %d, using 4", reply_timeout);
    reply_timeout = kFallbackReplyTimeout;
  }
  // The block is taken as fresh: a handle found in it is dropped, never closed, since before
  // its first ColdStart the block may hold anything.
  block.reply_timeout = reply_timeout;
  block.port_handle = comm::kNoHandle;
  block.inter_frame_gap = 0;
  std::memset(block.enable_table, kEnabled, sizeof block.enable_table);

  PortRecord port{};
  std::memcpy(port.name, params.port_name, kPortNameSize);
  port.settings = params.settings;
  port.control_lines = kColdStartControlLines;

  ReadIntFile(request);

  if (params.port_flag != 0) {
    if (NamesNoLine(port.name)) {
      TAVRIK_LOG(kLogTrace, "TAVRIK> ColdStart() NULLDEV => no communication");
    } else {
      const uint32_t handle = OpenPort(port);
      if (handle == comm::kNoHandle) {
        TAVRIK_LOG(kLogTrace, "TAVRIK> ColdStart() unable to open %s port", port.name);
        return ORV_NOT_DONE;
      }
      TAVRIK_LOG(kLogTrace, "TAVRIK> ColdStart() port %s opened, file handle %u", port.name,
                 handle);
      block.port_handle = handle;
      serial::SetReadTimeout(handle, reply_timeout);
    }
    // The control-line word too, so that ReOpenCom and ChangeOrvParams reopen the port with the
    // lines it was opened with.
    block.port = port;
  }
  TAVRIK_LOG(kLogTrace, "TAVRIK> ColdStart() exited, 0");
  return ORV_DONE;
}

}  // namespace tavrik
