#include "profiles/text_packing.h"

#include <algorithm>
#include <new>

#include "platform/byte_order.h"

namespace profiles {

using model::kEntriesPerArea;
using model::kTextSlots;

bool PackTexts(const model::ConfigStore& store, model::ProfileImage& image,
               std::vector<uint8_t>* area) {
  area->clear();
  try {
    area->assign(static_cast<std::size_t>(std::max<int32_t>(store.TextBytes(), 0)), 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::vector<bool> packed(kTextSlots, false);
  std::size_t offset = 0;
  // Where textless entries point: the terminator of the first packed text,
  // or the start of an area that holds no text (all zero, or empty).
  uint32_t emptyText = 0;
  for (int slot = 0; slot < kTextSlots; ++slot) {
    const model::TextSlot& text = store.Text(slot);
    const int areaIndex = slot / kEntriesPerArea;
    const int entry = slot % kEntriesPerArea;
    model::KeyAction action = image.ActionAt(areaIndex, entry);
    if (text.bytes == 0 || offset + text.bytes > area->size() || !CarriesText(action.type))
      continue;
    const std::size_t units = std::min<std::size_t>(text.text.size(), text.bytes / 2 - 1);
    for (std::size_t i = 0; i < units; ++i)
      platform::WriteU16(area->data() + offset + i * 2, static_cast<uint16_t>(text.text[i]));
    if (offset == 0) emptyText = static_cast<uint32_t>(units * 2);
    action.value = static_cast<uint32_t>(offset);
    image.SetAction(areaIndex, entry, action);
    packed[static_cast<std::size_t>(slot)] = true;
    offset += text.bytes;
  }
  for (int slot = 0; slot < kTextSlots; ++slot) {
    if (packed[static_cast<std::size_t>(slot)]) continue;
    const int areaIndex = slot / kEntriesPerArea;
    const int entry = slot % kEntriesPerArea;
    model::KeyAction action = image.ActionAt(areaIndex, entry);
    if (!CarriesText(action.type)) continue;
    action.value = emptyText;
    image.SetAction(areaIndex, entry, action);
  }
  return true;
}

}  // namespace profiles
