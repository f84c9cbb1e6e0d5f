// quorvanectl lighting against a real simulator process: what it shows and
// exactly which bytes of the keyboard's lighting area each change leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_io.h"
#include "tests/cli/ctl_fixture.h"

namespace {

using clitest::CtlFixture;

// The factory record as hex: effect 1, brightness 5, speed 3, 0x00,
// multicolour on, white, zeros.
const std::string kFactoryRecord = "01050300ffffffff" + std::string(68, '0');

std::string Record(const std::string& lighting, int slot) {
  return lighting.substr(static_cast<std::size_t>(slot) * 84, 84);
}

using LightingCliTest = CtlFixture;

TEST_F(LightingCliTest, ShowsTheFactoryLighting) {
  auto run = Ctl({"lighting", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "{\"effect\":1,\"brightness\":5,\"speed\":2,\"direction\":\"second\","
            "\"colour\":\"FFFFFF\",\"multicolour\":true,\"colour_choice\":\"red\","
            "\"report_rate\":0}\n");
  run = Ctl({"lighting", "--profile", "1"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Profile 1\nEffect: 1 Wave\nBrightness: 5\nSpeed: 2\nDirection: second\n"
            "Color: FFFFFF\nMulticolor: on\nColour choice: red\nPolling rate: 0\n");
}

TEST_F(LightingCliTest, SetWritesEveryChangeIntoTheEditedRecordOnly) {
  const auto run =
      Ctl({"lighting",      "set",    "--profile",     "2",  "--effect",        "7",
           "--brightness",  "2",      "--speed",       "4",  "--direction",     "first",
           "--colour",      "10a0Fe", "--multicolour", "on", "--colour-choice", "blue",
           "--report-rate", "3"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string lighting = Lighting();
  ASSERT_EQ(lighting.size(), 252u);
  EXPECT_EQ(Record(lighting, 0), kFactoryRecord);
  EXPECT_EQ(Record(lighting, 1), kFactoryRecord);
  // Effect 7, brightness 2, speed 5 - 4, first direction, multicolour on
  // again after the colour, the colour R G B, report rate 3 at 15, colour
  // choice 3 at 17.
  EXPECT_EQ(Record(lighting, 2),
            "07020"
            "1ff0110a0fe" +
                std::string(14, '0') + "03" + "00" + "03" + std::string(48, '0'));

  const auto shown = Ctl({"lighting", "--profile", "2", "--json"});
  EXPECT_EQ(shown.out,
            "{\"effect\":7,\"brightness\":2,\"speed\":4,\"direction\":\"first\","
            "\"colour\":\"10A0FE\",\"multicolour\":true,\"colour_choice\":\"blue\","
            "\"report_rate\":3}\n");
}

TEST_F(LightingCliTest, ChangesGoToTheActiveProfileByDefault) {
  ASSERT_EQ(Ctl({"profile", "1"}).status, 0);
  // Speed slider 0 is the keyboard's 5; effect 6 writes no multicolour flag.
  const auto run = Ctl({"lighting", "set", "--speed", "0", "--colour", "000000", "--effect", "6"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string lighting = Lighting();
  EXPECT_EQ(Record(lighting, 0), kFactoryRecord);
  EXPECT_EQ(Record(lighting, 1), "06050500000000" + std::string(70, '0'));
}

TEST_F(LightingCliTest, AnEffectTheKeyboardDoesNotListIsRefusedWithoutWriting) {
  const auto run = Ctl({"lighting", "set", "--effect", "19", "--brightness", "1"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "quorvanectl: effect 19 is not in the keyboard's effect list (see 'quorvanectl "
            "info')\n");
  EXPECT_EQ(Record(Lighting(), 0), kFactoryRecord);
}

TEST_F(LightingCliTest, DefaultsRewriteTheRecordAndTheUserLayouts) {
  ASSERT_EQ(Ctl({"lighting", "set", "--profile", "1", "--effect", "12", "--brightness", "0",
                 "--colour", "123456", "--report-rate", "2", "--colour-choice", "green"})
                .status,
            0);
  const std::string userFile = folder.path() + "/data/M710LTX_204-Q/UserDengColor_1.userd";
  ASSERT_TRUE(platform::EnsureFolder(folder.path() + "/data/M710LTX_204-Q"));
  ASSERT_TRUE(platform::ReplaceFileAtomically(userFile, "[PRESENTMODE]\nmode=9\n"));

  const auto run = Ctl({"lighting", "defaults", "--profile", "1"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Record(Lighting(), 1), kFactoryRecord);
  std::string restored, factory;
  platform::ReadWholeFile(userFile, &restored);
  platform::ReadWholeFile(std::string(QUORVANE_PROGRAM_DIR) + "/Skins/UserDengColor_3.userd",
                          &factory);
  EXPECT_FALSE(factory.empty());
  EXPECT_EQ(restored, factory);
}

TEST_F(LightingCliTest, BadArgumentsAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"lighting", "set", "--brightness", "6"},
      {"lighting", "set", "--speed", "x"},
      {"lighting", "set", "--direction", "left"},
      {"lighting", "set", "--colour", "12345"},
      {"lighting", "set", "--colour", "12345g"},
      {"lighting", "set", "--multicolour", "yes"},
      {"lighting", "set", "--colour-choice", "purple"},
      {"lighting", "set", "--report-rate", "4"},
      {"lighting", "--profile", "3"},
      {"lighting", "--brightness", "1"},
      {"lighting", "defaults", "--json"},
      {"lighting", "set", "--effect"},
  };
  for (const auto& arguments : cases) {
    SCOPED_TRACE(arguments.back());
    const auto run = Ctl(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage: quorvanectl lighting"), std::string::npos) << run.err;
  }
  EXPECT_EQ(Record(Lighting(), 0), kFactoryRecord);
}

TEST_F(LightingCliTest, EachFormHasItsHelp) {
  for (const char* form : {"show", "set", "defaults"}) {
    SCOPED_TRACE(form);
    const auto run = Ctl({"lighting", form, "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("usage: quorvanectl lighting", 0), 0u) << run.out;
  }
}

TEST_F(LightingCliTest, AKeyboardThatStopsAnsweringIsAFailure) {
  ASSERT_EQ(sim.Control("unplug-after 8"), "");
  const auto run = Ctl({"lighting", "set", "--brightness", "1", "--speed", "5"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("quorvanectl: "), std::string::npos);
}

}  // namespace
