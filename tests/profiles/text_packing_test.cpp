// Packing the texts of launch-program and text-block actions into one area.
#include "profiles/text_packing.h"

#include <gtest/gtest.h>

#include "profiles/profile_file.h"
#include "tests/profiles/profile_bytes.h"

namespace {

using model::kActionKey;
using model::kActionLaunch;
using model::kActionTextBlock;
using model::TextSlotOf;
using profiletest::Append;
using profiletest::Utf16z;

class TextPackingTest : public ::testing::Test {
 protected:
  TextPackingTest() { profiles::CreateEmptyImage(store, "", 0, true); }

  void Assign(int area, int entry, uint16_t type, uint32_t value, const std::u16string* text) {
    store.SetAction(area, entry, type, 0, value);
    if (text) store.SetText(TextSlotOf(area, entry), *text);
  }
  std::vector<uint8_t> Pack() {
    std::vector<uint8_t> area;
    EXPECT_TRUE(profiles::PackTexts(store, *store.image(), &area));
    return area;
  }
  uint32_t ValueAt(int area, int entry) { return store.ActionAt(area, entry).value; }

  model::ConfigStore store;
};

TEST_F(TextPackingTest, TextsGoInEntryOrderAndTheirOffsetsIntoTheImage) {
  const std::u16string path = u"path", block = u"AAA", x = u"x";
  // Assigned out of order; area 2 entry 0 is slot 1024, after area 0's.
  Assign(2, 0, kActionLaunch, 77, &path);
  Assign(0, 10, kActionTextBlock, 0, &block);
  Assign(0, 2, kActionLaunch, 0, &x);
  std::vector<uint8_t> expected = Utf16z(x);
  Append(expected, Utf16z(block));
  Append(expected, Utf16z(path));
  EXPECT_EQ(Pack(), expected);
  EXPECT_EQ(ValueAt(0, 2), 0u);
  EXPECT_EQ(ValueAt(0, 10), 4u);
  EXPECT_EQ(ValueAt(2, 0), 12u);
  EXPECT_EQ(store.TextBytes(), 22);
}

TEST_F(TextPackingTest, AStaleTextKeepsItsShareOfTheSizeButIsNotPacked) {
  const std::u16string stale = u"stale", kept = u"t";
  // Entry 7 was a launch key and became a plain key; its text slot stayed.
  Assign(0, 7, kActionLaunch, 0, &stale);
  Assign(0, 7, kActionKey, 0x1E, nullptr);
  Assign(0, 8, kActionLaunch, 40, &kept);
  std::vector<uint8_t> expected = Utf16z(kept);
  expected.resize(12 + 4, 0);
  EXPECT_EQ(Pack(), expected);
  EXPECT_EQ(ValueAt(0, 7), 0x1Eu);
  EXPECT_EQ(ValueAt(0, 8), 0u);
}

TEST_F(TextPackingTest, EntriesWithoutATextPointAtAnEmptyText) {
  // The key assignment dialog writes a launch key back with value 0 and frees
  // its text; offset 0 would hand it the first key's text.
  const std::u16string first = u"first";
  Assign(0, 1, kActionTextBlock, 0, &first);
  Assign(0, 5, kActionLaunch, 0, nullptr);
  const std::vector<uint8_t> area = Pack();
  ASSERT_EQ(ValueAt(0, 5), 10u);
  EXPECT_EQ(area[10], 0);
  EXPECT_EQ(area[11], 0);

  // With no text at all it points at the start of the (zero or empty) area.
  model::ConfigStore bare;
  profiles::CreateEmptyImage(bare, "", 0, true);
  bare.SetAction(1, 1, kActionLaunch, 0, 123);
  std::vector<uint8_t> none;
  ASSERT_TRUE(profiles::PackTexts(bare, *bare.image(), &none));
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(bare.ActionAt(1, 1).value, 0u);
}

}  // namespace
