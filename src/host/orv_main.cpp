// The driver's one entry point.
#include "host/dispatch_table.h"
#include "host/log.h"
#include "host/stopped_flag.h"
#include "tavrik/tavrik.h"

extern "C" ORV_EXPORT int32_t ORV_CALL OrvMain(const OrvRequest* request) {
  // A stopped driver does nothing at all, whatever the code: the flag is tested first.
  if (tavrik::IsStopped()) return ORV_DONE;

  // A missing request has no code to dispatch; it is refused like a code out of range.
  if (request == nullptr || request->code == 0 || request->code > ORV_OPERATION_SLOTS) {
    TAVRIK_LOG(tavrik::kLogError, "TAVRIK> Exited OrvMain() #1");
    return ORV_FAILED;
  }
  const tavrik::Slot slot = tavrik::SlotFor(request->code);
  if (slot.operation == nullptr) {
    TAVRIK_LOG(tavrik::kLogError, "TAVRIK> Exited OrvMain() #2");
    return ORV_FAILED;
  }
  // Operations rely on the records they use being there; a request without them is refused
  // before anything is read or written.
  if (slot.uses_instance && request->instance == nullptr) {
    TAVRIK_LOG(tavrik::kLogError, "TAVRIK> Exited OrvMain() #3");
    return ORV_FAILED;
  }
  if (slot.uses_params && request->params == nullptr) {
    TAVRIK_LOG(tavrik::kLogError, "TAVRIK> Exited OrvMain() #4");
    return ORV_FAILED;
  }
  return slot.operation(*request);
}
