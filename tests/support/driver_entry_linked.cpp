#include "driver_entry.h"

namespace tavrik::test {

OrvMainFunction DriverEntry() {
  return &OrvMain;
}

}  // namespace tavrik::test
