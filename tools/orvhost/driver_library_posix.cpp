#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include "driver_library.h"

namespace orvhost {

DriverLibrary::~DriverLibrary() {
  if (handle_ != nullptr) dlclose(handle_);
}

std::string DriverLibrary::DefaultPath() {
  constexpr const char* kLibraryName = "libtavrik.so";
  char executable[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", executable, sizeof executable - 1);
  if (length <= 0) return kLibraryName;  // then the library path decides
  const std::string path(executable, static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1) + kLibraryName;
}

bool DriverLibrary::Load(const std::string& path, std::string* reason) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* error = dlerror();
    *reason = error != nullptr ? error : "dlopen failed";
    return false;
  }
  void* symbol = dlsym(handle_, "OrvMain");
  if (symbol == nullptr) {
    *reason = path + " has no OrvMain";
    return false;
  }
  entry_ = reinterpret_cast<OrvMainFunction>(symbol);
  return true;
}

}  // namespace orvhost
