// What goes down the line for one request, and when.
#pragma once

#include <string>

namespace fghsim {

struct ReplyPlan {
  std::string bytes;       // empty: no reply
  long delay_ms = 0;       // before the first character
  long gap_ms = 0;         // between characters, beyond the line's own character time
  bool drop_line = false;  // the line drops once the bytes are out
};

}  // namespace fghsim
