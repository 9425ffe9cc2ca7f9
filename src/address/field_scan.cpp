#include "address/field_scan.h"

namespace tavrik {
namespace {

constexpr int kFieldWidth = 2;

// White space as the C locale's isspace() has it; the copy is never in another locale.
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

FieldScan ScanTwoCharacterNumber(const char* text) {
  while (IsSpace(*text)) ++text;
  FieldScan scan{false, false, 0};
  int width = kFieldWidth;
  if (*text == '+' || *text == '-') {
    scan.negative = *text == '-';
    ++text;
    --width;
  }
  for (; width > 0 && IsDigit(*text); --width, ++text) {
    scan.found = true;
    scan.value = scan.value * 10 + static_cast<uint32_t>(*text - '0');
  }
  if (scan.negative) scan.value = 0u - scan.value;
  return scan;
}

}  // namespace tavrik
