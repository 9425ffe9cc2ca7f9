// Loads the shipped libtavrik.so by path and looks OrvMain up by name, as a host does.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "driver_entry.h"

namespace tavrik::test {

OrvMainFunction DriverEntry() {
  static const OrvMainFunction entry = [] {
    void* library = dlopen(TAVRIK_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    void* symbol = library != nullptr ? dlsym(library, "OrvMain") : nullptr;
    if (symbol == nullptr) {
      std::fprintf(stderr, "cannot load OrvMain from %s: %s\n", TAVRIK_LIBRARY_PATH, dlerror());
      std::abort();
    }
    return reinterpret_cast<OrvMainFunction>(symbol);
  }();
  return entry;
}

}  // namespace tavrik::test
