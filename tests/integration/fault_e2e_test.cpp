// Faults on the line, set at run time in fghsim: each transaction under a fault ends as the
// driver's rules say with nothing wrong stored, and the next good transaction succeeds.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "driver_session.h"
#include "log_capture.h"
#include "packed.h"
#include "simulated_line.h"
#include "temp_directory.h"

namespace tavrik::test {
namespace {

constexpr int32_t kReplyTimeout = 10;  // 100 ms a character
constexpr int16_t kUntouched = 0x5A5A;

struct FaultCase {
  const char* name;
  const char* fault;  // for controller 07, parameter T (value 123)
  int32_t result;     // of the read under the fault
};

void PrintTo(const FaultCase& c, std::ostream* out) {
  *out << c.name;
}

// A late reply beyond four time-outs, and the replies of the later attempts after it, come
// while the next read waits: identical to its own, they are taken as its answer.
const FaultCase kFaults[] = {
    {"silence", "silent", ORV_FAILED},
    {"late_reply_after_the_timeouts", "normal delay=600 count=4", ORV_FAILED},
    {"part_of_a_line_then_silence", "cut 5", ORV_FAILED},
    {"flood_without_carriage_return", "flood 200", ORV_FAILED},
    {"garbage_with_nul_bytes", "garbage 20 nul", ORV_FAILED},
    {"wrong_echo", "echo", ORV_FAILED},
    {"wrong_first_character", "first", ORV_FAILED},
    {"error_reply", "error P", ORV_NOT_DONE},
    // Not failures: the time-out bounds the silence before each character, and the second of
    // two replies is purged before the next request.
    {"trickle_just_inside_the_timeout", "normal gap=70", ORV_DONE},
    {"two_replies_at_once", "double", ORV_DONE},
};

class FaultEndToEnd : public ::testing::TestWithParam<FaultCase>, protected DriverSession {
 protected:
  void SetUp() override {
    line_ = std::make_unique<SimulatedLine>();
    ASSERT_EQ(ColdStart(line_->port_name(), 1, kReplyTimeout), ORV_DONE);
    gate_ = Parsed("07T", ORV_GATE_SIGNED16);
  }
  void TearDown() override {
    Call(ORV_CLOSE_COM);
    line_.reset();
  }
  int32_t ReadGate() {
    value_.signed16[1] = kUntouched;
    return Transfer(ORV_SINGLE_READ, gate_, &value_);
  }

  CurrentTempDirectory directory_;
  std::unique_ptr<SimulatedLine> line_;
  LogCapture log_;
  Gate gate_;
  ValueBlock value_{};
};

TEST_P(FaultEndToEnd, NothingWrongIsStoredAndTheNextReadSucceeds) {
  ASSERT_EQ(line_->Command(std::string("fault 07/T ") + GetParam().fault), "ok");
  const int32_t result = ReadGate();
  EXPECT_EQ(result, GetParam().result);
  EXPECT_EQ(value_.signed16[1], result == ORV_DONE ? 123 : kUntouched);

  ASSERT_EQ(line_->Command("clear"), "ok");
  EXPECT_EQ(ReadGate(), ORV_DONE);
  EXPECT_EQ(value_.signed16[1], 123);
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultEndToEnd, ::testing::ValuesIn(kFaults),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(FaultEndToEnd, LineDroppedMidReplyAndBackAgain) {
  ASSERT_EQ(line_->Command("fault 07/T drop 4 count=1"), "ok");
  EXPECT_EQ(ReadGate(), ORV_FAILED);
  EXPECT_EQ(value_.signed16[1], kUntouched);

  // The line comes back behind the same name: close and reopen it, as a host does.
  ASSERT_EQ(Call(ORV_CLOSE_COM), ORV_DONE);
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (Call(ORV_RE_OPEN_COM) != ORV_DONE && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(ReadGate(), ORV_DONE);
  EXPECT_EQ(value_.signed16[1], 123);
}

}  // namespace
}  // namespace tavrik::test
