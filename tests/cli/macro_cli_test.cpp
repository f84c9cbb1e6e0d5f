// quorvanectl macro end to end against a real simulator process, checked in
// the keyboard's macro area and key maps; and the macro text form itself.
#include <gtest/gtest.h>

#include "cli/macro_text.h"
#include "platform/file_io.h"
#include "tests/cli/ctl_fixture.h"
#include "tests/profiles/profile_bytes.h"

namespace {

using clitest::kPositionD;
using clitest::kPositionS;

constexpr const char* kEmptyArea = "aa551000000001000000000000000000";

class MacroCliTest : public clitest::CtlFixture {
 protected:
  std::string Write(const std::string& name, const std::string& content) const {
    const std::string path = folder.path() + "/" + name;
    EXPECT_TRUE(platform::ReplaceFileAtomically(path, content));
    return path;
  }
  testsupport::RunResult Create(const std::string& name, const std::string& text,
                                const std::vector<std::string>& options = {}) const {
    std::vector<std::string> arguments = {"macro", "create", name, "--file",
                                          Write("macro.txt", text)};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return Ctl(arguments);
  }
  // The events of `show`, without its heading comment.
  std::string Events(const std::string& macro) const {
    const std::string shown = Ctl({"macro", "show", macro}).out;
    return shown.substr(shown.find('\n') + 1);
  }
};

TEST_F(MacroCliTest, ACreatedMacroReachesTheKeyboardsMacroArea) {
  const auto run = Create("AB", "# A, typed slowly\n\npress A\nwait 125\n  release a  \n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "1\n");
  EXPECT_EQ(MacroArea(), clitest::kAbMacroArea);

  // A second one goes after it; the repeat count is clamped, and said so.
  const auto second =
      Create("C", "press LeftCtrl\nwait 40000\nrelease LeftCtrl\n", {"--repeat", "999"});
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(second.out, "2\n");
  EXPECT_EQ(second.err, "quorvanectl: the repeat count is 1..255; 255 is used\n");
  const std::string area = MacroArea();
  ASSERT_EQ(area.size(), (16u + 2 * 2 + 16 + 14) * 2) << area;
  EXPECT_EQ(area.substr(36 * 2), "0200ff01a0af0101002001014300");

  EXPECT_EQ(Ctl({"macro", "list"}).out,
            "  1  repeat   1     2 events  unused  AB\n"
            "  2  repeat 255     2 events  unused  C\n");
}

TEST_F(MacroCliTest, ShowThenCreateGivesTheSameMacro) {
  const std::string text =
      "press LeftShift\nwait 30\nwait 25\npress Num Enter\nrelease NumEnter\nwait 10\n"
      "release leftshift\npress MouseLeft\nrelease MouseLeft\npress WheelDown\n"
      "press VolumeUp\nrelease VolumeUp\npress Power\nrelease 0x174\nwait 40000\n";
  ASSERT_EQ(Create("first", text).status, 0);
  const std::string events = Events("first");
  EXPECT_EQ(events,
            "press LeftShift\nwait 50\npress NumEnter\nrelease NumEnter\nwait 10\n"
            "release LeftShift\npress MouseLeft\nrelease MouseLeft\npress WheelDown\n"
            "press VolumeUp\nrelease VolumeUp\npress Power\nrelease 0x174\nwait 40000\n");

  const auto exported = Ctl({"macro", "export", "first", folder.path() + "/first.txt"});
  ASSERT_EQ(exported.status, 0) << exported.err;
  const auto again = CtlWithInput({"macro", "create", "second", "-"}, folder.path() + "/first.txt");
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(Events("second"), events);
  EXPECT_EQ(Ctl({"macro", "show", "2"}).out.substr(0, 34), "# macro second (id 2, repeat count");
}

TEST_F(MacroCliTest, AMacroAKeyPlaysIsKeptUnlessForcedAndItsKeysThenRevert) {
  ASSERT_EQ(Create("one", "press A\nrelease A\n").status, 0);
  ASSERT_EQ(Create("two", "press B\nrelease B\n").status, 0);
  const std::vector<std::string> factory = KeyMaps();
  ASSERT_EQ(Ctl({"assign", "D", "macro:two"}).out, "D – reassigned (macro: two)\n");
  ASSERT_EQ(Ctl({"assign", "S", "macro:2", "--profile", "1"}).status, 0);
  EXPECT_EQ(EntryOf(KeyMaps()[0], kPositionD), "050101");
  EXPECT_EQ(EntryOf(KeyMaps()[1], kPositionS), "050101");

  const std::string before = Dump();
  const auto refused = Ctl({"macro", "delete", "two"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err,
            "quorvanectl: This macro is assigned to one or more keys, which will go back to their "
            "default function. Do you want to delete it anyway?\n"
            "quorvanectl: the macro was kept; --force deletes it\n");
  EXPECT_EQ(Dump(), before);

  // Deleting the first moves the second to slot 0: both profiles follow.
  ASSERT_EQ(Ctl({"macro", "delete", "one"}).status, 0);
  EXPECT_EQ(EntryOf(KeyMaps()[0], kPositionD), "050100");
  EXPECT_EQ(EntryOf(KeyMaps()[1], kPositionS), "050100");
  EXPECT_EQ(Ctl({"macro", "list", "--json"}).out,
            "{\"macros\":[{\"id\":1,\"name\":\"two\",\"repeat\":1,\"events\":2,\"used\":true}]}\n");

  const auto forced = Ctl({"macro", "delete", "two", "--force"});
  ASSERT_EQ(forced.status, 0) << forced.err;
  EXPECT_EQ(KeyMaps(), factory);
  EXPECT_EQ(MacroArea().substr(0, 12), "aa5510000000");
  EXPECT_EQ(Ctl({"keys"}).out.find("macro"), std::string::npos);
}

TEST_F(MacroCliTest, RenamingChangesTheNameTheKeyboardHolds) {
  ASSERT_EQ(Create("old", "press A\n").status, 0);
  ASSERT_EQ(Create("other", "press B\n").status, 0);
  ASSERT_EQ(Ctl({"macro", "rename", "OLD", "Été"}).status, 0);
  EXPECT_NE(MacroArea().find("c9007400e900"), std::string::npos) << MacroArea();
  EXPECT_EQ(Ctl({"macro", "rename", "1", "other"}).status, 1);
  EXPECT_EQ(Ctl({"macro", "rename", "1", ""}).status, 1);
  EXPECT_EQ(Ctl({"macro", "rename", "1", std::string(250, 'x')}).status, 1);
  EXPECT_EQ(Ctl({"macro", "list"}).out,
            "  1  repeat   1     1 events  unused  Été\n"
            "  2  repeat   1     1 events  unused  other\n");
}

TEST_F(MacroCliTest, TheHundredFirstMacroIsRefused) {
  std::vector<uint8_t> file = profiletest::HeaderOnlyFile(100, 0);
  for (uint16_t id = 1; id <= 100; ++id) {
    const model::MacroRecord macro =
        profiletest::Macro(id, u"m" + std::u16string(1, u'0' + id % 10));
    profiletest::Append(file, {macro.bytes().begin(), macro.bytes().end()});
  }
  const std::string path = Write("full.fwc", std::string(file.begin(), file.end()));
  ASSERT_EQ(Ctl({"import", path}).status, 0);
  const std::string before = Dump();
  const auto run = Create("more", "press A\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "quorvanectl: You can have at most 100 macros. Delete a macro before adding a new "
            "one.\n");
  EXPECT_EQ(Dump(), before);
}

TEST_F(MacroCliTest, BadTextAndBadArgumentsFailClearlyAndChangeNothing) {
  ASSERT_EQ(Create("kept", "press A\n").status, 0);
  const std::string before = Dump();
  const std::string tooMany = [] {
    std::string text;
    for (int i = 0; i < 1001; ++i) text += "press A\nrelease A\n";
    return text;
  }();
  const struct {
    std::string text;
    std::string error;
  } texts[] = {
      {"press A\nwait 40001\n",
       "line 2: A delay can be at most 40000 ms. The maximum is used instead."},
      {"press A\nwait 30000\nwait 10001\n", "line 3: A delay can be at most 40000 ms."},
      {"press A\nwait -10\n", "line 2: A delay can be at most 40000 ms."},
      {"press A\nwait soon\n", "line 2: 'wait' takes a number of milliseconds"},
      {"wait 10\npress A\n", "line 1: a wait must follow a press or a release"},
      {"press A\n\npress Spcae\n", "line 3: unknown key 'Spcae'; did you mean Space?"},
      {"press Florp\n", "line 1: unknown key 'Florp'; 'quorvanectl assign --list' shows"},
      {"press 0x200\n", "line 1: unknown key '0x200'"},
      {"press\n", "line 1: 'press' needs a key"},
      {"hold A\n", "line 1: expected 'press KEY', 'release KEY' or 'wait MS', not 'hold A'"},
      {tooMany, "line 2001: a macro holds at most 2000 events"},
  };
  for (const auto& t : texts) {
    const auto run = Create("new", t.text);
    EXPECT_EQ(run.status, 1) << t.error;
    EXPECT_NE(run.err.find(t.error), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("no macro was created"), std::string::npos) << run.err;
  }

  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string error;
  } commands[] = {
      {{"macro", "create", "kept", "--file", Write("ok.txt", "press A\n")}, 1, "exists already"},
      {{"macro", "create", "x", "--file", folder.path() + "/missing.txt"}, 1, "cannot read"},
      {{"macro", "create", "x"}, 2, "create needs a name and --file FILE or -"},
      {{"macro", "create", "x", "--repeat", "many", "-"}, 2, "--repeat needs a number"},
      {{"macro", "show", "nope"}, 1, "no macro is named or numbered 'nope'"},
      {{"macro", "show", "kep"}, 1, "did you mean kept?"},
      {{"macro", "delete", "7"}, 1, "no macro is named or numbered '7'"},
      {{"macro", "rename", "kept"}, 2, "rename takes the macro and its new name"},
      {{"macro", "frobnicate"}, 2, "unknown subcommand 'frobnicate'"},
      {{"macro"}, 2, "macro needs a subcommand"},
  };
  for (const auto& c : commands) {
    const auto run = Ctl(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.error;
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
  }
  EXPECT_EQ(Dump(), before);
}

TEST_F(MacroCliTest, EverySubcommandHasHelp) {
  for (const char* sub : {"list", "show", "create", "rename", "delete", "export"}) {
    const auto run = Ctl({"macro", sub, "--help"});
    EXPECT_EQ(run.status, 0) << sub;
    EXPECT_EQ(run.out.rfind(std::string("usage: quorvanectl macro ") + sub, 0), 0u) << run.out;
  }
  EXPECT_EQ(Ctl({"macro", "--help"}).status, 0);
}

TEST(MacroTextTest, PausesBelongToTheEventBeforeThemAndAddUp) {
  const cli::ParsedMacro parsed =
      cli::ParseMacroText("press 0x01E\nwait 15\nwait 9\nrelease 0x01E\r\n# end\nwait 7\n");
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  EXPECT_EQ(parsed.actions, (std::vector<model::MacroAction>{{20, 0x1E, 0}, {0, 0x1E, 1}}));
  EXPECT_TRUE(cli::ParseMacroText("# nothing\n\n").actions.empty());
  EXPECT_EQ(cli::FormatMacroText({{0, 0x1E, 0}, {120, 0x1E, 1}, {0, 0x064, 3}}),
            "press A\nrelease A\nwait 120\npress 0x064\n");
}

}  // namespace
