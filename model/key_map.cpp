#include "model/key_map.h"

#include "model/key_table.h"

namespace model {
namespace {

constexpr KeyMapBlock MakeBuiltInDefault() {
  // Rows of eight positions; 64..125 stay empty.
  constexpr uint8_t rows[64][3] = {
      {5, 0, 0},    {5, 0, 0},    {5, 0, 0},    {5, 0, 0},    {5, 0, 0},    {5, 0, 0},
      {0, 0, 0},    {0, 0, 0},    {2, 2, 0x29}, {2, 2, 0x35}, {2, 2, 0x2B}, {2, 2, 0x39},
      {2, 1, 0x02}, {2, 1, 0x01}, {0, 0, 0},    {0, 0, 0},    {2, 2, 0x3A}, {2, 2, 0x1E},
      {2, 2, 0x14}, {2, 2, 0x04}, {2, 2, 0x1D}, {2, 1, 0x08}, {0, 0, 0},    {0, 0, 0},
      {2, 2, 0x3B}, {2, 2, 0x1F}, {2, 2, 0x1A}, {2, 2, 0x16}, {2, 2, 0x1B}, {2, 1, 0x04},
      {0, 0, 0},    {0, 0, 0},    {2, 2, 0x3C}, {2, 2, 0x20}, {2, 2, 0x08}, {2, 2, 0x07},
      {2, 2, 0x06}, {2, 2, 0x2C}, {2, 2, 0x46}, {0, 0, 0},    {2, 2, 0x3D}, {2, 2, 0x21},
      {2, 2, 0x15}, {2, 2, 0x09}, {2, 2, 0x19}, {2, 1, 0x40}, {2, 2, 0x47}, {0, 0, 0},
      {2, 2, 0x3E}, {2, 2, 0x22}, {2, 2, 0x17}, {2, 2, 0x0A}, {2, 2, 0x05}, {5, 2, 0x02},
      {2, 2, 0x2E}, {0, 0, 0},    {2, 2, 0x3F}, {2, 2, 0x23}, {2, 2, 0x1C}, {2, 2, 0x0B},
      {2, 2, 0x11}, {2, 2, 0x65}, {2, 2, 0x48}, {0, 0, 0},
  };
  KeyMapBlock block{};
  for (int k = 0; k < 64; ++k)
    for (int b = 0; b < 3; ++b) block[static_cast<std::size_t>(k * 3 + b)] = rows[k][b];
  return block;
}

constexpr KeyMapBlock kBuiltInDefault = MakeBuiltInDefault();

// Type-2 codes that are not plain keyboard keys, in the order they are tried.
struct SpecialEntry {
  KeyCode code;
  MapEntry entry;
};
constexpr SpecialEntry kSpecialEntries[] = {
    {0x01D, {2, 1, 0x01}}, {0x02A, {2, 1, 0x02}}, {0x038, {2, 1, 0x04}}, {0x15B, {2, 1, 0x08}},
    {0x11D, {2, 1, 0x10}}, {0x036, {2, 1, 0x20}}, {0x138, {2, 1, 0x40}}, {0x15C, {2, 1, 0x80}},
    {0x171, {1, 1, 0x01}}, {0x172, {1, 1, 0x02}}, {0x173, {1, 1, 0x04}}, {0x161, {1, 5, 0x01}},
    {0x162, {1, 5, 0xFF}},
};

}  // namespace

const KeyMapBlock& BuiltInDefaultMatrix() {
  return kBuiltInDefault;
}

KeyCode CodeOfEntry(uint8_t kind, uint8_t b1, uint8_t b2) {
  switch (kind) {
    case 0x01:
      if (b1 == 0x01) return b2 == 0x01 ? 0x171 : b2 == 0x02 ? 0x172 : b2 == 0x04 ? 0x173 : 0;
      if (b1 == 0x05) return b2 == 0x01 ? 0x161 : b2 == 0xFF ? 0x162 : 0;
      return 0;
    case 0x02:
      if (b1 == 0x02) return CodeOfUsage({kUsageKindKeyboard, b2});
      return CodeOfModifierMask(b2);
    case 0x03:
      return CodeOfUsage({kUsageKindConsumer, static_cast<uint16_t>(b1 | (b2 << 8))});
    case 0x04:
      return CodeOfUsage({kUsageKindSystem, static_cast<uint16_t>(b1 | (b2 << 8))});
    case 0x06:
      return b1 == 0xA2 && b2 >= 1 && b2 <= kGKeyCount ? static_cast<KeyCode>(0x1FF + b2) : 0;
    default:
      return 0;
  }
}

int MacroSlotOfId(const MacroList& macros, uint16_t id) {
  for (std::size_t i = 0; i < macros.size(); ++i)
    if (macros[i].Id() == id) return static_cast<int>(i);
  return 0;
}

MapEntry EntryOfAction(const KeyAction& action, MapEntry defaultEntry, const MacroList& macros) {
  switch (action.type) {
    case kActionDefault:
    case kActionLaunch:
      return defaultEntry;
    case kActionDisabled:
    case kActionTextBlock:
      return {};
    case kActionKey: {
      const auto code = static_cast<KeyCode>(action.value);
      for (const SpecialEntry& special : kSpecialEntries)
        if (special.code == action.value) return special.entry;
      const UsageRef usage = UsageOfCode(code);
      return {2, 2, static_cast<uint8_t>(usage.kind == kUsageKindKeyboard ? usage.value : 0)};
    }
    case kActionMacro:
      return {5, 1,
              static_cast<uint8_t>(MacroSlotOfId(macros, static_cast<uint16_t>(action.value)))};
    case kActionStopMacro:
      return {5, 2, 0};
    case kActionMedia: {
      if (action.value >= static_cast<uint32_t>(kMediaCount)) return defaultEntry;
      const uint16_t usage = MediaTable()[action.value].consumerUsage;
      return {3, static_cast<uint8_t>(usage), static_cast<uint8_t>(usage >> 8)};
    }
    case kActionFunction:
      return {5, 5, static_cast<uint8_t>(action.value % 256)};
    default:
      return defaultEntry;
  }
}

void DecodeKeyMap(const KeyMapBlock& block, const KeyMapBlock& defaultMatrix, ProfileImage& image,
                  int area) {
  if (!ValidArea(area)) return;
  image.ResetArea(area);
  for (int k = 0; k < kMapEntries; ++k) {
    const MapEntry entry = EntryAt(block, k);
    const MapEntry factory = EntryAt(defaultMatrix, k);
    if (entry == factory) continue;
    const KeyCode key = CodeOfEntry(factory);
    if (key == kNoKey) continue;
    const int slot = SlotOfCode(key);
    KeyAction action = image.ActionAt(area, slot);
    action.type = kActionDisabled;
    action.value = 0;
    switch (entry.kind) {
      case 0x05:
        if (entry.b1 == 0x01) {
          action.type = kActionMacro;
          action.value = entry.b2 + 1u;
        } else if (entry.b1 == 0x02) {
          action.type = kActionStopMacro;
        } else if (entry.b1 == 0x05) {
          action.type = kActionFunction;
          action.value = entry.b2;
        }
        break;
      case 0x03: {
        const int media =
            MediaIndexOfConsumerUsage(static_cast<uint16_t>(entry.b1 | (entry.b2 << 8)));
        if (media >= 0) {
          action.type = kActionMedia;
          action.value = static_cast<uint32_t>(media);
        }
        break;
      }
      case 0x01: {
        const KeyCode mouse = CodeOfEntry(entry);
        if (mouse != kNoKey) {
          action.type = kActionKey;
          action.value = mouse;
        }
        break;
      }
      case 0x02:
        if (entry.b1 == 0x02) {
          const KeyCode other = CodeOfUsage({kUsageKindKeyboard, entry.b2});
          if (other != kNoKey) {
            action.type = kActionKey;
            action.value = other;
          }
        } else if (entry.b1 == 0x01) {
          action.type = kActionKey;
          action.value = CodeOfModifierMask(entry.b2);
        }
        break;
      default:
        break;
    }
    image.SetAction(area, slot, action);
  }
}

KeyMapBlock EncodeKeyMap(const ProfileImage& image, int area, const KeyMapBlock& defaultMatrix,
                         const MacroList& macros) {
  KeyMapBlock block = defaultMatrix;
  for (int k = 0; k < kMapEntries; ++k) {
    const MapEntry factory = EntryAt(defaultMatrix, k);
    const KeyCode key = CodeOfEntry(factory);
    if (key == kNoKey) continue;
    SetEntryAt(block, k, EntryOfAction(image.ActionAt(area, SlotOfCode(key)), factory, macros));
  }
  return block;
}

}  // namespace model
