// The line monitor: every request and reply with a timestamp, printable and in hex, and what the
// simulator did (faults met, commands, the line going down and up).
//
//   14:02:11.123456 request "R07T\r" 52 30 37 54 0D
//   14:02:11.125001 reply   "*07T0123\r" 2A 30 37 54 30 31 32 33 0D
//   14:02:11.125001 note    command 05 G
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace fghsim {

class Trace {
 public:
  Trace() = default;
  ~Trace();
  Trace(const Trace&) = delete;
  Trace& operator=(const Trace&) = delete;

  // "-" for standard output, else a file (truncated). Throws std::runtime_error.
  void Open(const std::string& target);
  bool enabled() const { return out_ != nullptr; }

  void Request(std::string_view bytes);
  void Reply(std::string_view bytes);
  void Note(std::string_view text);

 private:
  void Line(std::string_view label, std::string_view text);
  void Bytes(std::string_view label, std::string_view bytes);

  std::FILE* out_ = nullptr;
  bool owned_ = false;
};

}  // namespace fghsim
