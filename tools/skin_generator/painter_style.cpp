#include "tools/skin_generator/painter_style.h"

#include <QtGui/QFontDatabase>
#include <QtGui/QFontMetrics>
#include <QtGui/QGuiApplication>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainterPath>

#include "tools/skin_generator/keyboard_geometry.h"

namespace skingen {
namespace {

QString gFamily;  // empty: the application's default font

QColor C(QRgb rgba) {
  return QColor::fromRgba(rgba);
}

QRectF Crisp(const QRect& r) {
  // Half-pixel inset so a 1-pixel outline covers whole pixels.
  return QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
}

void FillRounded(QPainter& p, const QRectF& r, qreal radius, const QBrush& fill, QColor edge) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(edge.isValid() ? QPen(edge, 1) : QPen(Qt::NoPen));
  p.setBrush(fill);
  p.drawRoundedRect(r, radius, radius);
  p.restore();
}

QBrush Vertical(const QRectF& r, QColor top, QColor bottom) {
  QLinearGradient gradient(r.topLeft(), r.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  return gradient;
}

void TopHighlight(QPainter& p, const QRectF& r, qreal radius) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(C(tokens::kCapHighlight), 1));
  p.drawLine(QPointF(r.left() + radius, r.top() + 1), QPointF(r.right() - radius, r.top() + 1));
  p.restore();
}

QPainterPath WindowPath(QSize size) {
  QPainterPath path;
  path.addRoundedRect(QRectF(0, 0, size.width(), size.height()), tokens::kWindowRadius,
                      tokens::kWindowRadius);
  return path;
}

}  // namespace

void LoadFonts() {
  const char* files[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                         "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};
  for (const char* file : files) {
    const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(file));
    if (id < 0) continue;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty() && gFamily.isEmpty()) gFamily = families.front();
  }
}

QFont UiFont(int pixelSize, bool bold, qreal letterSpacing) {
  QFont font = gFamily.isEmpty() ? QGuiApplication::font() : QFont(gFamily);
  font.setPixelSize(pixelSize);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  font.setStyleStrategy(QFont::PreferAntialias);
  if (letterSpacing != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
  return font;
}

QColor Mix(QColor base, QColor over, int amount) {
  const auto blend = [amount](int a, int b) {
    return (a * (255 - amount) + b * amount + 127) / 255;
  };
  return QColor(blend(base.red(), over.red()), blend(base.green(), over.green()),
                blend(base.blue(), over.blue()));
}

void PaintWindowBody(QPainter& p, QSize size) {
  p.fillRect(QRect(QPoint(0, 0), size), C(tokens::kWindow));
}

void PaintBar(QPainter& p, QSize window, const QRect& bar, bool lineBelow) {
  p.save();
  p.setClipPath(WindowPath(window));
  p.fillRect(bar, C(tokens::kBar));
  p.restore();
  if (lineBelow)
    p.fillRect(QRect(bar.left(), bar.bottom() + 1, bar.width(), 1), C(tokens::kDivider));
  else
    p.fillRect(QRect(bar.left(), bar.top() - 1, bar.width(), 1), C(tokens::kDivider));
}

void PaintWindowBorder(QPainter& p, QSize size) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(C(tokens::kBorder), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1),
                    tokens::kWindowRadius - 0.5, tokens::kWindowRadius - 0.5);
  p.restore();
}

void PaintSurface(QPainter& p, const QRect& area, QRgb fill, int radius) {
  // A soft shadow: a few widening, fading outlines below the surface.
  for (int i = 3; i >= 1; --i) {
    FillRounded(p, QRectF(area).adjusted(-i * 0.5, i * 0.7, i * 0.5, i * 1.2), radius + i,
                QColor(0, 0, 0, 22), QColor());
  }
  FillRounded(p, Crisp(area), radius, C(fill), C(tokens::kBorder));
  TopHighlight(p, Crisp(area), radius);
}

void PaintWell(QPainter& p, const QRect& area, int radius) {
  FillRounded(p, Crisp(area), radius, C(tokens::kWell), C(tokens::kBorder));
  // A darker inner line at the top makes the field read as recessed.
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0, 0, 0, 90), 1));
  const QRectF r = Crisp(area);
  p.drawLine(QPointF(r.left() + radius, r.top() + 1), QPointF(r.right() - radius, r.top() + 1));
  p.restore();
}

void PaintTrack(QPainter& p, const QRect& area, int radius) {
  FillRounded(p, Crisp(area), radius, C(tokens::kTrack), C(tokens::kBorder));
}

void PaintSegmentGaps(QPainter& p, const std::vector<QRect>& segments) {
  for (std::size_t i = 1; i < segments.size(); ++i) {
    const int x = (segments[i - 1].right() + segments[i].left()) / 2;
    const QRect& s = segments[i];
    p.fillRect(QRect(x, s.top() + 7, 1, s.height() - 14), QColor::fromRgba(tokens::kBorder));
  }
}

void PaintShadow(QPainter& p, const QRect& rect, int radius) {
  const QRect body = BodyOf(rect.translated(-1, -1));
  FillRounded(p, QRectF(body.translated(0, 2)), radius, C(tokens::kShadow), QColor());
}

void PaintDivider(QPainter& p, QPoint from, QPoint to) {
  p.fillRect(QRect(from, to), C(tokens::kDivider));
}

void PaintText(QPainter& p, const QRect& area, const QString& text, const QFont& font,
               QColor colour, int flags) {
  p.save();
  p.setFont(font);
  p.setPen(colour);
  p.drawText(area, flags, text);
  p.restore();
}

QRect BodyOf(const QRect& box) {
  return box.adjusted(1, 1, -1, -1);
}

QColor LegendColour(Look look) {
  switch (look) {
    case Look::kNormal:
      return C(tokens::kText);
    case Look::kHover:
    case Look::kSelected:
      return Qt::white;
    case Look::kPressed:
      return C(tokens::kAccentBright);
    case Look::kDisabled:
      return C(tokens::kTextFaint);
  }
  return C(tokens::kText);
}

QColor IconColour(Look look, ButtonTone tone) {
  if (tone == ButtonTone::kGhost || tone == ButtonTone::kDanger) {
    if (look == Look::kNormal) return C(tokens::kTextMuted);
    if (look == Look::kHover || look == Look::kPressed) return Qt::white;
  }
  return LegendColour(look);
}

QRect PaintCap(QPainter& p, const QRect& box, Look look, int radius) {
  const QColor accent = C(tokens::kAccent);
  QRect body = BodyOf(box);
  switch (look) {
    case Look::kNormal:
      FillRounded(p, Crisp(body), radius, Vertical(body, C(tokens::kCapTop), C(tokens::kCap)),
                  C(tokens::kCapEdge));
      TopHighlight(p, Crisp(body), radius);
      break;
    case Look::kHover:
      FillRounded(p, Crisp(body), radius,
                  Vertical(body, C(tokens::kCapHoverTop), C(tokens::kCapHover)), accent);
      TopHighlight(p, Crisp(body), radius);
      break;
    case Look::kPressed:
      // Pushed in: the top edge moves down a pixel, the cap darkens.
      body.setTop(body.top() + 1);
      FillRounded(p, Crisp(body), radius, Mix(C(tokens::kCapPressed), accent, tokens::kPressedTint),
                  Mix(C(tokens::kCapEdge), accent, 140));
      break;
    case Look::kSelected:
      FillRounded(p, Crisp(body), radius,
                  Vertical(body, Mix(C(tokens::kCapTop), accent, tokens::kSelectedTint + 10),
                           Mix(C(tokens::kCap), accent, tokens::kSelectedTint)),
                  accent);
      TopHighlight(p, Crisp(body), radius);
      break;
    case Look::kDisabled:
      FillRounded(p, Crisp(body), radius, C(tokens::kCapDisabled), C(tokens::kCapDisabledEdge));
      break;
  }
  return body;
}

void PaintKeyLegend(QPainter& p, const QRect& content, const QString& legend, Look look) {
  const QColor colour = LegendColour(look);
  switch (LegendKindOf(legend)) {
    case LegendKind::kNone:
      return;
    case LegendKind::kCharacter:
      PaintText(p, content, legend, UiFont(tokens::kLegendChar), colour);
      return;
    case LegendKind::kWord:
      PaintText(p, content, legend, UiFont(tokens::kLegendWord), colour);
      return;
    case LegendKind::kShifted: {
      const QStringList lines = legend.split(QLatin1Char('\n'));
      const QFont font = UiFont(tokens::kLegendShifted);
      const int lineHeight = QFontMetrics(font).height();
      const int top = content.center().y() + 1 - lineHeight;
      const QColor upper = look == Look::kNormal ? C(tokens::kTextMuted) : colour;
      PaintText(p, QRect(content.left(), top, content.width(), lineHeight), lines.value(0), font,
                upper);
      PaintText(p, QRect(content.left(), top + lineHeight, content.width(), lineHeight),
                lines.value(1), font, colour);
      return;
    }
  }
}

QRect PaintButton(QPainter& p, const QRect& box, Look look, ButtonTone tone) {
  const QColor accent = C(tokens::kAccent);
  const int radius = tokens::kButtonRadius;
  QRect body = BodyOf(box);
  const bool ghost = tone == ButtonTone::kGhost || tone == ButtonTone::kDanger;
  switch (look) {
    case Look::kNormal:
      if (ghost) break;
      if (tone == ButtonTone::kAccent)
        FillRounded(
            p, Crisp(body), radius,
            Vertical(body, Mix(C(tokens::kCapTop), accent, 70), Mix(C(tokens::kCap), accent, 55)),
            Mix(C(tokens::kCapEdge), accent, 150));
      else
        FillRounded(p, Crisp(body), radius, Vertical(body, C(tokens::kCapTop), C(tokens::kCap)),
                    C(tokens::kCapEdge));
      TopHighlight(p, Crisp(body), radius);
      break;
    case Look::kHover:
      if (tone == ButtonTone::kDanger) {
        FillRounded(p, Crisp(body), radius, C(tokens::kDanger), C(tokens::kDanger));
        break;
      }
      FillRounded(p, Crisp(body), radius,
                  tone == ButtonTone::kAccent
                      ? QBrush(Vertical(body, Mix(C(tokens::kCapHoverTop), accent, 95),
                                        Mix(C(tokens::kCapHover), accent, 80)))
                      : QBrush(Vertical(body, C(tokens::kCapHoverTop), C(tokens::kCapHover))),
                  accent);
      TopHighlight(p, Crisp(body), radius);
      break;
    case Look::kPressed:
      body.setTop(body.top() + 1);
      if (tone == ButtonTone::kDanger) {
        FillRounded(p, Crisp(body), radius, Mix(C(tokens::kDanger), Qt::black, 60), QColor());
        break;
      }
      FillRounded(p, Crisp(body), radius, Mix(C(tokens::kCapPressed), accent, tokens::kPressedTint),
                  Mix(C(tokens::kCapEdge), accent, 140));
      break;
    case Look::kSelected:
      FillRounded(p, Crisp(body), radius, Mix(C(tokens::kCap), accent, tokens::kSelectedTint),
                  accent);
      break;
    case Look::kDisabled:
      if (ghost) break;
      FillRounded(p, Crisp(body), radius, C(tokens::kCapDisabled), C(tokens::kCapDisabledEdge));
      break;
  }
  return body;
}

QRect PaintSegment(QPainter& p, const QRect& box, Look look) {
  const QColor accent = C(tokens::kAccent);
  const int radius = tokens::kButtonRadius;
  QRect body = BodyOf(box);
  switch (look) {
    case Look::kNormal:
    case Look::kDisabled:
      break;
    case Look::kHover:
      FillRounded(p, Crisp(body), radius, C(tokens::kCapHover),
                  Mix(C(tokens::kCapEdge), accent, 200));
      break;
    case Look::kPressed:
      body.setTop(body.top() + 1);
      FillRounded(p, Crisp(body), radius, Mix(C(tokens::kCapPressed), accent, 55), QColor());
      break;
    case Look::kSelected:
      FillRounded(
          p, Crisp(body), radius,
          Vertical(body, Mix(C(tokens::kCapTop), accent, 95), Mix(C(tokens::kCap), accent, 80)),
          accent);
      break;
  }
  return body;
}

void PaintIconAndText(QPainter& p, const QRect& content, Icon icon, const QString& text,
                      QColor colour, int iconSize) {
  const QFont font = UiFont(tokens::kLabel);
  const int textWidth = text.isEmpty() ? 0 : QFontMetrics(font).horizontalAdvance(text);
  const int iconWidth = icon == Icon::kNone ? 0 : iconSize;
  const int gap = (iconWidth > 0 && textWidth > 0) ? 6 : 0;
  const int total = iconWidth + gap + textWidth;
  const int left = content.left() + (content.width() - total) / 2;
  if (iconWidth > 0) {
    const int top = content.top() + (content.height() - iconSize) / 2;
    PaintIcon(p, icon, QRectF(left, top, iconSize, iconSize), colour);
  }
  if (textWidth > 0)
    PaintText(p, QRect(left + iconWidth + gap, content.top(), textWidth + 2, content.height()),
              text, font, colour, Qt::AlignLeft | Qt::AlignVCenter);
}

FacePainter KeyFace(const QString& legend) {
  return [legend](QPainter& p, const QRect& box, const Face& face) {
    PaintKeyLegend(p, PaintCap(p, box, face.look), legend, face.look);
  };
}

FacePainter PlainButtonFace(ButtonTone tone) {
  return [tone](QPainter& p, const QRect& box, const Face& face) {
    PaintButton(p, box, face.look, tone);
  };
}

FacePainter LabelledButtonFace(const QString& text, Icon icon, ButtonTone tone) {
  return [text, icon, tone](QPainter& p, const QRect& box, const Face& face) {
    const QRect content = PaintButton(p, box, face.look, tone);
    PaintIconAndText(p, content, icon, text, IconColour(face.look, tone));
  };
}

FacePainter IconButtonFace(Icon icon, ButtonTone tone, int iconSize) {
  return [icon, tone, iconSize](QPainter& p, const QRect& box, const Face& face) {
    const QRect content = PaintButton(p, box, face.look, tone);
    PaintIconAndText(p, content, icon, QString(), IconColour(face.look, tone), iconSize);
  };
}

}  // namespace skingen
