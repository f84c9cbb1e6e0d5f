// The custom effect's per-key colours against the firmware model: which keys
// each brush and the base colour change, what reaches the keyboard and
// where, and what the user lighting files keep.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/report_packet.h"
#include "lighting/custom_colours.h"
#include "lighting/lighting_control.h"
#include "lighting/lighting_effects.h"
#include "platform/file_io.h"
#include "sim/sim_keyboard.h"
#include "tests/device/device_test_support.h"
#include "tests/lighting/lighting_test_support.h"
#include "tests/support/loopback_service.h"
#include "tests/support/sim_process.h"

namespace {

using lighting::Colour;
using lighting::MakeColour;

constexpr int kEsc = 1022;  // KeyIndex 0
constexpr int kA = 1058;    // 64
constexpr int kB = 1075;    // 90
constexpr int kEnd = 1098;  // 57
constexpr int kD1 = 1016;   // no KeyIndex
constexpr int kG1 = 1000;   // 125
constexpr Colour kRed = MakeColour(255, 0, 0);
constexpr Colour kGreen = MakeColour(0, 200, 0);
constexpr Colour kBlue = MakeColour(0, 0, 255);
constexpr Colour kTeal = MakeColour(0, 128, 128);

using lightingtest::Write;

std::vector<uint8_t> Rgb(Colour c) {
  return {lighting::Red(c), lighting::Green(c), lighting::Blue(c)};
}

class KeyColoursTest : public ::testing::Test {
 protected:
  KeyColoursTest() : link(service.Api(), testsupport::QuickTimings()) {
    platform::EnsureFolder(profiles);
    service.UseKeyboard(&keyboard);
    link.StartControlChannel();
  }

  // Reads profile `slot`, selects `effect` and forgets the traffic.
  void Select(int slot, int effect = lighting::kCustomEffect) {
    control.SetEditedSlot(slot);
    ASSERT_EQ(control.Read(), 0);
    ASSERT_EQ(control.SelectEffect(state.index.PositionOf(effect)), 1);
    Forget();
  }
  void Forget() {
    service.WaitIdle();
    service.ClearSent();
    view.frames.clear();
    view.calls = 0;
  }
  void UserFile(int slot, const std::string& text) {
    ASSERT_TRUE(platform::ReplaceFileAtomically(userFiles.UserFilePath(slot), text));
  }
  std::string UserFileText(int slot) const {
    std::string text;
    platform::ReadWholeFile(userFiles.UserFilePath(slot), &text);
    return text;
  }
  std::vector<Write> KeyColourWrites() const {
    std::vector<Write> writes;
    for (const auto& report : service.Sent()) {
      if (report[device::kReportCommandByte] != device::kCommandWriteKeyColours) continue;
      const int length = report[device::kReportLengthByte];
      writes.push_back(
          {report[device::kReportOffsetByte] | (report[device::kReportOffsetByte + 1] << 8),
           std::vector<uint8_t>(report.begin() + device::kReportDataByte,
                                report.begin() + device::kReportDataByte + length)});
    }
    return writes;
  }
  std::vector<int> Commands() const {
    std::vector<int> commands;
    for (const auto& report : service.Sent()) commands.push_back(report[3]);
    return commands;
  }
  std::vector<uint8_t> KeyboardKey(int slot, int key) const {
    const auto colours = keyboard.KeyColours(slot);
    const auto at = static_cast<std::size_t>(key) * 3;
    return {colours[at], colours[at + 1], colours[at + 2]};
  }
  // The seven packets of the whole table of `slot`.
  std::vector<Write> AllKeysWrites(int slot) const {
    const auto bytes = colours.table().Bytes(slot);
    std::vector<Write> writes;
    for (int i = 0; i < 7; ++i)
      writes.push_back({slot * 512 + i * 54,
                        std::vector<uint8_t>(bytes.begin() + i * 54, bytes.begin() + i * 54 + 54)});
    return writes;
  }

  testsupport::TempFolder folder;
  std::string profiles = folder.path() + "/profiles";
  sim::SimKeyboard keyboard;
  testsupport::LoopbackService service;
  device::DeviceLink link;
  lighting::LightingState state;
  lighting::KeyViewRecorder view;
  lighting::UserLightingFiles userFiles{profiles, folder.path()};
  lighting::CustomColours colours{link, state, userFiles, view};
  lighting::LightingControl control{link, state, "", colours, &userFiles};
};

TEST_F(KeyColoursTest, KeyClicksOutsideTheCustomEffectOrWithoutAColourChangeNothing) {
  struct Case {
    int effect;
    int controlId;
    bool lightingMode;
  };
  const std::vector<Case> cases = {
      {1, kEsc, false}, {5, kA, true},   {18, kEnd, true},
      {20, kD1, true},  {20, kG1, true}, {20, 4242, true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << test.effect << " " << test.controlId);
    Select(1, test.effect);
    state.lightingMode = test.lightingMode;
    colours.ChooseTool(lighting::kBaseColourBrush);
    const std::string fileBefore = UserFileText(1);
    const auto keyboardBefore =
        std::vector<uint8_t>(keyboard.KeyColours(1).begin(), keyboard.KeyColours(1).end());
    EXPECT_FALSE(colours.PaintKey(test.controlId));
    EXPECT_FALSE(colours.PaintKeyWithBrush(test.controlId, kBlue));
    service.WaitIdle();
    EXPECT_TRUE(service.Sent().empty());
    EXPECT_EQ(view.calls, 0);
    EXPECT_EQ(UserFileText(1), fileBefore);
    EXPECT_EQ(std::vector<uint8_t>(keyboard.KeyColours(1).begin(), keyboard.KeyColours(1).end()),
              keyboardBefore);
    EXPECT_EQ(colours.table().At(1, 0), 0u);
  }

  UserFile(1, "[Mode0]\ntool=2\n");
  colours.LoadLayout();
  Forget();
  EXPECT_FALSE(colours.PaintKey(kA)) << "a tool that is neither brush";
  service.WaitIdle();
  EXPECT_TRUE(service.Sent().empty());
  EXPECT_EQ(userFiles.ReadKey(1, 0, 64).colour, kRed);
}

TEST_F(KeyColoursTest, PaintingAKeyWritesItsThreeBytesAndSavesItWithItsMark) {
  struct Case {
    int slot;
    int layout;
    int tool;
    int controlId;
    int key;
  };
  const std::vector<Case> cases = {
      {1, 0, lighting::kBaseColourBrush, kEsc, 0},
      {2, 3, lighting::kBaseColourBrush, kEnd, 57},
      {0, 9, lighting::kColourBrush, model::kFnButtonId, model::kFnKeyIndex},
      {2, 1, lighting::kColourBrush, kB, 90},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << "slot " << test.slot << " key " << test.key);
    Select(test.slot);
    ASSERT_TRUE(colours.ChooseLayout(test.layout));
    colours.ChooseTool(test.tool);
    colours.SetBaseColour(kTeal);
    colours.SetBrushColour(kGreen);
    Forget();
    const bool marked = test.tool == lighting::kBaseColourBrush;
    const Colour colour = marked ? kTeal : kGreen;

    EXPECT_EQ(colours.PaintKey(test.controlId), 1);
    EXPECT_TRUE(colours.LastFileWritesOk());
    service.WaitIdle();
    EXPECT_EQ(Commands(), (std::vector<int>{1, device::kCommandWriteKeyColours, 2}));
    EXPECT_EQ(KeyColourWrites(),
              (std::vector<Write>{{test.slot * 512 + test.key * 3, Rgb(colour)}}));
    EXPECT_EQ(KeyboardKey(test.slot, test.key), Rgb(colour));
    EXPECT_EQ(colours.table().At(test.slot, test.key), colour);
    EXPECT_EQ(colours.marks().Marked(test.controlId, test.slot), marked);
    EXPECT_EQ(view.frames, (std::map<int, Colour>{{test.controlId, colour}}));
    const auto saved = userFiles.ReadKey(test.slot, test.layout, test.key);
    EXPECT_EQ(saved.colour, colour);
    EXPECT_EQ(saved.marked, marked);
  }
  std::string text = UserFileText(2);
  EXPECT_NE(text.find("[Mode3]"), std::string::npos);
  EXPECT_NE(text.find("57=0,128,128,1"), std::string::npos) << text;
}

TEST_F(KeyColoursTest, TheBrushCommandPaintsWithoutTouchingTheLayoutsTools) {
  Select(0);
  colours.ChooseTool(lighting::kBaseColourBrush);
  colours.SetBrushColour(kGreen);
  Forget();
  EXPECT_EQ(colours.PaintKeyWithBrush(kA, kBlue), 1);
  EXPECT_EQ(userFiles.ReadKey(0, 0, 64).colour, kBlue);
  EXPECT_FALSE(userFiles.ReadKey(0, 0, 64).marked);
  const auto tools = userFiles.ReadTools(0, 0);
  EXPECT_EQ(tools.tool, lighting::kBaseColourBrush);
  EXPECT_EQ(tools.brushColour, kGreen);
}

TEST_F(KeyColoursTest, BaseColourChangeRecoloursTheMarkedKeysOnly) {
  Select(1);
  colours.ChooseTool(lighting::kBaseColourBrush);
  colours.SetBaseColour(kTeal);
  colours.PaintKey(kA);
  colours.ChooseTool(lighting::kColourBrush);
  colours.SetBrushColour(kGreen);
  colours.PaintKey(kB);
  Forget();

  EXPECT_EQ(colours.SetBaseColour(kBlue), 1);
  service.WaitIdle();
  EXPECT_EQ(colours.table().At(1, 64), kBlue);
  EXPECT_EQ(colours.table().At(1, 90), kGreen);
  EXPECT_EQ(view.frames, (std::map<int, Colour>{{kA, kBlue}}));
  EXPECT_EQ(userFiles.ReadKey(1, 0, 64).colour, kBlue);
  EXPECT_TRUE(userFiles.ReadKey(1, 0, 64).marked);
  EXPECT_EQ(userFiles.ReadKey(1, 0, 90).colour, kGreen);
  EXPECT_EQ(userFiles.ReadTools(1, 0).baseColour, kBlue);
  EXPECT_EQ(KeyColourWrites(), AllKeysWrites(1));
  EXPECT_EQ(KeyboardKey(1, 64), Rgb(kBlue));
  EXPECT_EQ(KeyboardKey(1, 90), Rgb(kGreen));

  Forget();
  const std::string before = UserFileText(1);
  EXPECT_EQ(colours.SetBaseColour(kBlue), 1);
  service.WaitIdle();
  EXPECT_TRUE(service.Sent().empty()) << "the base colour already set sends nothing";
  EXPECT_EQ(view.calls, 0);
  EXPECT_EQ(UserFileText(1), before);
}

TEST_F(KeyColoursTest, ALayoutWithoutEntriesLoadsEveryKeyRedAndMarked) {
  Select(1);
  EXPECT_EQ(colours.LoadLayout(), 1);
  service.WaitIdle();
  for (const auto& button : model::KeyButtons()) {
    ASSERT_EQ(colours.table().At(1, button.keyIndex), kRed) << button.controlId;
    ASSERT_TRUE(colours.marks().Marked(button.controlId, 1)) << button.controlId;
    EXPECT_FALSE(colours.marks().Marked(button.controlId, 0)) << "other profiles keep theirs";
  }
  EXPECT_EQ(colours.table().At(1, model::kFnKeyIndex), kRed);
  EXPECT_EQ(colours.table().At(1, model::kGKeyIndex), kRed);
  EXPECT_TRUE(colours.marks().Marked(kG1, 1));
  EXPECT_EQ(colours.table().At(1, 13), 0u) << "an index without a button keeps its value";

  const auto writes = KeyColourWrites();
  ASSERT_EQ(writes.size(), 7u);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(writes[static_cast<std::size_t>(i)].offset, 512 + i * 54);
    EXPECT_EQ(writes[static_cast<std::size_t>(i)].bytes.size(), 54u);
  }
  EXPECT_EQ(writes, AllKeysWrites(1));
  EXPECT_EQ(Commands().front(), 1);
  EXPECT_EQ(Commands().back(), 2);
  const auto table = colours.table().Bytes(1);
  const auto onKeyboard = keyboard.KeyColours(1);
  EXPECT_TRUE(std::equal(table.begin(), table.end(), onKeyboard.begin(), onKeyboard.end()));
  EXPECT_EQ(view.calls, 0) << "loading does not repaint the buttons";
}

TEST_F(KeyColoursTest, LoadingReadsTheLayoutInUseWithItsToolsAndKeys) {
  UserFile(2,
           "[PRESENTMODE]\nmode=7\n[Mode7]\ntool=1\njcolor=1,2,3\ncolor=4,5,6\n"
           "0=0,0,255,0\n57=10,20,30,5\n125=0,128,128,0\n");
  Select(2);
  EXPECT_EQ(colours.LoadLayout(), 1);
  const auto& custom = colours.custom();
  EXPECT_EQ(custom.layout, 7);
  EXPECT_EQ(custom.tool, 1);
  EXPECT_EQ(custom.loadedBaseColour, MakeColour(1, 2, 3));
  EXPECT_EQ(custom.brushColour, MakeColour(4, 5, 6));
  EXPECT_EQ(colours.table().At(2, 0), kBlue);
  EXPECT_FALSE(colours.marks().Marked(kEsc, 2));
  EXPECT_EQ(colours.table().At(2, 57), MakeColour(10, 20, 30));
  EXPECT_TRUE(colours.marks().Marked(kEnd, 2));
  EXPECT_EQ(colours.table().At(2, model::kGKeyIndex), kTeal) << "the G keys' entry is read too";
  for (int id : model::kGKeyButtonIds) EXPECT_FALSE(colours.marks().Marked(id, 2));
  EXPECT_EQ(KeyboardKey(2, 57), (std::vector<uint8_t>{10, 20, 30}));

  colours.SetBaseColour(kGreen);
  colours.SetBrushColour(kRed);
  auto shown = colours.ShowCustomControls();
  EXPECT_EQ(shown.layout, 7);
  EXPECT_EQ(shown.baseColour, MakeColour(1, 2, 3)) << "back to the loaded colours";
  EXPECT_EQ(shown.brushColour, MakeColour(4, 5, 6));
  EXPECT_STREQ(shown.colourBrushPicture, "user1up.bmp");
  EXPECT_STREQ(shown.baseBrushPicture, "user2down.bmp");
  colours.ChooseTool(lighting::kColourBrush);
  shown = colours.Controls();
  EXPECT_STREQ(shown.colourBrushPicture, "user1down.bmp");
  EXPECT_STREQ(shown.baseBrushPicture, "user2up.bmp");
}

TEST_F(KeyColoursTest, TheGKeysColourSurvivesAReload) {
  Select(0);
  colours.LoadLayout();  // all red and marked, the G keys too
  Forget();
  EXPECT_EQ(colours.SetBaseColour(kGreen), 1);
  for (int id : model::kGKeyButtonIds) EXPECT_EQ(view.frames[id], kGreen);
  EXPECT_EQ(userFiles.ReadKey(0, 0, model::kGKeyIndex).colour, kGreen);

  // A fresh start of the program reads the layout again.
  lighting::KeyViewRecorder otherView;
  lighting::CustomColours reloaded{link, state, userFiles, otherView};
  EXPECT_EQ(reloaded.LoadLayout(), 1);
  EXPECT_EQ(reloaded.table().At(0, model::kGKeyIndex), kGreen);
  EXPECT_TRUE(reloaded.marks().Marked(kG1, 0));
  service.WaitIdle();
  EXPECT_EQ(KeyboardKey(0, model::kGKeyIndex), Rgb(kGreen));
}

TEST_F(KeyColoursTest, RecomputingMarksFollowsTheLoadedBaseColourInEveryProfile) {
  UserFile(1, "[Mode0]\njcolor=0,128,128\n0=0,128,128,0\n57=0,0,255,1\n125=0,128,128,0\n");
  Select(1);
  colours.LoadLayout();
  colours.RecomputeMarks();
  EXPECT_TRUE(colours.marks().Marked(kEsc, 1)) << "the base colour, though saved unmarked";
  EXPECT_FALSE(colours.marks().Marked(kEnd, 1)) << "another colour, though saved marked";
  EXPECT_FALSE(colours.marks().Marked(kA, 1)) << "red";
  EXPECT_TRUE(colours.marks().Marked(kG1, 1));
  EXPECT_FALSE(colours.marks().Marked(model::kFnButtonId, 1));
  // Profiles not loaded hold black keys, which differ from the base colour.
  EXPECT_FALSE(colours.marks().Marked(kEsc, 0));

  UserFile(1, "[Mode0]\njcolor=0,0,0\n");
  colours.LoadLayout();
  colours.RecomputeMarks();
  EXPECT_TRUE(colours.marks().Marked(kEsc, 0)) << "black keys follow a black base colour";
  EXPECT_TRUE(colours.marks().Marked(kG1, 2));
  EXPECT_FALSE(colours.marks().Marked(kEsc, 1)) << "red";
}

TEST_F(KeyColoursTest, ChoosingALayoutStoresLoadsWritesAndPaintsIt) {
  UserFile(1, "[MODENAME]\n3=Evening\n[Mode3]\njcolor=0,0,255\n64=0,200,0,0\n");
  Select(1);
  auto names = colours.LayoutNames();
  EXPECT_EQ(names[3], "Evening");
  EXPECT_EQ(names[0], "0");
  EXPECT_EQ(names[9], "0");

  EXPECT_EQ(colours.ChooseLayout(3), 1);
  EXPECT_EQ(userFiles.ReadLayoutInUse(1), 3);
  EXPECT_EQ(colours.custom().layout, 3);
  EXPECT_EQ(colours.custom().baseColour, kBlue);
  EXPECT_EQ(colours.table().At(1, 64), kGreen);
  service.WaitIdle();
  EXPECT_EQ(KeyColourWrites(), AllKeysWrites(1));
  EXPECT_EQ(KeyboardKey(1, 64), Rgb(kGreen));
  EXPECT_EQ(view.frames.size(), static_cast<std::size_t>(lighting::kMarkedButtonCount));
  EXPECT_EQ(view.frames[kA], kGreen);
  EXPECT_EQ(view.frames[kEsc], kRed);

  colours.RenameLayout("Night");
  EXPECT_EQ(userFiles.ReadLayoutName(1, 3), "Night");
  EXPECT_EQ(userFiles.ReadLayoutName(1, 0), "0");

  Forget();
  EXPECT_FALSE(colours.ChooseLayout(10));
  EXPECT_FALSE(colours.ChooseLayout(-1));
  service.WaitIdle();
  EXPECT_TRUE(service.Sent().empty());
  EXPECT_EQ(userFiles.ReadLayoutInUse(1), 3);
}

TEST_F(KeyColoursTest, EffectSelectionAndDefaultsReachTheKeysThroughTheHooks) {
  Select(0);
  colours.LoadLayout();
  Forget();
  ASSERT_EQ(control.SelectEffect(state.index.PositionOf(lighting::kCustomEffect)), 1);
  service.WaitIdle();
  EXPECT_TRUE(KeyColourWrites().empty()) << "painting from the table writes nothing";
  EXPECT_EQ(view.frames.size(), static_cast<std::size_t>(lighting::kMarkedButtonCount));
  EXPECT_EQ(view.frames[kG1], kRed);

  ASSERT_EQ(control.SelectEffect(state.index.PositionOf(1)), 1);
  EXPECT_TRUE(view.frames.empty()) << "another effect clears the painting";

  ASSERT_TRUE(platform::EnsureFolder(folder.path() + "/Skins"));
  ASSERT_TRUE(platform::ReplaceFileAtomically(userFiles.FactoryFilePath(),
                                              "[PRESENTMODE]\nmode=2\n[Mode2]\n0=0,0,255,1\n"));
  Forget();
  EXPECT_EQ(control.RestoreDefaults(), 1);
  service.WaitIdle();
  EXPECT_EQ(colours.custom().layout, 2);
  EXPECT_EQ(colours.table().At(0, 0), kBlue);
  EXPECT_EQ(KeyColourWrites(), AllKeysWrites(0));
  EXPECT_EQ(KeyboardKey(0, 0), Rgb(kBlue));
}

TEST_F(KeyColoursTest, AFailedWriteIsReportedAndTheStateFollowsTheUser) {
  Select(1);
  colours.ChooseTool(lighting::kColourBrush);
  colours.SetBrushColour(kGreen);
  keyboard.faults().errorStatusReplies = 10;
  EXPECT_NE(colours.PaintKey(kA), 1);
  EXPECT_EQ(colours.table().At(1, 64), kGreen);
  EXPECT_EQ(userFiles.ReadKey(1, 0, 64).colour, kGreen);
  EXPECT_EQ(Commands().back(), device::kCommandConfigEnd) << "the bracket is still closed";
}

TEST_F(KeyColoursTest, AFileThatCannotBeWrittenIsReported) {
  Select(1);
  ASSERT_TRUE(platform::EnsureFolder(userFiles.UserFilePath(1)));  // a folder in its place
  EXPECT_EQ(colours.PaintKeyWithBrush(kA, kGreen), 1);
  EXPECT_FALSE(colours.LastFileWritesOk());
  colours.RenameLayout("x");
  EXPECT_FALSE(colours.LastFileWritesOk());
}

}  // namespace
