// The comm seam over kernel32's communications functions: one call each, the records copied
// member for member. The only file of the driver that includes <windows.h>.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <cstdint>

#include "serial/platform/comm.h"

namespace tavrik::comm {
namespace {

// The driver keeps a handle in 32 bits, which holds a HANDLE only in a 32-bit process.
static_assert(sizeof(HANDLE) == sizeof(Handle), "the driver is a 32-bit DLL");

HANDLE ToWin32(Handle handle) {
  return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(handle));
}
Handle FromWin32(HANDLE handle) {
  return static_cast<Handle>(reinterpret_cast<uintptr_t>(handle));
}

// The two-bit DCB members; the mask tells the compiler the value fits the bit-field.
constexpr DWORD kTwoBits = 0x3;

}  // namespace

bool Open(const char* name, Handle* handle) {
  const HANDLE opened = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0 /* unshared */, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  if (opened == nullptr) return false;  // never returned by CreateFileA, and 0 means "no port"
  *handle = FromWin32(opened);
  return true;
}

bool Close(Handle handle) {
  return CloseHandle(ToWin32(handle)) != FALSE;
}

bool GetConfig(Handle handle, PortConfig* config) {
  DCB dcb{};
  dcb.DCBlength = sizeof(DCB);
  if (!GetCommState(ToWin32(handle), &dcb)) return false;
  PortConfig c{};
  c.baud_rate = dcb.BaudRate;
  c.binary = dcb.fBinary != 0;
  c.parity_check = dcb.fParity != 0;
  c.out_cts_flow = dcb.fOutxCtsFlow != 0;
  c.out_dsr_flow = dcb.fOutxDsrFlow != 0;
  c.dtr_control = static_cast<DtrControl>(dcb.fDtrControl);
  c.dsr_sensitivity = dcb.fDsrSensitivity != 0;
  c.tx_continue_on_xoff = dcb.fTXContinueOnXoff != 0;
  c.out_x = dcb.fOutX != 0;
  c.in_x = dcb.fInX != 0;
  c.error_char_enabled = dcb.fErrorChar != 0;
  c.null_discard = dcb.fNull != 0;
  c.rts_control = static_cast<RtsControl>(dcb.fRtsControl);
  c.abort_on_error = dcb.fAbortOnError != 0;
  c.xon_limit = dcb.XonLim;
  c.xoff_limit = dcb.XoffLim;
  c.byte_size = dcb.ByteSize;
  c.parity = dcb.Parity;
  c.stop_bits = dcb.StopBits;
  c.xon_char = dcb.XonChar;
  c.xoff_char = dcb.XoffChar;
  c.error_char = dcb.ErrorChar;
  c.eof_char = dcb.EofChar;
  c.evt_char = dcb.EvtChar;
  *config = c;
  return true;
}

// The reserved members stay 0, as SetCommState requires.
bool SetConfig(Handle handle, const PortConfig& config) {
  DCB dcb{};
  dcb.DCBlength = sizeof(DCB);
  dcb.BaudRate = config.baud_rate;
  dcb.fBinary = config.binary;
  dcb.fParity = config.parity_check;
  dcb.fOutxCtsFlow = config.out_cts_flow;
  dcb.fOutxDsrFlow = config.out_dsr_flow;
  dcb.fDtrControl = static_cast<DWORD>(config.dtr_control) & kTwoBits;
  dcb.fDsrSensitivity = config.dsr_sensitivity;
  dcb.fTXContinueOnXoff = config.tx_continue_on_xoff;
  dcb.fOutX = config.out_x;
  dcb.fInX = config.in_x;
  dcb.fErrorChar = config.error_char_enabled;
  dcb.fNull = config.null_discard;
  dcb.fRtsControl = static_cast<DWORD>(config.rts_control) & kTwoBits;
  dcb.fAbortOnError = config.abort_on_error;
  dcb.XonLim = config.xon_limit;
  dcb.XoffLim = config.xoff_limit;
  dcb.ByteSize = config.byte_size;
  dcb.Parity = config.parity;
  dcb.StopBits = config.stop_bits;
  dcb.XonChar = config.xon_char;
  dcb.XoffChar = config.xoff_char;
  dcb.ErrorChar = config.error_char;
  dcb.EofChar = config.eof_char;
  dcb.EvtChar = config.evt_char;
  return SetCommState(ToWin32(handle), &dcb) != FALSE;
}

bool GetTimeouts(Handle handle, PortTimeouts* timeouts) {
  COMMTIMEOUTS t{};
  if (!GetCommTimeouts(ToWin32(handle), &t)) return false;
  *timeouts =
      PortTimeouts{t.ReadIntervalTimeout, t.ReadTotalTimeoutMultiplier, t.ReadTotalTimeoutConstant,
                   t.WriteTotalTimeoutMultiplier, t.WriteTotalTimeoutConstant};
  return true;
}

bool SetTimeouts(Handle handle, const PortTimeouts& timeouts) {
  COMMTIMEOUTS t{timeouts.read_interval, timeouts.read_total_multiplier,
                 timeouts.read_total_constant, timeouts.write_total_multiplier,
                 timeouts.write_total_constant};
  return SetCommTimeouts(ToWin32(handle), &t) != FALSE;
}

bool SetQueueSizes(Handle handle, uint32_t input_bytes, uint32_t output_bytes) {
  return SetupComm(ToWin32(handle), input_bytes, output_bytes) != FALSE;
}

bool ClearErrors(Handle handle, PortStatus* status) {
  DWORD errors = 0;
  COMSTAT queues{};
  if (!ClearCommError(ToWin32(handle), &errors, &queues)) return false;
  *status = PortStatus{errors, queues.cbInQue, queues.cbOutQue};
  return true;
}

// LineChange carries EscapeCommFunction's own codes.
bool ChangeLine(Handle handle, LineChange change) {
  return EscapeCommFunction(ToWin32(handle), static_cast<DWORD>(change)) != FALSE;
}

bool Read(Handle handle, void* buffer, uint32_t count, uint32_t* bytes_read) {
  DWORD got = 0;
  const bool ok = ReadFile(ToWin32(handle), buffer, count, &got, nullptr) != FALSE;
  *bytes_read = got;
  return ok;
}

bool Write(Handle handle, const void* buffer, uint32_t count, uint32_t* bytes_written) {
  DWORD done = 0;
  const bool ok = WriteFile(ToWin32(handle), buffer, count, &done, nullptr) != FALSE;
  *bytes_written = done;
  return ok;
}

bool SetBreak(Handle handle) {
  return SetCommBreak(ToWin32(handle)) != FALSE;
}

bool ClearBreak(Handle handle) {
  return ClearCommBreak(ToWin32(handle)) != FALSE;
}

void Sleep(uint32_t milliseconds) {
  ::Sleep(milliseconds);
}

uint32_t Milliseconds() {
  return GetTickCount();
}

}  // namespace tavrik::comm
