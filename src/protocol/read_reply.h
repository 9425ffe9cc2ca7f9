// The checks of a positive read reply and the store of its value by gate type.
#pragma once

#include <cstddef>
#include <cstdint>

#include "protocol/attempt_loop.h"
#include "protocol/request_builder.h"

namespace tavrik {

// Checks a reply of the form "*", the request body, an optional "-", the data, a carriage
// return; on success stores the value in value and gives 0.
class ReadReplyCheck final : public ReplyCheck {
 public:
  ReadReplyCheck(const RequestLine& request, uint32_t reply_length, int32_t gate_type,
                 ValueBlock& value, const char* address_text)
      : request_(request),
        digits_(reply_length),
        gate_type_(gate_type),
        value_(value),
        address_text_(address_text) {}

  int32_t Check(const char* reply, std::size_t length, int32_t previous, int attempt) override;

 private:
  int32_t Store(const char* data, std::size_t data_length, bool negative, int attempt);

  const RequestLine& request_;
  uint32_t digits_;
  int32_t gate_type_;
  ValueBlock& value_;
  const char* address_text_;
};

}  // namespace tavrik
