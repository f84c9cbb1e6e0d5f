#include "skin/png_button.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace skin {
namespace {
constexpr int kCaptionCharacters = 259;

QFont::Weight QtWeight(int weight) {
  // Qt's scale ends at 900; heavier requests are its heaviest.
  return static_cast<QFont::Weight>(std::clamp(weight, 100, 900));
}
}  // namespace

CPngButton::CPngButton(QWidget* parent) : QAbstractButton(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_Hover);
  setFocusPolicy(Qt::NoFocus);
}

void CPngButton::SetPlacedImages(int originX, int originY, const QPixmap* normal,
                                 const QPixmap* hover, const QPixmap* pressed,
                                 const QPixmap* disabled, const QPixmap* selected, bool redraw) {
  originX_ = originX;
  originY_ = originY;
  hover_ = false;
  setDown(false);
  SetStateImages(normal, hover, pressed, disabled, selected, redraw);
}

void CPngButton::SetStateImages(const QPixmap* normal, const QPixmap* hover, const QPixmap* pressed,
                                const QPixmap* disabled, const QPixmap* selected, bool redraw) {
  images_ = {normal, hover, pressed, disabled, selected};
  if (redraw) repaint();
}

void CPngButton::SetToggleImages(const QPixmap* imageA, const QPixmap* imageB, bool toggleMode,
                                 bool toggleState, bool redraw) {
  toggleA_ = imageA;
  toggleB_ = imageB;
  toggleMode_ = toggleMode;
  toggleState_ = toggleState;
  if (redraw) repaint();
}

void CPngButton::SetSelected(bool selected, bool redraw) {
  selected_ = selected;
  if (redraw) repaint();
}

void CPngButton::SetFrameMode(bool on, QColor colour) {
  frameMode_ = on;
  frameColour_ = colour;
  update();
}

void CPngButton::SetCaptionStyle(const CaptionStyle& style) {
  caption_ = style;
  update();
}

void CPngButton::SetCaptionRotation(int escapement, bool rotate) {
  escapement_ = escapement;
  rotate_ = rotate;
  update();
}

void CPngButton::SetTooltip(const QString& text, bool activate) {
  if (!text.isEmpty()) tooltip_ = text;
  tooltipActive_ = activate;
  setToolTip(tooltipActive_ ? tooltip_ : QString());
}

ButtonFace CPngButton::CurrentFace() const {
  ButtonFlags flags;
  flags.enabled = isEnabled();
  flags.toggleMode = toggleMode_;
  flags.toggleOn = toggleState_;
  flags.pressed = isDown();
  flags.hover = hover_;
  flags.selected = selected_;
  return ChooseButtonFace(flags);
}

const QPixmap* CPngButton::ImageOf(ButtonFace face) const {
  switch (face) {
    case ButtonFace::kToggleA:
      return toggleA_;
    case ButtonFace::kToggleB:
      return toggleB_;
    default:
      return images_[CaptionColourIndex(face)];
  }
}

QFont CPngButton::CaptionFont() const {
  QFont font(caption_.face);
  font.setPixelSize(std::max(1, -CaptionFontHeight(caption_.pointSize, logicalDpiY())));
  font.setWeight(QtWeight(CaptionFontWeight(rotate_)));
  return font;
}

QRect CPngButton::CaptionRect() const {
  CaptionBox box{caption_.marginLeft, caption_.marginTop, width() + caption_.marginRight,
                 height() + caption_.marginBottom};
  if (rotate_) {
    const QFontMetrics metrics(CaptionFont());
    const QString text = this->text().left(kCaptionCharacters);
    box = RotatedCaptionBox(box, escapement_, metrics.horizontalAdvance(text), metrics.height());
  }
  return QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
}

void CPngButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const ButtonFace face = CurrentFace();
  if (frameMode_) {
    painter.setPen(QPen(frameColour_, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1, 1, width() - 2, height() - 2));
  } else if (const QPixmap* image = ImageOf(face)) {
    // The skin position is one pixel right of and below the picture's corner.
    painter.drawPixmap(0, 0, *image, originX_ - 1, originY_ - 1, width(), height());
  }
  if (caption_.enabled) {
    const int colourIndex = CaptionColourIndex(face);
    if (colourIndex >= 0) lastTextColour_ = caption_.colours[colourIndex];
    painter.setPen(lastTextColour_);
    painter.setFont(CaptionFont());
    const QString text = this->text().left(kCaptionCharacters);
    const QRect rect = CaptionRect();
    if (escapement_ == 0) {
      painter.drawText(rect, caption_.format, text);
    } else {
      // Turned text: draw it about the rectangle's centre, counter-clockwise
      // for a positive escapement.
      painter.translate(rect.center());
      painter.rotate(-escapement_ / 10.0);
      painter.drawText(rect.translated(-rect.center()), caption_.format, text);
      painter.resetTransform();
    }
  }
  if (afterPaint_) afterPaint_(this, face == ButtonFace::kNormal);
}

void CPngButton::enterEvent(QEnterEvent* event) {
  hover_ = true;
  setToolTip(tooltipActive_ ? tooltip_ : QString());
  repaint();
  QAbstractButton::enterEvent(event);
}

void CPngButton::leaveEvent(QEvent* event) {
  hover_ = false;
  repaint();
  QAbstractButton::leaveEvent(event);
}

void CPngButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // Fast clicks are separate clicks: the second press of a double click is a
  // press like any other.
  mousePressEvent(event);
}

bool CPngButton::hitButton(const QPoint& pos) const {
  return rect().contains(pos);
}

}  // namespace skin
