#include "model/key_map_writer.h"

#include <vector>

#include "device/keyboard_commands.h"
#include "device/result_codes.h"
#include "model/macro_area.h"
#include "settings/language_table.h"

namespace model {

int WriteKeyMapsAndMacros(const KeyMapWriter& writer, bool allSlots) {
  ApplySnapshot& snapshot = writer.store.snapshot();
  std::vector<uint8_t> area;
  bool namesDropped = false;
  {
    std::lock_guard lock(snapshot.mutex);
    const MacroAreaSize sizes = MacroAreaSizes(snapshot.macros);
    if (sizes.withoutNames > writer.macroCapacity) {
      writer.window.ShowMessage(settings::Text("EXTRA_MACRO_TOO_LONG"),
                                platform::MessageButtons::kOk, true);
      return 0;
    }
    namesDropped = sizes.withNames > writer.macroCapacity;
    area.resize(namesDropped ? sizes.withoutNames : sizes.withNames);
    if (!BuildMacroArea(snapshot.macros, area, !namesDropped)) return 0;
  }

  std::vector<int> slots;
  if (allSlots) {
    slots = {0, 1, 2};
  } else {
    // A slot the keyboard doesn't have (unknown, or 3 and above from a
    // damaged setting) is never written.
    const int active = writer.activeSlot ? writer.activeSlot() : -1;
    if (active < 0 || active > 2) return 0;
    slots = {active};
  }

  const KeyMapBlock defaultMatrix = writer.defaultMatrix.Get();
  std::vector<KeyMapBlock> blocks;
  {
    std::lock_guard lock(snapshot.mutex);
    if (!snapshot.image) return 0;
    for (int slot : slots)
      blocks.push_back(EncodeKeyMap(*snapshot.image, slot, defaultMatrix, snapshot.macros));
  }

  device::ConfigBegin(writer.link);
  device::WriteMacroArea(writer.link, area);
  int last = device::kResultNoDevice;
  for (std::size_t i = 0; i < slots.size(); ++i)
    last = device::WriteKeyMap(writer.link, blocks[i], slots[i]);
  device::ConfigEnd(writer.link);

  if (namesDropped)
    writer.window.ShowMessage(settings::Text("EXTRA_PROFILE_SPACE_TIGHT"),
                              platform::MessageButtons::kOk, true);
  return last == device::kResultOk ? 1 : 0;
}

}  // namespace model
