#include "settings/app_settings.h"

#include "settings/language_table.h"

namespace settings {

platform::Registry& UserRegistry() {
  static platform::Registry registry(platform::Registry::DefaultPath());
  return registry;
}

std::optional<platform::RegistryKey> OpenSettingsKey(platform::Registry& registry) {
  if (!registry.CreateKey(kSettingsKeyPath)) return std::nullopt;
  return platform::RegistryKey(&registry, kSettingsKeyPath);
}

uint32_t ReadDwordOrDefault(const platform::RegistryKey* key, std::string_view name,
                            uint32_t defaultValue) {
  if (key == nullptr) return defaultValue;
  if (const auto value = key->ReadDword(name)) return *value;
  key->WriteDword(name, defaultValue);
  return defaultValue;
}

bool WriteDword(const platform::RegistryKey* key, std::string_view name, uint32_t value) {
  return key != nullptr && key->WriteDword(name, value);
}

ApplicationSettings::ApplicationSettings(platform::Registry& registry, std::string title)
    : registry_(&registry), title_(std::move(title)) {}

std::string ApplicationSettings::KeyPath(std::string_view section) const {
  return std::string(kApplicationKeyPath) + "\\" + title_ + "\\" + std::string(section);
}

std::string ApplicationSettings::ReadProfileText(std::string_view section, std::string_view name,
                                                 std::string_view defaultText) const {
  const auto value = registry_->ReadString(KeyPath(section), name);
  return value ? *value : std::string(defaultText);
}

bool ApplicationSettings::WriteProfileText(std::string_view section, std::string_view name,
                                           std::string_view text) {
  return registry_->WriteString(KeyPath(section), name, text);
}

int ApplicationSettings::ReadProfileInt(std::string_view section, std::string_view name,
                                        int defaultValue) const {
  const auto value = registry_->ReadDword(KeyPath(section), name);
  return value ? static_cast<int>(*value) : defaultValue;
}

bool ApplicationSettings::WriteProfileInt(std::string_view section, std::string_view name,
                                          int value) {
  return registry_->WriteDword(KeyPath(section), name, static_cast<uint32_t>(value));
}

int ApplicationSettings::ReadFlip() const {
  return ReadProfileInt(kProfilesSection, kFlipValue, 0);
}

bool ApplicationSettings::WriteFlip(int value) {
  return WriteProfileInt(kProfilesSection, kFlipValue, value);
}

int ApplicationSettings::ReadRecordDelayOption(int languageIndex) const {
  return ReadProfileInt(kProfilesSection, LookupText("MACRO_ACTION_RECORD_DELAY", languageIndex),
                        0);
}

bool ApplicationSettings::WriteRecordDelayOption(int languageIndex, int value) {
  return WriteProfileInt(kProfilesSection, LookupText("MACRO_ACTION_RECORD_DELAY", languageIndex),
                         value);
}

}  // namespace settings
