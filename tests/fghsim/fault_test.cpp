// Faults as written in the plant file and on the control channel, and what they make of replies.
#include "fault.h"

#include <gtest/gtest.h>

#include "plant_file.h"
#include "protocol.h"
#include "text_syntax.h"

namespace fghsim {
namespace {

constexpr const char* kPlant = R"(
controller 07
  param T number 4 123
  param N text 8 "PUMP 1"
)";

class Faults : public ::testing::Test {
 protected:
  void Set(const std::string& text) { faults_.Add(ParseFault(SplitWords(text))); }
  ReplyPlan Ask(std::string_view request) { return Answer(plant_, faults_, request).reply; }

  Plant plant_ = ParsePlant(kPlant, "test.plant").plant;
  FaultTable faults_;
};

TEST_F(Faults, ShapeTheReply) {
  const struct {
    const char* fault;
    const char* request;
    std::string bytes;
    bool drop_line = false;
  } cases[] = {
      {"07 normal", "R07T", "*07T0123\r"},
      {"07 silent", "R07T", ""},
      {"07 error 1", "R07T", "?071\r"},
      {"07 error 0 8", "R07T", "?0708\r"},
      {"07 error O", "S07G", "?07O\r"},
      {"07 echo", "R07T", "*07X0123\r"},
      {"07 echo", "R07Q", "?0808\r"},  // an error reply from the wrong address
      {"07 first", "R07T", "#07T0123\r"},
      {"07 first !", "R07T", "!07T0123\r"},
      {"07 cut", "R07T", "*07T0123"},
      {"07 cut 3", "R07T", "*07"},
      {"07 flood 20", "R07T", "*07T0123*07T0123*07T"},
      {"07 double", "S07G", "*07G\r*07G\r"},
      {"07 drop", "R07T", "*07T", true},
      {"07 drop 0", "R07T", "", true},
      {"07 raw \"*07T9999\\r\"", "R07T", "*07T9999\r"},
      {"07 raw a=b", "R07T", "a=b"},
      {"07/T error 2", "R07N", "*07NPUMP 1\r"},  // another parameter is not affected
      {"07/N silent", "R07T", "*07T0123\r"},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.fault);
    faults_.Clear();
    Set(each.fault);
    const ReplyPlan plan = Ask(each.request);
    EXPECT_EQ(plan.bytes, each.bytes);
    EXPECT_EQ(plan.drop_line, each.drop_line);
  }
}

TEST_F(Faults, GarbageEndsWithACarriageReturnAndMayHoldNulBytes) {
  Set("07 garbage 30 nul");
  const std::string bytes = Ask("R07T").bytes;
  ASSERT_EQ(bytes.size(), 31u);
  EXPECT_EQ(bytes.find('\r'), 30u);
  EXPECT_NE(bytes.find('\0'), std::string::npos);
  EXPECT_NE(bytes[0], '*');
  EXPECT_NE(bytes[0], '?');
}

TEST_F(Faults, CarryTheirTiming) {
  Set("07 normal delay=250 gap=5");
  const ReplyPlan plan = Ask("R07T");
  EXPECT_EQ(plan.bytes, "*07T0123\r");
  EXPECT_EQ(plan.delay_ms, 250);
  EXPECT_EQ(plan.gap_ms, 5);
}

TEST_F(Faults, WithACountApplyToThatManyRequestsThenTheNextSetOnTheTarget) {
  Set("07/T error 1 count=1");
  EXPECT_EQ(Ask("R07T").bytes, "?071\r");      // the next request fails
  EXPECT_EQ(Ask("R07T").bytes, "*07T0123\r");  // the one after succeeds

  Set("07 silent count=2");
  Set("07 error 2 count=1");
  EXPECT_EQ(Ask("R07T").bytes, "");
  EXPECT_EQ(Ask("R07N").bytes, "");
  EXPECT_EQ(Ask("R07T").bytes, "?072\r");
  EXPECT_EQ(Ask("R07T").bytes, "*07T0123\r");
  EXPECT_TRUE(faults_.faults().empty());
}

TEST_F(Faults, TheNarrowestTargetWins) {
  Set("07 silent");
  Set("07/T error 1");
  EXPECT_EQ(Ask("R07T").bytes, "?071\r");
  EXPECT_EQ(Ask("R07N").bytes, "");
  EXPECT_EQ(faults_.Clear(FaultTarget{7, 'T', std::nullopt}), 1u);
  EXPECT_EQ(Ask("R07T").bytes, "");
}

TEST_F(Faults, SilenceAndErrorsKeepTheRequestFromActingDamagedRepliesDoNot) {
  Set("07 error 1 count=1");
  EXPECT_EQ(Ask("W07T0001").bytes, "?071\r");
  Set("07 silent count=1");
  EXPECT_EQ(Ask("W07T0002").bytes, "");
  EXPECT_EQ(Ask("R07T").bytes, "*07T0123\r");

  Set("07 cut count=1");
  EXPECT_EQ(Ask("W07T0003").bytes, "*07T0003");
  EXPECT_EQ(Ask("R07T").bytes, "*07T0003\r");

  Set("07 silent count=1");
  EXPECT_FALSE(Answer(plant_, faults_, "S07G").command);
  Set("07 double count=1");
  EXPECT_EQ(Answer(plant_, faults_, "S07G").command, 'G');
}

TEST(FaultSyntax, RefusesMalformedFaults) {
  const char* const cases[] = {
      "07",
      "07 bogus",
      "7 silent",
      "07/ silent",
      "07/T0 silent",
      "07x silent",
      "07 error",
      "07 error 12",
      "07 error 1 8 4",
      "07 cut x",
      "07 cut 1 2",
      "07 silent x",
      "07 silent count=0",
      "07 normal delay=-1",
      "07 flood 0",
      "07 garbage 5 5",
      "07 raw",
      "07 first ab",
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    EXPECT_THROW(ParseFault(SplitWords(text)), SyntaxError);
  }
}

TEST(FaultSyntax, DescribesAFaultInWordsThatReadBackTheSame) {
  for (const char* text : {"07/T03 error F 4 count=3 delay=100 gap=7", "07 garbage 9 nul",
                           "07/\\x20 first \\x23", "07 raw \"*07\\r\""}) {
    SCOPED_TRACE(text);
    const Fault fault = ParseFault(SplitWords(text));
    EXPECT_EQ(DescribeFault(fault), text);
    EXPECT_EQ(DescribeFault(ParseFault(SplitWords(DescribeFault(fault)))), text);
  }
}

}  // namespace
}  // namespace fghsim
