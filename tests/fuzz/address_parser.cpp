// Feeds arbitrary bytes to SingleAddressParser: the first byte is the gate type (as a signed
// byte, so negative types come too), the rest the address text, in a heap buffer of exactly its
// length and terminator so that a read past it is caught. Every accepted address must give a
// descriptor the read and write transactions can use.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "peltar.h"
#include "tavrik/tavrik.h"

namespace {

void Discard(void*, int32_t, const char*) {}

[[noreturn]] void Fail(const char* what, const GateDescriptor& d, int32_t type) {
  std::fprintf(stderr,
               "unusable descriptor (%s): controller %u class 0x%08x parameter word 0x%08x "
               "reserved %d width %u, gate type %d\n",
               what, d.controller, static_cast<unsigned>(d.gate_class), d.parameter_word,
               d.reserved, d.width, type);
  std::abort();
}

bool TypeFitsWidth(int32_t type, uint32_t width) {
  switch (width) {
    case 1:
      return type == 0 || type == 1 || type == 2 || type == 4 || type == 5 || type == 6;
    case 16:
      return type == 0 || type == 1 || type == 2 || type == 7;
    case 32:
      return type == 4 || type == 5 || type == 7;
    default:
      return false;
  }
}

void CheckUsable(const GateDescriptor& d, int32_t type) {
  if (d.reserved != -1) Fail("reserved field", d, type);
  if (!TypeFitsWidth(type, d.width)) Fail("gate type does not fit the width", d, type);
  const char gate_class = static_cast<char>(d.gate_class & 0xFF);
  const uint32_t secondary = d.parameter_word & 0xFFFF;
  const uint32_t reply_length = d.parameter_word >> 16;
  if (gate_class == '*') {
    if (d.controller != 255) Fail("comm. control controller", d, type);
    if (d.parameter_word != 0xFFFF || d.width != 1) Fail("comm. control fields", d, type);
    return;
  }
  if (d.controller > 99) Fail("controller address", d, type);
  if (gate_class == '$') {
    if (d.parameter_word != 0xFFFF || d.width != 1) Fail("command fields", d, type);
    return;
  }
  if (secondary > 99 && secondary != 0xFFFF) Fail("secondary parameter", d, type);
  if (reply_length > 99) Fail("reply length", d, type);
  if (d.width != (reply_length > 4 ? 32u : 16u)) Fail("width against reply length", d, type);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  peltar_set_sink(&Discard, nullptr);  // refusals are expected; their lines are not the point
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int32_t type = static_cast<int8_t>(data[0]);
  const size_t length = size - 1;
  std::unique_ptr<char[]> text(new char[length + 1]);
  std::memcpy(text.get(), data + 1, length);
  text[length] = '\0';

  ParseRecord record{};
  record.address = text.get();
  record.gate_type = type;
  OrvRequest request{};
  request.code = ORV_SINGLE_ADDRESS_PARSER;
  request.params = &record;

  const int32_t result = OrvMain(&request);
  if (result != ORV_DONE && result != ORV_NOT_DONE) std::abort();
  if (result == ORV_DONE) CheckUsable(record.descriptor, type);
  return 0;
}
