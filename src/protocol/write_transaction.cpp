#include "protocol/write_transaction.h"

#include <cstring>

#include "host/log.h"
#include "instance/instance_block.h"
#include "protocol/attempt_loop.h"
#include "protocol/comm_control.h"
#include "protocol/gate.h"
#include "protocol/request_builder.h"
#include "serial/platform/comm.h"
#include "tavrik/codes.h"

namespace tavrik {
namespace {

constexpr TransactionLines kWriteLines = {
    Transaction::kWrite,
    "TAVRIK> DoWrite() error sending data, retry %d '%s'",
    "TAVRIK> DoWrite() error recv. ack. msg, retry %d '%s'",
    "TAVRIK> DoWrite() illegal 1st char. of reply message, retry %d '%s'",
    "TAVRIK> SingleWrite() , ret val is %d",
};

// The acknowledgement repeats the request character for character, carriage return included,
// with "*" in place of its first character.
class AcknowledgementCheck final : public ReplyCheck {
 public:
  AcknowledgementCheck(const RequestLine& request, const char* address_text)
      : request_(request), address_text_(address_text) {}

  int32_t Check(const char* reply, std::size_t length, int32_t previous, int attempt) override {
    if (length == request_.length &&
        std::memcmp(reply + 1, request_.text + 1, request_.length - 1) == 0)
      return ORV_DONE;
    TAVRIK_LOG(kLogTrace, "TAVRIK> DoWrite() reply was not answer to request, retry %d '%s'",
               attempt, address_text_);
    return FollowPrevious(previous);
  }

 private:
  const RequestLine& request_;
  const char* address_text_;
};

int32_t DoWrite(InstanceBlock& block, const GateRecord& record) {
  if (block.port_handle == comm::kNoHandle) return ORV_NOT_DONE;  // for every kind of gate
  const GateDescriptor& descriptor = record.descriptor;
  const char* text = AddressText(record);
  const char gate_class = ClassCharacter(descriptor);

  if (gate_class != kCommandClass && record.value == nullptr) {
    TAVRIK_LOG(kLogError, "TAVRIK> DoWrite() no ValueBlock for gate '%s'", text);
    return ORV_NOT_DONE;
  }
  if (gate_class == kCommControlClass) {
    // The controllers come from the address text, read again here as the parser read it.
    const ControllerRange controllers = ControllersNamed(record.address);
    if (controllers.count == 0) {
      TAVRIK_LOG(kLogError, "TAVRIK> DoWrite() illegal gate descriptor '%s'", text);
      return ORV_NOT_DONE;
    }
    CommControlWrite(block.enable_table, controllers, *record.value);
    return ORV_DONE;
  }
  if (!UsableDescriptor(descriptor)) {
    TAVRIK_LOG(kLogError, "TAVRIK> DoWrite() illegal gate descriptor '%s'", text);
    return ORV_NOT_DONE;
  }
  if (block.enable_table[descriptor.controller] == 0) return ORV_NOT_DONE;

  // Built once and held here for the whole write: up to 107 characters, more than the block's
  // request area holds, and the reply must never overwrite it.
  RequestLine request{};
  if (gate_class == kCommandClass) {
    BuildCommandRequest(descriptor, request);
  } else {
    switch (BuildWriteRequest(descriptor, record.gate_type, *record.value, request)) {
      case WriteValue::kBuilt:
        break;
      case WriteValue::kOverflow:
        TAVRIK_LOG(kLogError, "TAVRIK> SingleWrite() ERROR: value overflow");
        return ORV_NOT_DONE;
      case WriteValue::kIllegalType:
        TAVRIK_LOG(kLogTrace, "TAVRIK> DoWrite() illegal gate type, '%s'", text);
        return ORV_NOT_DONE;
    }
  }
  AcknowledgementCheck check(request, text);
  return RunAttempts(block, request.text, request.length, text, kWriteLines, check);
}

}  // namespace

int32_t SingleWrite(const OrvRequest& request) {
  return DoWrite(BlockOf(request), *static_cast<const GateRecord*>(request.params));
}

}  // namespace tavrik
