// quorvanectl assign end to end against a real simulator process, checked in
// the keyboard's own key maps; and the completeness of the names it accepts.
#include <gtest/gtest.h>

#include <set>

#include "cli/key_identifiers.h"
#include "model/button_table.h"
#include "model/key_table.h"
#include "tests/cli/ctl_fixture.h"

namespace {

using clitest::kPositionA;

class AssignCliTest : public clitest::CtlFixture {
 protected:
  // The key-map position whose entry is `entry` in `map`; -1 when none is.
  static int PositionOf(const std::string& map, const std::string& entry) {
    for (int k = 0; k < 126; ++k)
      if (EntryOf(map, k) == entry) return k;
    return -1;
  }
};

TEST_F(AssignCliTest, EachKindOfActionReachesTheKeyMapAndNothingElseChanges) {
  const std::vector<std::string> factory = KeyMaps();
  ASSERT_EQ(factory.size(), 3u);
  ASSERT_EQ(EntryOf(factory[0], kPositionA), "020204");
  const struct {
    std::string action;
    std::string entry;
    std::string printed;
  } cases[] = {
      {"key:B", "020205", "A – reassigned (key: B)"},
      {"key:LeftShift", "020102", "A – reassigned (key: Left Shift)"},
      {"KEY:rightwin", "020180", "A – reassigned (key: Right Win)"},
      {"key:MouseLeft", "010101", "A – reassigned (key: Left Mouse Button)"},
      {"key:WheelDown", "0105ff", "A – reassigned (key: Wheel Down)"},
      {"key:Num Enter", "020258", "A – reassigned (key: Num Enter)"},
      {"media:VolumeUp", "03e900", "A – reassigned (multimedia: Volume +)"},
      {"media:calculator", "039201", "A – reassigned (multimedia: Calculator)"},
      {"media:Volume -", "03ea00", "A – reassigned (multimedia: Volume -)"},
      {"function:1", "050500", "A – reassigned (function: Lock Win key)"},
      {"function:11", "05050a", "A – reassigned (function: Lighting on/off)"},
      {"disabled", "000000", "A – reassigned"},
      {"key:A", "020204", "A"},  // itself: its own function
      {"media:Mute", "03e200", "A – reassigned (multimedia: Mute)"},
      {"default", "020204", "A"},
  };
  for (const auto& c : cases) {
    const auto run = Ctl({"assign", "A", c.action});
    ASSERT_EQ(run.status, 0) << c.action << ": " << run.err;
    EXPECT_EQ(run.out, c.printed + "\n") << c.action;
    const std::vector<std::string> maps = KeyMaps();
    ASSERT_EQ(maps.size(), 3u);
    EXPECT_EQ(EntryOf(maps[0], kPositionA), c.entry) << c.action;
    std::string others = maps[0];
    others.replace(kPositionA * 6, 6, EntryOf(factory[0], kPositionA));
    EXPECT_EQ(others, factory[0]) << c.action;
    EXPECT_EQ(maps[1], factory[1]) << c.action;
    EXPECT_EQ(maps[2], factory[2]) << c.action;
  }
  EXPECT_EQ(KeyMaps(), factory);
}

TEST_F(AssignCliTest, KeysAreFoundByIdentifierAliasOrLanguageNameInAnyCase) {
  const std::vector<std::string> factory = KeyMaps();
  const struct {
    std::string key;
    std::string factoryEntry;
  } cases[] = {
      {"a", "020204"},      {"LEFTCTRL", "020101"}, {"Left Shift", "020102"},
      {"escape", "020229"}, {"NumEnter", "020258"}, {"Menu", "020265"},
      {"g1", "06a201"},     {"G14", "06a20e"},      {"Print Screen", "020246"},
  };
  for (const auto& c : cases) {
    const int position = PositionOf(factory[1], c.factoryEntry);
    ASSERT_GE(position, 0) << c.key;
    const auto run = Ctl({"assign", c.key, "disabled", "--profile", "1"});
    ASSERT_EQ(run.status, 0) << c.key << ": " << run.err;
    EXPECT_EQ(EntryOf(KeyMaps()[1], position), "000000") << c.key;
  }
}

TEST_F(AssignCliTest, AProfileOtherThanTheActiveOneIsWrittenToo) {
  const std::vector<std::string> factory = KeyMaps();
  const int g2 = PositionOf(factory[2], "06a202");
  ASSERT_GE(g2, 0);
  const auto run = Ctl({"assign", "G2", "key:Esc", "--profile", "2"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "G2 – reassigned (key: Esc)\n");
  const std::vector<std::string> maps = KeyMaps();
  EXPECT_EQ(EntryOf(maps[2], g2), "020229");
  EXPECT_EQ(maps[0], factory[0]);
  EXPECT_EQ(Ctl({"profile"}).out, "0\n");

  // And the active profile follows the keyboard's choice.
  ASSERT_EQ(Ctl({"profile", "1"}).status, 0);
  ASSERT_EQ(Ctl({"assign", "A", "key:B"}).status, 0);
  EXPECT_EQ(EntryOf(KeyMaps()[1], kPositionA), "020205");
  EXPECT_EQ(EntryOf(KeyMaps()[0], kPositionA), "020204");
}

TEST_F(AssignCliTest, BadNamesAndBadArgumentsFailClearlyAndChangeNothing) {
  const std::string before = Dump();
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string error;  // a part of stderr
  } cases[] = {
      {{"assign", "Foo", "key:B"}, 1, "unknown key 'Foo'; 'quorvanectl assign --list' shows"},
      {{"assign", "A", "key:lefshift"}, 1, "unknown key 'lefshift'; did you mean LeftShift"},
      {{"assign", "A", "media:volume"}, 1, "did you mean VolumeDown, VolumeUp"},
      {{"assign", "A", "key:VolumeUp"}, 1, "unknown key 'VolumeUp'"},
      {{"assign", "A", "key:Power"}, 1, "unknown key 'Power'"},
      {{"assign", "MouseLeft", "disabled"}, 1, "unknown key 'MouseLeft'"},
      {{"assign", "G19", "disabled"}, 1, "unknown key 'G19'"},
      {{"assign", "G18", "disabled"}, 1, "this keyboard has no key G18"},
      {{"assign", "A", "function:0"}, 1, "unknown keyboard function '0'"},
      {{"assign", "A", "function:12"}, 1, "unknown keyboard function '12'"},
      {{"assign", "A", "macro:none"}, 1, "no macro is named or numbered 'none'"},
      {{"assign", "A", "bogus"}, 2, "'bogus' is not an action"},
      {{"assign", "A", "key:"}, 2, "'key:' is not an action"},
      {{"assign", "A", "disabled:1"}, 2, "not an action"},
      {{"assign", "A"}, 2, "assign takes a key and an action"},
      {{"assign", "A", "key:B", "--profile", "3"}, 2, "the profile must be 0, 1 or 2"},
      {{"assign", "A", "key:B", "--profile"}, 2, "--profile needs a number"},
      {{"assign", "A", "key:B", "--fast"}, 2, "unknown option '--fast'"},
  };
  for (const auto& c : cases) {
    const auto run = Ctl(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.error;
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
  EXPECT_EQ(Dump(), before);
}

TEST_F(AssignCliTest, HelpAndTheListOfNamesNeedNoChanges) {
  const auto help = Ctl({"assign", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: quorvanectl assign KEY ACTION", 0), 0u) << help.out;
  const auto list = Ctl({"assign", "--list"});
  EXPECT_EQ(list.status, 0) << list.err;
  for (const char* line : {"  NumEnter       Num Enter\n", "  VolumeUp       Volume +\n",
                           "  11             Lighting on/off\n", "  WheelUp        Wheel Up\n"})
    EXPECT_NE(list.out.find(line), std::string::npos) << line;
}

TEST(KeyIdentifierTest, EveryKeyButtonAndMultimediaFunctionHasOneUniqueIdentifier) {
  std::set<std::string> names;
  for (const cli::KeyIdentifier& key : cli::KeyIdentifiers()) {
    EXPECT_TRUE(names.insert(cli::FoldCase(key.id)).second) << key.id;
    if (key.alias != nullptr) {
      EXPECT_TRUE(names.insert(cli::FoldCase(key.alias)).second) << key.alias;
    }
    EXPECT_EQ(cli::IdentifierOf(key.code), key.id);
    EXPECT_EQ(cli::FindMacroKey(key.id).code, key.code) << key.id;
  }
  for (const model::KeyButton& button : model::KeyButtons()) {
    const std::string id = cli::IdentifierOf(button.code);
    EXPECT_EQ(cli::FindKeyToAssign(id).code, button.code) << id;
    EXPECT_EQ(cli::FindTargetKey(id).code, button.code) << id;
  }
  for (int media = 0; media < model::kMediaCount; ++media) {
    const std::string id = cli::IdentifierOf(model::MediaTable()[media].code);
    EXPECT_EQ(cli::FindMedia(id).code, media) << id;
  }
}

}  // namespace
