// A colour button with its own face: the colour as a swatch on the left, a
// drop-down area with an arrow on the right. A click opens a palette of
// standard colours, an "automatic" entry and an entry for further colours.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QList>
#include <QPointer>
#include <functional>

class QToolButton;

namespace skin {

// The popup of CSkinColorBtn. Choosing closes it; Escape or a click outside
// closes it without a choice.
class ColourPalettePopup : public QWidget {
  Q_OBJECT

 public:
  ColourPalettePopup(const QList<QColor>& colours, int columns, const QColor& automatic,
                     const QString& automaticText, const QString& otherText,
                     QWidget* parent = nullptr);

  int EntryCount() const { return static_cast<int>(colours_.size()); }
  QColor EntryColour(int entry) const;
  // What a click on each entry does (a bad entry index does nothing).
  void ChooseEntry(int entry);
  void ChooseAutomatic();
  void ChooseOther();

 signals:
  void colourPicked(const QColor& colour);
  void otherRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QList<QColor> colours_;
  QColor automatic_;
};

class CSkinColorBtn : public QAbstractButton {
  Q_OBJECT

 public:
  // The drop-down area's colour.
  static constexpr QRgb kDropDownColour = 0xFF94928B;  // RGB(148, 146, 139)

  // Asked for a colour beyond the palette; returns an invalid colour when
  // the user cancels. The default opens QColorDialog.
  using OtherColourPicker = std::function<QColor(const QColor& initial, QWidget* parent)>;

  explicit CSkinColorBtn(QWidget* parent = nullptr);

  // From the program: no colourChosen.
  void SetColour(const QColor& colour);
  QColor Colour() const { return colour_; }
  void SetAutomaticColour(const QColor& colour) { automatic_ = colour; }
  QColor AutomaticColour() const { return automatic_; }
  void SetAutomaticText(const QString& text) { automaticText_ = text; }
  QString AutomaticText() const { return automaticText_; }
  void SetOtherText(const QString& text) { otherText_ = text; }
  QString OtherText() const { return otherText_; }
  void SetPaletteColumns(int columns) { columns_ = std::max(columns, 1); }
  int PaletteColumns() const { return columns_; }
  void SetOtherColourPicker(OtherColourPicker picker) { otherPicker_ = std::move(picker); }

  // The 40 standard colours: a grey ramp, then dark, full and light hues.
  static const QList<QColor>& StandardColours();

  // Opens the palette under the button (what a click does); the popup
  // deletes itself when closed.
  ColourPalettePopup* ShowPalette();
  // The open palette, or null.
  ColourPalettePopup* Palette() const { return palette_; }

  QSize sizeHint() const override;

 signals:
  // A colour chosen from the palette, also when it is the current one.
  void colourChosen(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Choose(const QColor& colour);
  void ChooseOther();

  QColor colour_ = Qt::black;
  QColor automatic_ = Qt::black;
  QString automaticText_ = QStringLiteral("Automatic");
  QString otherText_ = QStringLiteral("Other...");
  int columns_ = 10;
  OtherColourPicker otherPicker_;
  QPointer<ColourPalettePopup> palette_;
};

}  // namespace skin
