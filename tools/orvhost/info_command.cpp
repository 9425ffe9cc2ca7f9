// info: the driver's description from GetOrvInfo, the banner in UTF-8.
#include <cstdio>

#include "cp437.h"
#include "exit_status.h"
#include "json_writer.h"
#include "line_settings.h"
#include "subcommands.h"

namespace orvhost {

int RunInfo(const RunContext& context) {
  const OrvInfo& info = context.session.info();
  const std::string short_name = Cp437ToUtf8(info.short_name != nullptr ? info.short_name : "");
  const std::string banner = BannerToUtf8(info.banner);
  const int32_t timeout_ms = info.reply_timeout * 10;

  if (context.invocation.json) {
    JsonWriter json;
    json.BeginObject()
        .StringField("library", context.driver_path)
        .IntegerField("kind", info.kind)
        .StringField("short_name", short_name)
        .StringField("banner", banner)
        .UnsignedField("instance_block_size", info.instance_block_size)
        .IntegerField("reply_timeout_ms", timeout_ms)
        .Key("settings")
        .BeginObject()
        .UnsignedField("baud", info.settings.baud_rate)
        .UnsignedField("data_bits", info.settings.data_bits)
        .StringField("parity", ParityName(info.settings.parity))
        .StringField("stop_bits", StopBitsName(info.settings.stop_bits))
        .EndObject()
        .EndObject();
    std::printf("%s\n", json.text().c_str());
    return kExitDone;
  }
  std::printf("driver          %s (kind %d)\n", short_name.c_str(), static_cast<int>(info.kind));
  std::printf("library         %s\n", context.driver_path.c_str());
  std::printf("instance block  %u bytes\n", static_cast<unsigned>(info.instance_block_size));
  std::printf("defaults        reply time-out %d ms; %s\n", static_cast<int>(timeout_ms),
              DescribeSettings(info.settings).c_str());
  std::printf("\n%s\n", banner.c_str());
  return kExitDone;
}

}  // namespace orvhost
