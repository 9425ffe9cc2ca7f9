#include "protocol/line_exchange.h"

#include "host/log.h"
#include "serial/serial_port.h"
#include "tavrik/codes.h"

namespace tavrik {
namespace {

void ChangeRequestToSend(comm::Handle port, comm::LineChange change) {
  if (!comm::ChangeLine(port, change))
    TAVRIK_LOG(kLogTrace, "TAVRIK> Send() EscapeCommFunction() failed");
}

// Waits until the transmitter has sent everything, so that request-to-send drops only after
// the last character. Every successful query is followed by one Sleep(0).
void WaitForOutputQueue(comm::Handle port) {
  const uint32_t start = comm::Milliseconds();
  for (;;) {
    comm::PortStatus status{};
    if (!comm::ClearErrors(port, &status)) {
      TAVRIK_LOG(kLogTrace, "TAVRIK> Send() ClearCommError() failed");
      return;
    }
    comm::Sleep(0);
    if (status.output_queue == 0) return;
    if (comm::Milliseconds() - start >= kOutputDrainLimitMs) {
      TAVRIK_LOG(kLogTrace, "TAVRIK> Send() output queue not drained");
      return;
    }
  }
}

}  // namespace

int32_t Send(const char* request, uint32_t length, comm::Handle port) {
  ChangeRequestToSend(port, comm::LineChange::kSetRts);
  uint32_t written = 0;
  const serial::Result result = serial::WriteAll(port, request, length, &written);
  WaitForOutputQueue(port);  // whatever the write gave
  ChangeRequestToSend(port, comm::LineChange::kClearRts);
  return result == serial::kDone && written == length ? ORV_DONE : ORV_FAILED;
}

int32_t ReadByte(comm::Handle port, char* destination) {
  uint32_t got = 0;
  return serial::ReadAll(port, destination, 1, &got) == serial::kDone && got == 1 ? ORV_DONE
                                                                                  : ORV_FAILED;
}

int32_t ReceiveLine(char* area, std::size_t* length, comm::Handle port) {
  std::size_t count = 0;
  while (count < kLongestReply) {
    if (ReadByte(port, area + count) != ORV_DONE) {
      *length = count;
      TAVRIK_LOG(kLogTrace, "TAVRIK> Receive() Error, reading error msg from controller");
      return ORV_FAILED;
    }
    if (area[count++] == kCarriageReturn) break;
  }
  *length = count;
  return ORV_DONE;
}

}  // namespace tavrik
