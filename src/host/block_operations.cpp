#include "host/block_operations.h"

#include "tavrik/codes.h"

namespace tavrik {

// Each returns 1 without logging and without reading anything of the request.
int32_t BlockAddressParser(const OrvRequest&) {
  return ORV_NOT_DONE;
}
int32_t BlockRead(const OrvRequest&) {
  return ORV_NOT_DONE;
}
int32_t BlockWrite(const OrvRequest&) {
  return ORV_NOT_DONE;
}

}  // namespace tavrik
