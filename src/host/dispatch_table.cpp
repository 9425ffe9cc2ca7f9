#include "host/dispatch_table.h"

#include <array>

#include "address/single_address_parser.h"
#include "host/block_operations.h"
#include "host/driver_info.h"
#include "tavrik/codes.h"

namespace tavrik {
namespace {

constexpr std::array<Operation, ORV_OPERATION_SLOTS> MakeTable() {
  std::array<Operation, ORV_OPERATION_SLOTS> table{};  // every slot empty to begin with
  auto slot = [&](OrvOperation code) -> Operation& { return table[code - 1]; };
  slot(ORV_SINGLE_ADDRESS_PARSER) = &SingleAddressParser;
  slot(ORV_BLOCK_ADDRESS_PARSER) = &BlockAddressParser;
  slot(ORV_BLOCK_READ) = &BlockRead;
  slot(ORV_BLOCK_WRITE) = &BlockWrite;
  slot(ORV_GET_ORV_INFO) = &GetOrvInfo;
  return table;
}

constexpr std::array<Operation, ORV_OPERATION_SLOTS> kOperations = MakeTable();

}  // namespace

Operation OperationFor(uint32_t code) noexcept {
  if (code == 0 || code > kOperations.size()) return nullptr;
  return kOperations[code - 1];
}

}  // namespace tavrik
