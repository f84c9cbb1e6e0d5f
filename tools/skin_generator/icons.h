// Line icons drawn on a 16 × 16 grid and scaled to any box, so the same
// glyph serves a 12-pixel button and a 40-pixel title picture.
#pragma once

#include <QtCore/QRectF>
#include <QtGui/QColor>
#include <QtGui/QPainter>

namespace skingen {

enum class Icon {
  kNone,
  kKeyboard,
  kMenu,
  kHelp,
  kMinimise,
  kClose,
  kProfiles,
  kPlus,
  kTrash,
  kFolder,
  kDisk,
  kUpload,
  kEraser,
  kKeycap,
  kMacro,
  kMedia,
  kFunction,
  kRecord,
  kCross,
  kClearList,
  kTop,
  kUp,
  kDown,
  kBottom,
  kCheck,
  kArrowLeft,
  kArrowRight,
  kArrowUp,
  kArrowDown,
  kSpread,
  kGather,
  kBrush,
  kBucket,
  kChevronLeft,
  kChevronRight,
};

// Draws the icon filling `box` (square boxes keep its proportions).
void PaintIcon(QPainter& p, Icon icon, const QRectF& box, QColor colour, qreal lineWidth = 1.5);

}  // namespace skingen
