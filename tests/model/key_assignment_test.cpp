// What the key assignment dialog's Apply writes, and the rules of the macro
// list that every front end shares.
#include "model/key_assignment.h"

#include <gtest/gtest.h>

#include "tests/support/macro_lists.h"
#include "tests/support/recording_window.h"

namespace {

using model::KeyAction;

using testsupport::MacrosWithIds;

class KeyAssignmentTest : public ::testing::Test {
 protected:
  KeyAssignmentTest() {
    auto image = std::make_unique<model::ProfileImage>();
    image->ClearAreas();
    store.SetImage(std::move(image));
  }
  model::ConfigStore store;
  testsupport::RecordingWindow window;
};

TEST(MacroIdTest, TheLowestFreeIdIsReusedAndTheHundredFirstMacroIsRefused) {
  EXPECT_EQ(model::NextFreeMacroId({}), 1);
  EXPECT_EQ(model::NextFreeMacroId(MacrosWithIds({1, 2, 4, 3, 7})), 5);
  EXPECT_EQ(model::NextFreeMacroId(MacrosWithIds({2, 3})), 1);

  model::MacroList full;
  for (uint16_t id = 1; id <= 100; ++id) full.push_back(MacrosWithIds({id}).front());
  EXPECT_EQ(model::NextFreeMacroId(full), 0);
  EXPECT_FALSE(model::NewMacro(full, u"one too many"));
  // After a deletion the freed id comes back first.
  full.erase(full.begin() + 41);
  const auto reused = model::NewMacro(full, u"again");
  ASSERT_TRUE(reused);
  EXPECT_EQ(reused->Id(), 42);
}

TEST(MacroIdTest, ANewMacroIsEmptyNewAndPlaysOnce) {
  const std::u16string longName(300, u'x');
  const auto macro = model::NewMacro(MacrosWithIds({1}), longName);
  ASSERT_TRUE(macro);
  EXPECT_EQ(macro->Name(), std::u16string(249, u'x'));
  EXPECT_EQ(macro->RepeatCount(), 1);
  EXPECT_EQ(macro->NewFlag(), 1);
  EXPECT_EQ(macro->PlayMode(), 0);
  EXPECT_EQ(macro->Id(), 2);
  EXPECT_EQ(macro->ActionCount(), 0);
}

TEST(TypedValuesTest, RepeatCountsAreClampedTo1Through255) {
  const struct {
    int64_t typed;
    uint8_t count;
  } cases[] = {{0, 1}, {-5, 1}, {1, 1}, {37, 37}, {255, 255}, {256, 255}, {999, 255}};
  for (const auto& c : cases) EXPECT_EQ(model::ClampRepeatCount(c.typed), c.count) << c.typed;
}

TEST(TypedValuesTest, DelaysAreRoundedDownTo10MsAndLimitedTo40000) {
  const struct {
    int64_t typed;
    uint32_t milliseconds;
    bool tooLong;
  } cases[] = {{0, 0, false},         {9, 0, false},           {125, 120, false},
               {39999, 39990, false}, {40000, 40000, false},   {40001, 40000, true},
               {-1, 40000, true},     {1LL << 40, 40000, true}};
  for (const auto& c : cases) {
    const model::TypedDelay delay = model::RoundTypedDelay(c.typed);
    EXPECT_EQ(delay.milliseconds, c.milliseconds) << c.typed;
    EXPECT_EQ(delay.tooLong, c.tooLong) << c.typed;
  }
}

TEST_F(KeyAssignmentTest, EachKindIsWrittenWithThePreservedWordsAndTheTextSlotFreed) {
  const struct {
    int slot;
    model::Assignment assignment;
    KeyAction written;  // view flag and reserved word as set below
  } cases[] = {
      {0x1E, {model::kActionKey, 0x030, 1}, {2, 0, 0x030, 7, 9}},
      {0x1E, {model::kActionKey, 0x01E, 1}, {0, 0, 0, 7, 9}},  // itself: the default
      {0x1E, {model::kActionKey, 0, 1}, {0, 0, 0, 7, 9}},
      {0x1E, {model::kActionDisabled, 55, 1}, {1, 0, 0, 7, 9}},
      {0x1E, {model::kActionMedia, 6, 1}, {7, 0, 6, 7, 9}},
      {0x1E, {model::kActionFunction, 10, 1}, {8, 0, 10, 7, 9}},
      {0x1E, {model::kActionMacro, 3, 5}, {4, 5, 3, 7, 9}},
      {0x1E, {model::kActionLaunch, 1234, 1}, {3, 0, 0, 7, 9}},
      {0x1E, {model::kActionDefault, 0, 1}, {0, 0, 0, 7, 9}},
      {257, {model::kActionMedia, 1, 1}, {7, 0x0302, 1, 7, 9}},  // G2 keeps its id
      {266, {model::kActionDisabled, 0, 1}, {1, 0x1302, 0, 7, 9}},
      {257, {model::kActionMacro, 2, 4}, {4, 4, 2, 7, 9}},
  };
  for (const auto& c : cases) {
    store.image()->SetAction(2, c.slot, KeyAction{6, 1, 100, 7, 9});
    store.SetText(model::TextSlotOf(2, c.slot), u"some text");
    store.SetText(model::TextSlotOf(1, c.slot), u"other profile");
    model::WriteAssignment(store, 2, c.slot, c.assignment);
    EXPECT_EQ(store.ActionAt(2, c.slot), c.written) << c.slot << " type " << c.assignment.type;
    EXPECT_EQ(store.Text(model::TextSlotOf(2, c.slot)).bytes, 0u);
    EXPECT_EQ(store.Text(model::TextSlotOf(1, c.slot)).text, u"other profile");
  }
}

TEST_F(KeyAssignmentTest, InstallingAnEditedListRevertsKeysOfDeletedAndReusedIds) {
  model::MacroList old = MacrosWithIds({1, 2, 3});
  store.InstallMacroList(old);
  model::WriteAssignment(store, 0, 0x1E, {model::kActionMacro, 2, 1});
  model::WriteAssignment(store, 2, 0x1F, {model::kActionMacro, 3, 1});
  model::WriteAssignment(store, 1, 0x20, {model::kActionMacro, 1, 1});

  // Macro 3 deleted and a new macro taking its id; macro 2 deleted.
  model::MacroList edited = {old[0]};
  edited.push_back(*model::NewMacro(edited, u"new"));
  ASSERT_EQ(edited.back().Id(), 2);
  edited.push_back(*model::NewMacro(edited, u"newer"));
  ASSERT_EQ(edited.back().Id(), 3);
  model::InstallEditedMacroList(store, edited, window);

  EXPECT_EQ(store.ActionAt(0, 0x1E).type, model::kActionDefault);
  EXPECT_EQ(store.ActionAt(2, 0x1F).type, model::kActionDefault);
  EXPECT_EQ(store.ActionAt(1, 0x20), (KeyAction{4, 1, 1, 0, 0}));
  ASSERT_EQ(store.MacroCount(), 3);
  for (const model::MacroRecord& macro : store.Macros()) EXPECT_EQ(macro.NewFlag(), 0);
  EXPECT_TRUE(window.IsApplyPending());
}

}  // namespace
