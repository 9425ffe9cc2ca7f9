#include "line_settings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "usage_error.h"

namespace orvhost {
namespace {

constexpr std::size_t kLongestPortName = sizeof(ColdStartParams::port_name) - 1;  // 11

// Rates both the Windows and the termios port can set that fit the settings' 16-bit field.
constexpr std::array<uint16_t, 10> kBaudRates = {110,  300,  600,   1200,  2400,
                                                 4800, 9600, 19200, 38400, 57600};

constexpr std::array<const char*, 5> kParityNames = {"none", "odd", "even", "mark", "space"};
constexpr std::array<const char*, 3> kStopBitsNames = {"1", "1.5", "2"};

constexpr uint16_t kOneAndHalfStopBits = 1;
constexpr uint16_t kTwoStopBits = 2;
constexpr uint16_t kFewestDataBits = 5;
constexpr uint16_t kMostDataBits = 8;

constexpr uint64_t kShortestTimeoutMs = 10;
constexpr uint64_t kLongestTimeoutMs = 600000;

std::string BaudRateList() {
  std::string list;
  for (const uint16_t rate : kBaudRates) list += (list.empty() ? "" : ", ") + std::to_string(rate);
  return list;
}

}  // namespace

uint64_t ParseCount(std::string_view option, std::string_view text, uint64_t lowest,
                    uint64_t highest) {
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size()) {
    throw UsageError(std::string(option) + " takes a number, not '" + std::string(text) + "'");
  }
  if (error == std::errc::result_out_of_range || value < lowest || value > highest) {
    throw UsageError(std::string(option) + " " + std::string(text) + " is out of range (" +
                     std::to_string(lowest) + " to " + std::to_string(highest) + ")");
  }
  return value;
}

void SetPort(LineSettings& line, std::string_view text) {
  if (text.empty()) throw UsageError("--port takes a port name, e.g. COM1 or ttyUSB0");
  if (text.size() > kLongestPortName) {
    throw UsageError(
        "port name '" + std::string(text) + "' has " + std::to_string(text.size()) +
        " characters; the driver takes at most 11. On Linux make a short symbolic link "
        "(ln -s " +
        std::string(text) +
        " ./line0) and give --port ./line0; on Windows give "
        "COMn, or \\\\.\\COMn from COM10 on");
  }
  line.port = std::string(text);
}

void SetBaudRate(LineSettings& line, std::string_view text) {
  const uint64_t rate = ParseCount("--baud", text, 1, UINT64_MAX);
  for (const uint16_t known : kBaudRates) {
    if (rate == known) {
      line.baud_rate = known;
      return;
    }
  }
  throw UsageError("baud rate " + std::string(text) + " is not one the driver can set (" +
                   BaudRateList() + ")");
}

void SetDataBits(LineSettings& line, std::string_view text) {
  line.data_bits =
      static_cast<uint16_t>(ParseCount("--data-bits", text, kFewestDataBits, kMostDataBits));
}

void SetParity(LineSettings& line, std::string_view text) {
  for (std::size_t code = 0; code < kParityNames.size(); ++code) {
    if (text == kParityNames[code]) {
      line.parity = static_cast<uint16_t>(code);
      return;
    }
  }
  throw UsageError("parity '" + std::string(text) + "' is none of none, odd, even, mark, space");
}

void SetStopBits(LineSettings& line, std::string_view text) {
  for (std::size_t code = 0; code < kStopBitsNames.size(); ++code) {
    if (text == kStopBitsNames[code]) {
      line.stop_bits = static_cast<uint16_t>(code);
      return;
    }
  }
  throw UsageError("stop bits '" + std::string(text) + "' are none of 1, 1.5, 2");
}

void SetReplyTimeout(LineSettings& line, std::string_view milliseconds) {
  const uint64_t ms = ParseCount("--timeout", milliseconds, kShortestTimeoutMs, kLongestTimeoutMs);
  line.reply_timeout = static_cast<int32_t>((ms + 9) / 10);  // tens of milliseconds, rounded up
}

void SetInstanceNumber(LineSettings& line, std::string_view text) {
  line.instance_number = static_cast<uint32_t>(ParseCount("--instance", text, 0, UINT32_MAX));
}

void CheckFrame(const LineSettings& line, const CommSettings& defaults) {
  const uint16_t data_bits = line.data_bits.value_or(defaults.data_bits);
  const uint16_t stop_bits = line.stop_bits.value_or(defaults.stop_bits);
  if (stop_bits == kOneAndHalfStopBits && data_bits != kFewestDataBits) {
    throw UsageError("1.5 stop bits go with 5 data bits only (--data-bits 5)");
  }
  if (stop_bits == kTwoStopBits && data_bits == kFewestDataBits) {
    throw UsageError("2 stop bits need 6 to 8 data bits; with 5 data bits use --stop-bits 1.5");
  }
}

ColdStartParams ColdStartParamsFor(const LineSettings& line, const OrvInfo& defaults) {
  ColdStartParams params{};
  std::memcpy(params.port_name, line.port.data(),
              std::min(line.port.size(), kLongestPortName));  // checked when given
  params.port_flag = 1;
  params.reply_timeout = line.reply_timeout.value_or(defaults.reply_timeout);
  params.settings.baud_rate = line.baud_rate.value_or(defaults.settings.baud_rate);
  params.settings.data_bits = line.data_bits.value_or(defaults.settings.data_bits);
  params.settings.stop_bits = line.stop_bits.value_or(defaults.settings.stop_bits);
  params.settings.parity = line.parity.value_or(defaults.settings.parity);
  return params;
}

const char* ParityName(uint16_t parity) {
  return parity < kParityNames.size() ? kParityNames[parity] : "?";
}

const char* StopBitsName(uint16_t stop_bits) {
  return stop_bits < kStopBitsNames.size() ? kStopBitsNames[stop_bits] : "?";
}

std::string DescribeSettings(const CommSettings& settings) {
  return std::to_string(settings.baud_rate) + " baud, " + std::to_string(settings.data_bits) +
         " data bits, parity " + ParityName(settings.parity) + ", " +
         StopBitsName(settings.stop_bits) + " stop bit" + (settings.stop_bits == 0 ? "" : "s");
}

}  // namespace orvhost
