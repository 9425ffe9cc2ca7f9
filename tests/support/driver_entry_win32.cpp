// Loads TAVRIK32.dll from beside the test program and looks OrvMain up by its undecorated name,
// as a host does.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "driver_entry.h"

namespace tavrik::test {

OrvMainFunction DriverEntry() {
  static const OrvMainFunction entry = [] {
    HMODULE library = LoadLibraryA("TAVRIK32.dll");
    FARPROC symbol = library != nullptr ? GetProcAddress(library, "OrvMain") : nullptr;
    if (symbol == nullptr) {
      std::fprintf(stderr, "cannot load OrvMain from TAVRIK32.dll (error %lu)\n", GetLastError());
      std::abort();
    }
    return reinterpret_cast<OrvMainFunction>(reinterpret_cast<void*>(symbol));
  }();
  return entry;
}

}  // namespace tavrik::test
