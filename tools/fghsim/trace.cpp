#include "trace.h"

#include <sys/time.h>
#include <time.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "text_syntax.h"

namespace fghsim {

namespace {

std::string TimeOfDay() {
  timeval now{};
  gettimeofday(&now, nullptr);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%06ld", local.tm_hour, local.tm_min,
                local.tm_sec, static_cast<long>(now.tv_usec));
  return text;
}

}  // namespace

Trace::~Trace() {
  if (owned_) std::fclose(out_);
}

void Trace::Open(const std::string& target) {
  if (target == "-") {
    out_ = stdout;
    return;
  }
  out_ = std::fopen(target.c_str(), "w");
  if (out_ == nullptr) {
    throw std::runtime_error("cannot open the trace " + target + ": " + std::strerror(errno));
  }
  owned_ = true;
}

void Trace::Request(std::string_view bytes) {
  Bytes("request", bytes);
}

void Trace::Reply(std::string_view bytes) {
  Bytes("reply  ", bytes);
}

void Trace::Note(std::string_view text) {
  Line("note   ", text);
}

void Trace::Bytes(std::string_view label, std::string_view bytes) {
  if (enabled()) Line(label, "\"" + Printable(bytes) + "\" " + Hex(bytes));
}

void Trace::Line(std::string_view label, std::string_view text) {
  if (!enabled()) return;
  const std::string line = TimeOfDay() + " " + std::string(label) + " " + std::string(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fflush(out_);  // a monitor: each line as it happens
}

}  // namespace fghsim
