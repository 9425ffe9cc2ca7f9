// Feeds arbitrary bytes to the initialisation-file reader as the contents of TAVRIK.INT, read at
// ColdStart (without a port). Whatever the file holds, ColdStart must succeed and leave the
// block as it always does: no port, every controller enabled.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "instance/instance_block.h"
#include "peltar.h"
#include "tavrik/tavrik.h"

namespace {

void Discard(void*, int32_t, const char*) {}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  peltar_set_sink(&Discard, nullptr);
  // A directory of our own: the reader looks for its file in the current directory.
  char directory[] = "/tmp/tavrik-init-fuzz-XXXXXX";
  if (mkdtemp(directory) == nullptr || chdir(directory) != 0) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen("TAVRIK.INT", "wb");
  if (file == nullptr) std::abort();
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  auto* block = static_cast<tavrik::InstanceBlock*>(std::malloc(sizeof(tavrik::InstanceBlock)));
  std::memset(block, 0xA5, sizeof *block);
  ColdStartParams params{};
  std::strcpy(params.port_name, "COM1");
  params.port_flag = 0;
  params.reply_timeout = 4;
  OrvRequest request{};
  request.instance = block;
  request.code = ORV_COLD_START;
  request.instance_number = 7;  // TAVRIK07.INT and TAVRIK7.INT do not exist: TAVRIK.INT is read
  request.params = &params;

  if (OrvMain(&request) != ORV_DONE) std::abort();
  if (block->port_handle != 0) std::abort();
  for (uint8_t enabled : block->enable_table)
    if (enabled != 1) std::abort();
  std::free(block);
  return 0;
}
