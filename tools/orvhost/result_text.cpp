#include "result_text.h"

#include "tavrik/codes.h"

namespace orvhost {

const char* TransferMeaning(int32_t result) {
  switch (result) {
    case ORV_DONE:
      return "done";
    case ORV_NOT_DONE:
      return "not done: refused, error reply, controller disabled or no port";
    case ORV_FAILED:
      return "failed: no reply or the line failed";
    default:
      return "unknown result";
  }
}

}  // namespace orvhost
