// Resources over many cycles: port handles on a pseudo-terminal, and the shared library itself
// loaded and unloaded. (Memory leaks are LeakSanitizer's part: the asan preset runs these too.)
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "instance/instance_block.h"
#include "log_capture.h"
#include "open_descriptors.h"
#include "packed.h"
#include "pseudo_terminal.h"
#include "tavrik/tavrik.h"
#include "temp_directory.h"

namespace tavrik::test {
namespace {

int32_t Call(OrvMainFunction orv_main, InstanceBlock& block, uint32_t code, void* params) {
  OrvRequest request{};
  request.instance = &block;
  request.code = code;
  request.params = params;
  return orv_main(&request);
}

class LeakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = dlopen(TAVRIK_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library_, nullptr) << dlerror();
    orv_main_ = reinterpret_cast<OrvMainFunction>(dlsym(library_, "OrvMain"));
    ASSERT_NE(orv_main_, nullptr);
  }
  void TearDown() override {
    if (library_ != nullptr) dlclose(library_);
  }

  CurrentTempDirectory directory_;  // ColdStart reads no initialisation file here
  LogCapture log_;
  void* library_ = nullptr;
  OrvMainFunction orv_main_ = nullptr;
};

TEST_F(LeakTest, TenThousandPortCyclesLeaveNoDescriptorBehind) {
  PseudoTerminal line;
  ColdStartParams params{};
  std::snprintf(params.port_name, sizeof params.port_name, "%s", line.device().substr(5).c_str());
  params.port_flag = 1;
  params.reply_timeout = 4;
  params.settings = {9600, 8, 0, 0};
  InstanceBlock block{};
  const int before = OpenDescriptors();
  for (int cycle = 0; cycle < 10000; ++cycle) {
    ASSERT_EQ(Call(orv_main_, block, ORV_COLD_START, &params), ORV_DONE) << cycle;
    ASSERT_EQ(Call(orv_main_, block, ORV_CLOSE_COM, nullptr), ORV_DONE) << cycle;
    ASSERT_EQ(Call(orv_main_, block, ORV_RE_OPEN_COM, nullptr), ORV_DONE) << cycle;
    ASSERT_EQ(Call(orv_main_, block, ORV_CLOSE_COM, nullptr), ORV_DONE) << cycle;
    if (cycle % 1000 == 0) log_.Clear();
  }
  EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(LeakTest, LoadingAndUnloadingTheLibraryLeavesNothingLoadedOrOpen) {
  TearDown();  // start from an unloaded library
  library_ = nullptr;
  const int before = OpenDescriptors();
  for (int round = 0; round < 200; ++round) {
    void* library = dlopen(TAVRIK_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto orv_main = reinterpret_cast<OrvMainFunction>(dlsym(library, "OrvMain"));
    OrvInfo info{};
    OrvRequest request{};
    request.code = ORV_GET_ORV_INFO;  // logs a line: binds the log library each time
    request.params = &info;
    ASSERT_EQ(orv_main(&request), ORV_DONE);
    ASSERT_EQ(dlclose(library), 0);
    ASSERT_EQ(dlopen(TAVRIK_LIBRARY_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr) << "still loaded";
  }
  EXPECT_EQ(OpenDescriptors(), before);
  EXPECT_EQ(log_.lines().size(), 200u);
}

}  // namespace
}  // namespace tavrik::test
