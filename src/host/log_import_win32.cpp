// On Windows err is imported by name from PELTAR.DLL through the import library.
#include "host/log.h"

extern "C" __declspec(dllimport) void err(int32_t level, const char* format, ...);

namespace tavrik {

ErrBinding::ErrBinding() noexcept : library_(nullptr), function_(&err) {}

ErrBinding::~ErrBinding() = default;

}  // namespace tavrik
