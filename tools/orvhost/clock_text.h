// The local time of day with milliseconds, "12:34:56.789", for log lines and poll rounds.
#pragma once

#include <string>

namespace orvhost {

std::string TimeOfDay();

}  // namespace orvhost
