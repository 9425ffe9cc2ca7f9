// The attempt loop that reads and writes share: up to four attempts of purge, gap, send and
// receive, each judged against the one before it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "instance/instance_block.h"

namespace tavrik {

inline constexpr int kMaxAttempts = 4;

// Which of the controllers' error-reply lines a transaction logs.
enum class Transaction { kRead, kWrite };

// A transaction's own lines. Each format ends in ", retry %d '%s'" (attempt number, the gate's
// address text), except the closing one, which takes the result.
struct TransactionLines {
  Transaction transaction;
  const char* send_failed;
  const char* receive_failed;
  const char* first_character;
  const char* closing;
};

// Judges a positive reply (one that starts with "*"): the attempt's result.
class ReplyCheck {
 public:
  virtual int32_t Check(const char* reply, std::size_t length, int32_t previous, int attempt) = 0;

 protected:
  ~ReplyCheck() = default;
};

// The result after an attempt that failed in a way that depends on the attempt before: 2 after
// a 2 (as before the first attempt), 1 after a 1.
constexpr int32_t FollowPrevious(int32_t previous) {
  return previous == 2 ? 2 : 1;
}

// Runs the attempts for request (length characters, kept unchanged throughout) and returns the
// last attempt's result. The reply lands in the block's reply area.
int32_t RunAttempts(InstanceBlock& block, const char* request, uint32_t length,
                    const char* address_text, const TransactionLines& lines, ReplyCheck& check);

}  // namespace tavrik
