// quorvanectl colours against a real simulator process: which per-key
// colours reach the keyboard, what the user lighting file keeps, and what is
// refused before anything is written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_io.h"
#include "tests/cli/ctl_fixture.h"

namespace {

using clitest::CtlFixture;

// The simulator's key colours start as all 0xFF.
const std::string kUntouched(378 * 2, 'f');

class ColoursCliTest : public CtlFixture {
 protected:
  std::string ProfileFolder() const { return folder.path() + "/data/M710LTX_204-Q"; }
  std::string UserFile(int slot) const {
    return ProfileFolder() + "/UserDengColor_" + std::to_string(slot) + ".userd";
  }
  std::string UserFileText(int slot) const {
    std::string text;
    platform::ReadWholeFile(UserFile(slot), &text);
    return text;
  }
  void WriteUserFile(int slot, const std::string& text) {
    ASSERT_TRUE(platform::EnsureFolder(ProfileFolder()));
    ASSERT_TRUE(platform::ReplaceFileAtomically(UserFile(slot), text));
  }
  // The three hex bytes of key `key` of profile `slot`.
  std::string KeyColour(int slot, int key) const {
    const auto colours = HexList(Dump(), "key_colours");
    if (colours.size() != 3) return "no key colours";
    return colours[static_cast<std::size_t>(slot)].substr(static_cast<std::size_t>(key) * 6, 6);
  }
  std::vector<std::string> KeyColours() const { return HexList(Dump(), "key_colours"); }
  void SelectCustomEffect(int slot) {
    const auto run = Ctl({"lighting", "set", "--profile", std::to_string(slot), "--effect", "20"});
    ASSERT_EQ(run.status, 0) << run.err;
  }
};

TEST_F(ColoursCliTest, PaintedKeysReachTheKeyboardAndTheUserFile) {
  WriteUserFile(2, "[PRESENTMODE]\nmode=4\n[Mode4]\njcolor=1,2,3\ncolor=4,5,6\ntool=1\n");
  SelectCustomEffect(2);
  const auto run =
      Ctl({"colours", "paint", "--profile", "2", "Esc", "102030", "f1", "a0B0c0", "fn", "010203"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto colours = KeyColours();
  ASSERT_EQ(colours.size(), 3u);
  EXPECT_EQ(colours[0], kUntouched);
  EXPECT_EQ(colours[1], kUntouched);
  const std::string& keys = colours[2];
  EXPECT_EQ(keys.substr(0, 6), "102030");
  EXPECT_EQ(keys.substr(1 * 6, 6), "a0b0c0");
  EXPECT_EQ(keys.substr(110 * 6, 6), "010203");
  EXPECT_EQ(keys.substr(64 * 6, 6), "ff0000") << "the rest of layout 4, red by default";
  EXPECT_EQ(keys.substr(13 * 6, 6), "000000") << "an index without a key";

  const std::string text = UserFileText(2);
  EXPECT_NE(text.find("0=16,32,48,0"), std::string::npos) << text;
  EXPECT_NE(text.find("110=1,2,3,0"), std::string::npos) << text;
  EXPECT_NE(text.find("tool=1"), std::string::npos) << "the layout's tool stays";
  EXPECT_NE(text.find("color=4,5,6"), std::string::npos) << "and so does its brush colour";
}

TEST_F(ColoursCliTest, PaintGoesToTheActiveProfileByDefault) {
  ASSERT_EQ(Ctl({"profile", "1"}).status, 0);
  SelectCustomEffect(1);
  const auto run = Ctl({"colours", "paint", "A", "00ff00"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(KeyColour(1, 64), "00ff00");
  EXPECT_EQ(KeyColours()[0], kUntouched);
}

TEST_F(ColoursCliTest, PaintIsRefusedBeforeAnythingIsWritten) {
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string message;  // the start of stderr
  };
  const std::vector<Case> cases = {
      {{"colours", "paint", "Esc", "102030"},
       1,
       "quorvanectl: profile 0 does not run the custom effect (20); select it with "
       "'quorvanectl lighting set --profile 0 --effect 20'\n"},
      {{"colours", "paint", "--profile", "1", "Esc", "102030", "Nokey", "000000"},
       1,
       "quorvanectl: unknown key 'Nokey'"},
      {{"colours", "paint", "--profile", "1", "G1", "102030"}, 1, "quorvanectl: 'G1' cannot"},
      {{"colours", "paint", "--profile", "1", "Esc", "10203"}, 2, "quorvanectl: colour '10203'"},
      {{"colours", "paint", "--profile", "1", "Esc"}, 2, "quorvanectl: give each KEY"},
      {{"colours", "paint", "--profile", "3", "Esc", "102030"}, 2, "quorvanectl: --profile"},
      {{"colours", "paint", "--fast", "Esc", "102030"}, 2, "quorvanectl: unknown option"},
      {{"colours", "layout", "10"}, 2, "quorvanectl: INDEX must be 0 to 9"},
      {{"colours", "layout", "1", "2"}, 2, "quorvanectl: unexpected argument '2'"},
      {{"colours", "layout", "--name"}, 2, "quorvanectl: --name needs a value"},
      {{"colours"}, 2, "quorvanectl: colours needs paint or layout"},
      {{"colours", "fill"}, 2, "quorvanectl: unknown subcommand 'fill'"},
  };
  SelectCustomEffect(1);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.arguments.back());
    const auto run = Ctl(test.arguments);
    EXPECT_EQ(run.status, test.status);
    EXPECT_EQ(run.err.substr(0, test.message.size()), test.message);
  }
  const auto colours = KeyColours();
  ASSERT_EQ(colours.size(), 3u);
  for (const std::string& profile : colours) EXPECT_EQ(profile, kUntouched);
}

TEST_F(ColoursCliTest, ChoosingALayoutWritesItsColoursAndRenamingKeepsThem) {
  WriteUserFile(0,
                "[MODENAME]\n3=Forest\n[Mode3]\n0=0,0,255,0\n1=0,128,0,1\n"
                "[Mode0]\n0=1,1,1,0\n");
  auto run = Ctl({"colours", "layout", "3"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Profile 0\n  0 0\n  1 0\n  2 0\n* 3 Forest\n  4 0\n  5 0\n  6 0\n  7 0\n"
            "  8 0\n  9 0\n");
  EXPECT_EQ(KeyColour(0, 0), "0000ff");
  EXPECT_EQ(KeyColour(0, 1), "008000");
  EXPECT_EQ(KeyColour(0, 2), "ff0000");
  EXPECT_NE(UserFileText(0).find("mode=3"), std::string::npos);

  const std::string before = KeyColours()[0];
  run = Ctl({"colours", "layout", "--name", "Deep \"forest\"", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "{\"profile\":0,\"in_use\":3,\"layouts\":[\"0\",\"0\",\"0\",\"Deep \\\"forest\\\"\","
            "\"0\",\"0\",\"0\",\"0\",\"0\",\"0\"]}\n");
  EXPECT_EQ(KeyColours()[0], before) << "renaming alone writes no colours";

  run = Ctl({"colours", "layout", "0", "--name", "Grey"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("* 0 Grey\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  3 Deep \"forest\"\n"), std::string::npos) << run.out;
  EXPECT_EQ(KeyColour(0, 0), "010101");
}

TEST_F(ColoursCliTest, LightingDefaultsReloadTheFactoryLayoutIntoTheKeyboard) {
  SelectCustomEffect(1);
  ASSERT_EQ(Ctl({"colours", "paint", "--profile", "1", "F1", "123456"}).status, 0);
  ASSERT_EQ(KeyColour(1, 1), "123456");
  const auto run = Ctl({"lighting", "defaults", "--profile", "1"});
  ASSERT_EQ(run.status, 0) << run.err;
  // Layout 0 of the factory file: F1 is 255,77,0.
  EXPECT_EQ(KeyColour(1, 1), "ff4d00");
  EXPECT_EQ(KeyColours()[0], kUntouched);
}

TEST_F(ColoursCliTest, EachFormHasItsHelp) {
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{"colours", "--help"},
                                                    {"colours", "paint", "--help"},
                                                    {"colours", "layout", "-h"}}) {
    const auto run = Ctl(arguments);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("usage: quorvanectl colours", 0), 0u) << run.out;
  }
}

}  // namespace
