// What the read and write transactions take from a GateRecord.
#pragma once

#include "address/gate_descriptor.h"
#include "tavrik/records.h"

namespace tavrik {

// The host's address text, as the host holds it: the %s of every transaction line.
inline const char* AddressText(const GateRecord& record) {
  return record.address != nullptr ? record.address : "";
}

// Whether a parameter or command gate's descriptor can be used: a controller the EnableTable
// has, and fields that fit two digits on the line. Only a descriptor the parser did not make
// (or that was changed since) fails this.
inline bool UsableDescriptor(const GateDescriptor& d) {
  const uint32_t secondary = SecondaryParameter(d);
  return d.controller <= kHighestController &&
         (secondary <= kHighestController || secondary == kNoSecondaryParameter) &&
         ReplyLength(d) <= kHighestController;
}

}  // namespace tavrik
