// quorvanectl info, run as a user runs it, against a real simulator process.
#include <gtest/gtest.h>

#include "tests/support/sim_process.h"

namespace {

using testsupport::RunProgram;
using testsupport::SimProcess;

class InfoCliTest : public ::testing::Test {
 protected:
  std::string SimFolder() const { return folder.path() + "/sim"; }
  testsupport::RunResult Info(const std::vector<std::string>& options = {}) const {
    std::vector<std::string> arguments = {testsupport::ProgramPath("quorvanectl"), "info"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return RunProgram(arguments, {"CORVIAL_SIM_DIR=" + SimFolder()});
  }

  testsupport::TempFolder folder;
};

TEST_F(InfoCliTest, JsonDescribesTheFactoryKeyboard) {
  SimProcess sim(SimFolder(), "kbd", folder.path() + "/kbd.state");
  const auto run = Info({"--json"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "{\"firmware\":264,\"active_profile\":0,\"macro_capacity\":4096,\"effects\":[1,2,3,4,"
            "5,6,7,8,9,10,11,12,13,14,15,16,17,18,20]}\n");
}

TEST_F(InfoCliTest, TextFollowsWhatTheKeyboardReports) {
  SimProcess sim(SimFolder(), "kbd", folder.path() + "/kbd.state",
                 {"--firmware", "0x0107", "--macro-units", "16", "--effects", "1,5,20"});
  const auto run = Info();
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Firmware version: 0x0107\n"
            "Active profile:   0\n"
            "Macro capacity:   2048 bytes\n"
            "Effects:          1 5 20\n");
}

TEST_F(InfoCliTest, NoKeyboardIsAClearFailure) {
  const auto run = Info({"--json"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.out.empty());
  EXPECT_EQ(run.err, "quorvanectl: no keyboard is attached\n");
}

TEST_F(InfoCliTest, AKeyboardThatDoesNotAnswerIsAClearFailure) {
  SimProcess sim(SimFolder(), "kbd", folder.path() + "/kbd.state");
  ASSERT_EQ(sim.Control("drop 3"), "");
  const auto run = Info();
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "quorvanectl: cannot read the keyboard's settings: the keyboard did not answer\n");
}

TEST_F(InfoCliTest, UnknownOptionIsAUsageError) {
  const auto run = Info({"--yaml"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("unknown option '--yaml'"), std::string::npos);
}

}  // namespace
