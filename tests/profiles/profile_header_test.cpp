// The header and device record of a fresh image, and which headers a reader
// accepts.
#include <gtest/gtest.h>

#include <functional>

#include "profiles/profile_file.h"
#include "tests/profiles/profile_bytes.h"

namespace {

using profiletest::HeaderOnlyFile;
using profiletest::PutU16;
using profiletest::PutU32;
using profiletest::Resum;

TEST(ProfileHeader, AFreshImageStartsWithTheHeaderAndDeviceRecord) {
  const std::vector<uint8_t> expected = {
      0x46, 0x44, 0x20, 0x00, 0x03, 0x00, 0x01, 0x00, 0x40, 0x80, 0x00,
      0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x76,  // header
      0x4B, 0x48, 0x20, 0x00, 0x20, 0x80, 0x00, 0x00, 0x04, 0x00, 0x00,
      0x02, 0x00, 0x00, 0x00, 0x00, 0x45, 0x0C, 0x04, 0x50, 0x4F, 0x1C,
      0x0E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};  // device record
  const std::unique_ptr<model::ProfileImage> image = profiles::NewEmptyImage(0);
  ASSERT_TRUE(image);
  EXPECT_EQ(std::vector<uint8_t>(image->bytes().begin(), image->bytes().begin() + 64), expected);

  // Only area 0 carries the G ids; everything else is zero.
  model::ProfileImage areas;
  areas.ClearAreas();
  EXPECT_TRUE(
      std::equal(image->bytes().begin() + 64, image->bytes().end(), areas.bytes().begin() + 64));
  EXPECT_EQ(image->ActionAt(0, 256).extra, 0x0301);
  EXPECT_EQ(image->ActionAt(0, 273).extra, 0x1309);
  EXPECT_EQ(image->ActionAt(1, 256).extra, 0);

  // The store gets the same image, and the flag goes into byte 30 with its sum.
  model::ConfigStore store;
  ASSERT_EQ(profiles::CreateEmptyImage(store, "", 1, true), profiles::kProfileOk);
  ASSERT_TRUE(store.image());
  EXPECT_EQ(store.image()->bytes()[30], 1);
  EXPECT_EQ(store.image()->bytes()[31], 0x77);
  EXPECT_TRUE(std::equal(image->bytes().begin() + 32, image->bytes().end(),
                         store.image()->bytes().begin() + 32));
}

TEST(ProfileHeader, BuildFileHeaderNamesTheRecordsAndTexts) {
  model::ProfileImage image;
  image.bytes()[20] = 0xAA;  // stale bytes are cleared
  profiles::BuildFileHeader(image, 2, 10, 0);
  const std::vector<uint8_t> bytes(image.bytes().begin(), image.bytes().begin() + 32);
  std::vector<uint8_t> expected = HeaderOnlyFile(2, 10);
  expected.resize(32);
  EXPECT_EQ(bytes, expected);
  const auto header = profiles::ParseProfileHeader(bytes);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->fileSize, 2u * 16512 + 10 + 32832);
  EXPECT_EQ(header->macroCount, 2);
  EXPECT_EQ(header->textSize, 10u);
  EXPECT_TRUE(profiles::IsValidProfileHeader(bytes));
}

TEST(ProfileHeader, AReaderAcceptsOnlyConsistentHeaders) {
  using Edit = std::function<void(std::vector<uint8_t>&)>;
  const struct {
    const char* what;
    Edit edit;
    bool valid;
  } cases[] = {
      {"image only, no macros or texts", [](auto&) {}, true},
      {"100 macros", [](auto& b) { b = HeaderOnlyFile(100, 6); }, true},
      {"101 macros", [](auto& b) { b = HeaderOnlyFile(101, 6); }, false},
      {"flag 1", [](auto& b) { b = HeaderOnlyFile(0, 0, 1); }, true},
      {"flag 2", [](auto& b) { b = HeaderOnlyFile(0, 0, 2); }, false},
      {"magic", [](auto& b) { PutU16(b, 0, 0x4644); }, false},
      {"header size", [](auto& b) { PutU16(b, 2, 33); }, false},
      {"constant 3", [](auto& b) { PutU16(b, 4, 4); }, false},
      {"constant 1", [](auto& b) { PutU16(b, 6, 0); }, false},
      {"entry count", [](auto& b) { PutU16(b, 12, 2047); }, false},
      {"file size one more", [](auto& b) { PutU32(b, 8, 32833); }, false},
      {"file size below the image",
       [](auto& b) {
         PutU32(b, 8, 100);
         PutU32(b, 16, 0);
       },
       false},
      {"text size without file size", [](auto& b) { PutU32(b, 16, 2); }, false},
      // count × 16512 + text size + 32832 wraps to 32832 in 32 bits.
      {"wrapping text size",
       [](auto& b) {
         PutU16(b, 14, 1);
         PutU32(b, 16, 0xFFFFFFFFu - 16512 + 1);
       },
       false},
      // Bytes 20..29 are written zero but not examined.
      {"reserved bytes", [](auto& b) { b[20] = b[29] = 0x5A; }, true},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> bytes = HeaderOnlyFile(0, 0);
    c.edit(bytes);
    Resum(bytes);
    EXPECT_EQ(profiles::IsValidProfileHeader(bytes), c.valid) << c.what;
  }
  EXPECT_FALSE(profiles::IsValidProfileHeader(std::vector<uint8_t>(31, 0)));
}

TEST(ProfileHeader, EveryChangedByteWithoutItsChecksumIsRejected) {
  for (std::size_t at = 0; at < 31; ++at) {
    for (uint8_t delta : {uint8_t{1}, uint8_t{0x80}}) {
      std::vector<uint8_t> bytes = HeaderOnlyFile(1, 8);
      bytes[at] = static_cast<uint8_t>(bytes[at] + delta);
      EXPECT_FALSE(profiles::IsValidProfileHeader(bytes)) << "byte " << at;
    }
  }
  std::vector<uint8_t> bytes = HeaderOnlyFile(1, 8);
  ++bytes[31];
  EXPECT_FALSE(profiles::IsValidProfileHeader(bytes));
}

}  // namespace
