/* The public header is plain C as well: a host written in C includes it as it is. Its layout
   assertions run here under the C compiler too. */
#include "tavrik/tavrik.h"

int tavrik_records_from_c_size(void) {
  return (int)(sizeof(OrvRequest) + sizeof(GateRecord));
}
