#include "tools/skin_generator/keyboard_geometry.h"

#include <cstdio>
#include <cstdlib>

#include "model/button_table.h"
#include "skin/skin_layout.h"

namespace skingen {
namespace {

// Rows, in quarter units: the function row at 0, then after half a unit the
// five main rows. The navigation cluster starts at 15.5 units, the numeric
// pad at 19.
constexpr int kRowF = 0, kRow0 = 6, kRow1 = 10, kRow2 = 14, kRow3 = 18, kRow4 = 22;
constexpr int kNav = 62, kPad = 76;

std::vector<KeyCell> BuildCells() {
  std::vector<KeyCell> cells = {
      // Function row, with its gaps.
      {1022, 0, kRowF, 4, 4, "Esc"},
      {1010, 8, kRowF, 4, 4, "F1"},
      {1011, 12, kRowF, 4, 4, "F2"},
      {1012, 16, kRowF, 4, 4, "F3"},
      {1013, 20, kRowF, 4, 4, "F4"},
      {1014, 26, kRowF, 4, 4, "F5"},
      {1015, 30, kRowF, 4, 4, "F6"},
      {1023, 34, kRowF, 4, 4, "F7"},
      {1024, 38, kRowF, 4, 4, "F8"},
      {1025, 44, kRowF, 4, 4, "F9"},
      {1026, 48, kRowF, 4, 4, "F10"},
      {1027, 52, kRowF, 4, 4, "F11"},
      {1028, 56, kRowF, 4, 4, "F12"},
      {1091, kNav, kRowF, 4, 4, "PrtSc"},
      {1092, kNav + 4, kRowF, 4, 4, "ScrLk"},
      {1093, kNav + 8, kRowF, 4, 4, "Pause"},
      // Number row.
      {1029, 0, kRow0, 4, 4, "~\n`"},
      {1030, 4, kRow0, 4, 4, "!\n1"},
      {1031, 8, kRow0, 4, 4, "@\n2"},
      {1032, 12, kRow0, 4, 4, "#\n3"},
      {1033, 16, kRow0, 4, 4, "$\n4"},
      {1034, 20, kRow0, 4, 4, "%\n5"},
      {1035, 24, kRow0, 4, 4, "^\n6"},
      {1036, 28, kRow0, 4, 4, "&\n7"},
      {1037, 32, kRow0, 4, 4, "*\n8"},
      {1038, 36, kRow0, 4, 4, "(\n9"},
      {1039, 40, kRow0, 4, 4, ")\n0"},
      {1040, 44, kRow0, 4, 4, "_\n-"},
      {1041, 48, kRow0, 4, 4, "+\n="},
      {1043, 52, kRow0, 8, 4, "Backspace"},
      {1094, kNav, kRow0, 4, 4, "Insert"},
      {1095, kNav + 4, kRow0, 4, 4, "Home"},
      {1096, kNav + 8, kRow0, 4, 4, "PgUp"},
      {1104, kPad, kRow0, 4, 4, "Num"},
      {1105, kPad + 4, kRow0, 4, 4, "/"},
      {1106, kPad + 8, kRow0, 4, 4, "*"},
      {1107, kPad + 12, kRow0, 4, 4, "-"},
      // Top letter row.
      {1056, 0, kRow1, 6, 4, "Tab"},
      {1044, 6, kRow1, 4, 4, "Q"},
      {1045, 10, kRow1, 4, 4, "W"},
      {1046, 14, kRow1, 4, 4, "E"},
      {1047, 18, kRow1, 4, 4, "R"},
      {1048, 22, kRow1, 4, 4, "T"},
      {1049, 26, kRow1, 4, 4, "Y"},
      {1050, 30, kRow1, 4, 4, "U"},
      {1051, 34, kRow1, 4, 4, "I"},
      {1052, 38, kRow1, 4, 4, "O"},
      {1053, 42, kRow1, 4, 4, "P"},
      {1054, 46, kRow1, 4, 4, "{\n["},
      {1055, 50, kRow1, 4, 4, "}\n]"},
      {1042, 54, kRow1, 6, 4, "|\n\\"},
      {1097, kNav, kRow1, 4, 4, "Delete"},
      {1098, kNav + 4, kRow1, 4, 4, "End"},
      {1099, kNav + 8, kRow1, 4, 4, "PgDn"},
      {1108, kPad, kRow1, 4, 4, "7"},
      {1109, kPad + 4, kRow1, 4, 4, "8"},
      {1110, kPad + 8, kRow1, 4, 4, "9"},
      {1111, kPad + 12, kRow1, 4, 8, "+"},
      // Home row.
      {1069, 0, kRow2, 7, 4, "Caps Lock"},
      {1058, 7, kRow2, 4, 4, "A"},
      {1059, 11, kRow2, 4, 4, "S"},
      {1060, 15, kRow2, 4, 4, "D"},
      {1061, 19, kRow2, 4, 4, "F"},
      {1062, 23, kRow2, 4, 4, "G"},
      {1063, 27, kRow2, 4, 4, "H"},
      {1064, 31, kRow2, 4, 4, "J"},
      {1065, 35, kRow2, 4, 4, "K"},
      {1066, 39, kRow2, 4, 4, "L"},
      {1067, 43, kRow2, 4, 4, ":\n;"},
      {1068, 47, kRow2, 4, 4, "\"\n'"},
      {1070, 51, kRow2, 9, 4, "Enter"},
      {1112, kPad, kRow2, 4, 4, "4"},
      {1113, kPad + 4, kRow2, 4, 4, "5"},
      {1114, kPad + 8, kRow2, 4, 4, "6"},
      // Bottom letter row: short left Shift and the extra ISO key.
      {1082, 0, kRow3, 5, 4, "Shift"},
      {1199, 5, kRow3, 4, 4, "\\ |"},
      {1071, 9, kRow3, 4, 4, "Z"},
      {1072, 13, kRow3, 4, 4, "X"},
      {1073, 17, kRow3, 4, 4, "C"},
      {1074, 21, kRow3, 4, 4, "V"},
      {1075, 25, kRow3, 4, 4, "B"},
      {1076, 29, kRow3, 4, 4, "N"},
      {1077, 33, kRow3, 4, 4, "M"},
      {1078, 37, kRow3, 4, 4, "<\n,"},
      {1079, 41, kRow3, 4, 4, ">\n."},
      {1080, 45, kRow3, 4, 4, "?\n/"},
      {1081, 49, kRow3, 11, 4, "Shift"},
      {1103, kNav + 4, kRow3, 4, 4, "\u2191"},
      {1115, kPad, kRow3, 4, 4, "1"},
      {1116, kPad + 4, kRow3, 4, 4, "2"},
      {1117, kPad + 8, kRow3, 4, 4, "3"},
      {1118, kPad + 12, kRow3, 4, 8, "Enter"},
      // Modifier row; Fn (control 1174) takes the 1.25-unit place after the
      // right Win key, see main_window_layout.
      {1083, 0, kRow4, 5, 4, "Ctrl"},
      {1084, 5, kRow4, 5, 4, "Win"},
      {1085, 10, kRow4, 5, 4, "Alt"},
      {1090, 15, kRow4, 20, 4, ""},
      {1086, 35, kRow4, 5, 4, "Alt"},
      {1087, 40, kRow4, 5, 4, "Win"},
      {model::kFnButtonId, 45, kRow4, 5, 4, "Fn"},
      {1088, 50, kRow4, 5, 4, "App"},
      {1089, 55, kRow4, 5, 4, "Ctrl"},
      {1100, kNav, kRow4, 4, 4, "\u2190"},
      {1101, kNav + 4, kRow4, 4, 4, "\u2193"},
      {1102, kNav + 8, kRow4, 4, 4, "\u2192"},
      {1120, kPad, kRow4, 8, 4, "0"},
      {1119, kPad + 8, kRow4, 4, 4, "."},
  };
  return cells;
}

}  // namespace

const std::vector<KeyCell>& KeyCells() {
  static const std::vector<KeyCell> cells = BuildCells();
  return cells;
}

const KeyCell& KeyCellOf(int controlId) {
  for (const KeyCell& cell : KeyCells())
    if (cell.controlId == controlId) return cell;
  std::fprintf(stderr, "quorvane-skingen: no keyboard cell for control %d\n", controlId);
  std::abort();
}

std::string KeyButtonName(model::KeyCode code) {
  return skin::KeyButtonSkinKey(model::SlotOfCode(code));
}

QRect KeyRectAt(const KeyCell& cell, QPoint origin) {
  const QRect cellRect(origin.x() + cell.x * kQuarter, origin.y() + cell.y * kQuarter,
                       cell.width * kQuarter, cell.height * kQuarter);
  return cellRect.adjusted(kKeyMargin, kKeyMargin, -kKeyMargin, -kKeyMargin);
}

LegendKind LegendKindOf(const QString& legend) {
  if (legend.isEmpty()) return LegendKind::kNone;
  if (legend.contains(QLatin1Char('\n'))) return LegendKind::kShifted;
  // "F10", "D1" and the ISO key's pair read as characters, not words.
  const bool numbered = legend.size() <= 3 && legend.back().isDigit();
  if (legend.size() == 1 || numbered || legend == QStringLiteral("\\ |"))
    return LegendKind::kCharacter;
  return LegendKind::kWord;
}

}  // namespace skingen
