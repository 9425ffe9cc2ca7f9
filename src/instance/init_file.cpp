#include "instance/init_file.h"

#include <cstdio>

#include "host/log.h"
#include "instance/instance_block.h"
#include "instance/text_file_lines.h"

namespace tavrik {
namespace {

constexpr const char* kBaseName = "TAVRIK";
// Room for the base name, any 32-bit instance number, the extension and the terminator.
constexpr std::size_t kFileNameSize = 32;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
const char* SkipSpace(const char* text) {
  while (IsSpace(*text)) ++text;
  return text;
}

// Matches "IFG=<n>" with white space of any length, also none, before IFG, around the equals
// sign and before the number; whatever follows the number is ignored. The number is an unsigned
// decimal with an optional plus sign. A minus sign or a number beyond 32 bits yields no value:
// taken modulo 2^32 it would stall every request for weeks.
bool ScanGap(const char* line, uint32_t* gap) {
  const char* at = SkipSpace(line);
  if (at[0] != 'I' || at[1] != 'F' || at[2] != 'G') return false;
  at = SkipSpace(at + 3);
  if (*at != '=') return false;
  at = SkipSpace(at + 1);
  if (*at == '+') ++at;
  if (*at < '0' || *at > '9') return false;
  uint64_t value = 0;
  for (; *at >= '0' && *at <= '9'; ++at) {
    value = value * 10 + static_cast<uint64_t>(*at - '0');
    if (value > UINT32_MAX) return false;
  }
  *gap = static_cast<uint32_t>(value);
  return true;
}

// The first of the three names that opens, or null.
std::FILE* OpenIntFile(uint32_t instance_number, char (&name)[kFileNameSize]) {
  std::snprintf(name, kFileNameSize, "%s%02u.INT", kBaseName, instance_number);
  if (std::FILE* file = std::fopen(name, "rb")) return file;
  std::snprintf(name, kFileNameSize, "%s%01u.INT", kBaseName, instance_number);
  if (std::FILE* file = std::fopen(name, "rb")) return file;
  std::snprintf(name, kFileNameSize, "%s.INT", kBaseName);
  return std::fopen(name, "rb");
}

}  // namespace

void ReadIntFile(const OrvRequest& request) {
  char name[kFileNameSize];
  std::FILE* file = OpenIntFile(request.instance_number, name);
  if (file == nullptr) return;

  InstanceBlock& block = BlockOf(request);
  TextFileLines lines(file);
  char line[kLineBufferSize];
  uint16_t number = 0;  // a 16-bit counter, as the site's files have always been counted
  while (lines.Next(line)) {
    ++number;
    uint32_t gap = 0;
    if (ScanGap(line, &gap)) {
      block.inter_frame_gap = gap;  // a later setting overrides an earlier one
    } else if (line[0] != '\n') {
      TAVRIK_LOG(kLogError, "TAVRIK> ReadIntFile() illegal line %u in '%s'",
                 static_cast<unsigned>(number), name);
    }
  }
  std::fclose(file);
}

}  // namespace tavrik
