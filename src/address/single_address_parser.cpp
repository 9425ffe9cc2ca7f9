#include "address/single_address_parser.h"

#include <initializer_list>

#include "address/address_parser.h"
#include "address/gate_descriptor.h"
#include "host/log.h"
#include "tavrik/codes.h"

namespace tavrik {
namespace {

constexpr uint32_t TypeSet(std::initializer_list<OrvGateType> types) {
  uint32_t set = 0;
  for (OrvGateType type : types) set |= 1u << type;
  return set;
}

// Gate types each width accepts.
constexpr uint32_t kCommandTypes =
    TypeSet({ORV_GATE_UNSIGNED16, ORV_GATE_SIGNED16, ORV_GATE_UNSIGNED16_OUTPUT, ORV_GATE_SIGNED32,
             ORV_GATE_UNSIGNED32, ORV_GATE_TRIGGER});
constexpr uint32_t kTypes16 =
    TypeSet({ORV_GATE_UNSIGNED16, ORV_GATE_SIGNED16, ORV_GATE_UNSIGNED16_OUTPUT, ORV_GATE_TEXT});
constexpr uint32_t kTypes32 = TypeSet({ORV_GATE_SIGNED32, ORV_GATE_UNSIGNED32, ORV_GATE_TEXT});

bool Accepts(uint32_t types, int32_t type) {
  return type >= 0 && type < 32 && (types & (1u << type)) != 0;
}

}  // namespace

int32_t SingleAddressParser(const OrvRequest& request) {
  auto* record = static_cast<ParseRecord*>(request.params);
  if (Parse(record->address, record->descriptor) != ORV_DONE) return ORV_NOT_DONE;

  const int32_t type = record->gate_type;
  switch (record->descriptor.width) {
    case kWidthCommand:
      if (Accepts(kCommandTypes, type)) return ORV_DONE;
      break;
    case kWidth16:
      if (Accepts(kTypes16, type)) return ORV_DONE;
      break;
    default:
      if (Accepts(kTypes32, type)) return ORV_DONE;
      TAVRIK_LOG(kLogError, "TAVRIK> SingleParse() Gate type should be LONG or string");
      return ORV_NOT_DONE;
  }
  TAVRIK_LOG(kLogError, "TAVRIK> SingleParse() Gate type should be analog 16-bit or STRING");
  return ORV_NOT_DONE;
}

}  // namespace tavrik
