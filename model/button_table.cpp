#include "model/button_table.h"

namespace model {
namespace {

// In KeyIndex order: control id, KeyCode, KeyIndex.
constexpr std::array<KeyButton, kKeyButtonCount> kButtons = {{
    {1022, 0x001, 0},    // Esc
    {1010, 0x03B, 1},    // F1
    {1011, 0x03C, 2},    // F2
    {1012, 0x03D, 3},    // F3
    {1013, 0x03E, 4},    // F4
    {1014, 0x03F, 5},    // F5
    {1015, 0x040, 6},    // F6
    {1023, 0x041, 7},    // F7
    {1024, 0x042, 8},    // F8
    {1025, 0x043, 9},    // F9
    {1026, 0x044, 10},   // F10
    {1027, 0x057, 11},   // F11
    {1028, 0x058, 12},   // F12
    {1091, 0x137, 14},   // Print Screen
    {1092, 0x046, 15},   // Scroll Lock
    {1093, 0x045, 16},   // Pause
    {1029, 0x029, 21},   // ` ~
    {1030, 0x002, 22},   // 1
    {1031, 0x003, 23},   // 2
    {1032, 0x004, 24},   // 3
    {1033, 0x005, 25},   // 4
    {1034, 0x006, 26},   // 5
    {1035, 0x007, 27},   // 6
    {1036, 0x008, 28},   // 7
    {1037, 0x009, 29},   // 8
    {1038, 0x00A, 30},   // 9
    {1039, 0x00B, 31},   // 0
    {1040, 0x00C, 32},   // -
    {1041, 0x00D, 33},   // =
    {1043, 0x00E, 34},   // Backspace
    {1094, 0x152, 35},   // Insert
    {1095, 0x147, 36},   // Home
    {1096, 0x149, 37},   // Page Up
    {1104, 0x145, 38},   // Num Lock
    {1105, 0x135, 39},   // keypad /
    {1106, 0x037, 40},   // keypad *
    {1107, 0x04A, 41},   // keypad -
    {1056, 0x00F, 42},   // Tab
    {1044, 0x010, 43},   // Q
    {1045, 0x011, 44},   // W
    {1046, 0x012, 45},   // E
    {1047, 0x013, 46},   // R
    {1048, 0x014, 47},   // T
    {1049, 0x015, 48},   // Y
    {1050, 0x016, 49},   // U
    {1051, 0x017, 50},   // I
    {1052, 0x018, 51},   // O
    {1053, 0x019, 52},   // P
    {1054, 0x01A, 53},   // [
    {1055, 0x01B, 54},   // ]
    {1042, 0x02B, 55},   // backslash
    {1097, 0x153, 56},   // Delete
    {1098, 0x14F, 57},   // End
    {1099, 0x151, 58},   // Page Down
    {1108, 0x047, 59},   // keypad 7
    {1109, 0x048, 60},   // keypad 8
    {1110, 0x049, 61},   // keypad 9
    {1111, 0x04E, 62},   // keypad +
    {1069, 0x03A, 63},   // Caps Lock
    {1058, 0x01E, 64},   // A
    {1059, 0x01F, 65},   // S
    {1060, 0x020, 66},   // D
    {1061, 0x021, 67},   // F
    {1062, 0x022, 68},   // G
    {1063, 0x023, 69},   // H
    {1064, 0x024, 70},   // J
    {1065, 0x025, 71},   // K
    {1066, 0x026, 72},   // L
    {1067, 0x027, 73},   // ;
    {1068, 0x028, 74},   // '
    {1070, 0x01C, 76},   // Enter
    {1112, 0x04B, 80},   // keypad 4
    {1113, 0x04C, 81},   // keypad 5
    {1114, 0x04D, 82},   // keypad 6
    {1082, 0x02A, 84},   // left Shift
    {1199, 0x056, 85},   // K45, between left Shift and Z
    {1071, 0x02C, 86},   // Z
    {1072, 0x02D, 87},   // X
    {1073, 0x02E, 88},   // C
    {1074, 0x02F, 89},   // V
    {1075, 0x030, 90},   // B
    {1076, 0x031, 91},   // N
    {1077, 0x032, 92},   // M
    {1078, 0x033, 93},   // ,
    {1079, 0x034, 94},   // .
    {1080, 0x035, 95},   // /
    {1081, 0x036, 97},   // right Shift
    {1103, 0x148, 99},   // Up
    {1115, 0x04F, 101},  // keypad 1
    {1116, 0x050, 102},  // keypad 2
    {1117, 0x051, 103},  // keypad 3
    {1118, 0x11C, 104},  // keypad Enter
    {1083, 0x01D, 105},  // left Ctrl
    {1084, 0x15B, 106},  // left Win
    {1085, 0x038, 107},  // left Alt
    {1090, 0x039, 108},  // Space
    {1086, 0x138, 109},  // right Alt
    {1088, 0x15D, 111},  // App
    {1089, 0x11D, 113},  // right Ctrl
    {1087, 0x15C, 116},  // right Win
    {1100, 0x14B, 119},  // Left
    {1101, 0x150, 120},  // Down
    {1102, 0x14D, 121},  // Right
    {1120, 0x052, 123},  // keypad 0
    {1119, 0x053, 124},  // keypad .
}};

}  // namespace

const std::array<KeyButton, kKeyButtonCount>& KeyButtons() {
  return kButtons;
}

std::optional<KeyButton> KeyButtonOfControl(int controlId) {
  for (const KeyButton& button : kButtons)
    if (button.controlId == controlId) return button;
  return std::nullopt;
}

int GKeyNumberOfControl(int controlId) {
  for (std::size_t i = 0; i < kGKeyButtonIds.size(); ++i)
    if (kGKeyButtonIds[i] == controlId) return static_cast<int>(i) + 1;
  return 0;
}

int KeyIndexOfControl(int controlId) {
  if (const auto button = KeyButtonOfControl(controlId)) return button->keyIndex;
  if (GKeyNumberOfControl(controlId) != 0) return kGKeyIndex;
  if (controlId == kFnButtonId) return kFnKeyIndex;
  return -1;
}

}  // namespace model
