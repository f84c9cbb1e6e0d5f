// The per-language text tables: one INI file per language beside the
// program ("Lang0409.ini", ...), sections "TEXT", "LIGHT" and "MODE". The
// language is the "dwLanguageId" setting, which follows the system language
// until one is stored. Nothing is cached: every lookup reads the setting and
// the file again, so an edited file takes effect at the next lookup.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace settings {

inline constexpr int kLanguageCount = 5;
// In index order; a sixth entry 0 is reached only by index 5.
inline constexpr uint32_t kLanguageIds[kLanguageCount + 1] = {0x0409, 0x0804, 0x0404,
                                                              0x040C, 0x0407, 0};
inline constexpr const char* kMissingText = "#Error";
// Values are read as into a 260-character buffer: at most 259 characters.
inline constexpr std::size_t kTextCapacity = 260;

// The system's language as a Windows language id, from the locale
// environment (LC_ALL, then LC_MESSAGES, then LANG): "fr_CA.UTF-8" gives
// 0x0C0C. 0x0409 when nothing usable is set.
uint16_t SystemLanguageId();
uint16_t LanguageIdOfLocale(std::string_view localeName);
// A system sub-language mapped to the supported base language (0x0C0C to
// 0x040C, ...); other ids unchanged.
uint16_t BaseLanguageId(uint16_t id);

class LanguageTable {
 public:
  // `settingsKey` may be null: the language then follows the system each time.
  LanguageTable(std::string programFolder, const platform::RegistryKey* settingsKey,
                std::function<uint16_t()> systemLanguage = &SystemLanguageId);

  // The id in use. Stores the system-derived id when none is stored; a stored
  // non-zero id is returned as it is, supported or not.
  uint32_t LanguageId() const;
  // 0..4: the position of LanguageId in the supported list, 0 when absent.
  int LanguageIndex() const;

  // A text of a section; "#Error" for a missing file, section or key, "" for
  // a key present with an empty value.
  std::string LookupText(std::string_view key, int languageIndex) const;
  std::string LookupLight(std::string_view key, int languageIndex) const;
  std::string LookupMode(std::string_view key, int languageIndex) const;

  std::string FilePath(int languageIndex) const;

 private:
  std::string Lookup(std::string_view section, std::string_view key, int languageIndex) const;

  std::string programFolder_;
  const platform::RegistryKey* settingsKey_;
  std::function<uint16_t()> systemLanguage_;
};

// The program's table, set up once at start; the functions below use it.
// Before it is installed they read the language files beside the running
// executable and keep no setting.
void InstallLanguageTable(const LanguageTable* table);
const LanguageTable& Languages();

int LanguageIndex();
std::string LookupText(std::string_view key, int languageIndex);
std::string LookupLight(std::string_view key, int languageIndex);
std::string LookupMode(std::string_view key, int languageIndex);
// The text of `key` in the current language.
inline std::string Text(std::string_view key) {
  return LookupText(key, LanguageIndex());
}

}  // namespace settings
