#include "tools/skin_generator/main_window_faces.h"

#include <QtGui/QFontMetrics>
#include <QtGui/QRadialGradient>

#include "tools/skin_generator/painter_style.h"

namespace skingen {
namespace {

QColor C(QRgb rgba) {
  return QColor::fromRgba(rgba);
}

// The quiet tile of an indicator: almost the deck until hovered or lit.
QRect PaintIndicatorTile(QPainter& p, const QRect& box, Look look) {
  const QColor accent = C(tokens::kAccent);
  QRect body = BodyOf(box);
  QColor fill = Mix(C(tokens::kSurface), Qt::white, 6);
  QColor edge = C(tokens::kDivider);
  switch (look) {
    case Look::kNormal:
    case Look::kDisabled:
      break;
    case Look::kHover:
      fill = C(tokens::kCapHover);
      edge = accent;
      break;
    case Look::kPressed:
      body.setTop(body.top() + 1);
      fill = Mix(C(tokens::kCapPressed), accent, tokens::kPressedTint);
      edge = Mix(C(tokens::kCapEdge), accent, 140);
      break;
    case Look::kSelected:
      fill = Mix(C(tokens::kSurface), accent, 40);
      edge = Mix(C(tokens::kCapEdge), accent, 170);
      break;
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(edge, 1));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(body).adjusted(0.5, 0.5, -0.5, -0.5), tokens::kCapRadius,
                    tokens::kCapRadius);
  p.restore();
  return body;
}

void PaintLed(QPainter& p, QPointF centre, bool lit) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  if (lit) {
    QRadialGradient glow(centre, 9);
    QColor halo = C(tokens::kAccent);
    halo.setAlpha(110);
    glow.setColorAt(0, halo);
    halo.setAlpha(0);
    glow.setColorAt(1, halo);
    p.setBrush(glow);
    p.drawEllipse(centre, 9, 9);
    p.setBrush(C(tokens::kAccentBright));
  } else {
    p.setBrush(C(tokens::kLedOff));
  }
  p.drawEllipse(centre, 3.5, 3.5);
  p.restore();
}

}  // namespace

FacePainter BrandFace() {
  return [](QPainter& p, const QRect& box, const Face& face) {
    const QRect body = BodyOf(box);
    QColor text = C(tokens::kText);
    QColor glyph = C(tokens::kAccent);
    if (face.look == Look::kHover || face.look == Look::kSelected) {
      text = Qt::white;
      glyph = C(tokens::kAccentBright);
    } else if (face.look == Look::kPressed) {
      text = C(tokens::kAccent);
    } else if (face.look == Look::kDisabled) {
      text = glyph = C(tokens::kTextFaint);
    }
    const int glyphSize = 22;
    const int top = body.top() + (body.height() - glyphSize) / 2;
    PaintIcon(p, Icon::kKeyboard, QRectF(body.left() + 6, top, glyphSize, glyphSize), glyph, 1.6);
    PaintText(p, QRect(body.left() + 6 + glyphSize + 10, body.top(), body.width(), body.height()),
              QStringLiteral("QUORVANE"), UiFont(14, true, 3.2), text,
              Qt::AlignLeft | Qt::AlignVCenter);
  };
}

FacePainter GKeyFace(int number) {
  return [number](QPainter& p, const QRect& box, const Face& face) {
    const QRect body = PaintCap(p, box, face.look);
    QColor mark = C(tokens::kTextFaint);
    if (face.look == Look::kSelected || face.look == Look::kHover) mark = C(tokens::kTextMuted);
    // G1..G5 carry the bank's caption ("A1", "B1", ...) in the middle, drawn
    // by the program: their number goes small into the corner, clear of it.
    // G6..G9 have no caption and show their number where a legend goes.
    if (number <= 5) {
      PaintText(p, body.adjusted(0, 0, -4, -2), QStringLiteral("G%1").arg(number),
                UiFont(tokens::kMark - 1, true), mark, Qt::AlignRight | Qt::AlignBottom);
    } else {
      const QColor legend =
          face.look == Look::kDisabled ? C(tokens::kTextFaint) : C(tokens::kTextMuted);
      PaintText(p, body, QStringLiteral("G%1").arg(number), UiFont(tokens::kLabel), legend,
                Qt::AlignCenter);
    }
  };
}

FacePainter FlipIndicatorFace() {
  return [](QPainter& p, const QRect& box, const Face& face) {
    const QRect body = PaintButton(p, box, face.look);
    const bool second = face.variant == kVariantSecond;
    // A small mark tells the two states apart at a glance, beside the text.
    const QColor dot = face.look == Look::kDisabled
                           ? C(tokens::kTextFaint)
                           : (second ? C(tokens::kAccent) : C(tokens::kTextMuted));
    const QFont font = UiFont(12, true);
    const QString text = second ? QStringLiteral("D1\u2013D6") : QStringLiteral("F1\u2013F4");
    const int textWidth = QFontMetrics(font).horizontalAdvance(text);
    const int left = body.left() + (body.width() - textWidth - 12) / 2;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(dot);
    p.drawEllipse(QPointF(left + 3, body.center().y() + 0.5), 3, 3);
    p.restore();
    PaintText(p, QRect(left + 12, body.top(), textWidth + 2, body.height()), text, font,
              LegendColour(face.look), Qt::AlignLeft | Qt::AlignVCenter);
  };
}

FacePainter LockFace(const QString& word) {
  return [word](QPainter& p, const QRect& box, const Face& face) {
    const QRect body = PaintIndicatorTile(p, box, face.look);
    PaintLed(p, QPointF(body.center().x() + 0.5, body.top() + 13), face.look == Look::kSelected);
    const QColor text =
        face.look == Look::kNormal ? C(tokens::kTextMuted) : LegendColour(face.look);
    PaintText(p, QRect(body.left(), body.top() + 22, body.width(), 16), word,
              UiFont(tokens::kLegendWord), text);
  };
}

FacePainter BankFace() {
  return [](QPainter& p, const QRect& box, const Face& face) {
    const QRect body = PaintIndicatorTile(p, box, face.look);
    const QString bank = face.variant == kVariantSecond ? QStringLiteral("B") : QStringLiteral("A");
    const QColor letter =
        face.look == Look::kSelected ? C(tokens::kAccentBright) : LegendColour(face.look);
    PaintText(p, QRect(body.left(), body.top() + 3, body.width(), 20), bank, UiFont(15, true),
              letter);
    const QColor text =
        face.look == Look::kNormal ? C(tokens::kTextMuted) : LegendColour(face.look);
    PaintText(p, QRect(body.left(), body.top() + 22, body.width(), 16), QStringLiteral("Bank"),
              UiFont(tokens::kLegendWord), text);
  };
}

FacePainter SegmentFace(const QString& legend) {
  return [legend](QPainter& p, const QRect& box, const Face& face) {
    const QRect body = PaintSegment(p, box, face.look);
    if (legend.isEmpty()) return;
    QColor colour = LegendColour(face.look);
    if (face.look == Look::kNormal) colour = C(tokens::kTextMuted);
    PaintText(p, body, legend, UiFont(tokens::kLabel, face.look == Look::kSelected), colour);
  };
}

}  // namespace skingen
