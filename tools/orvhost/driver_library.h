// The driver loaded at run time, by path, as a host loads it: libtavrik.so with dlopen on Linux,
// TAVRIK32.dll with LoadLibrary on Windows. The one part of orvhost that differs by platform: CMake
// builds driver_library_posix.cpp or driver_library_win32.cpp.
#pragma once

#include <string>

#include "tavrik/tavrik.h"

namespace orvhost {

class DriverLibrary {
 public:
  DriverLibrary() = default;
  ~DriverLibrary();  // unloads the library
  DriverLibrary(const DriverLibrary&) = delete;
  DriverLibrary& operator=(const DriverLibrary&) = delete;

  // The driver built beside this program: libtavrik.so or TAVRIK32.dll in its directory.
  static std::string DefaultPath();

  // Loads the library at path and looks up OrvMain. False, with the reason in *reason, when
  // either fails.
  bool Load(const std::string& path, std::string* reason);

  OrvMainFunction entry() const { return entry_; }

 private:
  void* handle_ = nullptr;
  OrvMainFunction entry_ = nullptr;
};

}  // namespace orvhost
