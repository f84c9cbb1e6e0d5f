// The program's copy of the keyboard's lighting: the three records, the
// effect list with its index table, the edited profile and the decoded
// fields of that profile's record. Touched by one thread only.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "device/settings_block.h"
#include "lighting/lighting_record.h"

namespace lighting {

using EffectList = std::array<uint8_t, device::kEffectListSize>;

// One entry of the effect list the user sees.
struct EffectEntry {
  int position = 0;
  int id = 0;
  std::string name;
};

// List positions paired with effect ids: the n-th non-zero byte of the
// effect list gets position n.
class EffectIndexTable {
 public:
  void Fill(const EffectList& list);
  void Clear() { count_ = 0; }
  // The first position showing `id`, -1 when absent.
  int PositionOf(int id) const;
  // The effect at `position`, 0 when there is none.
  int IdAt(int position) const;
  int size() const { return count_; }

 private:
  std::array<int, device::kEffectListSize> ids_{};
  int count_ = 0;
};

struct LightingState {
  std::array<LightingRecord, device::kProfileSlots> records{};
  EffectList effectList{};
  EffectIndexTable index;
  int editedSlot = 0;
  LightingFields fields;
  bool lightingMode = false;
  // Cleared by every effect selection so that the preview starts over.
  bool previewRestart = false;

  // The entries of the effect list, in list order, named in `languageIndex`.
  std::vector<EffectEntry> Entries(int languageIndex) const;
  // The list position of the current effect, -1 when the list lacks it.
  int SelectedPosition() const { return index.PositionOf(fields.effect); }
  // True when the keyboard lists the custom per-key colour effect.
  bool CustomEffectSupported() const;
  // The speed slider's position for the stored speed.
  int SpeedPosition() const { return kMaxLevel - fields.speed; }
  // Area offset of a byte of the edited record.
  uint16_t AreaOffset(std::size_t recordOffset) const {
    return static_cast<uint16_t>(editedSlot * device::kLightingRecordSize + recordOffset);
  }
};

}  // namespace lighting
