// The look of the standard controls that sit on the skinned windows (drop-
// down lists, edit boxes, lists, check boxes, menus, tooltips): dark, to
// match the skin's pictures. Applied once to the application.
#pragma once

#include <QColor>
#include <QString>

class QApplication;

namespace skin {

// The colours the skin's pictures are drawn with, for the controls that
// draw themselves.
struct SkinColours {
  QColor window{0x15, 0x17, 0x1C};
  QColor field{0x10, 0x12, 0x16};
  QColor border{0x2B, 0x2F, 0x38};
  QColor text{0xE4, 0xE4, 0xE4};
  QColor dimText{0x9A, 0xA1, 0xAD};
  QColor accent{0x3D, 0xD6, 0xC8};
};
const SkinColours& Colours();

inline constexpr int kTooltipDelayMs = 300;

QString ControlStyleSheet();
void ApplyControlStyle(QApplication* application);

}  // namespace skin
