// The program's registry settings: the settings key with "dwLanguageId", and
// the application settings, "Software\Quorvane_Tavinor\<title>\<section>",
// which hold the profile manager's list, "Flip" and the record-delay option.
// A key that cannot be opened leaves every read at its default and every
// write without effect; the program runs on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace settings {

inline constexpr const char* kSettingsKeyPath = "Software\\M710LTX_204-Q";
inline constexpr const char* kApplicationKeyPath = "Software\\Quorvane_Tavinor";
inline constexpr const char* kApplicationTitle = "Quorvane";
inline constexpr const char* kLanguageIdValue = "dwLanguageId";
inline constexpr const char* kProfilesSection = "PROFILES";
inline constexpr const char* kFlipValue = "Flip";

// The registry of the user running the program, at its default place.
platform::Registry& UserRegistry();

// Opens the settings key, creating it when missing; none when it cannot be
// created.
std::optional<platform::RegistryKey> OpenSettingsKey(platform::Registry& registry);

// The stored DWORD. When it is missing or not a DWORD, `defaultValue` is
// written as a DWORD and returned. With no key, just the default.
uint32_t ReadDwordOrDefault(const platform::RegistryKey* key, std::string_view name,
                            uint32_t defaultValue);
bool WriteDword(const platform::RegistryKey* key, std::string_view name, uint32_t value);

class ApplicationSettings {
 public:
  explicit ApplicationSettings(platform::Registry& registry, std::string title = kApplicationTitle);

  std::string ReadProfileText(std::string_view section, std::string_view name,
                              std::string_view defaultText) const;
  bool WriteProfileText(std::string_view section, std::string_view name, std::string_view text);
  // A DWORD value; the default when it is missing or of another type.
  int ReadProfileInt(std::string_view section, std::string_view name, int defaultValue) const;
  bool WriteProfileInt(std::string_view section, std::string_view name, int value);

  // "Flip" in "PROFILES", as stored (default 0).
  int ReadFlip() const;
  bool WriteFlip(int value);
  // The record-delay option, stored under the name the language table gives
  // for "MACRO_ACTION_RECORD_DELAY" in the language `languageIndex`.
  int ReadRecordDelayOption(int languageIndex) const;
  bool WriteRecordDelayOption(int languageIndex, int value);

 private:
  std::string KeyPath(std::string_view section) const;

  platform::Registry* registry_;
  std::string title_;
};

}  // namespace settings
