#include <windows.h>

#include "driver_library.h"

namespace orvhost {
namespace {

std::string SystemMessage(DWORD code) {
  char text[256] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.pop_back();
  }
  return "error " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}

}  // namespace

DriverLibrary::~DriverLibrary() {
  if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
}

std::string DriverLibrary::DefaultPath() {
  constexpr const char* kLibraryName = "TAVRIK32.dll";
  char executable[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, executable, sizeof executable);
  if (length == 0 || length >= sizeof executable) return kLibraryName;
  const std::string path(executable, length);
  return path.substr(0, path.find_last_of("\\/") + 1) + kLibraryName;
}

bool DriverLibrary::Load(const std::string& path, std::string* reason) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) {
    *reason = SystemMessage(GetLastError());
    return false;
  }
  handle_ = module;
  // Exported undecorated, though OrvMain is stdcall.
  FARPROC symbol = GetProcAddress(module, "OrvMain");
  if (symbol == nullptr) {
    *reason = path + " has no OrvMain";
    return false;
  }
  entry_ = reinterpret_cast<OrvMainFunction>(reinterpret_cast<void*>(symbol));
  return true;
}

}  // namespace orvhost
