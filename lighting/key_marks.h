// The per-button mark flags of the custom effect, one per profile slot for
// every button that shows a key colour (the button table's keys, the nine G
// keys and the Fn key). A marked key follows the base colour.
#pragma once

#include <array>

#include "device/keyboard_commands.h"
#include "model/button_table.h"

namespace lighting {

inline constexpr int kMarkedButtonCount =
    model::kKeyButtonCount + static_cast<int>(model::kGKeyButtonIds.size()) + 1;

class KeyMarks {
 public:
  // False for a button without a key colour or a slot outside 0..2.
  bool Marked(int controlId, int slot) const;
  // Ignored for a button without a key colour or a slot outside 0..2.
  void Set(int controlId, int slot, bool marked);

 private:
  std::array<std::array<bool, device::kProfileSlots>, kMarkedButtonCount> marks_{};
};

}  // namespace lighting
