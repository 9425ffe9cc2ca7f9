// The stand-in log library: formats each line once and hands it to one destination.
#include "peltar.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

// The destination is process-wide, like the log of the host this library stands in for.
PeltarSink sink = nullptr;
void* sink_context = nullptr;
std::FILE* log_file = nullptr;

void Deliver(int32_t level, const char* line) {
  if (sink != nullptr) {
    sink(sink_context, level, line);
    return;
  }
  std::FILE* out = log_file != nullptr ? log_file : stderr;
  std::fprintf(out, "[%d] %s\n", static_cast<int>(level), line);
  std::fflush(out);
}

}  // namespace

extern "C" void err(int32_t level, const char* format, ...) {
  char small[512];
  std::va_list args;
  va_start(args, format);
  std::va_list retry;
  va_copy(retry, args);
  const int length = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);

  if (length < 0) {
    Deliver(level, "(line could not be formatted)");
  } else if (static_cast<std::size_t>(length) < sizeof small) {
    Deliver(level, small);
  } else {
    const std::size_t size = static_cast<std::size_t>(length) + 1;
    char* large = static_cast<char*>(std::malloc(size));
    if (large != nullptr) {
      std::vsnprintf(large, size, format, retry);
      Deliver(level, large);
      std::free(large);
    } else {
      Deliver(level, small);  // cut, but not lost
    }
  }
  va_end(retry);
}

extern "C" void peltar_set_sink(PeltarSink new_sink, void* context) {
  sink = new_sink;
  sink_context = context;
}

extern "C" int32_t peltar_set_file(const char* path) {
  if (path == nullptr) {
    if (log_file != nullptr) std::fclose(log_file);
    log_file = nullptr;
    return 0;
  }
  std::FILE* opened = std::fopen(path, "a");
  if (opened == nullptr) return -1;
  if (log_file != nullptr) std::fclose(log_file);
  log_file = opened;
  return 0;
}
