#include "protocol.h"

#include "fault_effect.h"
#include "text_syntax.h"

namespace fghsim {

namespace {

// Error codes and warning codes of error replies.
constexpr char kNoError = '0';
constexpr char kIllegalData = '1';
constexpr char kIllegalLength = '2';
constexpr char kReadOnly = '1';
constexpr char kIllegalHeader = '2';
constexpr char kRxOverflow = '4';
constexpr char kIllegalCode = '8';

std::string ErrorReply(int address, char error) {
  return "?" + TwoDigitText(address) + error + '\r';
}

std::string WarningReply(int address, char warning) {
  return "?" + TwoDigitText(address) + kNoError + warning + '\r';
}

bool AllDigits(std::string_view text) {
  for (const char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

// A write's data: a number as an optional '-' and exactly m digits, a text as exactly m
// characters, right-aligned (the blanks on its left are not part of the text).
std::string Write(Controller& controller, Parameter& parameter, std::string_view data,
                  std::string_view line) {
  const auto width = static_cast<size_t>(parameter.width);
  if (parameter.text) {
    if (data.size() != width) return ErrorReply(controller.address, kIllegalLength);
    const size_t start = data.find_first_not_of(' ');
    SetText(parameter, start == std::string_view::npos ? "" : data.substr(start));
  } else {
    const std::string_view digits = !data.empty() && data[0] == '-' ? data.substr(1) : data;
    if (digits.size() != width) return ErrorReply(controller.address, kIllegalLength);
    if (!AllDigits(digits)) return ErrorReply(controller.address, kIllegalData);
    SetNumber(parameter, data);
  }
  return "*" + std::string(line.substr(1)) + '\r';
}

}  // namespace

std::string Respond(Controller& controller, std::string_view line, std::optional<char>* command) {
  const int address = controller.address;
  if (line.size() < 3) return "";  // names no controller
  if (line.size() > kLongestRequest) return WarningReply(address, kRxOverflow);
  const char kind = line[0];
  if (kind != 'R' && kind != 'W' && kind != 'S') return WarningReply(address, kIllegalHeader);
  if (line.size() < 4) return ErrorReply(address, kIllegalLength);
  const char code = line[3];
  if (code == '*' || code == '$') return WarningReply(address, kIllegalCode);

  if (kind == 'S') {
    if (line.size() != 4) return ErrorReply(address, kIllegalLength);
    *command = code;
    return "*" + std::string(line.substr(1)) + '\r';
  }

  std::optional<int> secondary;
  size_t data_start = 4;
  if (controller.TakesSecondary(code)) {
    if (line.size() < 6) return ErrorReply(address, kIllegalLength);
    secondary = TwoDigits(line.substr(4, 2));
    if (*secondary < 0) return ErrorReply(address, kIllegalData);
    data_start = 6;
  }
  Parameter* parameter = controller.Find(code, secondary);
  if (parameter == nullptr) return WarningReply(address, kIllegalCode);

  if (kind == 'R') {
    if (line.size() != data_start) return ErrorReply(address, kIllegalLength);
    return "*" + std::string(line.substr(1)) + ReplyData(*parameter) + '\r';
  }
  if (parameter->read_only) return WarningReply(address, kReadOnly);
  return Write(controller, *parameter, line.substr(data_start), line);
}

Exchange Answer(Plant& plant, FaultTable& faults, std::string_view line) {
  Exchange exchange;
  if (line.size() < 3) return exchange;
  Controller* controller = plant.Find(TwoDigits(line.substr(1, 2)));
  if (controller == nullptr) return exchange;  // not ours: some other controller's business
  exchange.address = controller->address;
  exchange.fault = faults.Take(controller->address, line);

  std::string reply;
  std::optional<char> command;
  if (!exchange.fault || RequestTakesEffect(*exchange.fault)) {
    reply = Respond(*controller, line, &command);
    exchange.command = command;
  }
  exchange.reply = exchange.fault ? ShapeReply(*exchange.fault, reply) : ReplyPlan{reply};
  return exchange;
}

}  // namespace fghsim
