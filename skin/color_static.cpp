#include "skin/color_static.h"

namespace skin {

ColorStatic::ColorStatic(QWidget* parent) : ColorStatic(QString(), parent) {}

ColorStatic::ColorStatic(const QString& text, QWidget* parent) : QLabel(parent) {
  // Texts may come from the user (profile names): no markup.
  setTextFormat(Qt::PlainText);
  setAutoFillBackground(false);
  setAttribute(Qt::WA_NoSystemBackground);
  setText(text);
}

void ColorStatic::SetTextColour(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  p.setColor(QPalette::Text, colour);
  setPalette(p);
  repaint();
}

QColor ColorStatic::TextColour() const {
  return palette().color(QPalette::WindowText);
}

void ColorStatic::SetFontHeight(int pixels) {
  if (pixels < 1) return;
  QFont f = font();
  f.setPixelSize(pixels);
  setFont(f);
  repaint();
}

void ColorStatic::SetText(const QString& text) {
  setText(text);
  repaint();
}

}  // namespace skin
