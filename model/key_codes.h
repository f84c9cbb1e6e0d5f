// The code spaces every key, mouse button and special function is named in:
// the program's own KeyCode, its row in the key table and in a profile area
// (KeySlot), its place in the list of assignable keys (KeyListPos) and what
// the keyboard sends for it (UsageRef).
#pragma once

#include <cstddef>
#include <cstdint>

namespace model {

// Scan-code-set-1 make code, plus 0x100 for keys with the E0 prefix; free
// codes in the E0 range name the functions without a scan code; 0x200..0x211
// are the G keys. 0 is no key.
using KeyCode = uint16_t;
// 0..255 the key table's rows, 256..273 the G keys, up to 511 in a profile area.
using KeySlot = uint16_t;
using KeyListPos = uint16_t;
// 0..17, the position in the multimedia table.
using MediaIndex = int;

inline constexpr KeyCode kNoKey = 0;
inline constexpr KeyCode kExtendedKey = 0x100;

inline constexpr KeyCode kKeyEnter = 0x01C;
inline constexpr KeyCode kKeyLeftCtrl = 0x01D;
inline constexpr KeyCode kKeyLeftShift = 0x02A;
inline constexpr KeyCode kKeyRightShift = 0x036;
inline constexpr KeyCode kKeyLeftAlt = 0x038;
inline constexpr KeyCode kKeySysReq = 0x054;
inline constexpr KeyCode kKeyNumEnter = 0x11C;
inline constexpr KeyCode kKeyRightCtrl = 0x11D;
inline constexpr KeyCode kKeyPrintScreen = 0x137;
inline constexpr KeyCode kKeyRightAlt = 0x138;
inline constexpr KeyCode kKeyNumLock = 0x145;
inline constexpr KeyCode kKeyLeftWin = 0x15B;
inline constexpr KeyCode kKeyRightWin = 0x15C;
inline constexpr KeyCode kKeyApp = 0x15D;

inline constexpr KeyCode kKeyWheelUp = 0x161;
inline constexpr KeyCode kKeyWheelDown = 0x162;
inline constexpr KeyCode kKeyPanLeft = 0x16E;
inline constexpr KeyCode kKeyPanRight = 0x16F;
inline constexpr KeyCode kKeyDoubleClick = 0x170;
inline constexpr KeyCode kKeyMouseLeft = 0x171;
inline constexpr KeyCode kKeyMouseRight = 0x172;
inline constexpr KeyCode kKeyMouseMiddle = 0x173;
inline constexpr KeyCode kFirstOfficeKey = 0x174;  // Zoom- .. Calendar
inline constexpr KeyCode kLastOfficeKey = 0x17E;

inline constexpr int kGKeyCount = 18;
inline constexpr KeyCode kFirstGKey = 0x200;  // G1
inline constexpr KeyCode kLastGKey = kFirstGKey + kGKeyCount - 1;

inline constexpr std::size_t kKeyTableRows = 256;
inline constexpr std::size_t kSlotCount = 512;
inline constexpr KeySlot kFirstGKeySlot = 256;

// The key list offers positions 0..105; 107..111 are the mouse buttons and
// the wheel; 0x8001.. are special functions never offered in the list.
inline constexpr KeyListPos kListedKeyCount = 106;
inline constexpr KeyListPos kFirstMouseListPos = 107;
inline constexpr KeyListPos kLastMouseListPos = 111;
inline constexpr KeyListPos kFirstSpecialListPos = 0x8001;
inline constexpr KeyListPos kNoListPos = 0xFFFF;

inline constexpr int kMediaCount = 18;

// What the keyboard sends: the HID page (by kind) and the usage on it.
struct UsageRef {
  uint8_t kind = 0;
  uint16_t value = 0;
  friend constexpr bool operator==(const UsageRef&, const UsageRef&) = default;
};

inline constexpr uint8_t kUsageKindNone = 0;
inline constexpr uint8_t kUsageKindSystem = 1;  // Generic Desktop system control
inline constexpr uint8_t kUsageKindMouse = 2;
inline constexpr uint8_t kUsageKindKeyboard = 7;
inline constexpr uint8_t kUsageKindConsumer = 12;

// Usage bytes of the key table beyond the HID Keyboard page.
inline constexpr uint8_t kUsageFirstSystem = 0x81;  // Power, Sleep, Wake
inline constexpr uint8_t kUsageLastSystem = 0x83;
inline constexpr uint8_t kUsageFirstMedia = 0xC0;  // + MediaIndex position in the consumer list
inline constexpr uint8_t kUsageFirstMouse = 0xF1;  // left, right, middle, wheel up, wheel down
inline constexpr uint8_t kUsageLastMouse = 0xF8;

// Codes 0x080..0x0FF and 0x180..0x1FF share their slots with codes of the
// table's range and are never produced by the program. Codes from 0x300 on
// have no slot of their own; they fall on the no-key slot 0 so that a slot
// always indexes a 512-entry profile area.
constexpr KeySlot SlotOfCode(KeyCode code) {
  if (code < 0x100) return code;
  if (code < 0x200) return static_cast<KeySlot>((code - 0x80) % 256);
  if (code < 0x100 + kSlotCount) return static_cast<KeySlot>(code - 0x100);
  return 0;
}

// The inverse for every slot: 0..255 give the table's codes, 256..511 the
// codes from 0x200 on; slots beyond the profile area give no key.
constexpr KeyCode CodeOfSlot(KeySlot slot) {
  if (slot < 0x80) return slot;
  if (slot < kKeyTableRows) return static_cast<KeyCode>(slot + 0x80);
  if (slot < kSlotCount) return static_cast<KeyCode>(slot + 0x100);
  return kNoKey;
}

// True for the codes whose slot is theirs alone (CodeOfSlot gives them back).
constexpr bool HasOwnSlot(KeyCode code) {
  return CodeOfSlot(SlotOfCode(code)) == code;
}

}  // namespace model
