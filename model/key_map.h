// KeyMapBlock: the keyboard's 378-byte key map of one profile, three bytes per
// key position (its MapIndex 0..125): kind, b1, b2.
//
//   00 00 00        no function
//   01 01 01/02/04  left / right / middle mouse button
//   01 05 01/FF     wheel up / down
//   02 01 mask      modifier key(s)
//   02 02 usage     keyboard key
//   03 lo hi        consumer usage
//   04 lo hi        system-control usage (decoded only)
//   05 01 slot      play macro; 05 02 00 stop macro; 05 05 n keyboard function n
//   06 A2 n         G key n (only in the keyboard's default map)
//
// Which key sits at which position is learnt from the keyboard's own
// factory map, the DefaultMatrix.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

#include "model/key_codes.h"
#include "model/macro_record.h"
#include "model/profile_image.h"

namespace model {

inline constexpr int kMapEntries = 126;
inline constexpr std::size_t kKeyMapBlockSize = kMapEntries * 3;
using KeyMapBlock = std::array<uint8_t, kKeyMapBlockSize>;

struct MapEntry {
  uint8_t kind = 0;
  uint8_t b1 = 0;
  uint8_t b2 = 0;
  bool operator==(const MapEntry&) const = default;
};

inline MapEntry EntryAt(const KeyMapBlock& block, int index) {
  const auto at = static_cast<std::size_t>(index) * 3;
  return {block[at], block[at + 1], block[at + 2]};
}
inline void SetEntryAt(KeyMapBlock& block, int index, MapEntry entry) {
  const auto at = static_cast<std::size_t>(index) * 3;
  block[at] = entry.kind;
  block[at + 1] = entry.b1;
  block[at + 2] = entry.b2;
}

// The factory map the program assumes until the keyboard has told its own:
// positions 0..63 known, 64..125 empty.
const KeyMapBlock& BuiltInDefaultMatrix();

// The program's copy of the keyboard's factory map, replaced at every arrival
// of the keyboard. Read and replaced from different threads.
class DefaultMatrix {
 public:
  DefaultMatrix() : block_(BuiltInDefaultMatrix()) {}
  KeyMapBlock Get() const {
    std::lock_guard lock(mutex_);
    return block_;
  }
  void Set(const KeyMapBlock& block) {
    std::lock_guard lock(mutex_);
    block_ = block;
  }

 private:
  mutable std::mutex mutex_;
  KeyMapBlock block_;
};

// The key a map entry stands for; 0 for entries that name no key.
KeyCode CodeOfEntry(uint8_t kind, uint8_t b1, uint8_t b2);
inline KeyCode CodeOfEntry(MapEntry e) {
  return CodeOfEntry(e.kind, e.b1, e.b2);
}

// What a key position sends for an action. `macros` resolves a macro action's
// id to its slot. Actions the program never writes itself (a type above 8, a
// multimedia index outside the table) keep the position's default.
MapEntry EntryOfAction(const KeyAction& action, MapEntry defaultEntry, const MacroList& macros);

// The slot of the first macro with that id; 0 when none has it.
int MacroSlotOfId(const MacroList& macros, uint16_t id);

// Rebuilds one area of the image from a block read from the keyboard: every
// position that differs from the default map gives its key an action.
void DecodeKeyMap(const KeyMapBlock& block, const KeyMapBlock& defaultMatrix, ProfileImage& image,
                  int area);

// The block for one area of the image: the default map with every key's
// action encoded.
KeyMapBlock EncodeKeyMap(const ProfileImage& image, int area, const KeyMapBlock& defaultMatrix,
                         const MacroList& macros);

}  // namespace model
