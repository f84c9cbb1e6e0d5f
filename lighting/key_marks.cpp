#include "lighting/key_marks.h"

#include <cstddef>

namespace lighting {
namespace {

// Position of the button's flags, -1 when it shows no key colour.
int PositionOf(int controlId) {
  const auto& keys = model::KeyButtons();
  for (std::size_t i = 0; i < keys.size(); ++i)
    if (keys[i].controlId == controlId) return static_cast<int>(i);
  for (std::size_t g = 0; g < model::kGKeyButtonIds.size(); ++g)
    if (model::kGKeyButtonIds[g] == controlId) return model::kKeyButtonCount + static_cast<int>(g);
  if (controlId == model::kFnButtonId) return kMarkedButtonCount - 1;
  return -1;
}

}  // namespace

bool KeyMarks::Marked(int controlId, int slot) const {
  const int at = PositionOf(controlId);
  if (at < 0 || slot < 0 || slot >= device::kProfileSlots) return false;
  return marks_[static_cast<std::size_t>(at)][static_cast<std::size_t>(slot)];
}

void KeyMarks::Set(int controlId, int slot, bool marked) {
  const int at = PositionOf(controlId);
  if (at < 0 || slot < 0 || slot >= device::kProfileSlots) return;
  marks_[static_cast<std::size_t>(at)][static_cast<std::size_t>(slot)] = marked;
}

}  // namespace lighting
