// ConfigStore: what every key does in every profile, the macros, and the
// texts of the key functions that carry one, in two halves with a lock each.
// The working store is what the user interface edits; the apply snapshot is
// a private copy from which an apply is encoded. Lock order: working store,
// then snapshot, never the other way.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "model/macro_record.h"
#include "model/profile_image.h"
#include "platform/window_interface.h"

namespace model {

inline constexpr int kTextSlots = kTotalEntries;

// Slot of the text table that belongs to entry `entry` of area `area`.
inline int TextSlotOf(int area, int entry) {
  return area * kEntriesPerArea + entry;
}

// A text of a launch-program or text-block action: UTF-16 and its size in
// bytes with the terminator, (characters + 1) × 2; 0 for an empty slot.
struct TextSlot {
  std::u16string text;
  uint32_t bytes = 0;
};

struct ApplySnapshot {
  std::recursive_mutex mutex;
  std::unique_ptr<ProfileImage> image;
  MacroList macros;
  // The packed text area and its size.
  std::vector<uint8_t> texts;

  void Free() {
    image.reset();
    macros.clear();
    texts.clear();
  }
};

class ConfigStore {
 public:
  ConfigStore();
  ConfigStore(const ConfigStore&) = delete;
  ConfigStore& operator=(const ConfigStore&) = delete;

  // The working store's lock. Every operation takes it (it is recursive), and
  // callers hold it across sequences that must not be interleaved.
  std::recursive_mutex& mutex() const { return mutex_; }
  ApplySnapshot& snapshot() { return snapshot_; }

  // The image; none after Empty until one is set.
  ProfileImage* image() { return image_.get(); }
  const ProfileImage* image() const { return image_.get(); }
  void SetImage(std::unique_ptr<ProfileImage> image);

  // Entries outside the image's areas read as empty and are never written.
  KeyAction ActionAt(int area, int slot) const;
  // Writes type, extra and value; keeps the view flag and the reserved word.
  void SetAction(int area, int slot, uint16_t type, uint16_t extra, uint32_t value);

  const TextSlot& Text(int slot) const;
  void SetText(int slot, std::u16string_view text);
  void ClearText(int slot);
  // The sum of the sizes of all texts.
  int32_t TextBytes() const;

  const MacroList& Macros() const { return macros_; }
  uint16_t MacroCount() const { return static_cast<uint16_t>(macros_.size()); }
  void ReplaceMacros(MacroList macros);
  // The position of the first macro with that id; 0 when none has it.
  int MacroSlotOfId(uint16_t id) const;
  // The id of the macro at a list position; 0 outside the list.
  uint16_t MacroIdAtPosition(int position) const;
  // Whether a type-4 action of any area plays the macro; never for a macro
  // created in the key assignment dialog and not applied yet.
  bool MacroIsReferenced(const MacroRecord& macro) const;
  // Before a new macro list replaces the old one: keys whose macro is gone,
  // or whose id now belongs to a new macro, revert to their default; macro
  // keys without a macro get the first macro of the new list.
  void CheckMacroReferences(const MacroList& newList, platform::WindowInterface& window);
  // Installs a copy of the list with every new flag cleared.
  void InstallMacroList(const MacroList& newList);

  // Zeroes an area and gives its G entries their ids.
  void ResetArea(int area);
  // The restore-defaults command: in the active profile's area, every key
  // button's entry and the nine G entries of the bank shown become zero; the
  // buttons are redrawn and Apply is enabled. Nothing happens for a slot
  // outside 0..2.
  void ResetActiveProfileKeys(int activeSlot, int gKeyBank, platform::WindowInterface& window);

  // Frees every text, the macros and the image.
  void Empty();

 private:
  mutable std::recursive_mutex mutex_;
  std::unique_ptr<ProfileImage> image_;
  MacroList macros_;
  std::vector<TextSlot> texts_;
  int32_t textBytes_ = 0;
  ApplySnapshot snapshot_;
};

}  // namespace model
