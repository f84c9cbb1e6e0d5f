// MacroRecord: a macro as the program holds it and as profile files store it,
// 16512 bytes, little-endian:
//
//   0    250 UTF-16 units   name, terminated (at most 249 characters)
//   500  u8                 repeat count 1..255
//   501  1 byte             reserved
//   502  u16                new flag: created in the key assignment dialog, not applied yet
//   504  u16                play mode (carried, never sent)
//   506  u16                MacroId 1..100
//   508  u16                action count 0..2000
//   510  2 bytes            reserved
//   512  2000 × 8 bytes     MacroAction: u32 delay (ms), u16 KeyCode, u16 release flag
//
// The record keeps its bytes as they are, so a macro read from a file is
// written back unchanged.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/key_codes.h"

namespace model {

inline constexpr std::size_t kMacroRecordSize = 16512;
inline constexpr std::size_t kMacroNameUnits = 250;
inline constexpr std::size_t kMacroNameMaxLength = kMacroNameUnits - 1;
inline constexpr int kMaxMacroActions = 2000;
inline constexpr int kMaxMacros = 100;

struct MacroAction {
  uint32_t delay = 0;  // the pause before the next event, in milliseconds
  KeyCode code = 0;
  uint16_t release = 0;  // 0 press, 1 release
  bool operator==(const MacroAction&) const = default;
};

class MacroRecord {
 public:
  MacroRecord() { bytes_.fill(0); }
  static MacroRecord FromBytes(std::span<const uint8_t, kMacroRecordSize> bytes);

  std::span<const uint8_t, kMacroRecordSize> bytes() const { return bytes_; }
  std::span<uint8_t, kMacroRecordSize> bytes() { return bytes_; }

  // Up to the terminator, never more than 249 units.
  std::u16string Name() const;
  // Cut to 249 units; the rest of the name field is cleared.
  void SetName(std::u16string_view name);

  uint8_t RepeatCount() const { return bytes_[500]; }
  void SetRepeatCount(uint8_t count) { bytes_[500] = count; }
  uint16_t NewFlag() const { return Read16(502); }
  void SetNewFlag(uint16_t flag) { Write16(502, flag); }
  uint16_t PlayMode() const { return Read16(504); }
  void SetPlayMode(uint16_t mode) { Write16(504, mode); }
  uint16_t Id() const { return Read16(506); }
  void SetId(uint16_t id) { Write16(506, id); }
  // As stored; may exceed 2000 in a damaged file.
  uint16_t StoredActionCount() const { return Read16(508); }
  // The actions that exist: the stored count, at most 2000.
  int ActionCount() const;
  // Sets the count, at most 2000.
  void SetActionCount(int count);

  // Actions 0..1999; anything else reads as empty and is not written.
  MacroAction Action(int index) const;
  void SetAction(int index, const MacroAction& action);
  // Replaces the actions (at most 2000 are kept) and sets the count.
  void SetActions(const std::vector<MacroAction>& actions);
  std::vector<MacroAction> Actions() const;

  bool operator==(const MacroRecord&) const = default;

 private:
  uint16_t Read16(std::size_t offset) const;
  void Write16(std::size_t offset, uint16_t value);
  std::array<uint8_t, kMacroRecordSize> bytes_;
};

using MacroList = std::vector<MacroRecord>;

}  // namespace model
