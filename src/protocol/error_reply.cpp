#include "protocol/error_reply.h"

#include "host/log.h"

namespace tavrik {
namespace {

constexpr char kErrorReplyMark = '?';
constexpr std::size_t kShortErrorReply = 5;
constexpr std::size_t kLongErrorReply = 6;
constexpr std::size_t kErrorCodeAt = 3;
constexpr std::size_t kWarningCodeAt = 4;

struct CodeLine {
  char code;
  const char* read;
  const char* write;
};

// Compared case-sensitively: f, o and p are unknown codes.
constexpr CodeLine kErrorCodes[] = {
    {'1', "TAVRIK> Read() Controller detected illegal data,retry %d '%s'",
     "TAVRIK> Write() Controller detected illegal data,retry %d '%s'"},
    {'2', "TAVRIK> Read() Controller detected ill. nr. of char.,retry %d '%s'",
     "TAVRIK> Write() Controller detected ill. nr. of char.,retry %d '%s'"},
    {'4', "TAVRIK> Read() Controller detected TX buff. overflow,retry %d '%s'",
     "TAVRIK> Write() Controller detected TX buff. overflow,retry %d '%s'"},
    {'8', "TAVRIK> Read() Controller detected illegal trailer,retry %d '%s'",
     "TAVRIK> Write() Controller detected illegal trailer,retry %d '%s'"},
    {'F', "TAVRIK> Read() Controller detected overflow error,retry %d '%s'",
     "TAVRIK> Write() Controller detected overflow error,retry %d '%s'"},
    {'O', "TAVRIK> Read() Controller detected receover overrun,retry %d '%s'",
     "TAVRIK> Write() Controller detected receover overrun,retry %d '%s'"},
    {'P', "TAVRIK> Read() Controller detected parity error,retry %d '%s'",
     "TAVRIK> Write() Controller detected parity error,retry %d '%s'"},
};
constexpr CodeLine kUnknownErrorCode = {
    0, "TAVRIK> Read() Controller sent unknown error msg,retry %d '%s'",
    "TAVRIK> Write() Controller sent unknown error msg,retry %d '%s'"};

constexpr CodeLine kWarningCodes[] = {
    {'1', "TAVRIK> Read() Controller warning: read only param.,retry %d '%s'",
     "TAVRIK> Write() Controller warning: read only param.,retry %d '%s'"},
    {'2', "TAVRIK> Read() Controller detected ill. header,retry %d '%s'",
     "TAVRIK> Write() Controller detected ill. header,retry %d '%s'"},
    {'4', "TAVRIK> Read() Controller detected RX buff. overflow,retry %d '%s'",
     "TAVRIK> Write() Controller detected RX buff. overflow,retry %d '%s'"},
    {'8', "TAVRIK> Read() Controller detected ill. param. code,retry %d '%s'",
     "TAVRIK> Write() Controller detected ill. param. code,retry %d '%s'"},
};

void Log(const CodeLine& line, Transaction transaction, int attempt, const char* address_text) {
  // The formats are the literals in the tables above, each taking the attempt and the text.
  TAVRIK_LOG(kLogTrace, transaction == Transaction::kRead ? line.read : line.write, attempt,
             address_text);
}

}  // namespace

bool IsErrorReply(const char* reply, std::size_t length) {
  return (length == kShortErrorReply || length == kLongErrorReply) && reply[0] == kErrorReplyMark;
}

void LogErrorReply(Transaction transaction, const char* reply, int attempt,
                   const char* address_text) {
  const char error = reply[kErrorCodeAt];
  if (error != '0') {
    const CodeLine* line = &kUnknownErrorCode;
    for (const CodeLine& known : kErrorCodes)
      if (known.code == error) line = &known;
    Log(*line, transaction, attempt, address_text);
  }
  // In a complete five-character reply this is the carriage return: no warning.
  const char warning = reply[kWarningCodeAt];
  for (const CodeLine& known : kWarningCodes)
    if (known.code == warning) Log(known, transaction, attempt, address_text);
}

}  // namespace tavrik
