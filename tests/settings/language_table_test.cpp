// The language setting and the text lookups.
#include "settings/language_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "settings/app_settings.h"
#include "tests/support/sim_process.h"

namespace {

using settings::LanguageTable;

class LanguageTableTest : public ::testing::Test {
 protected:
  LanguageTableTest()
      : registry(folder.path() + "/registry.reg"), key(*settings::OpenSettingsKey(registry)) {}

  LanguageTable Table(uint16_t systemLanguage) {
    return LanguageTable(folder.path(), &key, [systemLanguage] { return systemLanguage; });
  }
  void WriteLanguageFile(const std::string& name, const std::string& content) {
    std::ofstream(folder.path() + "/" + name, std::ios::binary) << content;
  }

  testsupport::TempFolder folder;
  platform::Registry registry;
  platform::RegistryKey key;
};

TEST_F(LanguageTableTest, ReadDwordOrDefaultWritesTheDefaultForAMissingOrMistypedValue) {
  EXPECT_EQ(settings::ReadDwordOrDefault(&key, "value", 5), 5u);
  EXPECT_EQ(key.ReadDword("value"), 5u);
  ASSERT_TRUE(key.WriteString("text", "0x0409"));
  EXPECT_EQ(settings::ReadDwordOrDefault(&key, "text", 9), 9u);
  EXPECT_EQ(key.TypeOf("text"), platform::RegistryType::kDword);
  EXPECT_EQ(settings::ReadDwordOrDefault(nullptr, "value", 3), 3u);
}

TEST_F(LanguageTableTest, TheLanguageFollowsTheSystemUntilOneIsStored) {
  const struct {
    uint16_t system;
    uint32_t stored;
    int index;
  } cases[] = {
      {0x0C0C, 0x040C, 3},  // French (Canada) shows French
      {0x0411, 0x0409, 0},  // Japanese is not offered: English
      {0x0C04, 0x0804, 1},  // Chinese (Hong Kong) shows Simplified Chinese
      {0x1004, 0x0404, 2},  // Chinese (Singapore) shows Traditional Chinese
      {0x0807, 0x0407, 4}, {0x0409, 0x0409, 0},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(registry.DeleteValue(settings::kSettingsKeyPath, settings::kLanguageIdValue));
    const LanguageTable table = Table(c.system);
    EXPECT_EQ(table.LanguageId(), c.stored) << std::hex << c.system;
    EXPECT_EQ(key.ReadDword(settings::kLanguageIdValue), c.stored);
    EXPECT_EQ(table.LanguageIndex(), c.index);
    // Once stored, the system language no longer matters.
    EXPECT_EQ(Table(0x0407).LanguageId(), c.stored);
  }
}

TEST_F(LanguageTableTest, AStoredUnsupportedIdIsKeptButShowsEnglish) {
  ASSERT_TRUE(key.WriteDword(settings::kLanguageIdValue, 0x0411));
  const LanguageTable table = Table(0x040C);
  EXPECT_EQ(table.LanguageId(), 0x0411u);
  EXPECT_EQ(table.LanguageIndex(), 0);
  EXPECT_EQ(key.ReadDword(settings::kLanguageIdValue), 0x0411u);
}

TEST_F(LanguageTableTest, AStoredStringIsReplacedByTheSystemLanguage) {
  ASSERT_TRUE(key.WriteString(settings::kLanguageIdValue, "French"));
  EXPECT_EQ(Table(0x0C0C).LanguageId(), 0x040Cu);
  EXPECT_EQ(key.ReadDword(settings::kLanguageIdValue), 0x040Cu);
}

TEST_F(LanguageTableTest, WithoutASettingsKeyTheSystemDecidesEveryTime) {
  const LanguageTable table(folder.path(), nullptr, [] { return uint16_t{0x0407}; });
  EXPECT_EQ(table.LanguageIndex(), 4);
}

TEST_F(LanguageTableTest, LookupsFallBackToErrorTextButKeepEmptyValues) {
  WriteLanguageFile("Lang0409.ini", "[TEXT]\nPROFILE_OK=OK\nEMPTY=\nLONG=" + std::string(300, 'a') +
                                        "\n[LIGHT]\nSpeed=Speed\n[MODE]\n1=Static\n");
  const LanguageTable table = Table(0x0409);
  EXPECT_EQ(table.LookupText("profile_ok", 0), "OK");
  EXPECT_EQ(table.LookupText("EMPTY", 0), "");
  EXPECT_EQ(table.LookupText("MISSING", 0), "#Error");
  EXPECT_EQ(table.LookupText("LONG", 0), std::string(259, 'a'));
  EXPECT_EQ(table.LookupLight("Speed", 0), "Speed");
  EXPECT_EQ(table.LookupLight("PROFILE_OK", 0), "#Error");
  EXPECT_EQ(table.LookupMode("1", 0), "Static");
  EXPECT_EQ(table.LookupText("PROFILE_OK", 3), "#Error") << "no French file here";
  EXPECT_EQ(table.LookupText("PROFILE_OK", 5), "#Error") << "the sixth entry names no file";
  EXPECT_EQ(table.LookupText("PROFILE_OK", 9), "OK") << "indices above 5 read English";
}

TEST_F(LanguageTableTest, NothingIsCached) {
  WriteLanguageFile("Lang0409.ini", "[TEXT]\nA=before\n");
  const LanguageTable table = Table(0x0409);
  EXPECT_EQ(table.LookupText("A", 0), "before");
  WriteLanguageFile("Lang0409.ini", "[TEXT]\nA=after\n");
  EXPECT_EQ(table.LookupText("A", 0), "after");
  ASSERT_TRUE(key.WriteDword(settings::kLanguageIdValue, 0x0407));
  EXPECT_EQ(table.LanguageIndex(), 4);
}

TEST(LocaleLanguageTest, LocaleNamesMapToLanguageIds) {
  const struct {
    const char* locale;
    uint16_t id;
  } cases[] = {
      {"fr_CA.UTF-8", 0x0C0C}, {"fr_FR", 0x040C},
      {"fr", 0x040C},          {"de_AT.UTF-8", 0x0C07},
      {"zh_TW.UTF-8", 0x0404}, {"zh_CN.GB18030", 0x0804},
      {"zh_HK", 0x0C04},       {"en_GB.UTF-8@euro", 0x0809},
      {"ja_JP.UTF-8", 0x0411}, {"C", 0x0409},
      {"POSIX", 0x0409},       {"C.UTF-8", 0x0409},
      {"xx_YY", 0x0409},       {"", 0x0409},
      {"de_XX", 0x0407},
  };
  for (const auto& c : cases) EXPECT_EQ(settings::LanguageIdOfLocale(c.locale), c.id) << c.locale;
}

TEST(LocaleLanguageTest, TheLocaleEnvironmentIsReadInItsOrder) {
  setenv("LC_ALL", "", 1);
  setenv("LC_MESSAGES", "de_DE.UTF-8", 1);
  setenv("LANG", "fr_FR.UTF-8", 1);
  EXPECT_EQ(settings::SystemLanguageId(), 0x0407);
  setenv("LC_ALL", "zh_TW", 1);
  EXPECT_EQ(settings::SystemLanguageId(), 0x0404);
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  EXPECT_EQ(settings::SystemLanguageId(), 0x040C);
  unsetenv("LANG");
  EXPECT_EQ(settings::SystemLanguageId(), 0x0409);
}

TEST(ApplicationSettingsTest, FlipAndTheRecordDelayOption) {
  testsupport::TempFolder folder;
  std::ofstream(folder.path() + "/Lang0409.ini")
      << "[TEXT]\nMACRO_ACTION_RECORD_DELAY=Record delays\n";
  const LanguageTable table(folder.path(), nullptr, [] { return uint16_t{0x0409}; });
  settings::InstallLanguageTable(&table);
  platform::Registry registry(folder.path() + "/registry.reg");
  settings::ApplicationSettings app(registry);
  EXPECT_EQ(app.ReadFlip(), 0);
  ASSERT_TRUE(app.WriteFlip(1));
  EXPECT_EQ(app.ReadFlip(), 1);
  EXPECT_EQ(app.ReadRecordDelayOption(0), 0);
  ASSERT_TRUE(app.WriteRecordDelayOption(0, 1));
  EXPECT_EQ(registry.ReadDword("Software\\Quorvane_Tavinor\\Quorvane\\PROFILES", "Record delays"),
            1u);
  ASSERT_TRUE(app.WriteProfileText("PROFILES", "PROFILE00", "2"));
  EXPECT_EQ(app.ReadProfileText("PROFILES", "PROFILE00", ""), "2");
  EXPECT_EQ(app.ReadProfileInt("PROFILES", "PROFILE00", -1), -1) << "a string is not an integer";
  settings::InstallLanguageTable(nullptr);
}

}  // namespace
