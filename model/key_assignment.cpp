#include "model/key_assignment.h"

#include <mutex>

namespace model {

void WriteAssignment(ConfigStore& store, int area, int slot, const Assignment& assignment) {
  const bool gKey = slot >= kFirstGKeyEntry && slot < kFirstGKeyEntry + kGKeyEntries;
  uint16_t extra = gKey ? GKeyId(slot - kFirstGKeyEntry) : 0;
  uint16_t type = assignment.type;
  uint32_t value = assignment.value;
  switch (type) {
    case kActionKey:
      // A key sending itself is what its default function already does.
      if (value == kNoKey || SlotOfCode(static_cast<KeyCode>(value)) == slot) {
        type = kActionDefault;
        value = 0;
      }
      break;
    case kActionMacro:
      extra = assignment.repeat;
      break;
    case kActionMedia:
    case kActionFunction:
      break;
    default:
      // Types without a value of their own (default, disabled, and the ones
      // this program does not create) are written back with value 0.
      value = 0;
      break;
  }
  std::lock_guard lock(store.mutex());
  store.ClearText(TextSlotOf(area, slot));
  store.SetAction(area, slot, type, extra, value);
}

uint16_t NextFreeMacroId(const MacroList& macros) {
  for (uint16_t id = 1; id <= kMaxMacros; ++id) {
    bool used = false;
    for (const MacroRecord& macro : macros) used = used || macro.Id() == id;
    if (!used) return id;
  }
  return 0;
}

std::optional<MacroRecord> NewMacro(const MacroList& macros, std::u16string_view name) {
  const uint16_t id = NextFreeMacroId(macros);
  if (macros.size() >= static_cast<std::size_t>(kMaxMacros) || id == 0) return std::nullopt;
  MacroRecord macro;
  macro.SetName(name);
  macro.SetRepeatCount(1);
  macro.SetNewFlag(1);
  macro.SetPlayMode(0);
  macro.SetId(id);
  macro.SetActionCount(0);
  return macro;
}

uint8_t ClampRepeatCount(int64_t typed) {
  if (typed <= 0) return 1;
  if (typed >= 256) return 255;
  return static_cast<uint8_t>(typed);
}

TypedDelay RoundTypedDelay(int64_t typed) {
  if (typed < 0 || typed > static_cast<int64_t>(kMaxTypedDelay)) return {kMaxTypedDelay, true};
  return {static_cast<uint32_t>(typed / 10 * 10), false};
}

void InstallEditedMacroList(ConfigStore& store, const MacroList& edited,
                            platform::WindowInterface& window) {
  std::lock_guard lock(store.mutex());
  store.CheckMacroReferences(edited, window);
  store.InstallMacroList(edited);
}

}  // namespace model
