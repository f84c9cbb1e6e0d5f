// Moving whole configurations between the keyboard, the working file and the
// store, switching profiles, and arrival and removal.
#include "profiles/profile_transfer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include "device/keyboard_commands.h"
#include "device/result_codes.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "profiles/profile_file.h"
#include "settings/language_table.h"
#include "sim/sim_keyboard.h"
#include "tests/device/device_test_support.h"
#include "tests/support/loopback_service.h"
#include "tests/support/recording_window.h"
#include "tests/support/sim_process.h"

namespace {

using model::KeyAction;

class ProfileTransferTest : public ::testing::Test {
 protected:
  ProfileTransferTest()
      : link(service.Api(), testsupport::QuickTimings()),
        transfer(link, store, matrix, window, folder.path() + "/profiles", folder.path()) {
    std::ofstream(folder.path() + "/Lang0409.ini")
        << "[TEXT]\nMACRO_NEW_PREFIX=\"Macro \"\nDEFAULT_PROFILE_NAME=Default\nPROFILE_TIP=\"Tip: "
           "\"\n"
           "PROFILE_SELECT_PROMPT=Apply first?\nPROFILE_SEELCT_PROMPT2=Close the dialog\n"
           "PROFILE_SLOT_INVALID=No such profile\nMAIN_DEFAULT_MATRIX_PROMPT=No matrix\n";
    settings::InstallLanguageTable(&languages);
    service.UseKeyboard(&keyboard);
    link.StartControlChannel();
    window.OnMessage([this](const platform::WindowMessage& message) {
      if (message.id == platform::kMsgProfilesRead) transfer.ReloadFromDevice(false);
    });
    window.OnApply([this] {
      std::lock_guard lock(store.mutex());
      transfer.SaveWorkingFile(false);
      if (transfer.ApplyStoreToDevice(false) == 1) window.SetApplyPending(false);
    });
  }
  ~ProfileTransferTest() override { settings::InstallLanguageTable(nullptr); }

  // Puts a configuration into the keyboard the way an import does.
  void ConfigureKeyboard() {
    std::lock_guard lock(store.mutex());
    store.Empty();
    profiles::CreateEmptyImage(store, "", 0, true);
    store.SetAction(0, 0x1E, model::kActionKey, 0, 0x030);
    store.SetAction(1, 0x1F, model::kActionDisabled, 0, 0);
    store.SetAction(2, 0x20, model::kActionMacro, 0, 2);
    store.SetAction(2, 256, model::kActionMedia, 0x0301, 6);
    model::MacroList macros(2);
    macros[0].SetId(1);
    macros[0].SetName(u"First");
    macros[0].SetRepeatCount(1);
    macros[0].SetActions({{100, 0x1E, 0}, {0, 0x1E, 1}});
    macros[1].SetId(2);
    macros[1].SetName(u"Second");
    macros[1].SetRepeatCount(3);
    macros[1].SetActions({{50, 0x02A, 0}, {20, 0x02A, 1}});
    store.ReplaceMacros(macros);
    ASSERT_EQ(transfer.ApplyStoreToDevice(true), 1);
    store.Empty();
  }

  testsupport::TempFolder folder;
  settings::LanguageTable languages{folder.path(), nullptr, [] { return uint16_t{0x0409}; }};
  sim::SimKeyboard keyboard;
  testsupport::LoopbackService service;
  device::DeviceLink link;
  model::ConfigStore store;
  model::DefaultMatrix matrix;
  testsupport::RecordingWindow window;
  profiles::ProfileTransfer transfer;
};

TEST_F(ProfileTransferTest, ArrivalReadsAllThreeProfilesAndTheMacrosIntoTheStore) {
  transfer.PresenceHandler(1);  // learns the keyboard's default map and capacity
  ConfigureKeyboard();
  ASSERT_EQ(transfer.ReloadFromDevice(false), 1);

  std::lock_guard lock(store.mutex());
  EXPECT_EQ(store.ActionAt(0, 0x1E), (KeyAction{model::kActionKey, 0, 0x030, 0, 0}));
  EXPECT_EQ(store.ActionAt(1, 0x1F).type, model::kActionDisabled);
  EXPECT_EQ(store.ActionAt(2, 0x20), (KeyAction{model::kActionMacro, 0, 2, 0, 0}));
  EXPECT_EQ(store.ActionAt(2, 256), (KeyAction{model::kActionMedia, 0x0301, 6, 0, 0}));
  EXPECT_EQ(store.ActionAt(0, 0x1F).type, model::kActionDefault);
  ASSERT_EQ(store.MacroCount(), 2);
  EXPECT_EQ(store.Macros()[1].Name(), u"Second");
  EXPECT_EQ(store.Macros()[1].Id(), 2);
  EXPECT_EQ(store.Macros()[1].RepeatCount(), 3);
  EXPECT_EQ(store.Macros()[1].Actions(),
            (std::vector<model::MacroAction>{{50, 0x02A, 0}, {20, 0x02A, 1}}));

  std::string file;
  ASSERT_EQ(platform::ReadWholeFile(transfer.WorkingFilePath(2), &file), platform::ReadStatus::kOk);
  EXPECT_EQ(file.size(), 32832u + 2 * 16512u);
  EXPECT_EQ(transfer.WorkingFilePath(2), folder.path() + "/profiles/$Profile0");
  EXPECT_FALSE(window.applyPending());
}

TEST_F(ProfileTransferTest, AMacroAreaWithoutItsMarkerReadsAsNoMacros) {
  std::vector<uint8_t> damaged(64, 0x11);
  ASSERT_EQ(device::WriteMacroArea(link, damaged), device::kResultOk);
  ASSERT_EQ(transfer.ReadDeviceToFile(folder.path() + "/read.fwc"), 1);
  std::string file;
  platform::ReadWholeFile(folder.path() + "/read.fwc", &file);
  EXPECT_EQ(file.size(), 32832u);
  EXPECT_EQ(file[14], 0) << "macro count";
}

TEST_F(ProfileTransferTest, NoKeyboardMeansNoFileAndAnEmptyStore) {
  service.SetDeviceCount(0);
  EXPECT_EQ(transfer.GetActiveSlot(), -1);
  EXPECT_EQ(transfer.ReadDeviceToFile(folder.path() + "/x.fwc"), 0);
  struct stat info;
  EXPECT_NE(stat((folder.path() + "/x.fwc").c_str(), &info), 0);
  EXPECT_EQ(transfer.ReloadFromDevice(false), 1);
  std::lock_guard lock(store.mutex());
  ASSERT_NE(store.image(), nullptr);
  EXPECT_EQ(store.ActionAt(0, 256).extra, 0x0301);
  transfer.BuildProfileMenu(true);
  EXPECT_EQ(transfer.menu().checkedPosition, 0);
  EXPECT_EQ(window.profileButton().first, "Default");
  EXPECT_EQ(window.profileButton().second, "Tip: Default");
}

TEST_F(ProfileTransferTest, SwitchingWithUnappliedEditsAnsweredYesAppliesThemToTheOldProfileFirst) {
  transfer.PresenceHandler(1);
  {
    std::lock_guard lock(store.mutex());
    store.SetAction(0, 0x1E, model::kActionDisabled, 0, 0);
  }
  window.SetApplyPending(true);
  window.Answer(platform::MessageAnswer::kYes);
  EXPECT_EQ(transfer.SelectProfile(1), 1);
  EXPECT_EQ(window.texts(), (std::vector<std::string>{"Apply first?"}));
  EXPECT_EQ(window.shown()[0].buttons, platform::MessageButtons::kYesNoDefaultNo);
  EXPECT_EQ(window.applyCommands(), 1);
  EXPECT_EQ(keyboard.KeyMap(0)[19 * 3], 0x00) << "A disabled in profile 0";
  EXPECT_EQ(keyboard.Settings()[10], 1);
  EXPECT_EQ(transfer.GetActiveSlot(), 1);
  EXPECT_EQ(transfer.menu().checkedPosition, 3);
}

TEST_F(ProfileTransferTest, SwitchingWithUnappliedEditsAnsweredNoDropsThem) {
  transfer.PresenceHandler(1);
  {
    std::lock_guard lock(store.mutex());
    store.SetAction(0, 0x1E, model::kActionDisabled, 0, 0);
  }
  window.SetApplyPending(true);
  window.Answer(platform::MessageAnswer::kNo);
  EXPECT_EQ(transfer.SelectProfile(2), 1);
  EXPECT_EQ(window.applyCommands(), 0);
  EXPECT_FALSE(window.applyPending());
  std::lock_guard lock(store.mutex());
  EXPECT_EQ(store.ActionAt(0, 0x1E).type, model::kActionDefault)
      << "reloaded from the working file";
  EXPECT_EQ(keyboard.Settings()[10], 2);
  EXPECT_TRUE(std::equal(keyboard.KeyMap(0).begin(), keyboard.KeyMap(0).end(),
                         keyboard.DefaultMatrix().begin()));
}

TEST_F(ProfileTransferTest, SlotsOutsideTheKeyboardNeverReachIt) {
  transfer.PresenceHandler(1);
  EXPECT_EQ(transfer.SelectProfile(5), 1) << "slots 3 and above select the first";
  EXPECT_EQ(keyboard.Settings()[10], 0);
  ASSERT_EQ(transfer.SelectProfile(2), 1);
  service.ClearSent();
  EXPECT_EQ(transfer.SelectProfile(-1), 1) << "the default entry of the menu";
  for (const auto& report : service.Sent())
    EXPECT_NE(report[3], device::kCommandWriteSettingsBlock);
  transfer.SetActiveSlot(3);
  EXPECT_EQ(window.texts().back(), "No such profile");
  EXPECT_EQ(keyboard.Settings()[10], 2);
  window.SetKeyAssignmentOpen(true);
  EXPECT_EQ(transfer.SelectProfile(0), 0);
  EXPECT_EQ(window.texts().back(), "Close the dialog");
  EXPECT_EQ(keyboard.Settings()[10], 2);
}

TEST_F(ProfileTransferTest, ArrivalAndRemovalAreEachHandledOnce) {
  transfer.PresenceHandler(1);
  transfer.PresenceHandler(2);
  transfer.PresenceHandler(1);
  transfer.PresenceHandler(0);
  transfer.PresenceHandler(0);
  transfer.PresenceHandler(1);
  std::vector<uint32_t> sent;
  for (const auto& m : window.sent()) sent.push_back(m.id);
  EXPECT_EQ(sent, (std::vector<uint32_t>{platform::kMsgProfilesRead, platform::kMsgDeviceGone,
                                         platform::kMsgProfilesRead}));
  EXPECT_EQ(window.hides(), 1);
  ASSERT_EQ(window.posted().size(), 1u) << "the window opens by itself once";
  EXPECT_EQ(window.posted()[0].id, platform::kMsgOpen);
  EXPECT_EQ(window.trayIcons(), (std::vector<std::pair<int, int>>{{0, 141}, {0, 128}, {0, 141}}));
  EXPECT_EQ(transfer.macroCapacity(), 4096u);
}

TEST_F(ProfileTransferTest, ARemovalFirstOrAStartWithSlashStartNeverOpensTheWindow) {
  transfer.SetFirstPresence();
  transfer.PresenceHandler(1);
  EXPECT_TRUE(window.posted().empty());
}

}  // namespace

namespace {

TEST(ProfileFolderTest, ANewFolderGetsTheFactoryColourLayoutsForEachSlot) {
  testsupport::TempFolder folder;
  platform::EnsureFolder(folder.path() + "/Skins");
  ASSERT_TRUE(platform::ReplaceFileAtomically(folder.path() + "/Skins/UserDengColor_3.userd",
                                              "[PRESENTMODE]\nmode=4\n"));
  testsupport::LoopbackService service;
  device::DeviceLink link(service.Api());
  model::ConfigStore store;
  model::DefaultMatrix matrix;
  testsupport::RecordingWindow window;
  profiles::ProfileTransfer transfer(link, store, matrix, window, folder.path() + "/a/profiles",
                                     folder.path());
  ASSERT_TRUE(transfer.EnsureProfileFolder());
  for (int slot = 0; slot < 3; ++slot) {
    std::string content;
    ASSERT_EQ(platform::ReadWholeFile(
                  folder.path() + "/a/profiles/UserDengColor_" + std::to_string(slot) + ".userd",
                  &content),
              platform::ReadStatus::kOk);
    EXPECT_EQ(content, "[PRESENTMODE]\nmode=4\n");
  }
  // An existing folder keeps what the user made of its files.
  ASSERT_TRUE(
      platform::ReplaceFileAtomically(folder.path() + "/a/profiles/UserDengColor_1.userd", "mine"));
  ASSERT_TRUE(transfer.EnsureProfileFolder());
  std::string content;
  platform::ReadWholeFile(folder.path() + "/a/profiles/UserDengColor_1.userd", &content);
  EXPECT_EQ(content, "mine");
}

TEST(ProfileFolderTest, TheShippedFactoryFileHoldsTenNamedLayoutsOfEveryKey) {
  std::string content;
  ASSERT_EQ(platform::ReadWholeFile(
                std::string(QUORVANE_PROGRAM_DIR) + "/Skins/UserDengColor_3.userd", &content),
            platform::ReadStatus::kOk);
  const platform::IniDocument file = platform::IniDocument::Parse(content);
  EXPECT_EQ(file.Find("PRESENTMODE", "mode"), "0");
  for (int layout = 0; layout < 10; ++layout) {
    const std::string section = "Mode" + std::to_string(layout);
    EXPECT_FALSE(file.Find("MODENAME", std::to_string(layout)).value_or("").empty());
    for (int key = 0; key < 126; ++key) {
      int r = -1, g = -1, b = -1, mark = -1;
      const std::string value = file.Find(section, std::to_string(key)).value_or("");
      ASSERT_EQ(std::sscanf(value.c_str(), "%d,%d,%d,%d", &r, &g, &b, &mark), 4)
          << section << " " << key;
      EXPECT_TRUE(r >= 0 && r <= 255 && g >= 0 && g <= 255 && b >= 0 && b <= 255);
      EXPECT_TRUE(mark == 0 || mark == 1);
    }
    for (const char* key : {"tool", "jcolor", "color"}) EXPECT_TRUE(file.Find(section, key)) << key;
  }
}

}  // namespace
