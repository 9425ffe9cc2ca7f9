// A fixture for the instance operations over the scripted comm fake: one block, a fresh current
// directory (for the initialisation file), captured log lines and two ports, COM1 and COM2.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "comm_fake.h"
#include "driver_entry.h"
#include "instance/instance_block.h"
#include "log_capture.h"
#include "packed.h"
#include "temp_directory.h"

namespace tavrik::test {

inline LogLine Trace(const std::string& text) {
  return {ORV_LOG_TRACE, "TAVRIK> " + text};
}
inline LogLine Error(const std::string& text) {
  return {ORV_LOG_ERROR, "TAVRIK> " + text};
}

class InstanceFixture : public ::testing::Test {
 protected:
  static constexpr CommSettings k9600 = {9600, 8, 0, 0};
  static constexpr uint8_t kScribble = 0xA5;

  void SetUp() override {
    fake().Reset();
    fake().AddDevice("COM1");
    fake().AddDevice("COM2");
    directory_.reset();  // a test may set up again: leave the previous directory first
    directory_ = std::make_unique<CurrentTempDirectory>();
    std::memset(&block_, kScribble, sizeof block_);  // whatever a host's memory held
    log_.Clear();
  }
  void TearDown() override { directory_.reset(); }

  static FakeComm& fake() { return FakeComm::Get(); }

  int32_t Call(uint32_t code, void* params = nullptr) {
    OrvRequest request{};
    request.instance = &block_;
    request.code = code;
    request.instance_number = 1;
    request.params = params;
    return CallDriver(request);
  }
  int32_t ColdStart(const char* name, int32_t port_flag = 1, int32_t timeout = 4,
                    CommSettings settings = k9600) {
    ColdStartParams params{};
    std::snprintf(params.port_name, sizeof params.port_name, "%s", name);
    params.port_flag = port_flag;
    params.reply_timeout = timeout;
    params.settings = settings;
    return Call(ORV_COLD_START, &params);
  }
  int32_t ChangeOrvParams(const char* name, int32_t timeout = -1, CommSettings settings = {}) {
    ChangeParams params{};
    std::snprintf(params.port_name, sizeof params.port_name, "%s", name);
    params.reply_timeout = timeout;
    params.settings = settings;
    return Call(ORV_CHANGE_ORV_PARAMS, &params);
  }
  // Starts on COM1 and forgets the calls and lines that took.
  void StartOnCom1() {
    ASSERT_EQ(ColdStart("COM1"), ORV_DONE);
    fake().ClearCalls();
    log_.Clear();
  }

  InstanceBlock block_;
  LogCapture log_;
  std::unique_ptr<CurrentTempDirectory> directory_;
};

}  // namespace tavrik::test
