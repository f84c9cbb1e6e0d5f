// The program's memory of the keyboard's per-key colours: three profiles of
// 126 keys, 3 bytes R, G, B each, indexed by KeyIndex, laid out exactly as
// the keyboard's per-key colour area of one profile. Never read back from the
// keyboard; filled from the user lighting files.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/keyboard_commands.h"
#include "lighting/lighting_record.h"
#include "model/button_table.h"

namespace lighting {

inline constexpr std::size_t kKeyColourBytes = model::kKeyColourCount * 3;  // 378

class KeyColourTable {
 public:
  // 0 for a slot or key outside the table.
  Colour At(int slot, int keyIndex) const;
  // Ignored for a slot or key outside the table.
  void Set(int slot, int keyIndex, Colour colour);
  // The profile's bytes in the keyboard's order; empty for a bad slot.
  std::span<const uint8_t> Bytes(int slot) const;

 private:
  std::array<std::array<uint8_t, kKeyColourBytes>, device::kProfileSlots> bytes_{};
};

}  // namespace lighting
