// Reads a text file the way the C run-time's text mode and fgets() present it, identically on
// every platform: a carriage return directly before a line feed is dropped, Ctrl-Z ends the
// file, and a line longer than the buffer comes as several pieces.
#pragma once

#include <cstddef>
#include <cstdio>

namespace tavrik {

inline constexpr std::size_t kLineBufferSize = 256;  // 255 characters and the terminator

class TextFileLines {
 public:
  explicit TextFileLines(std::FILE* file) : file_(file) {}

  // The next line with its line feed, if it had one within 255 characters, and a terminator.
  // False at the end of the file.
  bool Next(char (&line)[kLineBufferSize]);

 private:
  int NextCharacter();  // text-mode translation; EOF at the end

  std::FILE* file_;
  bool ended_ = false;
};

}  // namespace tavrik
