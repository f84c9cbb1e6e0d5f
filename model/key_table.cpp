// Lookups over the key tables. Searches by list position, usage or VK scan
// the rows in slot order and the first match wins, which settles the rows
// that share a value (the two Right Shift rows, Pause and Break, ...).
#include "model/key_table.h"

namespace model {
namespace {

constexpr KeyRow kEmptyRow{};

// The rows that share VK 0x0D, 0x2C and 0xA1, and the generic modifier VKs
// that have no row of their own.
KeyCode FixedCodeOfVk(uint32_t vk) {
  switch (vk) {
    case 0x0D:
      return kKeyEnter;
    case 0x10:
      return kKeyLeftShift;
    case 0x11:
      return kKeyLeftCtrl;
    case 0x12:
      return kKeyLeftAlt;
    case 0x2C:
      return kKeyPrintScreen;
    case 0xA1:
      return kKeyRightShift;
    default:
      return kNoKey;
  }
}

// Mouse buttons, the program's private VKs of the pan, double-click, zoom and
// office rows, and 0xFF (no VK) never come from a keyboard event.
bool VkNamesNoKey(uint32_t vk) {
  return vk == 0 || vk == 0x01 || vk == 0x02 || vk == 0x04 || (vk >= 0x88 && vk <= 0x8C) ||
         (vk >= 0x97 && vk <= 0x9F) || vk >= 0xFF;
}

KeyCode FirstCodeWithUsage(uint8_t usage) {
  const auto& table = KeyTable();
  for (KeySlot slot = 0; slot < kKeyTableRows; ++slot) {
    if (table[slot].usage == usage) return CodeOfSlot(slot);
  }
  return kNoKey;
}

// The usage byte a consumer usage is sent as; 0 when it is none of the list.
// Usage 0 is "no usage" and never matches.
uint8_t UsageByteOfConsumer(uint16_t consumerUsage) {
  if (consumerUsage == 0) return 0;
  const auto& usages = ConsumerUsages();
  for (std::size_t i = 0; i < usages.size(); ++i) {
    if (usages[i] == consumerUsage) return static_cast<uint8_t>(kUsageFirstMedia + i);
  }
  return 0;
}

}  // namespace

const KeyRow& KeyRowOf(KeySlot slot) {
  return slot < kKeyTableRows ? KeyTable()[slot] : kEmptyRow;
}

const KeyRow& KeyRowOfCode(KeyCode code) {
  return HasOwnSlot(code) ? KeyRowOf(SlotOfCode(code)) : kEmptyRow;
}

KeyCode CodeOfListPos(KeyListPos pos) {
  if (pos == kNoListPos) return kNoKey;
  const auto& table = KeyTable();
  for (KeySlot slot = 0; slot < kKeyTableRows; ++slot) {
    if (table[slot].listPos == pos) return CodeOfSlot(slot);
  }
  return kNoKey;
}

KeyListPos ListPosOfCode(KeyCode code) {
  return KeyRowOfCode(code).listPos;
}

UsageRef UsageOfCode(KeyCode code) {
  const uint8_t b = KeyRowOfCode(code).usage;
  if (b == 0x00 || b == 0xFF) return {kUsageKindNone, 0};
  if (b >= kUsageFirstSystem && b <= kUsageLastSystem) return {kUsageKindSystem, b};
  if (b >= kUsageFirstMouse && b <= kUsageLastMouse) return {kUsageKindMouse, b};
  return {kUsageKindKeyboard, b};
}

KeyCode CodeOfUsage(UsageRef usage) {
  uint8_t b = 0;
  switch (usage.kind) {
    case kUsageKindKeyboard:
      // A value beyond a byte names no row; it must not be cut to one.
      if (usage.value > 0xFF) return kNoKey;
      b = static_cast<uint8_t>(usage.value);
      break;
    case kUsageKindSystem:
      if (usage.value >= kUsageFirstSystem && usage.value <= kUsageLastSystem) {
        b = static_cast<uint8_t>(usage.value);
      }
      break;
    case kUsageKindConsumer:
      b = UsageByteOfConsumer(usage.value);
      break;
    default:
      break;
  }
  if (b == 0) return kNoKey;
  return FirstCodeWithUsage(b);
}

KeyCode CodeOfModifierMask(uint8_t mask) {
  for (const ModifierBit& m : ModifierBits()) {
    if (mask & m.bit) return m.code;
  }
  return kNoKey;
}

uint8_t ModifierBitOfCode(KeyCode code) {
  for (const ModifierBit& m : ModifierBits()) {
    if (m.code == code) return m.bit;
  }
  return 0;
}

KeyCode CodeOfVk(uint32_t vk) {
  if (const KeyCode fixed = FixedCodeOfVk(vk); fixed != kNoKey) return fixed;
  if (VkNamesNoKey(vk)) return kNoKey;
  const auto& table = KeyTable();
  for (KeySlot slot = 0; slot < kKeyTableRows; ++slot) {
    if (table[slot].vk == vk) return CodeOfSlot(slot);
  }
  return kNoKey;
}

KeyCode CodeOfHookKey(uint32_t vk, uint32_t keyData) {
  // Scan code and extended flag together are already a candidate code.
  const auto s = static_cast<KeyCode>((keyData >> 16) & 0x1FF);
  const uint8_t scanByte = s & 0xFF;
  const KeyCode w = CodeOfVk(vk);
  // Right Shift comes with the generic Shift VK, which alone means left Shift.
  if (s == kKeyRightShift) return kKeyRightShift;
  // A scan byte from 0x80 on is no make code: as a code it would fall on
  // another key's slot, so the scan code is trusted only within the table.
  const bool scanIsKey = HasOwnSlot(s);
  if (vk == 0xFF) return scanIsKey ? s : kNoKey;
  if (scanByte == 0) return w;
  if (scanIsKey) {
    const KeyRow& row = KeyRowOfCode(s);
    if (vk != 0 && (row.vk == vk || row.vkNumLockOff == vk)) return s;
    if (w != kNoKey && SlotOfCode(w) == scanByte) return s;
  }
  return w;
}

int MediaIndexOfCode(KeyCode code) {
  if (code == kNoKey) return -1;
  const auto& media = MediaTable();
  for (std::size_t i = 0; i < media.size(); ++i) {
    if (media[i].code == code) return static_cast<int>(i);
  }
  return -1;
}

int MediaIndexOfConsumerUsage(uint16_t consumerUsage) {
  if (consumerUsage == 0) return -1;
  const auto& media = MediaTable();
  for (std::size_t i = 0; i < media.size(); ++i) {
    if (media[i].consumerUsage == consumerUsage) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace model
