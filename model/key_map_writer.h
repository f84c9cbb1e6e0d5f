// Puts the apply snapshot into the keyboard: the macro area and the key maps
// of the profiles, in one configuration bracket.
#pragma once

#include <cstdint>
#include <functional>

#include "device/device_link.h"
#include "model/config_store.h"
#include "model/key_map.h"
#include "platform/window_interface.h"

namespace model {

struct KeyMapWriter {
  device::DeviceLink& link;
  ConfigStore& store;
  const DefaultMatrix& defaultMatrix;
  platform::WindowInterface& window;
  // Bytes the keyboard holds for macros.
  uint32_t macroCapacity;
  // The keyboard's active profile, -1 when it is not known.
  std::function<int()> activeSlot;
};

// Encodes the snapshot (the caller has filled it and holds the store's lock)
// and writes it: all three profiles, or only the active one. 1 when the last
// key map was written, 0 otherwise. An area too large for the keyboard even
// without macro names is refused with "EXTRA_MACRO_TOO_LONG" and nothing is
// sent; when only the names don't fit they are left out and
// "EXTRA_PROFILE_SPACE_TIGHT" says so afterwards.
int WriteKeyMapsAndMacros(const KeyMapWriter& writer, bool allSlots);

}  // namespace model
