#include "plant_file.h"

#include <gtest/gtest.h>

namespace fghsim {
namespace {

TEST(PlantFile, ReadsControllersParametersAndFaults) {
  const PlantFile file = ParsePlant(R"(# a comment line
controller 07   # and a comment after a statement
  param T   number 4  123
  param P03 number 10 -2147483648 read-only
  param N   text   8  "A \"B\"\x21"
  param \x20 number 2 5
controller 99
fault 07/P03 error F 4 count=2 delay=10
)",
                                    "test.plant");

  ASSERT_EQ(file.plant.size(), 2u);
  const Controller* controller = file.plant.Find(7);
  ASSERT_NE(controller, nullptr);
  ASSERT_EQ(controller->parameters.size(), 4u);

  const Parameter& t = controller->parameters[0];
  EXPECT_EQ(t.code, 'T');
  EXPECT_FALSE(t.secondary);
  EXPECT_EQ(ReplyData(t), "0123");
  EXPECT_FALSE(t.read_only);

  const Parameter& p = controller->parameters[1];
  EXPECT_EQ(p.secondary, 3);
  EXPECT_EQ(ReplyData(p), "-2147483648");
  EXPECT_TRUE(p.read_only);

  const Parameter& n = controller->parameters[2];
  EXPECT_TRUE(n.text);
  EXPECT_EQ(n.width, 8);
  EXPECT_EQ(n.data, "A \"B\"!");

  EXPECT_EQ(controller->parameters[3].code, ' ');
  EXPECT_NE(file.plant.Find(99), nullptr);
  EXPECT_EQ(file.plant.Find(8), nullptr);

  ASSERT_EQ(file.faults.size(), 1u);
  EXPECT_EQ(DescribeFault(file.faults[0]), "07/P03 error F 4 count=2 delay=10");
}

TEST(PlantFile, ReportsTheFileAndLineOfAnError) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"controller 7\n", "test.plant:1: a controller address is two digits"},
      {"controller 07\ncontroller 07\n", "test.plant:2: controller 07 is declared twice"},
      {"\nparam T number 4 1\n", "test.plant:2: param before any controller"},
      {"controller 07\nparam T number 4 12345\n", "test.plant:2: 12345 does not fit in 4 digits"},
      {"controller 07\nparam T number 4 1x\n", "test.plant:2: '1x' is not a whole number"},
      {"controller 07\nparam T number 100 1\n", "test.plant:2: the width must be a number"},
      {"controller 07\nparam T text 2 \"ABC\"\n", "test.plant:2: text \"ABC\" is longer than 2"},
      {"controller 07\nparam T text 8 \"ABC\n", "test.plant:2: a quoted word has no closing"},
      {"controller 07\nparam T float 4 1\n", "test.plant:2: a parameter is a number or a text"},
      {"controller 07\nparam T number 4 1 writable\n", "test.plant:2: expected read-only"},
      {"controller 07\nparam * number 4 1\n", "test.plant:2: a parameter code cannot be '*'"},
      {"controller 07\nparam T0 number 4 1\n", "test.plant:2: a parameter is a code character"},
      {"controller 07\nparam T number 4 1\nparam T number 4 2\n",
       "test.plant:3: parameter T is declared twice"},
      {"controller 07\nparam T number 4 1\nparam T01 number 4 2\n",
       "test.plant:3: parameter T is declared both with and without a secondary"},
      {"controller 07\nfault 08 silent\n", "test.plant:2: no controller 08 in the plant"},
      {"controller 07\nfault 07 sulk\n", "test.plant:2: unknown fault 'sulk'"},
      {"controller 07\ncontrol 07\n", "test.plant:2: unknown statement 'control'"},
      {"# nothing\n", "test.plant: no controller declared"},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.text);
    try {
      ParsePlant(each.text, "test.plant");
      ADD_FAILURE() << "no error";
    } catch (const PlantError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(each.message, 0), 0u) << error.what();
    }
  }
}

TEST(PlantFile, LoadsTheSamplePlant) {
  const PlantFile file = LoadPlant(FGHSIM_SAMPLE_PLANT);
  EXPECT_GE(file.plant.size(), 3u);
  EXPECT_FALSE(file.faults.empty());
}

TEST(PlantFile, ReportsAFileItCannotOpen) {
  EXPECT_THROW(LoadPlant("/nonexistent/x.plant"), PlantError);
}

}  // namespace
}  // namespace fghsim
