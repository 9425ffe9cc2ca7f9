#include "text_syntax.h"

#include <charconv>

namespace fghsim {

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int TwoDigits(std::string_view text) {
  if (text.size() != 2 || !IsDigit(text[0]) || !IsDigit(text[1])) return -1;
  return (text[0] - '0') * 10 + (text[1] - '0');
}

std::string TwoDigitText(int value) {
  return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

std::string Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) throw SyntaxError("a backslash ends the word");
    switch (text[i]) {
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case '0':
        out += '\0';
        break;
      case '\\':
        out += '\\';
        break;
      case '"':
        out += '"';
        break;
      case 'x': {
        const int high = i + 1 < text.size() ? HexDigitValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexDigitValue(text[i + 2]) : -1;
        if (high < 0 || low < 0) throw SyntaxError("\\x needs two hex digits");
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        throw SyntaxError(std::string("unknown escape \\") + text[i]);
    }
  }
  return out;
}

std::vector<std::string> SplitWords(std::string_view line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size() || line[i] == '#') break;
    if (line[i] == '"') {
      const size_t start = ++i;
      while (i < line.size() && line[i] != '"') i += line[i] == '\\' ? 2 : 1;
      if (i >= line.size()) throw SyntaxError("a quoted word has no closing quote");
      words.push_back(Unescape(line.substr(start, i - start)));
      ++i;
      if (i < line.size() && !IsBlank(line[i]))
        throw SyntaxError("a blank must follow a quoted word");
    } else {
      const size_t start = i;
      while (i < line.size() && !IsBlank(line[i])) ++i;
      words.push_back(Unescape(line.substr(start, i - start)));
    }
  }
  return words;
}

std::string Printable(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\0':
        out += "\\0";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      default:
        if (byte >= 0x20 && byte < 0x7F) {
          out += c;
        } else {
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 0x0F];
        }
    }
  }
  return out;
}

std::string Hex(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (!out.empty()) out += ' ';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
  }
  return out;
}

long ParseNumber(std::string_view word, long min, long max, std::string_view what) {
  long value = 0;
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(word.data(), end, value);
  if (word.empty() || error != std::errc() || stop != end || value < min || value > max) {
    throw SyntaxError(std::string(what) + " must be a number from " + std::to_string(min) + " to " +
                      std::to_string(max) + ", not '" + Printable(word) + "'");
  }
  return value;
}

}  // namespace fghsim
