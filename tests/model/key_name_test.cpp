// Key names from a language file of the test's own: fallbacks to
// "UNKNOWN_KEY" and cutting names to the caller's buffer.
#include "model/key_name.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "settings/language_table.h"

namespace {

namespace fs = std::filesystem;

std::string Repeat(const std::string& unit, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += unit;
  return text;
}

class KeyNameTest : public ::testing::Test {
 protected:
  KeyNameTest() {
    WriteLanguageFile("Unknown key %d");
    settings::InstallLanguageTable(&table_);
  }
  ~KeyNameTest() override {
    settings::InstallLanguageTable(nullptr);
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
  }

  void WriteLanguageFile(const std::string& unknownKey) {
    std::ofstream file(fs::path(folder_) / "Lang0409.ini", std::ios::binary | std::ios::trunc);
    file << "[TEXT]\n"
         << "UNKNOWN_KEY=" << unknownKey << "\n"
         << "IDS_KEYBOARD_A=A\n"
         << "IDS_KEYBOARD_B=\n"
         << "IDS_KEYBOARD_RSHIFT=Right Shift\n"
         << "IDS_KEYBOARD_E=\xC3\x84\xC3\x96\xC3\x9C\n"  // ÄÖÜ
         << "IDS_KEYBOARD_F=a\xE2\x82\xAC\n"             // a€
         << "IDS_KEYBOARD_G=\xF0\x9F\x98\x80x\n"         // 😀x
         << "IDS_KEYBOARD_H=" << std::string(259, 'h') << "\n"
         << "IDS_KEYBOARD_J=" << Repeat("\xE2\x82\xAC", 200) << "\n"
         << "MEDIA_V_ADD_7=Volume +\n";
  }

  static std::string MakeFolder() {
    std::string pattern = (fs::temp_directory_path() / "quorvane-keyname-XXXXXX").string();
    return ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
  }

  // Declared before the table, which keeps its own copy of the folder.
  std::string folder_ = MakeFolder();
  settings::LanguageTable table_{folder_, nullptr, [] { return uint16_t{0x0409}; }};
};

TEST_F(KeyNameTest, NamesComeFromTheLanguageFile) {
  ASSERT_FALSE(folder_.empty());
  struct Case {
    model::KeyCode code;
    const char* name;
  };
  const Case cases[] = {
      {0x01E, "A"},
      {0x036, "Right Shift"},
      {0x136, "Right Shift"},
      {0x130, "Volume +"},
      // A key missing from the file reads as the language table's error text.
      {0x020, "#Error"},
      // No row, no name key or an empty name: the code, formatted.
      {0x030, "Unknown key 48"},
      {0x055, "Unknown key 85"},
      {0x064, "Unknown key 100"},
      {0x000, "Unknown key 0"},
      {0x200, "Unknown key 512"},
      {0x0C7, "Unknown key 199"},
  };
  for (const Case& c : cases) EXPECT_EQ(model::KeyName(c.code), c.name) << std::hex << c.code;
}

TEST_F(KeyNameTest, UnknownKeyTextIsNeverAPrintfFormat) {
  WriteLanguageFile("%s%n%p #%d");
  EXPECT_EQ(model::KeyName(0x055), "%s%n%p #85");
  WriteLanguageFile("no number");
  EXPECT_EQ(model::KeyName(0x055), "no number");
}

TEST_F(KeyNameTest, NamesAreCutOnCharacterBoundariesWithinTheCapacity) {
  struct Case {
    model::KeyCode code;
    std::size_t capacity;
    const char* name;
  };
  const Case cases[] = {
      {0x012, 1, ""},
      {0x012, 2, ""},
      {0x012, 3, "\xC3\x84"},
      {0x012, 4, "\xC3\x84"},
      {0x012, 6, "\xC3\x84\xC3\x96"},
      {0x012, 7, "\xC3\x84\xC3\x96\xC3\x9C"},
      {0x021, 2, "a"},
      {0x021, 4, "a"},
      {0x021, 5, "a\xE2\x82\xAC"},
      {0x022, 4, ""},
      {0x022, 5, "\xF0\x9F\x98\x80"},
      {0x022, 6, "\xF0\x9F\x98\x80x"},
      {0x055, 8, "Unknown"},
  };
  constexpr char kGuard = '\x7F';
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << std::hex << c.code << " capacity " << std::dec << c.capacity);
    char buffer[16];
    std::memset(buffer, kGuard, sizeof buffer);
    model::KeyName(c.code, buffer, c.capacity);
    EXPECT_STREQ(buffer, c.name);
    for (std::size_t i = c.capacity; i < sizeof buffer; ++i) ASSERT_EQ(buffer[i], kGuard) << i;
  }
}

TEST_F(KeyNameTest, NothingIsWrittenWithCapacityZero) {
  char buffer[4] = {'x', 'y', 'z', 'w'};
  model::KeyName(0x01E, buffer, 0);
  EXPECT_EQ(std::string(buffer, sizeof buffer), "xyzw");
}

TEST_F(KeyNameTest, LongNamesFitTheCallersBuffer) {
  // 259 ASCII characters fill the 260-byte buffer exactly.
  EXPECT_EQ(model::KeyName(0x023), std::string(259, 'h'));
  // 259 three-byte characters would not: 86 of them fit in 258 bytes.
  EXPECT_EQ(model::KeyName(0x024), Repeat("\xE2\x82\xAC", 86));

  char buffer[model::kKeyNameCapacity + 8];
  std::memset(buffer, '\x7F', sizeof buffer);
  model::KeyName(0x024, buffer, model::kKeyNameCapacity);
  EXPECT_EQ(std::strlen(buffer), 258u);
  for (std::size_t i = model::kKeyNameCapacity; i < sizeof buffer; ++i)
    EXPECT_EQ(buffer[i], '\x7F');
}

TEST_F(KeyNameTest, ListPosNameIsTheFirstRowsText) {
  struct Case {
    model::KeyListPos pos;
    const char* name;
  };
  const Case cases[] = {
      {0, "A"},
      {1, ""},  // present but empty: no "UNKNOWN_KEY" fallback here
      {103, "Right Shift"},
      {2, "#Error"},
      {106, ""},
      {0x802D, ""},  // F13 has no name key
      {0xFFFF, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(model::ListPosName(c.pos), c.name) << c.pos;
}

}  // namespace
