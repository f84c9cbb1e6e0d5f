#include "tools/skin_generator/panel_pictures.h"

#include <QtGui/QConicalGradient>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <cmath>
#include <numbers>

#include "tools/skin_generator/painter_style.h"

namespace skingen {
namespace {

QColor C(QRgb rgba) {
  return QColor::fromRgba(rgba);
}

QImage Blank(QSize size, QRgb background) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(C(background));
  return image;
}

// The colours of the multicolour effects, soft enough for a dark panel.
QGradientStops RainbowStops() {
  return {{0.0, QColor(235, 87, 87)},  {0.2, QColor(242, 201, 76)}, {0.4, QColor(111, 207, 151)},
          {0.6, QColor(61, 214, 200)}, {0.8, QColor(86, 156, 246)}, {1.0, QColor(187, 107, 217)}};
}

}  // namespace

QImage ToggleSwitchPicture(QSize size, bool on, bool multicolour, QRgb background) {
  QImage image = Blank(size, background);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF track = QRectF(image.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  const qreal radius = track.height() / 2;
  if (on) {
    if (multicolour) {
      QLinearGradient gradient(track.topLeft(), track.topRight());
      gradient.setStops(RainbowStops());
      p.setBrush(gradient);
    } else {
      p.setBrush(C(tokens::kAccent));
    }
    p.setPen(Qt::NoPen);
  } else {
    p.setBrush(C(tokens::kCap));
    p.setPen(QPen(C(tokens::kCapEdge), 1));
  }
  p.drawRoundedRect(track, radius, radius);
  const qreal knobRadius = radius - 3;
  const QPointF knob(on ? track.right() - radius : track.left() + radius, track.center().y());
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawEllipse(knob + QPointF(0, 1), knobRadius, knobRadius);
  if (!on && multicolour) {
    // Off, the multicolour switch keeps a rainbow knob so it reads as such.
    QConicalGradient ring(knob, 90);
    ring.setStops(RainbowStops());
    p.setBrush(ring);
  } else {
    p.setBrush(on ? QColor(Qt::white) : C(tokens::kTextMuted));
  }
  p.drawEllipse(knob, knobRadius, knobRadius);
  return image;
}

QImage SliderPicture(QSize size, int level, SliderKind kind, QRgb background) {
  QImage image = Blank(size, background);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal segment = size.width() / 6.0;
  const auto centreOf = [segment](int position) { return segment * (position + 0.5); };
  const qreal y = size.height() / 2.0;
  const qreal thickness = 4;

  // The groove from the first position to the last, then the filled part.
  p.setPen(Qt::NoPen);
  p.setBrush(C(tokens::kCapEdge));
  p.drawRoundedRect(
      QRectF(centreOf(0) - 2, y - thickness / 2, centreOf(5) - centreOf(0) + 4, thickness), 2, 2);
  const QColor accent = C(tokens::kAccent);
  if (level > 0) {
    QLinearGradient fill(QPointF(centreOf(0), 0), QPointF(centreOf(5), 0));
    fill.setColorAt(0, Mix(C(background), accent, kind == SliderKind::kBrightness ? 90 : 200));
    fill.setColorAt(1, accent);
    p.setBrush(fill);
    p.drawRoundedRect(
        QRectF(centreOf(0) - 2, y - thickness / 2, centreOf(level) - centreOf(0) + 4, thickness), 2,
        2);
  }
  // A tick at each position: dots growing with the brightness, bars growing
  // with the speed.
  for (int i = 0; i < 6; ++i) {
    const QColor tick = i <= level ? Mix(accent, Qt::white, 60) : C(tokens::kTextFaint);
    p.setBrush(tick);
    if (kind == SliderKind::kBrightness) {
      const qreal r = 1.2 + i * 0.25;
      p.drawEllipse(QPointF(centreOf(i), y + 11), r, r);
    } else {
      const qreal h = 2 + i * 0.8;
      p.drawRoundedRect(QRectF(centreOf(i) - 1, y + 13.5 - h, 2, h), 1, 1);
    }
  }
  // The thumb, with its glyph: a sun for brightness, a chevron for speed.
  const QPointF thumb(centreOf(level), y);
  p.setBrush(QColor(0, 0, 0, 80));
  p.drawEllipse(thumb + QPointF(0, 1), 7.5, 7.5);
  p.setBrush(Qt::white);
  p.setPen(QPen(accent, 2));
  p.drawEllipse(thumb, 6.5, 6.5);
  p.setPen(Qt::NoPen);
  if (kind == SliderKind::kBrightness) {
    p.setBrush(accent);
    p.drawEllipse(thumb, 2.2, 2.2);
  } else {
    PaintIcon(p, Icon::kChevronRight, QRectF(thumb.x() - 4, thumb.y() - 4, 8, 8), accent, 1.6);
  }
  return image;
}

QImage TilePicture(QSize size, Icon glyph, bool chosen, QRgb background) {
  QImage image = Blank(size, background);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF tile = QRectF(image.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  const QColor accent = C(tokens::kAccent);
  p.setPen(QPen(chosen ? accent : C(tokens::kCapEdge), 1));
  p.setBrush(chosen ? Mix(C(tokens::kCap), accent, tokens::kSelectedTint) : C(tokens::kCap));
  p.drawRoundedRect(tile, tokens::kCapRadius, tokens::kCapRadius);
  const qreal side = std::min(size.width(), size.height()) - 14;
  PaintIcon(p, glyph, QRectF((size.width() - side) / 2.0, (size.height() - side) / 2.0, side, side),
            chosen ? QColor(Qt::white) : C(tokens::kTextMuted), 1.7);
  return image;
}

QImage ColourChoicePicture(QSize size, QColor colour, bool chosen, QRgb background) {
  QImage image = Blank(size, background);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(size.width() / 2.0, size.height() / 2.0);
  const qreal outer = std::min(size.width(), size.height()) / 2.0 - 1.5;
  if (chosen) {
    p.setPen(QPen(C(tokens::kAccent), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, outer, outer);
  }
  const qreal inner = outer - 4;
  p.setPen(QPen(Mix(colour, Qt::black, 90), 1));
  p.setBrush(colour);
  p.drawEllipse(centre, inner, inner);
  if (chosen) {
    const bool light = colour.lightness() > 140;
    PaintIcon(p, Icon::kCheck, QRectF(centre.x() - 7, centre.y() - 7, 14, 14),
              light ? C(tokens::kWindow) : QColor(Qt::white), 2.0);
  }
  return image;
}

QImage SwatchPicture(QSize size, QColor colour, QRgb background) {
  QImage image = Blank(size, background);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF swatch = QRectF(image.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  p.setPen(QPen(Mix(colour, Qt::black, 100), 1));
  p.setBrush(colour);
  p.drawRoundedRect(swatch, tokens::kSmallRadius, tokens::kSmallRadius);
  p.setPen(QPen(QColor(255, 255, 255, 60), 1));
  p.drawLine(QPointF(swatch.left() + 4, swatch.top() + 1),
             QPointF(swatch.right() - 4, swatch.top() + 1));
  return image;
}

QImage SpinnerPicture(QSize size, int frame, int frames, QRgb background) {
  QImage image = Blank(size, background);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  const QPointF centre(size.width() / 2.0, size.height() / 2.0);
  const qreal radius = std::min(size.width(), size.height()) / 2.0 - 3.5;
  for (int i = 0; i < frames; ++i) {
    // The head dot leads; the ones behind it fade.
    const int age = (frame - i + frames) % frames;
    const qreal angle = 2 * std::numbers::pi * i / frames - std::numbers::pi / 2;
    QColor dot = Mix(C(background), C(tokens::kAccent), 255 - age * 22);
    p.setBrush(dot);
    const qreal r = age == 0 ? 2.4 : 1.9;
    p.drawEllipse(centre + QPointF(radius * std::cos(angle), radius * std::sin(angle)), r, r);
  }
  return image;
}

void PaintArrowSprite(QPainter& p, const QRect& area, bool pointsLeft, bool pressed) {
  const QColor colour = pressed ? C(tokens::kAccentBright) : C(tokens::kAccent);
  // The chevron's square box is centred on the (narrower) area; the glyph
  // itself stays inside it.
  const qreal side = area.height();
  const qreal left = area.left() + (area.width() - side) / 2.0;
  PaintIcon(p, pointsLeft ? Icon::kChevronLeft : Icon::kChevronRight,
            QRectF(left, area.top(), side, side), colour, 2.0);
}

}  // namespace skingen
