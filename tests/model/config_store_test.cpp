// The configuration store: actions, texts, and the rules that keep macro
// keys pointing at the right macro.
#include "model/config_store.h"

#include <gtest/gtest.h>

#include "model/button_table.h"
#include "model/key_map.h"
#include "model/key_table.h"
#include "tests/support/recording_window.h"

namespace {

using model::KeyAction;

model::MacroRecord Macro(uint16_t id, uint16_t newFlag = 0) {
  model::MacroRecord record;
  record.SetId(id);
  record.SetNewFlag(newFlag);
  return record;
}

class ConfigStoreTest : public ::testing::Test {
 protected:
  ConfigStoreTest() {
    auto image = std::make_unique<model::ProfileImage>();
    image->ClearAreas();
    store.SetImage(std::move(image));
  }
  model::ConfigStore store;
  testsupport::RecordingWindow window;
};

TEST_F(ConfigStoreTest, SetActionKeepsTheViewFlagAndTheReservedWord) {
  store.image()->SetAction(1, 0x1E, KeyAction{2, 0, 0x30, 0xAABBCCDD, 0x11223344});
  store.SetAction(1, 0x1E, 7, 3, 6);
  EXPECT_EQ(store.ActionAt(1, 0x1E), (KeyAction{7, 3, 6, 0xAABBCCDD, 0x11223344}));
}

TEST_F(ConfigStoreTest, AreasAndEntriesFromOutsideNeverReachPastTheImage) {
  const std::array<uint8_t, model::kProfileImageSize> before = [&] {
    std::array<uint8_t, model::kProfileImageSize> copy;
    std::copy(store.image()->bytes().begin(), store.image()->bytes().end(), copy.begin());
    return copy;
  }();
  for (int area : {-1, 4, 1000, -70000}) {
    store.SetAction(area, 1, 2, 0, 5);
    EXPECT_EQ(store.ActionAt(area, 1), KeyAction{});
    store.ResetArea(area);
  }
  for (int entry : {-1, 512, 100000}) store.SetAction(0, entry, 2, 0, 5);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), store.image()->bytes().begin()));
  store.Empty();
  EXPECT_EQ(store.ActionAt(0, 1), KeyAction{}) << "no image: everything reads empty";
  store.SetAction(0, 1, 2, 0, 5);
}

TEST_F(ConfigStoreTest, TextSlotsKeepTheirSizesInTheTotal) {
  store.SetText(model::TextSlotOf(2, 0x10), u"notepad");
  store.SetText(5, u"ab");
  EXPECT_EQ(store.TextBytes(), 16 + 6);
  EXPECT_EQ(store.Text(2 * 512 + 0x10).bytes, 16u);
  store.SetText(5, u"abcd");
  EXPECT_EQ(store.TextBytes(), 16 + 10);
  store.ClearText(model::TextSlotOf(2, 0x10));
  EXPECT_EQ(store.TextBytes(), 10);
  EXPECT_EQ(store.Text(2 * 512 + 0x10).bytes, 0u);
  store.SetText(-1, u"x");
  store.SetText(2048, u"x");
  EXPECT_EQ(store.TextBytes(), 10);
  store.Empty();
  EXPECT_EQ(store.TextBytes(), 0);
}

TEST_F(ConfigStoreTest, MacroLookupsByIdAndPosition) {
  store.ReplaceMacros({Macro(4), Macro(9), Macro(4)});
  EXPECT_EQ(store.MacroSlotOfId(9), 1);
  EXPECT_EQ(store.MacroSlotOfId(4), 0);
  EXPECT_EQ(store.MacroSlotOfId(77), 0);
  EXPECT_EQ(store.MacroIdAtPosition(1), 9);
  EXPECT_EQ(store.MacroIdAtPosition(3), 0);
  EXPECT_EQ(store.MacroIdAtPosition(-1), 0);
}

TEST_F(ConfigStoreTest, AMacroIsReferencedByAnyMacroKeyButNeverWhileNew) {
  store.SetAction(3, 0x20, model::kActionMacro, 0, 9);
  EXPECT_TRUE(store.MacroIsReferenced(Macro(9)));
  EXPECT_FALSE(store.MacroIsReferenced(Macro(9, 1)));
  EXPECT_FALSE(store.MacroIsReferenced(Macro(8)));
}

TEST_F(ConfigStoreTest, KeysOfADeletedMacroRevertEvenWhenANewMacroTakesItsId) {
  store.ReplaceMacros({Macro(1), Macro(2), Macro(3)});
  store.SetAction(0, 0x1E, model::kActionMacro, 1, 3);
  store.SetAction(2, 0x200 - 0x100, model::kActionMacro, 0, 3);
  store.SetAction(1, 0x30, model::kActionMacro, 0, 2);
  // Macro 3 was deleted and a new macro got id 3.
  const model::MacroList edited = {Macro(1), Macro(2), Macro(3, 1)};
  store.CheckMacroReferences(edited, window);
  EXPECT_EQ(store.ActionAt(0, 0x1E).type, model::kActionDefault);
  EXPECT_EQ(store.ActionAt(2, 256).type, model::kActionDefault);
  EXPECT_EQ(store.ActionAt(1, 0x30).type, model::kActionMacro);
  EXPECT_EQ(window.refreshed(), (std::vector<std::pair<int, int>>{{0, 0x1E}, {2, 256}}));
  EXPECT_TRUE(window.applyPending());

  store.InstallMacroList(edited);
  for (const auto& record : store.Macros()) EXPECT_EQ(record.NewFlag(), 0);
}

TEST_F(ConfigStoreTest, MacroKeysWithoutAMacroGetTheFirstOne) {
  store.SetAction(0, 0x1E, model::kActionMacro, 0, 0);
  store.CheckMacroReferences({}, window);
  EXPECT_EQ(store.ActionAt(0, 0x1E).value, 0u) << "an empty list leaves it";
  EXPECT_FALSE(window.applyPending());
  store.CheckMacroReferences({Macro(6), Macro(2)}, window);
  EXPECT_EQ(store.ActionAt(0, 0x1E).value, 6u);
  EXPECT_TRUE(window.applyPending());
}

TEST_F(ConfigStoreTest, ReorderingMacrosChangesTheirSlotsButNoKey) {
  store.ReplaceMacros({Macro(1), Macro(2), Macro(3)});
  store.SetAction(0, 0x1E, model::kActionMacro, 0, 3);
  const model::KeyMapBlock& matrix = model::BuiltInDefaultMatrix();
  EXPECT_EQ(model::EntryAt(model::EncodeKeyMap(*store.image(), 0, matrix, store.Macros()), 19),
            (model::MapEntry{5, 1, 2}));
  store.ReplaceMacros({Macro(3), Macro(1), Macro(2)});
  EXPECT_EQ(store.ActionAt(0, 0x1E).value, 3u);
  EXPECT_EQ(model::EntryAt(model::EncodeKeyMap(*store.image(), 0, matrix, store.Macros()), 19),
            (model::MapEntry{5, 1, 0}));
}

TEST_F(ConfigStoreTest, RestoringDefaultsClearsTheKeysAndTheShownGBankOfTheActiveProfile) {
  for (int area = 0; area < 3; ++area)
    for (int entry = 0; entry < 274; ++entry) store.SetAction(area, entry, 1, 0, 0);
  store.ResetActiveProfileKeys(1, 1, window);
  for (const model::KeyButton& button : model::KeyButtons())
    EXPECT_EQ(store.ActionAt(1, model::SlotOfCode(button.code)), KeyAction{});
  EXPECT_EQ(store.ActionAt(1, 256).type, 1) << "bank A is not shown";
  EXPECT_EQ(store.ActionAt(1, 265), KeyAction{});
  EXPECT_EQ(store.ActionAt(1, 273), KeyAction{});
  EXPECT_EQ(store.ActionAt(0, 0x1E).type, 1);
  EXPECT_EQ(store.ActionAt(2, 0x1E).type, 1);
  EXPECT_EQ(window.refreshed().size(), 105u + 9u);
  EXPECT_TRUE(window.applyPending());

  testsupport::RecordingWindow untouched;
  store.ResetActiveProfileKeys(-1, 0, untouched);
  store.ResetActiveProfileKeys(3, 0, untouched);
  EXPECT_TRUE(untouched.refreshed().empty());
  EXPECT_FALSE(untouched.applyPending());
}

}  // namespace
