#include <algorithm>

#include "sim/byte_order.h"
#include "sim/hex.h"
#include "sim/sim_keyboard.h"

namespace sim {
namespace {

std::string Quoted(std::span<const uint8_t> bytes) {
  return "\"" + ToHex(bytes) + "\"";
}

}  // namespace

std::string SimKeyboard::DumpJson() const {
  std::string json = "{";
  json += "\"firmware\":" + std::to_string(Firmware());
  json += ",\"active_profile\":" + std::to_string(ActiveProfile());
  json += ",\"macro_units\":" + std::to_string(MacroUnits());
  json += ",\"effects\":[";
  bool first = true;
  for (size_t i = 0; i < kEffectListSize; ++i) {
    uint8_t effect = settings_[kEffectListOffset + i];
    if (effect == 0) continue;
    if (!first) json += ",";
    json += std::to_string(effect);
    first = false;
  }
  json += "],\"settings\":" + Quoted(settings_);
  json += ",\"keymaps\":[";
  for (int slot = 0; slot < kProfiles; ++slot) json += (slot ? "," : "") + Quoted(KeyMap(slot));
  json += "],\"default_matrix\":" + Quoted(DefaultMatrix());

  // The area up to its own recorded size; just the header when it has none.
  size_t shown = kMacroHeaderSize;
  if (GetU16Le(macro_, 0) == kMacroMarker) shown = GetU16Le(macro_, 2);
  shown = std::min(shown, macro_.size());
  json += ",\"macro_area\":" + Quoted(std::span<const uint8_t>(macro_).first(shown));

  json += ",\"lighting\":" + Quoted(lighting_);
  json += ",\"key_colours\":[";
  for (int slot = 0; slot < kProfiles; ++slot) json += (slot ? "," : "") + Quoted(colours_[slot]);
  json += "],\"indicator\":" + Quoted(indicator_);
  json += "}";
  return json;
}

}  // namespace sim
