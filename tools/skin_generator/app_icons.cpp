#include "tools/skin_generator/app_icons.h"

#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include "tools/skin_generator/design_tokens.h"
#include "tools/skin_generator/painter_style.h"

namespace skingen {
namespace {

QColor C(QRgb rgba) {
  return QColor::fromRgba(rgba);
}

QImage Transparent(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// A keyboard seen from above, drawn on a 64-unit grid: a body and two rows
// of keys above a space bar; bold enough to read at 16 pixels.
void PaintKeyboard(QPainter& p, qreal scale, bool filled, QColor body, QColor keys) {
  p.save();
  p.scale(scale, scale);
  const QRectF outline(3, 12, 58, 41);
  if (filled) {
    p.setPen(Qt::NoPen);
    p.setBrush(body);
  } else {
    p.setPen(QPen(body, 4));
    p.setBrush(Qt::NoBrush);
  }
  p.drawRoundedRect(filled ? outline : outline.adjusted(2, 2, -2, -2), 8, 8);
  p.setPen(Qt::NoPen);
  p.setBrush(keys);
  for (int row = 0; row < 2; ++row)
    for (int i = 0; i < 4; ++i)
      p.drawRoundedRect(QRectF(10.5 + i * 11.5, 19 + row * 10, 8, 7), 1.5, 1.5);
  p.drawRoundedRect(QRectF(18, 40, 28, 6), 1.5, 1.5);
  p.restore();
}

}  // namespace

QImage ApplicationIcon(int size) {
  QImage image = Transparent(size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 256.0, size / 256.0);
  const QColor accent = C(tokens::kAccent);
  // The keycap: a soft shadow, the skirt, the dished top, a highlight.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawRoundedRect(QRectF(18, 26, 220, 220), 50, 50);
  QLinearGradient skirt(QPointF(0, 16), QPointF(0, 236));
  skirt.setColorAt(0, Mix(accent, Qt::black, 40));
  skirt.setColorAt(1, Mix(accent, Qt::black, 120));
  p.setBrush(skirt);
  p.drawRoundedRect(QRectF(16, 16, 224, 220), 50, 50);
  QLinearGradient top(QPointF(0, 34), QPointF(0, 190));
  top.setColorAt(0, Mix(accent, Qt::white, 70));
  top.setColorAt(1, accent);
  p.setBrush(top);
  p.drawRoundedRect(QRectF(44, 34, 168, 158), 34, 34);
  // The legend: the program's initial, as a keycap would print it.
  p.setPen(C(tokens::kWindow));
  p.setFont(UiFont(118, true));
  p.drawText(QRectF(44, 30, 168, 158), Qt::AlignCenter, QStringLiteral("Q"));
  return image;
}

QImage TrayIcon(TrayState state, int size) {
  QImage image = Transparent(size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal scale = size / 64.0;
  const QColor accent = C(tokens::kAccent);
  if (state == TrayState::kNoKeyboard) {
    const QColor grey(138, 144, 156);
    PaintKeyboard(p, scale, false, grey, grey);
    // A small cross badge at the bottom right.
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(C(tokens::kWindow));
    p.drawEllipse(QPointF(51, 51), 12, 12);
    p.setPen(QPen(grey, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(46, 46), QPointF(56, 56));
    p.drawLine(QPointF(56, 46), QPointF(46, 56));
    return image;
  }
  PaintKeyboard(p, scale, true, accent, C(tokens::kWindow));
  if (state == TrayState::kActivity) {
    p.scale(scale, scale);
    p.setPen(QPen(C(tokens::kWindow), 3));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(52, 12), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(C(tokens::kAccentBright));
    p.drawEllipse(QPointF(52, 12), 5, 5);
  }
  return image;
}

}  // namespace skingen
