// Applying the snapshot to the keyboard: one bracket with the macro area and
// the key maps, and the two refusals when macros don't fit.
#include "model/key_map_writer.h"

#include <gtest/gtest.h>

#include <fstream>

#include "device/result_codes.h"
#include "model/key_table.h"
#include "settings/language_table.h"
#include "sim/sim_keyboard.h"
#include "tests/device/device_test_support.h"
#include "tests/support/loopback_service.h"
#include "tests/support/recording_window.h"
#include "tests/support/sim_process.h"

namespace {

class KeyMapWriterTest : public ::testing::Test {
 protected:
  KeyMapWriterTest() : link(service.Api(), testsupport::QuickTimings()) {
    std::ofstream(folder.path() + "/Lang0409.ini")
        << "[TEXT]\nEXTRA_MACRO_TOO_LONG=Too long\nEXTRA_PROFILE_SPACE_TIGHT=No names\n";
    settings::InstallLanguageTable(&languages);
    service.UseKeyboard(&keyboard);
    link.StartControlChannel();
    matrix.Set([&] {
      model::KeyMapBlock block;
      std::copy_n(keyboard.DefaultMatrix().begin(), block.size(), block.begin());
      return block;
    }());
    auto image = std::make_unique<model::ProfileImage>();
    image->ClearAreas();
    store.SetImage(std::move(image));
  }
  ~KeyMapWriterTest() override { settings::InstallLanguageTable(nullptr); }

  void AddMacro(const std::u16string& name, uint16_t id) {
    model::MacroRecord macro;
    macro.SetName(name);
    macro.SetId(id);
    macro.SetRepeatCount(1);
    macro.SetActions({{120, 0x01E, 0}, {0, 0x01E, 1}});
    model::MacroList list = store.Macros();
    list.push_back(macro);
    store.ReplaceMacros(list);
  }

  // What the apply fills before it writes.
  int Apply(bool allSlots, uint32_t capacity = 4096, int activeSlot = 1) {
    auto& snapshot = store.snapshot();
    snapshot.image = std::make_unique<model::ProfileImage>(*store.image());
    snapshot.macros = store.Macros();
    const model::KeyMapWriter writer{link,   store,    matrix,
                                     window, capacity, [activeSlot] { return activeSlot; }};
    return model::WriteKeyMapsAndMacros(writer, allSlots);
  }

  std::vector<int> Commands() const {
    std::vector<int> commands;
    for (const auto& report : service.Sent())
      if (commands.empty() || commands.back() != report[3]) commands.push_back(report[3]);
    return commands;
  }

  testsupport::TempFolder folder;
  settings::LanguageTable languages{folder.path(), nullptr, [] { return uint16_t{0x0409}; }};
  sim::SimKeyboard keyboard;
  testsupport::LoopbackService service;
  device::DeviceLink link;
  model::DefaultMatrix matrix;
  model::ConfigStore store;
  testsupport::RecordingWindow window;
};

TEST_F(KeyMapWriterTest, TheActiveProfileIsWrittenWithTheMacrosInOneBracket) {
  store.SetAction(1, 0x1E, model::kActionKey, 0, 0x030);  // A sends B
  store.SetAction(1, 0x1F, model::kActionMacro, 0, 7);
  AddMacro(u"AB", 7);
  EXPECT_EQ(Apply(false), 1);
  EXPECT_EQ(Commands(), (std::vector<int>{0x01, 0x0A, 0x08, 0x02}));
  EXPECT_EQ(keyboard.KeyMap(1)[19 * 3 + 2], 0x05) << "A's position sends B's usage";
  EXPECT_EQ(keyboard.KeyMap(1)[27 * 3 + 0], 0x05) << "S plays a macro";
  EXPECT_EQ(keyboard.KeyMap(1)[27 * 3 + 2], 0x00) << "the first macro slot";
  EXPECT_TRUE(std::equal(keyboard.KeyMap(0).begin(), keyboard.KeyMap(0).end(),
                         keyboard.DefaultMatrix().begin()))
      << "other profiles untouched";
  const auto area = keyboard.MacroArea();
  EXPECT_EQ(area[0] | (area[1] << 8), 0x55AA);
  EXPECT_EQ(area[2] | (area[3] << 8), 34);
  EXPECT_EQ(area[6], 1) << "with names";
  EXPECT_TRUE(window.shown().empty());
}

TEST_F(KeyMapWriterTest, AllProfilesAreWrittenInAscendingOrder) {
  store.SetAction(2, 0x1E, model::kActionDisabled, 0, 0);
  EXPECT_EQ(Apply(true), 1);
  std::vector<int> offsets;
  for (const auto& report : service.Sent())
    if (report[3] == 0x08) offsets.push_back(report[5] | (report[6] << 8));
  ASSERT_EQ(offsets.size(), 21u);
  EXPECT_EQ(offsets.front(), 0);
  EXPECT_EQ(offsets[7], 378);
  EXPECT_EQ(offsets[14], 756);
  EXPECT_EQ(keyboard.KeyMap(2)[19 * 3], 0x00);
}

TEST_F(KeyMapWriterTest, AnAreaThatCannotFitEvenWithoutNamesIsRefusedAndNothingIsSent) {
  AddMacro(u"AB", 1);  // 16 + 2 + 12 bytes without the name
  EXPECT_EQ(Apply(true, 29), 0);
  EXPECT_TRUE(service.Sent().empty());
  ASSERT_EQ(window.shown().size(), 1u);
  EXPECT_EQ(window.shown()[0].text, "Too long");
  EXPECT_TRUE(window.shown()[0].topmost);
}

TEST_F(KeyMapWriterTest, NamesThatDoNotFitAreLeftOutAndTheUserIsToldAfterwards) {
  AddMacro(u"AB", 1);
  EXPECT_EQ(Apply(false, 30), 1);
  const auto area = keyboard.MacroArea();
  EXPECT_EQ(area[2] | (area[3] << 8), 30);
  EXPECT_EQ(area[6], 0) << "no names";
  ASSERT_EQ(window.shown().size(), 1u);
  EXPECT_EQ(window.shown()[0].text, "No names");
  EXPECT_FALSE(service.Sent().empty());
}

TEST_F(KeyMapWriterTest, NoKnownActiveProfileWritesNothing) {
  for (int slot : {-1, 3, 7}) {
    EXPECT_EQ(Apply(false, 4096, slot), 0) << slot;
    EXPECT_TRUE(service.Sent().empty()) << slot;
  }
}

TEST_F(KeyMapWriterTest, AFailingKeyMapWriteIsAFailure) {
  keyboard.faults().errorStatusReplies = 1000;
  keyboard.faults().errorStatus = 0xFE;
  EXPECT_EQ(Apply(false), 0);
}

}  // namespace
