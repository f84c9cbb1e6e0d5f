// The state file: a header line, then one "<field> <hex>" line per stored
// area. Unknown lines and '#' comments are ignored with a warning (comments
// silently), so a damaged file still yields everything that is intact.
#include <algorithm>
#include <map>

#include "sim/hex.h"
#include "sim/sim_keyboard.h"

namespace sim {
namespace {

constexpr std::string_view kHeader = "quorvane-simkbd state 1";

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

void Warn(std::string* error, const std::string& message) {
  if (error == nullptr) return;
  if (!error->empty()) error->push_back('\n');
  error->append(message);
}

std::string KeyField(const char* base, int slot) {
  return std::string(base) + std::to_string(slot);
}

}  // namespace

std::string SimKeyboard::SaveText() const {
  std::string text(kHeader);
  text +=
      "\n# settings: 0..7 carried, 8..9 firmware (LE), 10 active profile, 11 macro units,"
      " 12..43 effect ids\n";
  auto line = [&text](const std::string& key, std::span<const uint8_t> bytes) {
    text += key + " " + ToHex(bytes) + "\n";
  };
  line("settings", settings_);
  for (int slot = 0; slot < kProfiles; ++slot) line(KeyField("keymap", slot), KeyMap(slot));
  line("lighting", lighting_);
  for (int slot = 0; slot < kProfiles; ++slot) line(KeyField("colours", slot), colours_[slot]);
  line("macro_area", macro_);
  line("indicator", indicator_);
  return text;
}

std::optional<SimKeyboard> SimKeyboard::LoadText(std::string_view text, std::string* error) {
  if (error != nullptr) error->clear();
  std::map<std::string, std::vector<uint8_t>, std::less<>> fields;
  bool headerSeen = false;
  int lineNumber = 0;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;
    if (line == kHeader) {
      headerSeen = true;
      continue;
    }
    size_t space = line.find(' ');
    std::string key(line.substr(0, space));
    std::string_view value = space == std::string_view::npos ? "" : Trim(line.substr(space + 1));
    auto bytes = FromHex(value);
    if (!bytes) {
      Warn(error, "line " + std::to_string(lineNumber) + ": '" + key + "' is not hex, ignored");
      continue;
    }
    if (fields.count(key) != 0) {
      Warn(error, "line " + std::to_string(lineNumber) + ": '" + key + "' repeated, last one kept");
    }
    fields[key] = std::move(*bytes);
  }

  SimKeyboard keyboard;
  bool anyField = false;
  // Moves a field of exactly `target.size()` bytes into `target`.
  auto take = [&](const std::string& key, std::span<uint8_t> target) {
    auto it = fields.find(key);
    if (it == fields.end()) {
      Warn(error, "'" + key + "' missing, factory content used");
      return;
    }
    anyField = true;
    if (it->second.size() != target.size()) {
      Warn(error, "'" + key + "' has " + std::to_string(it->second.size()) + " bytes instead of " +
                      std::to_string(target.size()) + ", factory content used");
    } else {
      std::copy(it->second.begin(), it->second.end(), target.begin());
    }
    fields.erase(it);
  };

  take("settings", keyboard.settings_);
  if (keyboard.settings_[kActiveProfileOffset] >= kProfiles) {
    Warn(error, "active profile " + std::to_string(keyboard.settings_[kActiveProfileOffset]) +
                    " out of range, profile 0 used");
    keyboard.settings_[kActiveProfileOffset] = 0;
  }
  if (keyboard.settings_[kMacroUnitsOffset] == 0) {
    Warn(error, "macro units 0, " + std::to_string(kDefaultMacroUnits) + " used");
    keyboard.settings_[kMacroUnitsOffset] = kDefaultMacroUnits;
  }
  for (int slot = 0; slot < kProfiles; ++slot) {
    take(KeyField("keymap", slot),
         std::span<uint8_t>(keyboard.keyMaps_).subspan(slot * kKeyMapBlockSize, kKeyMapBlockSize));
  }
  take("lighting", keyboard.lighting_);
  for (int slot = 0; slot < kProfiles; ++slot) {
    take(KeyField("colours", slot), keyboard.colours_[slot]);
  }

  // The area follows the capacity in the settings; a longer or shorter
  // record keeps its first bytes, as a capacity change does.
  size_t capacity = keyboard.settings_[kMacroUnitsOffset] * kMacroUnitSize;
  keyboard.macro_.resize(capacity, 0);
  if (auto it = fields.find("macro_area"); it == fields.end()) {
    Warn(error, "'macro_area' missing, factory content used");
  } else {
    anyField = true;
    if (it->second.size() != capacity) {
      Warn(error, "'macro_area' has " + std::to_string(it->second.size()) +
                      " bytes for a capacity of " + std::to_string(capacity) + ", resized");
    }
    std::fill(keyboard.macro_.begin(), keyboard.macro_.end(), 0);
    std::copy_n(it->second.begin(), std::min(capacity, it->second.size()), keyboard.macro_.begin());
    fields.erase(it);
  }

  if (auto it = fields.find("indicator"); it != fields.end()) {
    anyField = true;
    it->second.resize(std::min<size_t>(it->second.size(), kReportSize));
    keyboard.indicator_ = std::move(it->second);
    fields.erase(it);
  }

  for (const auto& [key, bytes] : fields) Warn(error, "unknown field '" + key + "' ignored");
  if (!headerSeen) Warn(error, "header line missing");
  if (!anyField) {
    Warn(error, "no keyboard state found");
    return std::nullopt;
  }
  return keyboard;
}

}  // namespace sim
