#include "driver_client.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstring>

namespace bench {
namespace {

constexpr CommSettings kLineSettings = {9600, 8, 0, 0};

}  // namespace

DriverLibrary::DriverLibrary(const std::string& path) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  void* symbol = library != nullptr ? dlsym(library, "OrvMain") : nullptr;
  if (symbol == nullptr) {
    const char* reason = dlerror();
    error_ = "cannot load OrvMain from " + path + ": " + (reason != nullptr ? reason : "?");
    return;
  }
  entry_ = reinterpret_cast<OrvMainFunction>(symbol);
}

DriverInstance::DriverInstance(OrvMainFunction driver_entry) : entry_(driver_entry) {
  OrvInfo info{};
  if (Call(ORV_GET_ORV_INFO, &info) != ORV_DONE) return;
  const std::size_t units =
      (info.instance_block_size + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
  block_ = std::make_unique<std::max_align_t[]>(units);  // value-initialised: zeroed
}

DriverInstance::~DriverInstance() {
  if (started_) Call(ORV_CLOSE_COM, nullptr);
}

int32_t DriverInstance::Call(uint32_t code, void* params) {
  OrvRequest request{};
  request.instance = block_.get();
  request.code = code;
  request.params = params;
  return entry_(&request);
}

int32_t DriverInstance::ColdStart(const std::string& port_name, int32_t reply_timeout) {
  if (block_ == nullptr) return ORV_FAILED;
  ColdStartParams params{};
  std::snprintf(params.port_name, sizeof params.port_name, "%s", port_name.c_str());
  params.port_flag = 1;
  params.reply_timeout = reply_timeout;
  params.settings = kLineSettings;
  const int32_t result = Call(ORV_COLD_START, &params);
  started_ = result == ORV_DONE;
  return result;
}

int32_t DriverInstance::Parse(const std::string& address, int32_t gate_type,
                              GateDescriptor* descriptor) {
  ParseRecord record{};
  record.address = address.c_str();
  record.gate_type = gate_type;
  const int32_t result = Call(ORV_SINGLE_ADDRESS_PARSER, &record);
  *descriptor = record.descriptor;
  return result;
}

GateRead::GateRead(DriverInstance& instance, const std::string& address, int32_t gate_type)
    : entry_(instance.entry()), address_(address) {
  record_.address = address_.c_str();
  record_.gate_type = gate_type;
  record_.value = &value_;
  parsed_ = instance.Parse(address_, gate_type, &record_.descriptor) == ORV_DONE;
  request_.instance = instance.block();
  request_.code = ORV_SINGLE_READ;
  request_.params = &record_;
}

}  // namespace bench
