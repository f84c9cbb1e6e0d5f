#include "lighting/lighting_state.h"

#include <algorithm>

#include "lighting/lighting_effects.h"

namespace lighting {

void EffectIndexTable::Fill(const EffectList& list) {
  count_ = 0;
  for (uint8_t id : list)
    if (id != 0) ids_[static_cast<std::size_t>(count_++)] = id;
}

int EffectIndexTable::PositionOf(int id) const {
  for (int i = 0; i < count_; ++i)
    if (ids_[static_cast<std::size_t>(i)] == id) return i;
  return -1;
}

int EffectIndexTable::IdAt(int position) const {
  if (position < 0 || position >= count_) return 0;
  return ids_[static_cast<std::size_t>(position)];
}

std::vector<EffectEntry> LightingState::Entries(int languageIndex) const {
  std::vector<EffectEntry> entries;
  for (int i = 0; i < index.size(); ++i)
    entries.push_back({i, index.IdAt(i), EffectName(index.IdAt(i), languageIndex)});
  return entries;
}

bool LightingState::CustomEffectSupported() const {
  return std::find(effectList.begin(), effectList.end(), kCustomEffect) != effectList.end();
}

}  // namespace lighting
