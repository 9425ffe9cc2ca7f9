// The per-instance state block that the host allocates (294 bytes) and passes in every request.
// Packed, so that it has no gaps and can lie at any address: every member is read and written
// through the record, never through a pointer to it, because the inter-frame gap sits unaligned.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tavrik/records.h"

namespace tavrik {

inline constexpr uint32_t kInstanceBlockSize = 294;
inline constexpr std::size_t kPortNameSize = 12;  // at most 11 characters and the terminator
inline constexpr std::size_t kRequestAreaSize = 32;
inline constexpr std::size_t kReplyAreaSize = 128;
inline constexpr std::size_t kControllerCount = 100;

#pragma pack(push, 1)

// The port that ReOpenCom and ChangeOrvParams open.
struct PortRecord {
  char name[kPortNameSize];
  CommSettings settings;
  uint16_t control_lines;
};

struct InstanceBlock {
  int32_t reply_timeout;  // tens of milliseconds
  uint32_t port_handle;   // 0: no port open
  PortRecord port;
  // One transfer area: a request is built from its start, a reply received from byte 32 on.
  char transfer[kRequestAreaSize + kReplyAreaSize];
  uint32_t inter_frame_gap;                // milliseconds before every request
  uint8_t enable_table[kControllerCount];  // nonzero: the driver talks to that controller
};

#pragma pack(pop)

static_assert(sizeof(PortRecord) == 22);
static_assert(offsetof(PortRecord, settings) == 12);
static_assert(offsetof(PortRecord, control_lines) == 20);
static_assert(sizeof(InstanceBlock) == kInstanceBlockSize);
static_assert(offsetof(InstanceBlock, port_handle) == 4);
static_assert(offsetof(InstanceBlock, port) == 8);
static_assert(offsetof(InstanceBlock, transfer) == 30);
static_assert(offsetof(InstanceBlock, inter_frame_gap) == 190);
static_assert(offsetof(InstanceBlock, enable_table) == 194);

// The request's block. The dispatcher has made sure there is one.
inline InstanceBlock& BlockOf(const OrvRequest& request) {
  return *static_cast<InstanceBlock*>(request.instance);
}

}  // namespace tavrik
