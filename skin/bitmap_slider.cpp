#include "skin/bitmap_slider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "skin/window_message.h"

namespace skin {

CBitmapSlider::CBitmapSlider(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
}

void CBitmapSlider::SetRange(int minimum, int maximum) {
  minimum_ = std::min(minimum, maximum);
  maximum_ = std::max(minimum, maximum);
  SetPosition(position_);
}

void CBitmapSlider::SetPosition(int position) {
  const int clamped = std::clamp(position, minimum_, maximum_);
  if (clamped == position_) return;
  position_ = clamped;
  update();
}

void CBitmapSlider::SetChannelImage(const QPixmap& image) {
  image_ = image;
  if (!image_.isNull()) resize(image_.deviceIndependentSize().toSize());
  updateGeometry();
  update();
}

int CBitmapSlider::PositionAt(int x) const {
  const int w = width();
  if (w <= 0 || x < 0) return minimum_;
  // 64-bit: the range may span nearly all of int.
  const long long segments = static_cast<long long>(maximum_) - minimum_ + 1;
  const long long k = std::min<long long>(x * segments / w, segments - 1);
  return static_cast<int>(minimum_ + k);
}

QSize CBitmapSlider::sizeHint() const {
  if (image_.isNull()) return {100, 20};
  return image_.deviceIndependentSize().toSize();
}

void CBitmapSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!image_.isNull()) painter.drawPixmap(0, 0, image_);
  if (hasFocus()) {
    QPen pen(palette().color(QPalette::WindowText), 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event) {
  if (!isEnabled() || event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  dragging_ = true;
  MoveTo(PositionAt(event->position().toPoint().x()));
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
  if (!isEnabled() || !dragging_ || !(event->buttons() & Qt::LeftButton)) {
    QWidget::mouseMoveEvent(event);
    return;
  }
  MoveTo(PositionAt(event->position().toPoint().x()));
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (!isEnabled() || !dragging_ || event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  dragging_ = false;
  // The window takes the release as the end of the change: always tell it.
  Notify();
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event) {
  if (!isEnabled()) {
    QWidget::keyPressEvent(event);
    return;
  }
  // Wide enough that Page Up/Down near the ends of int cannot overflow.
  long long target = position_;
  switch (event->key()) {
    case Qt::Key_PageUp:
      target -= page_;
      break;
    case Qt::Key_PageDown:
      target += page_;
      break;
    case Qt::Key_End:
      target = maximum_;
      break;
    case Qt::Key_Home:
      target = minimum_;
      break;
    case Qt::Key_Right:
    case Qt::Key_Down:
      target += 1;
      break;
    case Qt::Key_Left:
    case Qt::Key_Up:
      target -= 1;
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
  MoveTo(static_cast<int>(std::clamp<long long>(target, minimum_, maximum_)));
}

void CBitmapSlider::changeEvent(QEvent* event) {
  // A drag cut off by disabling would otherwise resume on the next move.
  if (event->type() == QEvent::EnabledChange && !isEnabled()) dragging_ = false;
  QWidget::changeEvent(event);
}

void CBitmapSlider::MoveTo(int position) {
  const int clamped = std::clamp(position, minimum_, maximum_);
  if (clamped == position_) return;
  position_ = clamped;
  update();
  Notify();
}

void CBitmapSlider::Notify() {
  PostWindowMessage(parentWidget(), kMsgSliderPosition, static_cast<uint32_t>(ControlId(this)),
                    position_);
}

}  // namespace skin
