#include "lighting/key_colour_table.h"

namespace lighting {
namespace {

bool Valid(int slot, int keyIndex) {
  return slot >= 0 && slot < device::kProfileSlots && keyIndex >= 0 &&
         keyIndex < model::kKeyColourCount;
}

}  // namespace

Colour KeyColourTable::At(int slot, int keyIndex) const {
  if (!Valid(slot, keyIndex)) return 0;
  const auto& row = bytes_[static_cast<std::size_t>(slot)];
  const auto at = static_cast<std::size_t>(keyIndex) * 3;
  return MakeColour(row[at], row[at + 1], row[at + 2]);
}

void KeyColourTable::Set(int slot, int keyIndex, Colour colour) {
  if (!Valid(slot, keyIndex)) return;
  auto& row = bytes_[static_cast<std::size_t>(slot)];
  const auto at = static_cast<std::size_t>(keyIndex) * 3;
  row[at] = Red(colour);
  row[at + 1] = Green(colour);
  row[at + 2] = Blue(colour);
}

std::span<const uint8_t> KeyColourTable::Bytes(int slot) const {
  if (slot < 0 || slot >= device::kProfileSlots) return {};
  return bytes_[static_cast<std::size_t>(slot)];
}

}  // namespace lighting
