// The static key tables and the conversions between the code spaces: key
// codes, usages the keyboard sends, virtual-key codes of keyboard events and
// positions in the key list. Pure functions over constant data.
#pragma once

#include <array>
#include <cstdint>

#include "model/key_codes.h"

namespace model {

// One row of the key table, by KeySlot. An empty row has VK 0, list
// position 0xFFFF, usage byte 0 and no language key.
struct KeyRow {
  uint8_t vk = 0;
  uint8_t vkNumLockOff = 0;  // the numeric pad's VK with Num Lock off; vk elsewhere
  KeyListPos listPos = kNoListPos;
  uint8_t usage = 0;
  const char* languageKey = nullptr;  // the display name's key in section "TEXT"
};

// One multimedia function, by MediaIndex.
struct MediaRow {
  KeyCode code = kNoKey;
  uint16_t consumerUsage = 0;  // HID Consumer page
  uint8_t usage = 0;           // its usage byte in the key table
  const char* languageKey = nullptr;
};

// A bit of the HID boot-keyboard modifier byte and its key.
struct ModifierBit {
  uint8_t bit = 0;
  KeyCode code = kNoKey;
};

const std::array<KeyRow, kKeyTableRows>& KeyTable();
const std::array<MediaRow, kMediaCount>& MediaTable();
// The consumer usages whose positions give the usage bytes 0xC0.. of the
// multimedia functions.
const std::array<uint16_t, kMediaCount>& ConsumerUsages();
// From bit 0x01 (left Ctrl) to bit 0x80 (right Win).
const std::array<ModifierBit, 8>& ModifierBits();

// Rows 0..255; an empty row for any other slot.
const KeyRow& KeyRowOf(KeySlot slot);
// The row of a code; an empty row for codes without a slot of their own.
const KeyRow& KeyRowOfCode(KeyCode code);

// The first row, in slot order, with that position; 0 when none has it.
KeyCode CodeOfListPos(KeyListPos pos);
// 0xFFFF when the code has no row.
KeyListPos ListPosOfCode(KeyCode code);

// Multimedia functions come out as keyboard-page usages with their 0xC0..
// byte: the consumer kind is never produced.
UsageRef UsageOfCode(KeyCode code);
// The first row, in slot order, that sends the usage; 0 when none.
KeyCode CodeOfUsage(UsageRef usage);

// The key of the lowest set bit; 0 for an empty mask.
KeyCode CodeOfModifierMask(uint8_t mask);
// 0 when the code is not one of the eight modifiers.
uint8_t ModifierBitOfCode(KeyCode code);

// The key of a Windows virtual-key code; 0 for VKs that name no key of
// their own (mouse buttons, the program's private function VKs, 0xFF).
KeyCode CodeOfVk(uint32_t vk);
// The key of a keyboard-hook event: keyData carries the scan code in bits
// 16..23 and the extended flag in bit 24. The scan code wins whenever it is
// consistent with the VK, which tells apart keys sharing a VK.
KeyCode CodeOfHookKey(uint32_t vk, uint32_t keyData);

// -1 when the code is not a multimedia function.
int MediaIndexOfCode(KeyCode code);
// -1 when no multimedia function sends the usage.
int MediaIndexOfConsumerUsage(uint16_t consumerUsage);

}  // namespace model
