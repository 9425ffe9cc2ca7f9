// OpenCom: open the device, then configure it from the read configuration record.
#include <cstring>

#include "serial/serial_port.h"

namespace tavrik::serial {
namespace {

constexpr uint8_t LowByte(uint16_t field) {
  return static_cast<uint8_t>(field & 0xFF);
}

comm::DtrControl DtrFrom(ControlLines lines) {
  if (lines & kDtrEnableBits) return comm::DtrControl::kEnable;
  if (lines & kDtrHandshakeBit) return comm::DtrControl::kHandshake;
  return comm::DtrControl::kDisable;
}

comm::RtsControl RtsFrom(ControlLines lines) {
  if (lines & kRtsEnableBits) return comm::RtsControl::kEnable;
  if (lines & kRtsHandshakeBit) return comm::RtsControl::kHandshake;
  if (lines & kRtsToggleBit) return comm::RtsControl::kToggle;
  return comm::RtsControl::kDisable;
}

// Binary mode with parity checking whatever the parity, no flow control of any kind, nothing
// replaced or dropped; every member not set here keeps the value read from the port.
void Configure(comm::PortConfig& config, const CommSettings& settings, ControlLines lines) {
  config.baud_rate = settings.baud_rate;  // widened from 16 bits without sign
  config.binary = true;
  config.parity_check = true;
  config.out_cts_flow = false;
  config.out_dsr_flow = false;
  config.dtr_control = DtrFrom(lines);
  config.dsr_sensitivity = false;
  config.out_x = false;
  config.in_x = false;
  config.error_char_enabled = false;
  config.null_discard = false;
  config.rts_control = RtsFrom(lines);
  config.abort_on_error = false;
  config.byte_size = LowByte(settings.data_bits);
  config.stop_bits = LowByte(settings.stop_bits);
  config.parity = LowByte(settings.parity);
  config.error_char = kParityErrorChar;
}

// Every failure after the open closes the device again, so a failed open never holds the port.
Result CloseAndFail(comm::Handle handle, Result result) {
  comm::Close(handle);
  return result;
}

}  // namespace

Result OpenCom(const char* name, const CommSettings& settings, ControlLines lines,
               comm::Handle* handle) {
  if (!comm::Open(name, handle)) return kOpenFailed;
  if (std::strcmp(name, kNullDeviceName) == 0) return kDone;

  comm::PortConfig config{};
  if (!comm::GetConfig(*handle, &config)) return CloseAndFail(*handle, kConfigUnreadable);

  const comm::PortTimeouts timeouts{0, 0, kOpenReadTimeoutMs, 0, 0};
  if (!comm::SetTimeouts(*handle, timeouts)) return CloseAndFail(*handle, kOpenFailed);

  Configure(config, settings, lines);
  if (!comm::SetConfig(*handle, config)) return CloseAndFail(*handle, kConfigRefused);

  comm::SetQueueSizes(*handle, kQueueSize, kQueueSize);  // the outcome is not looked at
  return kDone;
}

}  // namespace tavrik::serial
