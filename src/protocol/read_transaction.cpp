#include "protocol/read_transaction.h"

#include <cstring>

#include "host/log.h"
#include "instance/instance_block.h"
#include "protocol/attempt_loop.h"
#include "protocol/gate.h"
#include "protocol/read_reply.h"
#include "protocol/request_builder.h"
#include "serial/platform/comm.h"
#include "tavrik/codes.h"

namespace tavrik {
namespace {

constexpr TransactionLines kReadLines = {
    Transaction::kRead,
    "TAVRIK> DoRead() error sending data, retry %d '%s'",
    "TAVRIK> DoRead() error recv. 1st part of reply, retry %d '%s'",
    "TAVRIK> DoRead() illegal 1st char. of reply message, retry %d '%s'",
    "TAVRIK> Read() , ret val is %d",
};

int32_t DoRead(InstanceBlock& block, GateRecord& record) {
  if (block.port_handle == comm::kNoHandle) return ORV_NOT_DONE;
  const GateDescriptor& descriptor = record.descriptor;
  const char* text = AddressText(record);
  switch (ClassCharacter(descriptor)) {
    case kCommandClass:
      TAVRIK_LOG(kLogTrace, "TAVRIK> DoRead() not supported for command gate '%s'", text);
      return ORV_NOT_DONE;
    case kCommControlClass:
      TAVRIK_LOG(kLogTrace, "TAVRIK> DoRead() not supported for comm. control gate '%s'", text);
      return ORV_NOT_DONE;
    default:
      break;
  }
  // Only a descriptor the parser did not make can fail this; it must never index past the
  // EnableTable or the request.
  if (!UsableDescriptor(descriptor)) {
    TAVRIK_LOG(kLogError, "TAVRIK> DoRead() illegal gate descriptor '%s'", text);
    return ORV_NOT_DONE;
  }
  if (record.value == nullptr) {
    TAVRIK_LOG(kLogError, "TAVRIK> DoRead() no ValueBlock for gate '%s'", text);
    return ORV_NOT_DONE;
  }
  if (block.enable_table[descriptor.controller] == 0) return ORV_NOT_DONE;

  // Built once and kept in the block's request area, which a read request always fits.
  RequestLine request{};
  BuildReadRequest(descriptor, request);
  std::memcpy(block.transfer, request.text, request.length);

  ReadReplyCheck check(request, ReplyLength(descriptor), record.gate_type, *record.value, text);
  return RunAttempts(block, block.transfer, request.length, text, kReadLines, check);
}

}  // namespace

int32_t SingleRead(const OrvRequest& request) {
  return DoRead(BlockOf(request), *static_cast<GateRecord*>(request.params));
}

}  // namespace tavrik
