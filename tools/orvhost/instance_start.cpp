#include "instance_start.h"

namespace orvhost {

int32_t StartInstance(Session& session, const LineSettings& line, bool trace_shown,
                      std::string* reason) {
  CheckFrame(line, session.info().settings);
  const ColdStartParams params = ColdStartParamsFor(line, session.info());
  const int32_t result = session.ColdStart(params, line.instance_number);
  if (result == ORV_DONE) return result;
  *reason = "ColdStart on port " + line.port + " (" + DescribeSettings(params.settings) +
            ") not done (result " + std::to_string(result) +
            "): the port could not be opened with these settings";
  // The driver says why only in its trace lines.
  if (!trace_shown) *reason += "; --trace shows the driver's reason";
  return result;
}

}  // namespace orvhost
