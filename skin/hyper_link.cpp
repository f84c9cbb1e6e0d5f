#include "skin/hyper_link.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

namespace skin {

CHyperLink::CHyperLink(QWidget* parent) : QLabel(parent) {
  // The target is shown as it is: never as markup, never as a Qt link.
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
  opener_ = [](const QString& target) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(target));
  };
  UpdateColour();
}

void CHyperLink::SetTarget(const QString& target) {
  target_ = target;
  setToolTip(target_);
  UpdateText();
}

void CHyperLink::SetText(const QString& text) {
  text_ = text;
  UpdateText();
}

void CHyperLink::SetLinkColours(const QColor& normal, const QColor& visited, const QColor& hover) {
  normal_ = normal;
  visitedColour_ = visited;
  hoverColour_ = hover;
  UpdateColour();
}

void CHyperLink::SetVisited(bool visited) {
  visited_ = visited;
  UpdateColour();
}

QColor CHyperLink::CurrentLinkColour() const {
  if (hover_) return hoverColour_;
  return visited_ ? visitedColour_ : normal_;
}

void CHyperLink::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressed_ = true;
    event->accept();
    return;
  }
  QLabel::mousePressEvent(event);
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) {
    QLabel::mouseReleaseEvent(event);
    return;
  }
  pressed_ = false;
  event->accept();
  // A press dragged off the link is not a click.
  if (!rect().contains(event->position().toPoint())) return;
  if (target_.isEmpty() || !opener_) return;
  if (opener_(target_)) SetVisited(true);
}

void CHyperLink::enterEvent(QEnterEvent* event) {
  hover_ = true;
  UpdateColour();
  QLabel::enterEvent(event);
}

void CHyperLink::leaveEvent(QEvent* event) {
  hover_ = false;
  UpdateColour();
  QLabel::leaveEvent(event);
}

void CHyperLink::changeEvent(QEvent* event) {
  // A font set later from outside stays a link font.
  if (event->type() == QEvent::FontChange && !font().underline()) {
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
  }
  QLabel::changeEvent(event);
}

void CHyperLink::UpdateText() {
  setText(text_.isEmpty() ? target_ : text_);
}

void CHyperLink::UpdateColour() {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, CurrentLinkColour());
  setPalette(p);
}

}  // namespace skin
