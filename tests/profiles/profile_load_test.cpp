// Saving a store to bytes and loading it back, and loading damaged files
// without reading outside them.
#include <gtest/gtest.h>

#include <functional>

#include "profiles/profile_file.h"
#include "profiles/text_packing.h"
#include "tests/profiles/profile_bytes.h"

namespace {

using model::kActionLaunch;
using model::kActionTextBlock;
using model::TextSlotOf;
using profiletest::Append;
using profiletest::EntryAt;
using profiletest::HeaderOnlyFile;
using profiletest::PutU16;
using profiletest::PutU32;
using profiletest::Utf16z;

std::vector<uint8_t> Save(model::ConfigStore& store) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(profiles::SerializeProfile(store, &bytes));
  return bytes;
}

std::vector<uint8_t> ImageOf(const model::ConfigStore& store) {
  return {store.image()->bytes().begin(), store.image()->bytes().end()};
}

void ExpectSameTexts(const model::ConfigStore& a, const model::ConfigStore& b) {
  for (int slot = 0; slot < model::kTextSlots; ++slot) {
    EXPECT_EQ(a.Text(slot).text, b.Text(slot).text) << "slot " << slot;
    EXPECT_EQ(a.Text(slot).bytes, b.Text(slot).bytes) << "slot " << slot;
  }
  EXPECT_EQ(a.TextBytes(), b.TextBytes());
}

TEST(ProfileLoad, ASavedStoreLoadsBackWhole) {
  model::ConfigStore store;
  profiletest::FillStore(store);
  // A launch key whose text the key assignment dialog freed.
  store.SetAction(1, 9, kActionLaunch, 0, 0);
  const std::vector<uint8_t> bytes = Save(store);

  const std::size_t textSize = (17 + 1) * 2 + (9 + 1) * 2 + (1 + 1) * 2;
  ASSERT_EQ(bytes.size(), 32832 + 2 * 16512 + textSize);
  EXPECT_TRUE(profiles::IsValidProfileHeader(bytes));
  // The store's image now holds the header and offsets the file holds.
  EXPECT_TRUE(
      std::equal(store.image()->bytes().begin(), store.image()->bytes().end(), bytes.begin()));

  model::ConfigStore loaded;
  ASSERT_EQ(profiles::LoadProfileBytes(loaded, bytes), profiles::kProfileOk);
  EXPECT_EQ(ImageOf(loaded), ImageOf(store));
  EXPECT_EQ(loaded.Macros(), store.Macros());
  EXPECT_EQ(loaded.Macros()[1].Name(), u"Paste everything");
  ExpectSameTexts(loaded, store);
  EXPECT_EQ(loaded.Text(TextSlotOf(2, 257)).text, u"Grüße, 世界");
  EXPECT_EQ(loaded.Text(TextSlotOf(1, 9)).bytes, 0u);
}

TEST(ProfileLoad, SavingTwiceGivesTheSameBytes) {
  model::ConfigStore store;
  profiletest::FillStore(store);
  // A stale text: its entry is no longer a launch key.
  store.SetText(TextSlotOf(0, 5), u"old");
  const std::vector<uint8_t> first = Save(store);
  EXPECT_EQ(Save(store), first);

  // The stale text counts in the size but is not in the loaded store.
  model::ConfigStore loaded;
  ASSERT_EQ(profiles::LoadProfileBytes(loaded, first), profiles::kProfileOk);
  EXPECT_EQ(loaded.TextBytes() + 8, store.TextBytes());
  EXPECT_EQ(loaded.Text(TextSlotOf(0, 5)).bytes, 0u);
}

TEST(ProfileLoad, AnOddOffsetReadsFromTheEvenOffsetBelow) {
  std::vector<uint8_t> area = Utf16z(u"Z");
  Append(area, Utf16z(u"AB"));
  std::vector<uint8_t> bytes = HeaderOnlyFile(0, static_cast<uint32_t>(area.size()));
  Append(bytes, area);
  const struct {
    int entry;
    uint32_t value;
    std::u16string text;
  } cases[] = {{1, 1, u"Z"}, {2, 4, u"AB"}, {3, 5, u"AB"}, {4, 7, u"B"}};
  for (const auto& c : cases) {
    PutU16(bytes, EntryAt(0, c.entry), kActionTextBlock);
    PutU32(bytes, EntryAt(0, c.entry) + 4, c.value);
  }
  model::ConfigStore store;
  ASSERT_EQ(profiles::LoadProfileBytes(store, bytes), profiles::kProfileOk);
  for (const auto& c : cases) EXPECT_EQ(store.Text(c.entry).text, c.text) << c.value;
}

TEST(ProfileLoad, DamagedFilesLoadWhatIsInsideThem) {
  // Entry 1 of area 0 always has a good text at offset 0 when the area holds
  // one; entry 2 is the text the case damages.
  const std::vector<uint8_t> good = Utf16z(u"good");
  const auto launch = [](std::vector<uint8_t>& b, int entry, uint32_t value) {
    PutU16(b, EntryAt(0, entry), kActionLaunch);
    PutU32(b, EntryAt(0, entry) + 4, value);
  };
  const auto file = [&](uint16_t count, uint32_t textSize, int recordsPresent,
                        const std::vector<uint8_t>& area) {
    std::vector<uint8_t> b = HeaderOnlyFile(count, textSize);
    for (int m = 0; m < recordsPresent; ++m) {
      const model::MacroRecord record = profiletest::Macro(static_cast<uint16_t>(m + 1), u"m");
      b.insert(b.end(), record.bytes().begin(), record.bytes().end());
    }
    Append(b, area);
    launch(b, 1, 0);
    return b;
  };
  std::vector<uint8_t> unterminated = good;
  Append(unterminated, {'x', 0, 'y', 0});
  std::vector<uint8_t> tooLong = good;
  for (std::size_t i = 0; i <= profiles::kMaxTextCharacters; ++i) Append(tooLong, {'a', 0});
  Append(tooLong, {0, 0});

  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    int result;
    std::size_t macros;
    bool goodText;
    std::u16string damagedText;
  } cases[] = {
      {"offset at the end of the area",
       [&] {
         auto b = file(0, 10, 0, good);
         launch(b, 2, 10);
         return b;
       }(),
       profiles::kProfileOk, 0, true, u""},
      {"offset far outside",
       [&] {
         auto b = file(0, 10, 0, good);
         launch(b, 2, 0xFFFFFFFF);
         return b;
       }(),
       profiles::kProfileOk, 0, true, u""},
      {"no terminator in the area",
       [&] {
         auto b = file(0, 14, 0, unterminated);
         launch(b, 2, 10);
         return b;
       }(),
       profiles::kProfileFailed, 0, true, u""},
      {"a text longer than any key's",
       [&] {
         auto b = file(0, static_cast<uint32_t>(tooLong.size()), 0, tooLong);
         launch(b, 2, 10);
         return b;
       }(),
       profiles::kProfileFailed, 0, true, u""},
      {"more records than the file holds",
       [&] {
         auto b = file(3, 10, 1, {});
         b.resize(b.size() + 1000, 0x41);  // part of a second record
         return b;
       }(),
       profiles::kProfileFailed, 1, false, u""},
      {"more text than the file holds",
       [&] {
         auto b = file(0, 1000, 0, good);
         launch(b, 2, 500);
         return b;
       }(),
       profiles::kProfileFailed, 0, true, u""},
      {"more records than a reader accepts", file(101, 10, 101, good), profiles::kProfileFailed,
       100, true, u""},
  };
  for (const auto& c : cases) {
    model::ConfigStore store;
    EXPECT_EQ(profiles::LoadProfileBytes(store, c.bytes), c.result) << c.what;
    ASSERT_TRUE(store.image()) << c.what;
    EXPECT_TRUE(
        std::equal(store.image()->bytes().begin(), store.image()->bytes().end(), c.bytes.begin()))
        << c.what;
    EXPECT_EQ(store.MacroCount(), c.macros) << c.what;
    EXPECT_EQ(store.Text(1).text, c.goodText ? u"good" : u"") << c.what;
    EXPECT_EQ(store.Text(2).text, c.damagedText) << c.what;
    EXPECT_EQ(store.TextBytes(), c.goodText ? 10 : 0) << c.what;
  }
}

TEST(ProfileLoad, AFileShorterThanTheImageFillsAFreshOne) {
  const std::unique_ptr<model::ProfileImage> fresh = profiles::NewEmptyImage(0);
  std::vector<uint8_t> saved(fresh->bytes().begin(), fresh->bytes().end());
  PutU16(saved, EntryAt(0, 3), model::kActionDisabled);
  PutU16(saved, EntryAt(2, 3), model::kActionDisabled);
  for (const std::size_t size : {std::size_t{0}, std::size_t{20}, EntryAt(1, 0)}) {
    model::ConfigStore store;
    store.ReplaceMacros({profiletest::Macro(1, u"stale")});
    const std::vector<uint8_t> bytes(saved.begin(),
                                     saved.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_EQ(profiles::LoadProfileBytes(store, bytes), profiles::kProfileFailed);
    ASSERT_TRUE(store.image());
    // What was read, then the fresh image.
    EXPECT_EQ(store.ActionAt(0, 3).type, size > EntryAt(0, 3) ? model::kActionDisabled : 0);
    EXPECT_EQ(store.ActionAt(2, 3).type, 0);
    EXPECT_EQ(store.ActionAt(0, 256).extra, 0x0301);
    EXPECT_EQ(store.MacroCount(), 0);
  }
}

}  // namespace
