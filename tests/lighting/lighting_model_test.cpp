// The lighting model against the firmware model: what a read decodes and
// exactly which bytes each lighting change writes, and where.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "device/report_packet.h"
#include "lighting/lighting_control.h"
#include "lighting/lighting_effects.h"
#include "lighting/user_lighting_file.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "settings/language_table.h"
#include "sim/sim_keyboard.h"
#include "tests/device/device_test_support.h"
#include "tests/lighting/lighting_test_support.h"
#include "tests/support/loopback_service.h"
#include "tests/support/sim_process.h"

namespace {

using lighting::LightingControl;

using lightingtest::Write;

class RecordingHooks : public lighting::CustomColourHooks {
 public:
  void ClearKeyPainting() override { calls.push_back("clear"); }
  void PaintKeysFromTable(int slot) override { calls.push_back("paint " + std::to_string(slot)); }
  void ReloadUserLayout(int slot) override {
    calls.push_back("reload " + std::to_string(slot));
    if (onReload) onReload();
  }
  std::vector<std::string> calls;
  std::function<void()> onReload;
};

sim::KeyboardOptions Effects(std::vector<uint8_t> effects) {
  sim::KeyboardOptions options;
  options.effects = std::move(effects);
  return options;
}

class LightingModelTest : public ::testing::Test {
 protected:
  explicit LightingModelTest(sim::KeyboardOptions options = {})
      : keyboard(options), link(service.Api(), testsupport::QuickTimings()) {
    std::ofstream(folder.path() + "/Lang0409.ini") << "[MODE]\n1=Wave\n5=Breathing\n20=Custom\n";
    settings::InstallLanguageTable(&languages);
    service.UseKeyboard(&keyboard);
    link.StartControlChannel();
  }
  ~LightingModelTest() override { settings::InstallLanguageTable(nullptr); }

  // Puts bytes into the keyboard's lighting area before the test talks to it.
  void Preset(int offset, std::vector<uint8_t> bytes) {
    const auto request =
        device::BuildRequest(device::kCommandWriteLightingArea, static_cast<uint8_t>(bytes.size()),
                             static_cast<uint16_t>(offset), bytes);
    keyboard.HandleConfigReport(request.data(), request.size());
  }
  // Reads profile `slot` and forgets the traffic of the read.
  void ReadSlot(int slot) {
    control.SetEditedSlot(slot);
    ASSERT_EQ(control.Read(), 0);
    service.WaitIdle();
    service.ClearSent();
    hooks.calls.clear();
  }
  std::vector<Write> Writes() const {
    std::vector<Write> writes;
    for (const auto& report : service.Sent()) {
      if (report[device::kReportCommandByte] != device::kCommandWriteLightingArea) continue;
      const int length = report[device::kReportLengthByte];
      writes.push_back({report[5] | (report[6] << 8),
                        std::vector<uint8_t>(report.begin() + 8, report.begin() + 8 + length)});
    }
    return writes;
  }
  std::vector<int> Commands() const {
    std::vector<int> commands;
    for (const auto& report : service.Sent()) commands.push_back(report[3]);
    return commands;
  }
  uint8_t KeyboardByte(int offset) const {
    return keyboard.Lighting()[static_cast<std::size_t>(offset)];
  }

  testsupport::TempFolder folder;
  settings::LanguageTable languages{folder.path(), nullptr, [] { return uint16_t{0x0409}; }};
  sim::SimKeyboard keyboard;
  testsupport::LoopbackService service;
  device::DeviceLink link;
  lighting::LightingState state;
  RecordingHooks hooks;
  lighting::UserLightingFiles userFiles{folder.path() + "/profiles", folder.path()};
  LightingControl control{link, state, folder.path() + "/wskb.ini", hooks, &userFiles};
};

TEST(EffectIndexTableTest, ZerosAreSkippedAndLookupsGoBothWays) {
  lighting::LightingState state;
  state.effectList = {1, 0, 5, 20};
  state.index.Fill(state.effectList);
  EXPECT_EQ(state.index.size(), 3);
  EXPECT_EQ(state.index.PositionOf(1), 0);
  EXPECT_EQ(state.index.PositionOf(5), 1);
  EXPECT_EQ(state.index.PositionOf(20), 2);
  EXPECT_EQ(state.index.PositionOf(7), -1);
  EXPECT_EQ(state.index.IdAt(3), 0);
  EXPECT_EQ(state.index.IdAt(-1), 0);
  EXPECT_TRUE(state.CustomEffectSupported());
  state.fields.effect = 7;  // not in the list: nothing selected
  EXPECT_EQ(state.SelectedPosition(), -1);

  state.effectList = {1, 5, 1};
  state.index.Fill(state.effectList);
  EXPECT_EQ(state.index.PositionOf(1), 0) << "the first match wins";
  EXPECT_FALSE(state.CustomEffectSupported());
}

class EffectListReadTest : public LightingModelTest {
 protected:
  EffectListReadTest() : LightingModelTest(Effects({1, 5, 20})) {}
};

TEST_F(EffectListReadTest, EntriesCarryPositionIdAndLanguageName) {
  ReadSlot(0);
  const auto entries = state.Entries(0);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "Wave");
  EXPECT_EQ(entries[1].position, 1);
  EXPECT_EQ(entries[1].id, 5);
  EXPECT_EQ(entries[1].name, "Breathing");
  EXPECT_EQ(entries[2].id, 20);
  EXPECT_EQ(entries[2].name, "Custom");
  EXPECT_EQ(state.SelectedPosition(), 0);  // the factory record runs effect 1
}

TEST_F(LightingModelTest, ReadTakesThreePiecesAndDecodesTheEditedRecord) {
  // Profile 2: effect 9, brightness 2, speed 5, direction 0x01, multicolour
  // off, colour (10, 20, 30), report-rate byte 7, colour choice 2.
  Preset(84, {9, 2, 5, 0x01, 0, 10, 20, 30});
  Preset(84 + 15, {7, 0, 2, 0, 1});
  Preset(84 + 25, {1, 2, 3, 9, 0, 4, 5, 6, 0});
  Preset(84 + 35, {0xAA, 0xBB});
  ASSERT_TRUE(platform::WriteIniText(folder.path() + "/wskb.ini", "KEYCOLOR", "DengCheck", "1"));

  control.SetEditedSlot(2);
  ASSERT_EQ(control.Read(), 0);
  EXPECT_TRUE(control.LastReadComplete());

  std::vector<std::pair<int, int>> reads;  // (offset, length)
  for (const auto& report : service.Sent())
    if (report[3] == device::kCommandReadLightingArea)
      reads.push_back({report[5] | (report[6] << 8), report[4]});
  EXPECT_EQ(reads, (std::vector<std::pair<int, int>>{{0, 56}, {42, 56}, {84, 56}}));
  const std::vector<int> commands = Commands();
  EXPECT_EQ(commands.front(), device::kCommandReadSettingsBlock);
  EXPECT_EQ(commands[1], device::kCommandConfigBegin);
  EXPECT_EQ(commands.back(), device::kCommandConfigEnd);

  const auto& f = state.fields;
  EXPECT_EQ(f.effect, 9);
  EXPECT_EQ(f.brightness, 2);
  EXPECT_EQ(f.speed, 5);
  EXPECT_EQ(state.SpeedPosition(), 0);
  EXPECT_FALSE(lighting::IsFirstDirection(f.direction));
  EXPECT_FALSE(f.multiColour);
  EXPECT_EQ(f.mainColour, lighting::MakeColour(10, 20, 30));
  EXPECT_EQ(f.reportRate, 3);
  EXPECT_EQ(state.records[2][15], 7) << "the record copy keeps what the keyboard holds";
  EXPECT_EQ(f.colourChoice, 2);
  EXPECT_EQ(f.triggerMode, 1);
  EXPECT_EQ(f.secondColour, lighting::MakeColour(1, 2, 3));
  EXPECT_TRUE(f.secondMultiColour);
  EXPECT_EQ(f.thirdColour, lighting::MakeColour(4, 5, 6));
  EXPECT_FALSE(f.thirdMultiColour);
  EXPECT_EQ(state.records[2][35], 0xAA);
  EXPECT_EQ(state.records[0][0], 1) << "all three records are copied";
  EXPECT_TRUE(state.lightingMode);

  // A trigger byte other than 0 or 1 keeps the trigger mode read before.
  Preset(84 + 19, {5});
  ASSERT_EQ(control.Read(), 0);
  EXPECT_EQ(state.fields.triggerMode, 1);
}

TEST_F(LightingModelTest, FailedSettingsReadEmptiesTheListAndKeepsTheFields) {
  ReadSlot(1);
  state.fields.brightness = 4;
  keyboard.faults().errorStatusReplies = device::kTransactionTries;
  service.ClearSent();
  EXPECT_EQ(control.Read(), -1);
  EXPECT_EQ(state.index.size(), 0);
  EXPECT_EQ(state.effectList[0], 0);
  EXPECT_EQ(state.fields.brightness, 4);
  for (int command : Commands())
    EXPECT_EQ(command, device::kCommandReadSettingsBlock) << "nothing else is read";
}

TEST_F(LightingModelTest, FailedPieceRepeatsThePreviousPiece) {
  Preset(42, {6, 1, 2});
  control.SetEditedSlot(2);
  // Settings block and ConfigBegin and the first two pieces succeed.
  service.SetResponder([&](const testsupport::Bytes& report) -> std::vector<testsupport::Outgoing> {
    const auto response = keyboard.HandleConfigReport(report.data(), report.size());
    if (report[3] == device::kCommandReadLightingArea && (report[5] | (report[6] << 8)) == 84)
      return {{testsupport::ReplyTo(report, 0xFF), {}}};
    return {{response.reply, {}}};
  });
  ASSERT_EQ(control.Read(), 0);
  EXPECT_FALSE(control.LastReadComplete());
  EXPECT_EQ(state.fields.effect, 6) << "profile 2 shows profile 1's bytes";
}

struct ChangeCase {
  const char* name;
  std::function<int(LightingControl&)> change;
  std::vector<Write> expected;  // offsets within the record
};

TEST_F(LightingModelTest, EachChangeWritesItsBytesIntoProfileTwo) {
  // Factory record of profile 2: effect 1, brightness 5, speed 3, 0x00,
  // multicolour on, white.
  const std::vector<ChangeCase> cases = {
      {"brightness", [](LightingControl& c) { return c.SetBrightness(2); }, {{1, {2}}}},
      {"speed slider 4", [](LightingControl& c) { return c.SetSpeed(4); }, {{2, {1}}}},
      {"first direction", [](LightingControl& c) { return c.SetDirection(true); }, {{3, {0xFF}}}},
      {"second direction", [](LightingControl& c) { return c.SetDirection(false); }, {{3, {0}}}},
      {"main colour",
       [](LightingControl& c) { return c.SetMainColour(lighting::MakeColour(0x12, 0x34, 0x56)); },
       {{4, {0}}, {5, {0x12, 0x34, 0x56}}}},
      {"multicolour back on", [](LightingControl& c) { return c.ToggleMultiColour(); }, {{4, {1}}}},
      {"multicolour off", [](LightingControl& c) { return c.ToggleMultiColour(); }, {{4, {0}}}},
      {"colour choice", [](LightingControl& c) { return c.SetColourChoice(3); }, {{17, {3}}}},
      {"report rate", [](LightingControl& c) { return c.SetReportRate(2); }, {{15, {2}}}},
  };
  ReadSlot(2);
  for (const ChangeCase& test : cases) {
    SCOPED_TRACE(test.name);
    service.ClearSent();
    EXPECT_EQ(test.change(control), 1);
    std::vector<Write> expected = test.expected;
    std::vector<int> commands = {device::kCommandConfigBegin};
    for (Write& write : expected) {
      write.offset += 84;
      commands.push_back(device::kCommandWriteLightingArea);
    }
    commands.push_back(device::kCommandConfigEnd);
    EXPECT_EQ(Writes(), expected);
    EXPECT_EQ(Commands(), commands) << "one bracket per change";
    for (const Write& write : expected)
      for (std::size_t i = 0; i < write.bytes.size(); ++i)
        EXPECT_EQ(KeyboardByte(write.offset + static_cast<int>(i)), write.bytes[i]);
  }
  EXPECT_EQ(state.fields.brightness, 2);
  EXPECT_EQ(state.fields.speed, 1);
  EXPECT_EQ(state.SpeedPosition(), 4);
  EXPECT_EQ(state.fields.mainColour, lighting::MakeColour(0x12, 0x34, 0x56));
  EXPECT_FALSE(state.fields.multiColour);
  EXPECT_EQ(state.fields.colourChoice, 3);
  EXPECT_EQ(state.fields.reportRate, 2);
  const uint8_t factory[8] = {1, 5, 3, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  for (int i = 0; i < 84; ++i)
    EXPECT_EQ(KeyboardByte(i), i % 42 < 8 ? factory[i % 42] : 0) << "profiles 0 and 1 untouched";
}

TEST_F(LightingModelTest, SliderAtItsCurrentPositionSendsNothing) {
  ReadSlot(1);  // brightness 5, speed 3 (slider 2)
  EXPECT_EQ(control.SetBrightness(5), 1);
  EXPECT_EQ(control.SetSpeed(2), 1);
  service.WaitIdle();
  EXPECT_TRUE(service.Sent().empty());
}

TEST_F(LightingModelTest, FailedWriteIsReportedButTheStateFollowsTheUser) {
  ReadSlot(0);
  keyboard.faults().errorStatusReplies = 10;
  EXPECT_NE(control.SetBrightness(1), 1);
  EXPECT_EQ(state.fields.brightness, 1);
  EXPECT_EQ(Commands().back(), device::kCommandConfigEnd) << "the bracket is still closed";
}

struct SelectCase {
  int id;
  std::vector<Write> expected;
  std::vector<std::string> hooks;
};

TEST_F(LightingModelTest, SelectingAnEffectWritesItsIdAndSometimesTheFlag) {
  keyboard.ApplyOptions(Effects({6, 7, 19, 20, 4, 21}));
  const std::vector<SelectCase> cases = {
      {6, {{84, {6}}}, {"clear"}}, {7, {{84, {7}}, {88, {1}}}, {"clear"}},
      {19, {}, {"clear"}},         {20, {{84, {20}}}, {"clear", "paint 2"}},
      {4, {{84, {4}}}, {"clear"}}, {21, {}, {"clear"}},
  };
  ReadSlot(2);  // multicolour on
  for (const SelectCase& test : cases) {
    SCOPED_TRACE(test.id);
    service.ClearSent();
    hooks.calls.clear();
    state.previewRestart = true;
    EXPECT_EQ(control.SelectEffect(state.index.PositionOf(test.id)), 1);
    EXPECT_EQ(Writes(), test.expected);
    EXPECT_EQ(hooks.calls, test.hooks);
    EXPECT_EQ(state.fields.effect, test.id);
    EXPECT_FALSE(state.previewRestart);
  }
  service.ClearSent();
  EXPECT_NE(control.SelectEffect(17), 1) << "a position past the list selects nothing";
  EXPECT_EQ(state.fields.effect, 21);
  service.WaitIdle();
  EXPECT_TRUE(service.Sent().empty());
}

TEST_F(LightingModelTest, DefaultRecordIsThirtyFiveBytesAndKeepsTheRest) {
  Preset(42, {9, 1, 1, 0xFF, 0, 1, 2, 3});
  Preset(42 + 35, {1, 2, 3, 4, 5, 6, 7});
  ReadSlot(1);
  EXPECT_EQ(control.WriteDefaultRecord(), 1);
  std::vector<uint8_t> expected = {1, 5, 3, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  expected.resize(35, 0);
  EXPECT_EQ(Writes(), (std::vector<Write>{{42, expected}}));
  EXPECT_EQ(KeyboardByte(42 + 35), 1);
  EXPECT_EQ(KeyboardByte(42 + 41), 7);
}

TEST_F(LightingModelTest, RestoringDefaultsSelectsEffectOneRestoresTheLayoutAndWritesTheRecord) {
  ASSERT_TRUE(platform::EnsureFolder(folder.path() + "/Skins"));
  ASSERT_TRUE(platform::EnsureFolder(folder.path() + "/profiles"));
  ASSERT_TRUE(
      platform::ReplaceFileAtomically(userFiles.FactoryFilePath(), "[PRESENTMODE]\nmode=4\n"));
  ASSERT_TRUE(
      platform::ReplaceFileAtomically(userFiles.UserFilePath(2), "[PRESENTMODE]\nmode=8\n"));
  Preset(84, {12, 1, 0, 0xFF, 0, 1, 2, 3});
  Preset(84 + 15, {2, 0, 3});
  int layoutAtReload = -1;
  hooks.onReload = [&] { layoutAtReload = userFiles.ReadLayoutInUse(2); };
  ReadSlot(2);

  EXPECT_EQ(control.RestoreDefaults(), 1);
  std::vector<uint8_t> record = {1, 5, 3, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  record.resize(35, 0);
  EXPECT_EQ(Writes(), (std::vector<Write>{{84, {1}}, {88, {0}}, {84, record}}))
      << "effect 1 with the multicolour flag of the moment, then the record";
  EXPECT_EQ(hooks.calls, (std::vector<std::string>{"clear", "reload 2"}));
  EXPECT_EQ(layoutAtReload, 4) << "the user file is restored before the layout is reloaded";
  const auto& f = state.fields;
  EXPECT_EQ(f.effect, 1);
  EXPECT_EQ(f.brightness, 5);
  EXPECT_EQ(state.SpeedPosition(), 2);
  EXPECT_FALSE(lighting::IsFirstDirection(f.direction));
  EXPECT_TRUE(f.multiColour);
  EXPECT_EQ(f.mainColour, lighting::kWhite);
  EXPECT_EQ(f.reportRate, 0);
  EXPECT_EQ(f.colourChoice, 0);
}

TEST(PanelGroupsTest, EachEffectShowsItsRowOnlyInLightingMode) {
  const auto choice = lighting::PanelGroupsFor(17, true);
  EXPECT_TRUE(choice.effectList && choice.brightness && choice.colourChoice);
  EXPECT_FALSE(choice.speed || choice.direction || choice.colourA || choice.colourB ||
               choice.customColours);
  const auto six = lighting::PanelGroupsFor(6, true);
  EXPECT_TRUE(six.colourB && !six.colourA && !six.speed);
  const auto off = lighting::PanelGroupsFor(1, false);
  EXPECT_FALSE(off.effectList || off.brightness || off.speed || off.colourA);
  EXPECT_TRUE(off.reportRate);

  const auto upDown = lighting::DirectionPicturesFor(12, 0xFF);
  EXPECT_STREQ(upDown.first, "updown.bmp");
  EXPECT_STREQ(upDown.secondKey, "CONTROL_BLFXRStaPic3");
  const auto other = lighting::DirectionPicturesFor(7, 0x01);
  EXPECT_STREQ(other.first, "leftup.bmp");
  EXPECT_STREQ(other.second, "rightdown.bmp");
  EXPECT_STREQ(other.captionKey, "CONTROL_BLFXStatic");
}

}  // namespace
