// The line settings given on the command line, checked, and turned into ColdStart's parameters
// with the driver's own defaults for what was left out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tavrik/records.h"

namespace orvhost {

struct LineSettings {
  std::string port;  // empty: none given
  std::optional<uint16_t> baud_rate;
  std::optional<uint16_t> data_bits;
  std::optional<uint16_t> parity;        // 0 none, 1 odd, 2 even, 3 mark, 4 space
  std::optional<uint16_t> stop_bits;     // 0 one, 1 one and a half, 2 two
  std::optional<int32_t> reply_timeout;  // tens of milliseconds
  uint32_t instance_number = 0;
};

// Each takes the option's text and stores it, or throws UsageError saying what is wrong.
void SetPort(LineSettings& line, std::string_view text);
void SetBaudRate(LineSettings& line, std::string_view text);
void SetDataBits(LineSettings& line, std::string_view text);
void SetParity(LineSettings& line, std::string_view text);
void SetStopBits(LineSettings& line, std::string_view text);
void SetReplyTimeout(LineSettings& line, std::string_view milliseconds);
void SetInstanceNumber(LineSettings& line, std::string_view text);

// Throws UsageError for a frame no port can take (1.5 stop bits go with 5 data bits only, 2 stop
// bits with 6 to 8).
void CheckFrame(const LineSettings& line, const CommSettings& defaults);

// ColdStart's parameters: the settings given, the driver's defaults for the rest.
ColdStartParams ColdStartParamsFor(const LineSettings& line, const OrvInfo& defaults);

// Names for display: "none", "odd", ...; "1", "1.5", "2".
const char* ParityName(uint16_t parity);
const char* StopBitsName(uint16_t stop_bits);

// "9600 baud, 8 data bits, parity none, 1 stop bit"
std::string DescribeSettings(const CommSettings& settings);

// An unsigned decimal number within [lowest, highest], or UsageError naming the option.
uint64_t ParseCount(std::string_view option, std::string_view text, uint64_t lowest,
                    uint64_t highest);

}  // namespace orvhost
