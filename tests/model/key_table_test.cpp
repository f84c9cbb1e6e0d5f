// The key tables' conversions: slots, list positions, usages, modifier bits,
// virtual-key codes and keyboard-hook events.
#include "model/key_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using model::KeyCode;
using model::UsageRef;

// Every code that has a row of the key table.
std::vector<KeyCode> CodesWithRows() {
  std::vector<KeyCode> codes;
  for (model::KeySlot slot = 0; slot < model::kKeyTableRows; ++slot) {
    if (model::KeyRowOf(slot).listPos != model::kNoListPos)
      codes.push_back(model::CodeOfSlot(slot));
  }
  return codes;
}

TEST(KeySlotTest, SlotFormulasAndTheirInverse) {
  struct Case {
    KeyCode code;
    model::KeySlot slot;
  };
  const Case cases[] = {
      {0x000, 0},    {0x001, 1},   {0x07F, 0x7F}, {0x100, 0x80}, {0x145, 0xC5},
      {0x17F, 0xFF}, {0x200, 256}, {0x211, 273},  {0x2FF, 511},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(model::SlotOfCode(c.code), c.slot) << std::hex << c.code;
    EXPECT_EQ(model::CodeOfSlot(c.slot), c.code) << std::hex << c.code;
  }
}

TEST(KeySlotTest, EverySlotIndexesAProfileArea) {
  for (uint32_t code = 0; code <= 0xFFFF; ++code) {
    ASSERT_LT(model::SlotOfCode(static_cast<KeyCode>(code)), model::kSlotCount) << code;
  }
  EXPECT_EQ(model::CodeOfSlot(512), model::kNoKey);
  EXPECT_EQ(model::CodeOfSlot(0xFFFF), model::kNoKey);
}

TEST(KeySlotTest, CodesWithRowsRoundTripThroughTheirSlots) {
  const std::vector<KeyCode> codes = CodesWithRows();
  ASSERT_EQ(codes.size(), 157u);
  for (KeyCode code : codes) {
    EXPECT_EQ(model::CodeOfSlot(model::SlotOfCode(code)), code) << std::hex << code;
  }
  for (KeyCode g = model::kFirstGKey; g <= model::kLastGKey; ++g) {
    EXPECT_EQ(model::CodeOfSlot(model::SlotOfCode(g)), g) << std::hex << g;
  }
}

// 0x0C7 and 0x1C7 fall on the slot of Home (0x147) and 0x19C on Enter's;
// they must not pass for those keys.
TEST(KeySlotTest, CodesSharingASlotOrBeyondTheTableHaveNoRow) {
  for (KeyCode code : {0x0C7, 0x1C7, 0x19C, 0x200, 0x211, 0x300, 0x055}) {
    const model::KeyRow& row = model::KeyRowOfCode(code);
    EXPECT_EQ(row.vk, 0) << std::hex << code;
    EXPECT_EQ(row.listPos, model::kNoListPos) << std::hex << code;
    EXPECT_EQ(row.languageKey, nullptr) << std::hex << code;
    EXPECT_EQ(model::ListPosOfCode(code), model::kNoListPos) << std::hex << code;
    EXPECT_EQ(model::UsageOfCode(code), (UsageRef{0, 0})) << std::hex << code;
  }
  EXPECT_EQ(model::KeyRowOf(256).listPos, model::kNoListPos);
  EXPECT_EQ(model::KeyRowOf(0xFFFF).listPos, model::kNoListPos);
}

TEST(KeyListPosTest, PositionsRoundTripAndFirstRowWins) {
  for (int pos = 0; pos <= model::kLastMouseListPos; ++pos) {
    if (pos == model::kListedKeyCount) continue;
    const KeyCode code = model::CodeOfListPos(static_cast<model::KeyListPos>(pos));
    EXPECT_NE(code, model::kNoKey) << pos;
    EXPECT_EQ(model::ListPosOfCode(code), pos) << pos;
  }
  struct Case {
    model::KeyListPos pos;
    KeyCode code;
  };
  const Case cases[] = {
      {0, 0x01E},      {36, 0x01C},     {65, 0x045},  {66, 0x146},  {103, 0x036},
      {105, 0x15C},    {106, 0},        {107, 0x171}, {111, 0x162}, {112, 0},
      {0x8001, 0x15E}, {0x802D, 0x064}, {0x802E, 0},  {0xFFFF, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(model::CodeOfListPos(c.pos), c.code) << c.pos;
}

TEST(KeyListPosTest, EveryListedKeyHasANameKey) {
  for (model::KeyListPos pos = 0; pos < model::kListedKeyCount; ++pos) {
    const KeyCode code = model::CodeOfListPos(pos);
    ASSERT_NE(code, model::kNoKey) << pos;
    EXPECT_NE(model::KeyRowOfCode(code).languageKey, nullptr) << pos;
  }
}

TEST(KeyUsageTest, UsageOfCodeByKind) {
  struct Case {
    KeyCode code;
    UsageRef usage;
  };
  const Case cases[] = {
      {0x130, {7, 0xC0}}, {0x15E, {1, 0x81}}, {0x163, {1, 0x83}}, {0x171, {2, 0xF1}},
      {0x162, {2, 0xF5}}, {0x176, {0, 0}},    {0x054, {0, 0}},    {0x01E, {7, 0x04}},
      {0x136, {7, 0xE5}}, {0x174, {7, 0xD2}}, {0x000, {0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(model::UsageOfCode(c.code), c.usage) << std::hex << c.code;
}

TEST(KeyUsageTest, CodeOfUsageByKind) {
  struct Case {
    UsageRef usage;
    KeyCode code;
  };
  const Case cases[] = {
      {{12, 0xE9}, 0x130}, {{12, 0xB5}, 0x119}, {{12, 0x123}, 0},   {{12, 0}, 0},
      {{1, 0x81}, 0x15E},  {{1, 0x83}, 0x163},  {{1, 0x84}, 0},     {{1, 0x04}, 0},
      {{7, 0x48}, 0x045},  {{7, 0xE5}, 0x036},  {{7, 0xD2}, 0x174}, {{7, 0x00}, 0},
      {{7, 0x148}, 0},     {{7, 0x81}, 0x15E},  {{2, 0xF1}, 0},     {{3, 0x04}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(model::CodeOfUsage(c.usage), c.code) << int{c.usage.kind} << " " << c.usage.value;
  }
}

// Apart from the second Right Shift row and Break, which share their bytes
// with earlier rows, every key's usage leads back to the key.
TEST(KeyUsageTest, EveryUsageLeadsBackToItsKey) {
  for (KeyCode code : CodesWithRows()) {
    const UsageRef usage = model::UsageOfCode(code);
    if (usage.kind != model::kUsageKindKeyboard && usage.kind != model::kUsageKindSystem) continue;
    const KeyCode expected = code == 0x136 ? 0x036 : code == 0x146 ? 0x045 : code;
    EXPECT_EQ(model::CodeOfUsage(usage), expected) << std::hex << code;
  }
}

TEST(ModifierTest, MaskBitsAndCodesAgree) {
  for (int i = 0; i < 8; ++i) {
    const auto bit = static_cast<uint8_t>(1u << i);
    const KeyCode code = model::CodeOfModifierMask(bit);
    EXPECT_EQ(model::ModifierBitOfCode(code), bit) << i;
    // The boot-keyboard modifier bits follow the HID usages 0xE0..0xE7.
    EXPECT_EQ(model::UsageOfCode(code), (UsageRef{7, static_cast<uint16_t>(0xE0 + i)})) << i;
  }
  EXPECT_EQ(model::CodeOfModifierMask(0x30), 0x11D);
  EXPECT_EQ(model::CodeOfModifierMask(0xFF), 0x01D);
  EXPECT_EQ(model::CodeOfModifierMask(0x80), 0x15C);
  EXPECT_EQ(model::CodeOfModifierMask(0), 0);
  for (KeyCode code : {0x000, 0x136, 0x01C, 0x15D}) {
    EXPECT_EQ(model::ModifierBitOfCode(code), 0) << std::hex << code;
  }
}

TEST(VirtualKeyTest, CodeOfVk) {
  struct Case {
    uint32_t vk;
    KeyCode code;
  };
  const Case cases[] = {
      // Shared and generic VKs.
      {0x10, 0x02A},
      {0x11, 0x01D},
      {0x12, 0x038},
      {0x0D, 0x01C},
      {0x2C, 0x137},
      {0xA1, 0x036},
      // Ordinary rows; the navigation block owns its VKs, not the numeric pad.
      {0x41, 0x01E},
      {0x24, 0x147},
      {0x2D, 0x152},
      {0x90, 0x145},
      {0x03, 0x146},
      {0x7C, 0x064},
      {0xE2, 0x056},
      {0xAF, 0x130},
      // VKs that name no key of their own.
      {0x00, 0},
      {0x01, 0},
      {0x02, 0},
      {0x04, 0},
      {0x88, 0},
      {0x8C, 0},
      {0x97, 0},
      {0x9F, 0},
      {0xFF, 0},
      {0x0C, 0},
      {0x07, 0},
      {0x141, 0},
      {0xFFFFFFFF, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(model::CodeOfVk(c.vk), c.code) << std::hex << c.vk;
}

uint32_t KeyData(uint32_t scan, bool extended, uint32_t otherBits = 1) {
  return (scan << 16) | (extended ? 1u << 24 : 0) | otherBits;
}

TEST(VirtualKeyTest, CodeOfHookKey) {
  struct Case {
    const char* what;
    uint32_t vk;
    uint32_t keyData;
    KeyCode code;
  };
  const Case cases[] = {
      {"Num Enter", 0x0D, KeyData(0x1C, true), 0x11C},
      {"Enter", 0x0D, KeyData(0x1C, false), 0x01C},
      {"Num Enter released", 0x0D, KeyData(0x1C, true, 0xC0000001), 0x11C},
      {"right Shift, generic VK", 0x10, KeyData(0x36, false), 0x036},
      {"right Shift", 0xA1, KeyData(0x36, false), 0x036},
      {"left Shift, generic VK", 0x10, KeyData(0x2A, false), 0x02A},
      {"right Ctrl, generic VK", 0x11, KeyData(0x1D, true), 0x11D},
      {"right Alt, generic VK", 0x12, KeyData(0x38, true), 0x138},
      {"Num 7, Num Lock off", 0x24, KeyData(0x47, false), 0x047},
      {"Home", 0x24, KeyData(0x47, true), 0x147},
      {"Num 0, Num Lock off", 0x2D, KeyData(0x52, false), 0x052},
      {"Num 5, Num Lock off", 0x0C, KeyData(0x4C, false), 0x04C},
      {"Num 7", 0x67, KeyData(0x47, false), 0x047},
      {"Pause", 0x13, KeyData(0x45, false), 0x045},
      {"Num Lock", 0x90, KeyData(0x45, true), 0x145},
      {"Print Screen", 0x2C, KeyData(0x37, true), 0x137},
      {"Sys Req", 0x2C, KeyData(0x54, false), 0x054},
      {"ROMA by scan code", 0xFF, KeyData(0x70, false), 0x070},
      {"Power by scan code", 0xFF, KeyData(0x5E, true), 0x15E},
      {"Wake by scan code", 0xFF, KeyData(0x63, true), 0x163},
      {"no scan code", 0x41, KeyData(0x00, false), 0x01E},
      {"scan code of another key", 0x41, KeyData(0x30, false), 0x01E},
      {"unknown VK and scan code", 0x07, KeyData(0x55, false), 0},
      {"VK 0 on a key without a row", 0x00, KeyData(0x55, false), 0},
      // Scan bytes from 0x80 fall on slots of E0 keys and must not pass for them.
      {"scan byte 0xC7", 0x24, KeyData(0xC7, false), 0x147},
      {"scan byte 0xC7, VK 0xFF", 0xFF, KeyData(0xC7, false), 0},
      {"scan byte 0x9C, extended", 0x0D, KeyData(0x9C, true), 0x01C},
  };
  for (const Case& c : cases) EXPECT_EQ(model::CodeOfHookKey(c.vk, c.keyData), c.code) << c.what;
}

TEST(MediaTableTest, ConsumerListMediaTableAndKeyTableAgree) {
  const auto& media = model::MediaTable();
  const auto& usages = model::ConsumerUsages();
  for (int i = 0; i < model::kMediaCount; ++i) {
    const model::MediaRow& row = media[i];
    SCOPED_TRACE(row.languageKey);
    int position = -1;
    for (int p = 0; p < model::kMediaCount; ++p) {
      if (usages[p] == row.consumerUsage) position = p;
    }
    ASSERT_GE(position, 0);
    EXPECT_EQ(row.usage, 0xC0 + position);
    const model::KeyRow& key = model::KeyRowOfCode(row.code);
    EXPECT_EQ(key.usage, row.usage);
    EXPECT_STREQ(key.languageKey, row.languageKey);
    EXPECT_EQ(model::UsageOfCode(row.code), (UsageRef{7, row.usage}));
    EXPECT_EQ(model::CodeOfUsage({model::kUsageKindConsumer, row.consumerUsage}), row.code);
    EXPECT_EQ(model::MediaIndexOfCode(row.code), i);
    EXPECT_EQ(model::MediaIndexOfConsumerUsage(row.consumerUsage), i);
  }
  for (KeyCode code : {0x000, 0x01E, 0x174, 0x200}) {
    EXPECT_EQ(model::MediaIndexOfCode(code), -1) << std::hex << code;
  }
  for (uint16_t usage : {0x000, 0x123, 0x0E8}) {
    EXPECT_EQ(model::MediaIndexOfConsumerUsage(usage), -1) << std::hex << usage;
  }
}

}  // namespace
