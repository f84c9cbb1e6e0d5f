// Every text the program looks up exists in every language file of the
// program folder, so a missing translation fails the build's tests instead
// of showing "#Error" to a user.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/key_table.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "settings/language_table.h"
#include "settings/safe_format.h"
#include "settings/text_keys.h"

namespace {

struct Required {
  std::string section;
  std::string key;
};

std::vector<Required> RequiredKeys() {
  std::vector<Required> keys;
  for (const char* key : settings::kTextKeys) keys.push_back({"TEXT", key});
  for (int slot = 0; slot < 256; ++slot) {
    if (const char* key = model::KeyRowOf(slot).languageKey) keys.push_back({"TEXT", key});
  }
  for (const model::MediaRow& row : model::MediaTable()) keys.push_back({"TEXT", row.languageKey});
  for (const char* key : settings::kLightKeys) keys.push_back({"LIGHT", key});
  for (int effect = settings::kFirstEffect; effect <= settings::kLastEffect; ++effect)
    keys.push_back({"MODE", std::to_string(effect)});
  return keys;
}

class LanguageFileTest : public ::testing::TestWithParam<int> {
 protected:
  platform::IniDocument Document() const {
    const settings::LanguageTable table(QUORVANE_PROGRAM_DIR, nullptr);
    std::string content;
    EXPECT_EQ(platform::ReadWholeFile(table.FilePath(GetParam()), &content),
              platform::ReadStatus::kOk)
        << table.FilePath(GetParam());
    return platform::IniDocument::Parse(content);
  }
};

TEST_P(LanguageFileTest, HoldsATextForEveryKeyTheProgramLooksUp) {
  const platform::IniDocument document = Document();
  for (const Required& required : RequiredKeys()) {
    const auto value = document.Find(required.section, required.key);
    EXPECT_TRUE(value.has_value()) << "[" << required.section << "] " << required.key;
    EXPECT_FALSE(value.value_or("").empty()) << "[" << required.section << "] " << required.key;
  }
}

TEST_P(LanguageFileTest, FormatsTakeExactlyTheArgumentTheyAreGiven) {
  const platform::IniDocument document = Document();
  const struct {
    const char* key;
    bool integer;
  } formats[] = {{"UNKNOWN_KEY", true},
                 {"MACRO_ERR_MAX", true},
                 {"MACRO_ACTION_ERR_DELAY_MAX", true},
                 {"PROFILE_FORMAT_ERROR", false}};
  for (const auto& f : formats) {
    const std::string text = document.Find("TEXT", f.key).value_or("");
    const std::string formatted = f.integer ? settings::FormatWithInteger(text, 424242)
                                            : settings::FormatWithString(text, "/x/y.fwc");
    EXPECT_NE(formatted.find(f.integer ? "424242" : "/x/y.fwc"), std::string::npos) << f.key;
    EXPECT_EQ(formatted.find('%'), std::string::npos) << f.key << ": " << text;
  }
  // No other text carries a conversion that would be shown as it stands.
  std::set<std::string> formatKeys;
  for (const auto& f : formats) formatKeys.insert(f.key);
  for (const std::string& key : document.Keys("TEXT")) {
    if (formatKeys.count(key) == 0) {
      EXPECT_EQ(document.Find("TEXT", key)->find('%'), std::string::npos) << key;
    }
  }
}

TEST_P(LanguageFileTest, HasTheSameKeysAsTheEnglishFile) {
  const settings::LanguageTable table(QUORVANE_PROGRAM_DIR, nullptr);
  std::string english;
  platform::ReadWholeFile(table.FilePath(0), &english);
  const platform::IniDocument reference = platform::IniDocument::Parse(english);
  const platform::IniDocument document = Document();
  for (const char* section : {"TEXT", "LIGHT", "MODE"})
    EXPECT_EQ(document.Keys(section), reference.Keys(section)) << section;
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, LanguageFileTest,
                         ::testing::Range(0, settings::kLanguageCount));

}  // namespace
