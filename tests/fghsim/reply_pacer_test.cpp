#include "reply_pacer.h"

#include <gtest/gtest.h>

namespace fghsim {
namespace {

using std::chrono::milliseconds;

TEST(ReplyPacer, SendsEachCharacterAfterTheDelayItsCharacterTimeAndTheGap) {
  ReplyPacer pacer(milliseconds(10));  // 1000 baud, 10 bits a character
  const Clock::time_point start{};
  pacer.Start({"ABC", 50, 5, false}, start);
  // A is through at 50 + 10, B at 60 + 5 + 10, C at 75 + 5 + 10.
  EXPECT_EQ(pacer.NextDue(), start + milliseconds(60));
  EXPECT_EQ(pacer.TakeDue(start + milliseconds(59)), "");
  EXPECT_EQ(pacer.TakeDue(start + milliseconds(60)), "A");
  EXPECT_EQ(pacer.NextDue(), start + milliseconds(75));
  EXPECT_EQ(pacer.TakeDue(start + milliseconds(89)), "B");
  EXPECT_TRUE(pacer.active());
  EXPECT_EQ(pacer.TakeDue(start + milliseconds(500)), "C");
  EXPECT_FALSE(pacer.active());
  EXPECT_FALSE(pacer.NextDue());
}

TEST(ReplyPacer, WithoutALineSpeedSendsAWholeReplyAtOnce) {
  ReplyPacer pacer(Clock::duration::zero());
  const Clock::time_point start{};
  pacer.Start({"*07T0123\r", 0, 0, false}, start);
  EXPECT_EQ(pacer.TakeDue(start), "*07T0123\r");
  EXPECT_FALSE(pacer.active());
}

TEST(ReplyPacer, AnEmptyPlanLastsItsDelay) {
  ReplyPacer pacer(milliseconds(1));
  const Clock::time_point start{};
  pacer.Start({"", 20, 0, true}, start);
  EXPECT_EQ(pacer.TakeDue(start + milliseconds(19)), "");
  EXPECT_TRUE(pacer.active());
  EXPECT_EQ(pacer.TakeDue(start + milliseconds(20)), "");
  EXPECT_FALSE(pacer.active());
}

}  // namespace
}  // namespace fghsim
