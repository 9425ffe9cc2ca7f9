// On Linux err must come from the host's log library, whose soname is libpeltar.so. A plain
// undefined err would bind to the C library's err(3), which prints and then exits the process,
// so the library is looked up explicitly and err is taken from that very library. Without it,
// lines go to standard error.
#include <dlfcn.h>
#include <link.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "host/log.h"

namespace tavrik {
namespace {

constexpr const char* kLogLibrary = "libpeltar.so";

void WriteToStandardError(int32_t level, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  flockfile(stderr);
  std::fprintf(stderr, "[%d] ", static_cast<int>(level));
  std::vfprintf(stderr, format, args);
  std::fputc('\n', stderr);
  funlockfile(stderr);
  va_end(args);
}

// dlsym on a library handle also searches that library's dependencies, the C library among
// them; accept the symbol only if the log library itself defines it.
bool DefinedBy(void* symbol, void* library) {
  Dl_info info;
  link_map* map = nullptr;
  if (dladdr(symbol, &info) == 0 || dlinfo(library, RTLD_DI_LINKMAP, &map) != 0) return false;
  return info.dli_fname != nullptr && map != nullptr &&
         std::strcmp(info.dli_fname, map->l_name) == 0;
}

}  // namespace

// The library found is kept loaded for good (RTLD_NODELETE): a host that loaded it keeps it
// anyway, and one that did not gets it once rather than at every line. Each binding holds its
// own reference, so the driver keeps no state of its own.
ErrBinding::ErrBinding() noexcept
    : library_(dlopen(kLogLibrary, RTLD_NOW | RTLD_NODELETE)), function_(&WriteToStandardError) {
  if (library_ == nullptr) {
    dlerror();  // leave no error of ours for the host's next dlerror()
    return;
  }
  void* symbol = dlsym(library_, "err");
  if (symbol != nullptr && DefinedBy(symbol, library_)) {
    function_ = reinterpret_cast<ErrFunction>(symbol);
  }
}

ErrBinding::~ErrBinding() {
  if (library_ != nullptr) dlclose(library_);
}

}  // namespace tavrik
