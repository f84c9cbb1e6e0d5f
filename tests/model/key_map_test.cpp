// Key-map encoding: what each action sends, and what a block read back from
// the keyboard turns into.
#include "model/key_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "model/button_table.h"
#include "model/key_table.h"
#include "sim/sim_keyboard.h"
#include "tests/support/macro_lists.h"

namespace {

using model::KeyAction;
using model::MapEntry;

model::KeyMapBlock SimulatorMatrix() {
  const sim::SimKeyboard keyboard;
  model::KeyMapBlock block;
  std::copy_n(keyboard.DefaultMatrix().begin(), block.size(), block.begin());
  return block;
}

TEST(KeyMapTest, EntriesNameTheirKeys) {
  const struct {
    MapEntry entry;
    model::KeyCode code;
  } cases[] = {
      {{1, 1, 0x01}, 0x171},  {{1, 1, 0x02}, 0x172}, {{1, 1, 0x04}, 0x173}, {{1, 1, 0x08}, 0},
      {{1, 5, 0x01}, 0x161},  {{1, 5, 0xFF}, 0x162}, {{1, 2, 0x01}, 0},     {{2, 2, 0x04}, 0x01E},
      {{2, 2, 0x48}, 0x045},  {{2, 1, 0x30}, 0x11D}, {{2, 1, 0x00}, 0},     {{2, 7, 0x02}, 0x02A},
      {{3, 0xE9, 0}, 0x130},  {{3, 0x23, 2}, 0x132}, {{3, 0x23, 1}, 0},     {{4, 0x81, 0}, 0x15E},
      {{4, 0x84, 0}, 0},      {{5, 0, 0}, 0},        {{5, 2, 2}, 0},        {{6, 0xA2, 1}, 0x200},
      {{6, 0xA2, 18}, 0x211}, {{6, 0xA2, 19}, 0},    {{6, 0xA2, 0}, 0},     {{6, 0xA1, 1}, 0},
      {{7, 2, 4}, 0},         {{0, 0, 0}, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(model::CodeOfEntry(c.entry), c.code)
        << int(c.entry.kind) << " " << int(c.entry.b1) << " " << int(c.entry.b2);
}

TEST(KeyMapTest, ActionsSendTheirEntries) {
  const MapEntry factory{2, 2, 0x04};
  const model::MacroList macros = testsupport::MacrosWithIds({7, 9, 12});
  const struct {
    KeyAction action;
    MapEntry expected;
  } cases[] = {
      {{0, 0, 0}, factory},
      {{3, 0, 1234}, factory},
      {{1, 0, 0}, {0, 0, 0}},
      {{6, 0, 40}, {0, 0, 0}},
      {{2, 0, 0x02A}, {2, 1, 0x02}},  // left Shift
      {{2, 0, 0x15C}, {2, 1, 0x80}},  // right Win
      {{2, 0, 0x136}, {2, 2, 0xE5}},  // the second right Shift row is a plain key
      {{2, 0, 0x130}, {2, 2, 0xC0}},  // volume up as a key
      {{2, 0, 0x171}, {1, 1, 0x01}},  // left button
      {{2, 0, 0x162}, {1, 5, 0xFF}},  // wheel down
      {{2, 0, 0x15E}, {2, 2, 0x00}},  // Power has no keyboard usage
      {{2, 0, 0x01E}, {2, 2, 0x04}},
      {{7, 0, 6}, {3, 0xE9, 0x00}},  // volume up as a multimedia
                                     // function
      {{7, 0, 8}, {3, 0x23, 0x02}},
      {{7, 0, 18}, factory},    // no such multimedia function
      {{4, 0, 12}, {5, 1, 2}},  // the third macro
      {{4, 0, 99}, {5, 1, 0}},  // a vanished macro plays the first
      {{5, 0, 0}, {5, 2, 0}},
      {{8, 0, 260}, {5, 5, 4}},
      {{9, 0, 1}, factory},
  };
  for (const auto& c : cases)
    EXPECT_EQ(model::EntryOfAction(c.action, factory, macros), c.expected)
        << "type " << c.action.type << " value " << c.action.value;
}

TEST(KeyMapTest, ABlockEqualToTheDefaultDecodesToDefaultsWithTheGIds) {
  const model::KeyMapBlock matrix = SimulatorMatrix();
  model::ProfileImage image;
  image.SetAction(1, 0x1E, KeyAction{2, 0, 0x30, 0, 0});
  model::DecodeKeyMap(matrix, matrix, image, 1);
  for (int entry = 0; entry < model::kEntriesPerArea; ++entry) {
    const KeyAction action = image.ActionAt(1, entry);
    EXPECT_EQ(action.type, 0) << entry;
    const bool gEntry = entry >= 256 && entry < 274;
    EXPECT_EQ(action.extra, gEntry ? model::GKeyId(entry - 256) : 0) << entry;
  }
}

TEST(KeyMapTest, EncodingThenDecodingGivesBackWhatTheKeyboardKeeps) {
  const model::KeyMapBlock matrix = SimulatorMatrix();
  const model::MacroList macros = testsupport::MacrosWithIds({4, 5, 6});
  model::ProfileImage image;
  image.ClearAreas();
  const struct {
    model::KeyCode key;
    KeyAction action;
    KeyAction back;
  } cases[] = {
      {0x01E, {1, 0, 0}, {1, 0, 0}},
      {0x030, {2, 0, 0x02A}, {2, 0, 0x02A}},
      {0x02E, {2, 0, 0x172}, {2, 0, 0x172}},
      {0x02F, {2, 0, 0x161}, {2, 0, 0x161}},
      {0x031, {2, 0, 0x01F}, {2, 0, 0x01F}},
      {0x032, {3, 0, 64}, {0, 0, 0}},  // the keyboard keeps no texts
      {0x03B, {4, 1, 5}, {4, 0, 2}},   // macro id comes back as slot + 1
      {0x03C, {5, 0, 0}, {5, 0, 0}},
      {0x03D, {6, 0, 8}, {1, 0, 0}},
      {0x03E, {7, 0, 3}, {7, 0, 3}},
      {0x03F, {8, 0, 10}, {8, 0, 10}},
      {0x200, {7, 0x0301, 0}, {7, 0x0301, 0}},  // G1 keeps its id
      {0x14B, {2, 0, 0x15C}, {2, 0, 0x15C}},
  };
  for (const auto& c : cases) image.SetAction(2, model::SlotOfCode(c.key), c.action);
  const model::KeyMapBlock block = model::EncodeKeyMap(image, 2, matrix, macros);
  EXPECT_EQ(model::EntryAt(block, 53), model::EntryAt(matrix, 53)) << "the Fn position";
  for (int k = 0; k < 6; ++k) EXPECT_EQ(model::EntryAt(block, k), model::EntryAt(matrix, k));

  model::ProfileImage back;
  model::DecodeKeyMap(block, matrix, back, 0);
  for (const auto& c : cases) {
    const KeyAction got = back.ActionAt(0, model::SlotOfCode(c.key));
    EXPECT_EQ(got.type, c.back.type) << std::hex << c.key;
    EXPECT_EQ(got.value, c.back.value) << std::hex << c.key;
  }
}

TEST(KeyMapTest, EntriesThatAreNotKeysDecodeAsDisabled) {
  const model::KeyMapBlock matrix = model::BuiltInDefaultMatrix();
  model::KeyMapBlock block = matrix;
  model::SetEntryAt(block, 19, {0, 0, 0});     // A: nothing
  model::SetEntryAt(block, 27, {1, 1, 0x08});  // S: no such mouse button
  model::SetEntryAt(block, 35, {3, 0x23, 1});  // D: no such multimedia function
  model::SetEntryAt(block, 0, {2, 2, 0x04});   // a position that names no key
  model::ProfileImage image;
  model::DecodeKeyMap(block, matrix, image, 0);
  EXPECT_EQ(image.ActionAt(0, 0x1E).type, 1);
  EXPECT_EQ(image.ActionAt(0, 0x1F).type, 1);
  EXPECT_EQ(image.ActionAt(0, 0x20).type, 1);
  int changed = 0;
  for (int e = 0; e < model::kEntriesPerArea; ++e) changed += image.ActionAt(0, e).type != 0;
  EXPECT_EQ(changed, 3);
}

TEST(KeyMapTest, TheSimulatedKeyboardsMapHoldsEveryButtonAndTheGKeysOnce) {
  const model::KeyMapBlock matrix = SimulatorMatrix();
  std::multiset<model::KeyCode> codes;
  for (int k = 0; k < model::kMapEntries; ++k)
    codes.insert(model::CodeOfEntry(model::EntryAt(matrix, k)));
  for (const model::KeyButton& button : model::KeyButtons())
    EXPECT_EQ(codes.count(button.code), 1u) << std::hex << button.code;
  for (model::KeyCode g = 0x200; g < 0x200 + 14; ++g)
    EXPECT_EQ(codes.count(g), 1u) << std::hex << g;
  // Every built-in default position says the same as the keyboard.
  for (int k = 0; k < 64; ++k) {
    if (model::EntryAt(model::BuiltInDefaultMatrix(), k) != MapEntry{}) {
      EXPECT_EQ(model::EntryAt(matrix, k), model::EntryAt(model::BuiltInDefaultMatrix(), k)) << k;
    }
  }
}

}  // namespace
