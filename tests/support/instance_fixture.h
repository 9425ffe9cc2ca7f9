// A fixture for the instance operations over the scripted comm fake: one block, a fresh current
// directory (for the initialisation file), captured log lines and two ports, COM1 and COM2.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "comm_fake.h"
#include "driver_session.h"
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

class InstanceFixture : public ::testing::Test, protected DriverSession {
 protected:
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

  // Starts on COM1 and forgets the calls and lines that took.
  void StartOnCom1() {
    ASSERT_EQ(ColdStart("COM1"), ORV_DONE);
    fake().ClearCalls();
    log_.Clear();
  }

  LogCapture log_;
  std::unique_ptr<CurrentTempDirectory> directory_;
};

}  // namespace tavrik::test
