#include "protocol/attempt_loop.h"

#include "host/log.h"
#include "protocol/error_reply.h"
#include "protocol/line_exchange.h"
#include "serial/serial_port.h"
#include "tavrik/codes.h"

namespace tavrik {
namespace {

constexpr char kPositiveReplyMark = '*';

}  // namespace

int32_t RunAttempts(InstanceBlock& block, const char* request, uint32_t length,
                    const char* address_text, const TransactionLines& lines, ReplyCheck& check) {
  const comm::Handle port = block.port_handle;
  char* reply = block.transfer + kRequestAreaSize;
  int32_t previous = ORV_FAILED;  // as if an attempt before the first had given 2
  int32_t result = ORV_FAILED;

  for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
    serial::PurgeInput(port);
    const uint32_t gap = block.inter_frame_gap;  // the site may change it between attempts
    if (gap != 0) comm::Sleep(gap);

    std::size_t reply_length = 0;
    if (Send(request, length, port) != ORV_DONE) {
      TAVRIK_LOG(kLogTrace, lines.send_failed, attempt, address_text);
      result = ORV_FAILED;  // whatever came before
    } else if (const int32_t received = ReceiveLine(reply, &reply_length, port);
               IsErrorReply(reply, reply_length)) {
      // An error reply counts as one even when the time-out cut it off.
      LogErrorReply(lines.transaction, reply, attempt, address_text);
      result = ORV_NOT_DONE;
    } else if (received != ORV_DONE) {
      TAVRIK_LOG(kLogTrace, lines.receive_failed, attempt, address_text);
      result = FollowPrevious(previous);
    } else if (reply[0] != kPositiveReplyMark) {
      TAVRIK_LOG(kLogTrace, lines.first_character, attempt, address_text);
      result = FollowPrevious(previous);
    } else {
      result = check.Check(reply, reply_length, previous, attempt);
    }
    if (result == ORV_DONE) break;
    previous = result;
  }
  if (result != ORV_DONE) TAVRIK_LOG(kLogTrace, lines.closing, result);
  return result;
}

}  // namespace tavrik
