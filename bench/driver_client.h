// The driver as a host sees it: libtavrik.so loaded with dlopen, OrvMain looked up by name, an
// instance block of the size GetOrvInfo gives, and prepared requests for the calls measured.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "tavrik/tavrik.h"

namespace bench {

// Loads the driver library; entry() is null when that failed, and error() says why.
class DriverLibrary {
 public:
  explicit DriverLibrary(const std::string& path);
  OrvMainFunction entry() const { return entry_; }
  const std::string& error() const { return error_; }

 private:
  OrvMainFunction entry_ = nullptr;
  std::string error_;
};

// One instance of the driver on one port, closed again when it goes.
class DriverInstance {
 public:
  explicit DriverInstance(OrvMainFunction driver_entry);
  ~DriverInstance();
  DriverInstance(const DriverInstance&) = delete;
  DriverInstance& operator=(const DriverInstance&) = delete;

  int32_t Call(uint32_t code, void* params);
  // ColdStart on the port at 9600 baud, 8 data bits, no parity, one stop bit; reply_timeout in
  // tens of milliseconds.
  int32_t ColdStart(const std::string& port_name, int32_t reply_timeout);
  int32_t Parse(const std::string& address, int32_t gate_type, GateDescriptor* descriptor);

  OrvMainFunction entry() const { return entry_; }
  void* block() const { return block_.get(); }

 private:
  OrvMainFunction entry_;
  std::unique_ptr<std::max_align_t[]> block_;
  bool started_ = false;
};

// A SingleRead of one gate, built once, so that each Run() is just the host's call.
class GateRead {
 public:
  GateRead(DriverInstance& instance, const std::string& address, int32_t gate_type);
  bool parsed() const { return parsed_; }
  int32_t Run() { return entry_(&request_); }
  const ValueBlock& value() const { return value_; }

 private:
  OrvMainFunction entry_;
  std::string address_;
  ValueBlock value_{};
  GateRecord record_{};
  OrvRequest request_{};
  bool parsed_ = false;
};

}  // namespace bench
