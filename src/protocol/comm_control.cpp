#include "protocol/comm_control.h"

#include <cstring>

#include "instance/instance_block.h"

namespace tavrik {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsX(char c) {
  return c == 'X' || c == 'x';
}  // as the parser reads it, upper-cased
uint32_t DigitValue(char c) {
  return static_cast<uint32_t>(c - '0');
}

}  // namespace

ControllerRange ControllersNamed(const char* text) {
  if (text == nullptr || text[0] == '\0') return {0, 0};
  if (IsX(text[0]) && IsX(text[1])) return {0, kControllerCount};
  if (IsDigit(text[0]) && IsX(text[1])) return {DigitValue(text[0]) * 10, 10};
  if (IsDigit(text[0]) && IsDigit(text[1]))
    return {DigitValue(text[0]) * 10 + DigitValue(text[1]), 1};
  return {0, 0};
}

void CommControlWrite(uint8_t* enable_table, ControllerRange controllers, const ValueBlock& value) {
  // For a 32-bit gate these are its upper 16 bits.
  const uint8_t state = value.unsigned16[1] != 0 ? 1 : 0;
  std::memset(enable_table + controllers.first, state, controllers.count);
}

}  // namespace tavrik
