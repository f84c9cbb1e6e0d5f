#include "settings/language_table.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "platform/ini_file.h"
#include "platform/program_folder.h"
#include "settings/app_settings.h"

namespace settings {
namespace {

struct SubLanguage {
  uint16_t base;
  uint16_t id;
};

// System sub-languages that show the texts of a supported base language.
constexpr SubLanguage kSubLanguages[] = {
    {0x0804, 0x0C04}, {0x0404, 0x1004}, {0x0409, 0x0809}, {0x0409, 0x0C09}, {0x0409, 0x1009},
    {0x0409, 0x1409}, {0x0409, 0x1809}, {0x0409, 0x1C09}, {0x0409, 0x2009}, {0x0409, 0x2409},
    {0x0409, 0x2809}, {0x0409, 0x2C09}, {0x040C, 0x080C}, {0x040C, 0x2C0C}, {0x040C, 0x0C0C},
    {0x040C, 0x240C}, {0x040C, 0x300C}, {0x040C, 0x3C0C}, {0x040C, 0x140C}, {0x040C, 0x340C},
    {0x040C, 0x180C}, {0x040C, 0x380C}, {0x040C, 0xE40C}, {0x040C, 0x200C}, {0x040C, 0x280C},
    {0x040C, 0x100C}, {0x040C, 0x1C0C}, {0x0407, 0x0C07}, {0x0407, 0x1407}, {0x0407, 0x1007},
    {0x0407, 0x0807},
};

struct LocaleId {
  const char* name;  // "ll" or "ll_CC"
  uint16_t id;
};

// Locale names as the environment gives them, with the Windows language id of
// each. A language without its country takes the id of its first entry.
constexpr LocaleId kLocales[] = {
    {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009}, {"en_NZ", 0x1409},
    {"en_IE", 0x1809}, {"en_ZA", 0x1C09}, {"en_JM", 0x2009}, {"en_BZ", 0x2809}, {"en_TT", 0x2C09},
    {"en_ZW", 0x3009}, {"en_PH", 0x3409}, {"en_IN", 0x4009}, {"en_MY", 0x4409}, {"en_SG", 0x4809},
    {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"zh_HK", 0x0C04}, {"zh_SG", 0x1004}, {"zh_MO", 0x1404},
    {"fr_FR", 0x040C}, {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"fr_LU", 0x140C},
    {"fr_MC", 0x180C}, {"fr_RE", 0x200C}, {"fr_CD", 0x240C}, {"fr_SN", 0x280C}, {"fr_CM", 0x2C0C},
    {"fr_CI", 0x300C}, {"fr_ML", 0x340C}, {"fr_MA", 0x380C}, {"fr_HT", 0x3C0C}, {"de_DE", 0x0407},
    {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"de_LU", 0x1007}, {"de_LI", 0x1407}, {"ja_JP", 0x0411},
    {"ko_KR", 0x0412}, {"it_IT", 0x0410}, {"it_CH", 0x0810}, {"es_ES", 0x0C0A}, {"es_MX", 0x080A},
    {"pt_BR", 0x0416}, {"pt_PT", 0x0816}, {"nl_NL", 0x0413}, {"nl_BE", 0x0813}, {"ru_RU", 0x0419},
    {"pl_PL", 0x0415}, {"sv_SE", 0x041D}, {"da_DK", 0x0406}, {"fi_FI", 0x040B}, {"nb_NO", 0x0414},
    {"cs_CZ", 0x0405}, {"hu_HU", 0x040E}, {"tr_TR", 0x041F}, {"el_GR", 0x0408}, {"he_IL", 0x040D},
    {"ar_SA", 0x0401}, {"th_TH", 0x041E}, {"uk_UA", 0x0422}, {"vi_VN", 0x042A},
};

constexpr uint16_t kEnglish = 0x0409;

bool Supported(uint32_t id) {
  return std::find(std::begin(kLanguageIds), std::begin(kLanguageIds) + kLanguageCount, id) !=
         std::begin(kLanguageIds) + kLanguageCount;
}

std::atomic<const LanguageTable*> installed{nullptr};

}  // namespace

uint16_t LanguageIdOfLocale(std::string_view localeName) {
  // "fr_CA.UTF-8@euro" → "fr_CA"; "zh-Hant-TW" style names are not used on
  // this platform's locales.
  const std::size_t end = localeName.find_first_of(".@");
  std::string name(localeName.substr(0, end));
  if (name.empty() || name == "C" || name == "POSIX") return kEnglish;
  std::string language = name.substr(0, name.find('_'));
  for (char& c : language) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::string country = name.find('_') == std::string::npos ? "" : name.substr(name.find('_') + 1);
  for (char& c : country) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::string full = language + "_" + country;
  for (const LocaleId& locale : kLocales)
    if (full == locale.name) return locale.id;
  for (const LocaleId& locale : kLocales)
    if (std::string_view(locale.name).substr(0, language.size() + 1) == language + "_")
      return locale.id;
  return kEnglish;
}

uint16_t SystemLanguageId() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return LanguageIdOfLocale(value);
  }
  return kEnglish;
}

uint16_t BaseLanguageId(uint16_t id) {
  for (const SubLanguage& row : kSubLanguages)
    if (row.id == id) return row.base;
  return id;
}

LanguageTable::LanguageTable(std::string programFolder, const platform::RegistryKey* settingsKey,
                             std::function<uint16_t()> systemLanguage)
    : programFolder_(std::move(programFolder)),
      settingsKey_(settingsKey),
      systemLanguage_(std::move(systemLanguage)) {}

uint32_t LanguageTable::LanguageId() const {
  uint32_t id = ReadDwordOrDefault(settingsKey_, kLanguageIdValue, 0);
  if (id != 0) return id;
  const uint16_t system = BaseLanguageId(systemLanguage_ ? systemLanguage_() : kEnglish);
  id = Supported(system) ? system : kEnglish;
  WriteDword(settingsKey_, kLanguageIdValue, id);
  return id;
}

int LanguageTable::LanguageIndex() const {
  const uint32_t id = LanguageId();
  for (int i = 0; i < kLanguageCount; ++i)
    if (kLanguageIds[i] == id) return i;
  return 0;
}

std::string LanguageTable::FilePath(int languageIndex) const {
  if (languageIndex < 0 || languageIndex > kLanguageCount) languageIndex = 0;
  char name[32];
  std::snprintf(name, sizeof name, "Lang%04X.ini", kLanguageIds[languageIndex]);
  return programFolder_ + "/" + name;
}

std::string LanguageTable::Lookup(std::string_view section, std::string_view key,
                                  int languageIndex) const {
  return platform::ReadIniText(FilePath(languageIndex), section, key, kMissingText, kTextCapacity);
}

std::string LanguageTable::LookupText(std::string_view key, int languageIndex) const {
  return Lookup("TEXT", key, languageIndex);
}
std::string LanguageTable::LookupLight(std::string_view key, int languageIndex) const {
  return Lookup("LIGHT", key, languageIndex);
}
std::string LanguageTable::LookupMode(std::string_view key, int languageIndex) const {
  return Lookup("MODE", key, languageIndex);
}

void InstallLanguageTable(const LanguageTable* table) {
  installed.store(table);
}

const LanguageTable& Languages() {
  if (const LanguageTable* table = installed.load()) return *table;
  static const LanguageTable fallback(platform::ProgramFolder(), nullptr);
  return fallback;
}

int LanguageIndex() {
  return Languages().LanguageIndex();
}
std::string LookupText(std::string_view key, int languageIndex) {
  return Languages().LookupText(key, languageIndex);
}
std::string LookupLight(std::string_view key, int languageIndex) {
  return Languages().LookupLight(key, languageIndex);
}
std::string LookupMode(std::string_view key, int languageIndex) {
  return Languages().LookupMode(key, languageIndex);
}

}  // namespace settings
