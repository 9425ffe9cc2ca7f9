// A line on the terminal rewritten in place (carriage return, no line feed), kept within 79
// columns. Does nothing when standard output is no terminal.
#pragma once

#include <cstddef>
#include <string>

namespace orvhost {

// Whether standard output is a terminal.
bool StandardOutputIsTerminal();

class StatusLine {
 public:
  explicit StatusLine(bool enabled) : enabled_(enabled) {}
  ~StatusLine() { Clear(); }
  StatusLine(const StatusLine&) = delete;
  StatusLine& operator=(const StatusLine&) = delete;

  bool live() const { return enabled_; }
  void Show(const std::string& text);
  void Clear();  // blanks the line, so that ordinary output can follow

 private:
  bool enabled_;
  std::size_t shown_columns_ = 0;
};

}  // namespace orvhost
