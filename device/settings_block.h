// SettingsBlock: the keyboard's 44-byte block. Bytes 0..7 belong to the
// keyboard and are carried unchanged; 8..9 firmware version (little-endian);
// 10 active profile slot; 11 macro capacity in 128-byte units; 12..43 the
// effect list, one effect id per byte, 0 for an empty entry.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "device/keyboard_commands.h"

namespace device {

inline constexpr std::size_t kSettingsFirmwareByte = 8;
inline constexpr std::size_t kSettingsActiveSlotByte = 10;
inline constexpr std::size_t kSettingsMacroUnitsByte = 11;
inline constexpr std::size_t kSettingsEffectListByte = 12;
inline constexpr std::size_t kEffectListSize = 32;
inline constexpr uint32_t kMacroCapacityUnit = 128;

using SettingsBlock = std::array<uint8_t, kSettingsBlockSize>;

inline uint16_t FirmwareVersion(const SettingsBlock& block) {
  return static_cast<uint16_t>(block[kSettingsFirmwareByte] |
                               (block[kSettingsFirmwareByte + 1] << 8));
}
inline uint8_t ActiveSlotByte(const SettingsBlock& block) {
  return block[kSettingsActiveSlotByte];
}
inline uint32_t MacroCapacityBytes(const SettingsBlock& block) {
  return block[kSettingsMacroUnitsByte] * kMacroCapacityUnit;
}
// The non-zero effect ids in block order.
inline std::vector<int> EffectIds(const SettingsBlock& block) {
  std::vector<int> ids;
  for (std::size_t i = 0; i < kEffectListSize; ++i) {
    if (block[kSettingsEffectListByte + i] != 0) ids.push_back(block[kSettingsEffectListByte + i]);
  }
  return ids;
}

}  // namespace device
