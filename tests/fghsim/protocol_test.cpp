// The controllers' answers, request by request, on one plant: later rows see earlier writes.
#include "protocol.h"

#include <gtest/gtest.h>

#include "plant_file.h"

namespace fghsim {
namespace {

constexpr const char* kPlant = R"(
controller 07
  param T   number 4 123
  param P03 number 6 -5
  param P04 number 2 0
  param N   text   8 "PUMP 1"
  param V   number 4 1203 read-only
  param Z   number 0 0
controller 42
)";

struct Case {
  const char* request;  // without its CR
  const char* reply;    // "" for no reply
};

TEST(Protocol, AnswersEachRequestInTurn) {
  const Case cases[] = {
      // Reads of each kind.
      {"R07T", "*07T0123\r"},
      {"R07P03", "*07P03-000005\r"},
      {"R07N", "*07NPUMP 1\r"},
      {"R07Z", "*07Z\r"},
      {"R07V", "*07V1203\r"},
      // Writes are acknowledged with the request echoed, and stored.
      {"W07T-0042", "*07T-0042\r"},
      {"R07T", "*07T-0042\r"},
      {"W07T-0000", "*07T-0000\r"},
      {"R07T", "*07T0000\r"},  // zero is never negative
      {"W07P0499", "*07P0499\r"},
      {"R07P04", "*07P0499\r"},
      {"R07P03", "*07P03-000005\r"},
      {"W07N   VALVE", "*07N   VALVE\r"},
      {"R07N", "*07NVALVE\r"},  // right-aligned text, read back without its blanks
      // Commands.
      {"S07G", "*07G\r"},
      {"S42X", "*42X\r"},
      // Read-only and unknown parameters.
      {"W07V1111", "?0701\r"},
      {"R07V", "*07V1203\r"},
      {"R07Q", "?0708\r"},
      {"W07Q0000", "?0708\r"},
      {"R07P09", "?0708\r"},
      {"R07*", "?0708\r"},
      {"R42T", "?4208\r"},
      // Undeclared controllers, and requests too short to name one, get no reply.
      {"R99T", ""},
      {"R4", ""},
      {"", ""},
      // Malformed requests.
      {"R07", "?072\r"},
      {"R07T1", "?072\r"},
      {"R07P", "?072\r"},  // its secondary parameter is missing
      {"R07PA1", "?071\r"},
      {"W07T123", "?072\r"},
      {"W07T-123", "?072\r"},
      {"W07T12x4", "?071\r"},
      {"W07NSHORT", "?072\r"},
      {"S07", "?072\r"},
      {"S07GX", "?072\r"},
      {"X07T", "?0702\r"},
      {"R07T", "*07T0000\r"},  // none of the malformed writes was stored
  };
  PlantFile file = ParsePlant(kPlant, "test.plant");
  FaultTable no_faults;
  for (const Case& each : cases) {
    SCOPED_TRACE(each.request);
    const Exchange exchange = Answer(file.plant, no_faults, each.request);
    EXPECT_EQ(exchange.reply.bytes, each.reply);
    EXPECT_FALSE(exchange.reply.drop_line);
  }
}

TEST(Protocol, AnswersAnOverlongRequestWithAnOverflowWarning) {
  PlantFile file = ParsePlant(kPlant, "test.plant");
  FaultTable no_faults;
  const std::string longest = "W07N" + std::string(102, 'x');  // the longest there can be
  EXPECT_EQ(Answer(file.plant, no_faults, longest).reply.bytes, "?072\r");
  EXPECT_EQ(Answer(file.plant, no_faults, longest + "x").reply.bytes, "?0704\r");
}

TEST(Protocol, ReportsAcknowledgedCommandsOnly) {
  PlantFile file = ParsePlant(kPlant, "test.plant");
  FaultTable no_faults;
  EXPECT_EQ(Answer(file.plant, no_faults, "S07G").command, 'G');
  EXPECT_FALSE(Answer(file.plant, no_faults, "S07GX").command);
  EXPECT_FALSE(Answer(file.plant, no_faults, "R07T").command);
}

}  // namespace
}  // namespace fghsim
