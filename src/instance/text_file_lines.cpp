#include "instance/text_file_lines.h"

namespace tavrik {
namespace {

constexpr int kEndOfFileMark = 0x1A;  // Ctrl-Z

}  // namespace

int TextFileLines::NextCharacter() {
  if (ended_) return EOF;
  int c = std::fgetc(file_);
  if (c == '\r') {
    const int after = std::fgetc(file_);
    if (after == '\n') return '\n';
    if (after != EOF) std::ungetc(after, file_);
  }
  if (c == kEndOfFileMark || c == EOF) {
    ended_ = true;
    return EOF;
  }
  return c;
}

bool TextFileLines::Next(char (&line)[kLineBufferSize]) {
  std::size_t length = 0;
  while (length < kLineBufferSize - 1) {
    const int c = NextCharacter();
    if (c == EOF) break;
    line[length++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  line[length] = '\0';
  return length > 0;
}

}  // namespace tavrik
