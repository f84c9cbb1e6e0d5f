// The separate pictures of the lighting panel and the Flip arrows. Each is
// drawn opaque on the colour of the surface it is shown on, since BMP and
// JPEG carry no transparency.
#pragma once

#include <QtGui/QImage>

#include "tools/skin_generator/icons.h"

namespace skingen {

// The on/off switch; the multicolour variant shows a rainbow.
QImage ToggleSwitchPicture(QSize size, bool on, bool multicolour, QRgb background);

enum class SliderKind { kBrightness, kSpeed };
// A six-position slider with the thumb centred in segment `level` of six
// equal segments (the program maps a click at x to x × 6 ÷ width).
QImage SliderPicture(QSize size, int level, SliderKind kind, QRgb background);

// A chooser tile with a glyph; `chosen` shows it in the accent.
QImage TilePicture(QSize size, Icon glyph, bool chosen, QRgb background);

// A colour to pick; `chosen` adds a ring and a check mark.
QImage ColourChoicePicture(QSize size, QColor colour, bool chosen, QRgb background);

QImage SwatchPicture(QSize size, QColor colour, QRgb background);

// Frame `frame` of `frames` of the busy spinner.
QImage SpinnerPicture(QSize size, int frame, int frames, QRgb background);

// A chevron pointing left or right, dim (`pressed` false) or bright.
void PaintArrowSprite(QPainter& p, const QRect& area, bool pointsLeft, bool pressed);

}  // namespace skingen
