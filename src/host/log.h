// Log lines go to the host's err(level, format, ...), called with the driver's own format and
// arguments so that the host sees exactly the call the driver makes.
#pragma once

#include <cstdint>

#include "tavrik/codes.h"

namespace tavrik {

inline constexpr int32_t kLogError = ORV_LOG_ERROR;
inline constexpr int32_t kLogTrace = ORV_LOG_TRACE;

// The host's log call. Declared with printf checking so that every line's arguments are checked
// against its format at compile time.
typedef void (*ErrFunction)(int32_t level, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// Binds the host's err for the length of one call. Each platform has its own way to find it;
// where there is none, lines go to standard error.
class ErrBinding {
 public:
  ErrBinding() noexcept;
  ~ErrBinding();
  ErrBinding(const ErrBinding&) = delete;
  ErrBinding& operator=(const ErrBinding&) = delete;

  ErrFunction function() const noexcept { return function_; }

 private:
  void* library_;
  ErrFunction function_;
};

}  // namespace tavrik

// Logs one line: TAVRIK_LOG(kLogError, "TAVRIK> ...%d", value). A macro, so that the format
// stays a literal at the call and the compiler checks it.
#define TAVRIK_LOG(level, ...) (::tavrik::ErrBinding().function()((level), __VA_ARGS__))
