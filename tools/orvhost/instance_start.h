// Starting the instance on the port: the line settings checked against the driver's defaults,
// then ColdStart.
#pragma once

#include <string>

#include "line_settings.h"
#include "session.h"

namespace orvhost {

// ColdStart with the given settings (the driver's defaults for the rest) and its result; the
// reason for standard error when it is not done. Throws UsageError for a frame no port can take.
int32_t StartInstance(Session& session, const LineSettings& line, bool trace_shown,
                      std::string* reason);

}  // namespace orvhost
