// Loads libtavrik.so the way a host does and checks where the driver's log line goes.
//   log_binding_probe DRIVER            no log library in the process: the line must reach
//                                       standard error and the process must go on
//   log_binding_probe DRIVER PELTAR     the host loaded the log library first: the line must reach
//                                       the sink the host registered, and nothing standard error
// The process must survive the call in both cases: the C library's own err(3) would exit it.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tavrik/tavrik.h"

namespace {

using SetSink = void (*)(void (*)(void*, int32_t, const char*), void*);

std::vector<std::string> sink_lines;

void Sink(void*, int32_t level, const char* line) {
  sink_lines.push_back(std::to_string(level) + " " + line);
}

template <typename T>
T Symbol(void* library, const char* name) {
  void* symbol = library != nullptr ? dlsym(library, name) : nullptr;
  if (symbol == nullptr) {
    std::printf("FAILED: cannot find %s: %s\n", name, dlerror());
    std::fflush(stdout);
    _exit(2);
  }
  return reinterpret_cast<T>(symbol);
}

// Runs the call with standard error sent to a temporary file and returns what was written.
std::string CaptureStandardError(OrvMainFunction orv_main, int32_t& result) {
  std::fflush(stderr);
  std::FILE* capture = std::tmpfile();
  const int saved = dup(fileno(stderr));
  dup2(fileno(capture), fileno(stderr));

  OrvRequest request{};
  request.code = 0;  // out of range: refused with a level-32 line
  result = orv_main(&request);

  std::fflush(stderr);
  dup2(saved, fileno(stderr));
  close(saved);
  std::string text;
  std::rewind(capture);
  for (int c; (c = std::fgetc(capture)) != EOF;) text.push_back(static_cast<char>(c));
  std::fclose(capture);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s DRIVER [PELTAR]\n", argv[0]);
    return 2;
  }
  const bool with_log_library = argc == 3;
  if (with_log_library) {
    void* peltar = dlopen(argv[2], RTLD_NOW | RTLD_GLOBAL);
    Symbol<SetSink>(peltar, "peltar_set_sink")(&Sink, nullptr);
  }
  void* driver = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  auto orv_main = Symbol<OrvMainFunction>(driver, "OrvMain");

  int32_t result = -1;
  const std::string standard_error = CaptureStandardError(orv_main, result);

  const std::string line = "TAVRIK> Exited OrvMain() #1";
  const std::vector<std::string> expected_sink =
      with_log_library ? std::vector<std::string>{"32 " + line} : std::vector<std::string>{};
  const std::string expected_standard_error = with_log_library ? "" : "[32] " + line + "\n";

  int failures = 0;
  auto check = [&](bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    if (!ok) ++failures;
  };
  check(result == ORV_FAILED, "OrvMain returned 2 and the process went on");
  check(standard_error == expected_standard_error, "standard error holds the expected text");
  check(sink_lines == expected_sink, "the log library's sink received the expected lines");
  if (standard_error != expected_standard_error)
    std::printf("standard error was: [%s]\n", standard_error.c_str());
  return failures == 0 ? 0 : 1;
}
