// Where every key of the on-screen keyboard sits and what its legend reads,
// by control id. Positions are in quarter key units from the top left of the
// function row's Esc key; main_window_layout turns them into pixels.
#pragma once

#include <QtCore/QRect>
#include <QtCore/QString>
#include <string>
#include <vector>

#include "model/key_codes.h"

namespace skingen {

inline constexpr int kKeyUnit = 48;  // pixels per key unit
inline constexpr int kQuarter = kKeyUnit / 4;
inline constexpr int kKeyMargin = 2;  // between a key's cell and its rectangle

struct KeyCell {
  int controlId;
  int x, y, width, height;  // quarter units
  const char* legend;       // "!\n1" is a two-line legend
};

const std::vector<KeyCell>& KeyCells();

// The cell of a control id; aborts for an id the table lacks, since a
// keyboard without one of its keys is not worth writing.
const KeyCell& KeyCellOf(int controlId);

// The INI key of a key button: "KEY_" and its slot in three hex digits.
std::string KeyButtonName(model::KeyCode code);

// The control rectangle of a cell whose unit grid starts at `origin`.
QRect KeyRectAt(const KeyCell& cell, QPoint origin);

// Which legend style a text needs.
enum class LegendKind { kCharacter, kShifted, kWord, kNone };
LegendKind LegendKindOf(const QString& legend);

}  // namespace skingen
