// The drawing style: fonts, surfaces, wells, keycaps and buttons in each
// look. Every colour comes from design_tokens.h.
#pragma once

#include <QtGui/QFont>
#include <QtGui/QPainter>
#include <vector>

#include "tools/skin_generator/design_tokens.h"
#include "tools/skin_generator/icons.h"
#include "tools/skin_generator/skin_description.h"

namespace skingen {

// Loads DejaVu Sans (regular and bold) from its files, so the pictures do
// not depend on what fontconfig would pick; the default font stays when the
// files are missing.
void LoadFonts();
QFont UiFont(int pixelSize, bool bold = false, qreal letterSpacing = 0);

// `over` laid on `base` with `amount` of 255.
QColor Mix(QColor base, QColor over, int amount);

// Ghost buttons show no body until hovered; the danger tone is a ghost
// that turns red (the close button).
enum class ButtonTone { kNeutral, kAccent, kGhost, kDanger };

// Whole-window backgrounds and the framing drawn into them.
void PaintWindowBody(QPainter& p, QSize size);
// A band in the bar colour, cut to the window's rounded outline.
void PaintBar(QPainter& p, QSize window, const QRect& bar, bool lineBelow);
// The window's 1-pixel outline, drawn last.
void PaintWindowBorder(QPainter& p, QSize size);
void PaintSurface(QPainter& p, const QRect& area, QRgb fill = tokens::kSurface,
                  int radius = tokens::kSurfaceRadius);
// A recessed field around a control the program draws itself.
void PaintWell(QPainter& p, const QRect& area, int radius = tokens::kSmallRadius);
// The groove a segmented control's faces sit in.
void PaintTrack(QPainter& p, const QRect& area, int radius = tokens::kButtonRadius + 2);
// Hairlines in the gaps between neighbouring segments of a track.
void PaintSegmentGaps(QPainter& p, const std::vector<QRect>& segments);
// The soft shadow below a cap or button at control rectangle `rect`.
void PaintShadow(QPainter& p, const QRect& rect, int radius = tokens::kCapRadius);
void PaintDivider(QPainter& p, QPoint from, QPoint to);
void PaintText(QPainter& p, const QRect& area, const QString& text, const QFont& font,
               QColor colour, int flags = Qt::AlignCenter);

// The part of a face box that is drawn: the box less its outer pixel ring.
QRect BodyOf(const QRect& box);

QColor LegendColour(Look look);
QColor IconColour(Look look, ButtonTone tone);

// A keycap; returns the rectangle its legend goes in.
QRect PaintCap(QPainter& p, const QRect& box, Look look, int radius = tokens::kCapRadius);
void PaintKeyLegend(QPainter& p, const QRect& content, const QString& legend, Look look);

// A flatter push button; returns the rectangle its content goes in.
QRect PaintButton(QPainter& p, const QRect& box, Look look, ButtonTone tone = ButtonTone::kNeutral);
// One face of a segmented control: nothing but the track in the normal look.
QRect PaintSegment(QPainter& p, const QRect& box, Look look);

// Icon and text, centred together as one group.
void PaintIconAndText(QPainter& p, const QRect& content, Icon icon, const QString& text,
                      QColor colour, int iconSize = 16);

// Face painters used across windows.
FacePainter KeyFace(const QString& legend);
FacePainter PlainButtonFace(ButtonTone tone = ButtonTone::kNeutral);
FacePainter LabelledButtonFace(const QString& text, Icon icon = Icon::kNone,
                               ButtonTone tone = ButtonTone::kNeutral);
FacePainter IconButtonFace(Icon icon, ButtonTone tone = ButtonTone::kNeutral, int iconSize = 16);

}  // namespace skingen
