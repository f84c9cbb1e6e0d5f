// A label drawn in a colour of its own over the window's picture (no
// background of its own), repainted at once after each change.
#pragma once

#include <QColor>
#include <QLabel>

namespace skin {

class ColorStatic : public QLabel {
  Q_OBJECT

 public:
  explicit ColorStatic(QWidget* parent = nullptr);
  explicit ColorStatic(const QString& text, QWidget* parent = nullptr);

  void SetTextColour(const QColor& colour);
  QColor TextColour() const;
  // The font is made again with this height in pixels (ignored below 1).
  void SetFontHeight(int pixels);
  int FontHeight() const { return font().pixelSize(); }
  // The text is shown as it is, never as rich text.
  void SetText(const QString& text);
};

}  // namespace skin
