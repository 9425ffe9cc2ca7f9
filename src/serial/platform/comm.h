// The comm seam: the one narrow interface through which the serial library and the line exchange
// reach a serial device. It is shaped after the Windows communications functions and uses only
// the project's own types. Each platform implements it in a file of its own (comm_win32.cpp,
// comm_posix.cpp); the unit tests link a scripted fake instead. Every function reports success
// as true; none looks at or keeps the platform's error code.
#pragma once

#include <cstdint>

namespace tavrik::comm {

// A port handle as the driver stores it: 32 bits, 0 meaning no port.
using Handle = uint32_t;
inline constexpr Handle kNoHandle = 0;

enum class DtrControl : uint8_t { kDisable = 0, kEnable = 1, kHandshake = 2 };
enum class RtsControl : uint8_t { kDisable = 0, kEnable = 1, kHandshake = 2, kToggle = 3 };

// The members of a port's configuration record (the Windows DCB), all of them, so that writing
// back a record that was read keeps whatever the caller did not change.
struct PortConfig {
  uint32_t baud_rate;
  bool binary;               // fBinary
  bool parity_check;         // fParity
  bool out_cts_flow;         // fOutxCtsFlow
  bool out_dsr_flow;         // fOutxDsrFlow
  DtrControl dtr_control;    // fDtrControl
  bool dsr_sensitivity;      // fDsrSensitivity
  bool tx_continue_on_xoff;  // fTXContinueOnXoff
  bool out_x;                // fOutX
  bool in_x;                 // fInX
  bool error_char_enabled;   // fErrorChar
  bool null_discard;         // fNull
  RtsControl rts_control;    // fRtsControl
  bool abort_on_error;       // fAbortOnError
  uint16_t xon_limit;
  uint16_t xoff_limit;
  uint8_t byte_size;  // data bits, 5 to 8
  uint8_t parity;     // 0 none, 1 odd, 2 even, 3 mark, 4 space
  uint8_t stop_bits;  // 0 one, 1 one and a half, 2 two
  char xon_char;
  char xoff_char;
  char error_char;
  char eof_char;
  char evt_char;

  bool operator==(const PortConfig&) const = default;
};

// The five time-outs, in milliseconds. With interval and multiplier 0, a read returns when all
// the bytes asked for have come or when the total constant, counted from the call, has run out;
// a constant of 0 then waits without limit. Writes have no time-out when both write values are 0.
struct PortTimeouts {
  uint32_t read_interval;
  uint32_t read_total_multiplier;
  uint32_t read_total_constant;
  uint32_t write_total_multiplier;
  uint32_t write_total_constant;

  bool operator==(const PortTimeouts&) const = default;
};

// What clearing a port's errors reports: the error flags cleared and the queue counts.
struct PortStatus {
  uint32_t errors;
  uint32_t input_queue;   // bytes received and not yet read
  uint32_t output_queue;  // bytes written and not yet sent
};

// Modem-line changes, with the Windows EscapeCommFunction codes.
enum class LineChange : uint8_t { kSetRts = 3, kClearRts = 4, kSetDtr = 5, kClearDtr = 6 };

// Opens an existing device by name for reading and writing, unshared (a second open of the same
// device fails), synchronous, never handing out kNoHandle.
bool Open(const char* name, Handle* handle);
bool Close(Handle handle);

bool GetConfig(Handle handle, PortConfig* config);
bool SetConfig(Handle handle, const PortConfig& config);  // fails where the device cannot take it

bool GetTimeouts(Handle handle, PortTimeouts* timeouts);
bool SetTimeouts(Handle handle, const PortTimeouts& timeouts);

bool SetQueueSizes(Handle handle, uint32_t input_bytes, uint32_t output_bytes);

// Clears the port's error flags and reports them with the queue counts.
bool ClearErrors(Handle handle, PortStatus* status);

// Fails where the device has no such line (as a pseudo-terminal has none).
bool ChangeLine(Handle handle, LineChange change);

// Synchronous transfers under the port's time-outs; the counts say how many bytes moved. A read
// that times out with nothing is a success with a count of 0.
bool Read(Handle handle, void* buffer, uint32_t count, uint32_t* bytes_read);
bool Write(Handle handle, const void* buffer, uint32_t count, uint32_t* bytes_written);

bool SetBreak(Handle handle);
bool ClearBreak(Handle handle);

// Waits the given milliseconds; 0 gives up the rest of the time slice.
void Sleep(uint32_t milliseconds);

// A millisecond count that only moves forward (it wraps after 49 days: compare differences).
uint32_t Milliseconds();

}  // namespace tavrik::comm
