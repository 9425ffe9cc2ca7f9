#include "host/dispatch_table.h"

#include <array>

#include "address/single_address_parser.h"
#include "host/block_operations.h"
#include "host/driver_info.h"
#include "instance/instance_operations.h"
#include "protocol/read_transaction.h"
#include "protocol/write_transaction.h"
#include "tavrik/codes.h"

namespace tavrik {
namespace {

constexpr bool kInstance = true;
constexpr bool kParams = true;

constexpr std::array<Slot, ORV_OPERATION_SLOTS> MakeTable() {
  std::array<Slot, ORV_OPERATION_SLOTS> table{};  // every slot empty to begin with
  auto slot = [&](OrvOperation code) -> Slot& { return table[code - 1]; };
  slot(ORV_COLD_START) = {&ColdStart, kInstance, kParams};
  slot(ORV_WARM_START) = {&WarmStart, kInstance, !kParams};
  slot(ORV_SINGLE_ADDRESS_PARSER) = {&SingleAddressParser, !kInstance, kParams};
  slot(ORV_BLOCK_ADDRESS_PARSER) = {&BlockAddressParser, !kInstance, !kParams};
  slot(ORV_SINGLE_READ) = {&SingleRead, kInstance, kParams};
  slot(ORV_SINGLE_WRITE) = {&SingleWrite, kInstance, kParams};
  slot(ORV_BLOCK_READ) = {&BlockRead, !kInstance, !kParams};
  slot(ORV_BLOCK_WRITE) = {&BlockWrite, !kInstance, !kParams};
  slot(ORV_END_ORV) = {&EndOrv, kInstance, !kParams};
  slot(ORV_CLOSE_COM) = {&CloseCom, kInstance, !kParams};
  slot(ORV_RE_OPEN_COM) = {&ReOpenCom, kInstance, !kParams};
  slot(ORV_GET_ORV_INFO) = {&GetOrvInfo, !kInstance, kParams};
  slot(ORV_CHANGE_ORV_PARAMS) = {&ChangeOrvParams, kInstance, kParams};
  return table;
}

constexpr std::array<Slot, ORV_OPERATION_SLOTS> kSlots = MakeTable();

}  // namespace

Slot SlotFor(uint32_t code) noexcept {
  if (code == 0 || code > kSlots.size()) return Slot{};
  return kSlots[code - 1];
}

}  // namespace tavrik
