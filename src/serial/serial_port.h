// The serial port library: opens and configures a port from a name, line settings and a
// control-line word, sets its read time-out, discards pending input, writes and reads byte
// counts, sends a break and closes the port. It keeps no state between calls and reports every
// outcome as a small result code; it logs nothing. It reaches the device only through the comm
// seam (platform/comm.h) and depends on nothing else of the driver.
#pragma once

#include <cstdint>

#include "serial/platform/comm.h"
#include "tavrik/records.h"  // CommSettings

namespace tavrik::serial {

// Results of the library, distinct from the driver's 0/1/2.
enum Result : int32_t {
  kDone = 0,
  kOpenFailed = 1,        // OpenCom: cannot open, or time-outs cannot be set; PurgeInput: failed
  kShortWrite = 2,        // fewer bytes written than asked for
  kConfigUnreadable = 4,  // the port's configuration cannot be read
  kConfigRefused = 5,     // the port's configuration cannot be set
  kTransferFailed = 7,    // a close, write or read failed, or a read returned nothing
};

// Which modem lines OpenCom configures how; bits tested in the order given, others ignored.
using ControlLines = uint16_t;
inline constexpr ControlLines kDtrEnableBits = 0x0001 | 0x0100;
inline constexpr ControlLines kDtrHandshakeBit = 0x8000;
inline constexpr ControlLines kRtsEnableBits = 0x0002 | 0x0200;
inline constexpr ControlLines kRtsHandshakeBit = 0x1000;
inline constexpr ControlLines kRtsToggleBit = 0x2000;

// The null device, used unconfigured. Compared case-sensitively, as a whole name.
inline constexpr const char* kNullDeviceName = "NUL";

inline constexpr uint32_t kOpenReadTimeoutMs = 1000;
inline constexpr uint32_t kQueueSize = 1200;
inline constexpr char kParityErrorChar = static_cast<char>(0xFC);

// Opens and configures the port; handle is valid only with kDone.
Result OpenCom(const char* name, const CommSettings& settings, ControlLines lines,
               comm::Handle* handle);

Result ClosePort(comm::Handle handle);

// Sets the read total time-out to value tens of milliseconds (writing nothing when it is
// already that) and returns the previous one in tens of milliseconds, or 0 on failure.
int32_t SetReadTimeout(comm::Handle handle, int32_t value);

// Discards pending input. kDone, or kOpenFailed when the last call it made failed.
Result PurgeInput(comm::Handle handle);

Result SendBreak(uint32_t milliseconds, comm::Handle handle);

// One synchronous write; written (when given) reports the count on every outcome but failure.
Result WriteAll(comm::Handle handle, const void* buffer, uint32_t count, uint32_t* written);

// Reads until count bytes have come; a read that fails or brings nothing ends it with
// kTransferFailed. bytes_read (when given) reports the total so far.
Result ReadAll(comm::Handle handle, void* buffer, uint16_t count, uint32_t* bytes_read);

Result Delay(uint32_t milliseconds);

}  // namespace tavrik::serial
