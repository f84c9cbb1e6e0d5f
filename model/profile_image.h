// ProfileImage: the 32832 bytes that hold what every key does in every
// profile, the same bytes a profile file starts with.
//
//   0      32    profile-file header
//   32     32    device description record
//   64 + a × 8192   ProfileArea a (a = 0..3): 512 KeyAction entries of 16 bytes
//
// Entries 0..255 of an area belong to the keys by KeySlot, 256..273 to the
// 18 G keys (bank 0 at 256..264, bank 1 at 265..273), 274..511 stay zero.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace model {

inline constexpr std::size_t kProfileImageSize = 32832;
inline constexpr std::size_t kAreaOffset = 64;
inline constexpr std::size_t kAreaSize = 8192;
inline constexpr int kAreaCount = 4;
inline constexpr int kEntriesPerArea = 512;
inline constexpr int kTotalEntries = kAreaCount * kEntriesPerArea;
inline constexpr std::size_t kKeyActionSize = 16;
inline constexpr int kFirstGKeyEntry = 256;
inline constexpr int kGKeyEntries = 18;
inline constexpr int kGKeysPerBank = 9;

// KeyAction types.
inline constexpr uint16_t kActionDefault = 0;
inline constexpr uint16_t kActionDisabled = 1;
inline constexpr uint16_t kActionKey = 2;
inline constexpr uint16_t kActionLaunch = 3;
inline constexpr uint16_t kActionMacro = 4;
inline constexpr uint16_t kActionStopMacro = 5;
inline constexpr uint16_t kActionTextBlock = 6;
inline constexpr uint16_t kActionMedia = 7;
inline constexpr uint16_t kActionFunction = 8;

// One entry, decoded: u16 type at 0, u16 extra at 2, u32 value at 4, u32 view
// flag at 8, u32 reserved at 12.
struct KeyAction {
  uint16_t type = 0;
  // The G id in G-key entries; the typed repeat count of a macro action.
  uint16_t extra = 0;
  uint32_t value = 0;
  uint32_t viewFlag = 0;
  uint32_t reserved = 0;
  bool operator==(const KeyAction&) const = default;
};

// The G id of G-key entry 256 + g (g = 0..17): 0x0301..0x0309, 0x1301..0x1309.
inline uint16_t GKeyId(int g) {
  return static_cast<uint16_t>(g < kGKeysPerBank ? 0x0301 + g : 0x1301 + (g - kGKeysPerBank));
}

inline bool ValidArea(int area) {
  return area >= 0 && area < kAreaCount;
}
inline bool ValidEntry(int entry) {
  return entry >= 0 && entry < kEntriesPerArea;
}

class ProfileImage {
 public:
  ProfileImage() { bytes_.fill(0); }

  std::span<uint8_t, kProfileImageSize> bytes() { return bytes_; }
  std::span<const uint8_t, kProfileImageSize> bytes() const { return bytes_; }

  // Entries outside 0..3 × 0..511 read as empty and are never written: area
  // numbers can come from the keyboard or a file.
  KeyAction ActionAt(int area, int entry) const;
  void SetAction(int area, int entry, const KeyAction& action);
  // Writes type, extra and value; keeps the view flag and the reserved word.
  void SetTypeExtraValue(int area, int entry, uint16_t type, uint16_t extra, uint32_t value);
  // Zeroes all 16 bytes of the entry.
  void ClearAction(int area, int entry);

  // Zeroes the area's 512 entries and gives its G entries their ids.
  void ResetArea(int area);
  // The areas of a fresh image: everything zero, G ids in area 0 only.
  void ClearAreas();

 private:
  static std::size_t EntryOffset(int area, int entry) {
    return kAreaOffset + static_cast<std::size_t>(area) * kAreaSize +
           static_cast<std::size_t>(entry) * kKeyActionSize;
  }
  std::array<uint8_t, kProfileImageSize> bytes_;
};

}  // namespace model
