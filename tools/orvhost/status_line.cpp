#include "status_line.h"

#include <unistd.h>

#include <cstdio>

namespace orvhost {
namespace {

constexpr std::size_t kColumns = 79;

bool StartsCharacter(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // not a UTF-8 continuation byte
}

// At most kColumns characters of text, cut at a character's start.
std::string Fitted(const std::string& text, std::size_t* columns) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!StartsCharacter(text[i])) continue;
    if (count == kColumns) {
      *columns = count;
      return text.substr(0, i);
    }
    ++count;
  }
  *columns = count;
  return text;
}

}  // namespace

bool StandardOutputIsTerminal() {
  return isatty(fileno(stdout)) != 0;
}

void StatusLine::Show(const std::string& text) {
  if (!enabled_) return;
  std::size_t columns = 0;
  const std::string fitted = Fitted(text, &columns);
  const std::size_t blanks = shown_columns_ > columns ? shown_columns_ - columns : 0;
  std::printf("\r%s%*s", fitted.c_str(), static_cast<int>(blanks), "");
  std::fflush(stdout);
  shown_columns_ = columns;
}

void StatusLine::Clear() {
  if (!enabled_ || shown_columns_ == 0) return;
  std::printf("\r%*s\r", static_cast<int>(shown_columns_), "");
  std::fflush(stdout);
  shown_columns_ = 0;
}

}  // namespace orvhost
