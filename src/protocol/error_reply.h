// A controller's error reply: "?", two characters not looked at, an error code and, in the
// six-character form, a warning code.
#pragma once

#include <cstddef>

#include "protocol/attempt_loop.h"

namespace tavrik {

// Whether a reply of length characters (complete or cut off) is an error reply.
bool IsErrorReply(const char* reply, std::size_t length);

// Logs the error-code line (none for code 0) and then the warning-code line (for 1, 2, 4, 8).
void LogErrorReply(Transaction transaction, const char* reply, int attempt,
                   const char* address_text);

}  // namespace tavrik
