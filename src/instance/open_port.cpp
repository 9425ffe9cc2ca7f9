#include "instance/open_port.h"

#include <cstring>

#include "host/log.h"
#include "serial/serial_port.h"

namespace tavrik {

uint32_t OpenPort(const PortRecord& record) {
  // The block is the host's memory: take a terminated copy of the name, so that even a record
  // the host never initialised is read no further than its 12 bytes.
  char name[kPortNameSize + 1] = {};
  std::memcpy(name, record.name, kPortNameSize);
  const CommSettings settings = record.settings;  // unaligned in the packed record

  comm::Handle handle = comm::kNoHandle;
  if (serial::OpenCom(name, settings, record.control_lines, &handle) != serial::kDone) {
    TAVRIK_LOG(kLogError, "TAVRIK> OpenCom() exited with error");
    return comm::kNoHandle;
  }
  TAVRIK_LOG(kLogTrace, "TAVRIK> OpenCom() exited OK, file handle %u", handle);
  return handle;
}

}  // namespace tavrik
