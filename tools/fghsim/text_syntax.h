// The text syntax shared by the plant file, the command line and the control channel: words,
// escapes and numbers; and the printable and hex forms of line bytes that the trace shows.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fghsim {

// A malformed word, number or statement; the message says what was expected.
struct SyntaxError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Splits a line into words at blanks. A word in double quotes may hold blanks; escapes (\r \n \t
// \0 \\ \" \xNN) are decoded in every word; an unquoted word starting with # begins a comment
// that runs to the end of the line.
std::vector<std::string> SplitWords(std::string_view line);

// Decodes the escapes listed above.
std::string Unescape(std::string_view text);

// Printable ASCII as it is, everything else escaped as above ("R07T\r").
std::string Printable(std::string_view bytes);

// Two upper-case hex digits a byte, separated by blanks ("52 30 37 54 0D").
std::string Hex(std::string_view bytes);

// A decimal number from min to max; `what` names it in the error message.
long ParseNumber(std::string_view word, long min, long max, std::string_view what);

bool IsDigit(char c);

// A two-digit decimal field such as a controller address or secondary parameter, or -1.
int TwoDigits(std::string_view text);

// 0 to 99 as two digits: "07".
std::string TwoDigitText(int value);

}  // namespace fghsim
