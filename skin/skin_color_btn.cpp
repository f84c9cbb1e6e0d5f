#include "skin/skin_color_btn.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace skin {
namespace {

constexpr int kSwatchSize = 14;

QIcon SwatchIcon(const QColor& colour) {
  QPixmap pixmap(kSwatchSize, kSwatchSize);
  pixmap.fill(colour);
  QPainter painter(&pixmap);
  painter.setPen(colour.darker(160));
  painter.drawRect(0, 0, kSwatchSize - 1, kSwatchSize - 1);
  return QIcon(pixmap);
}

QToolButton* EntryButton(QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::StrongFocus);
  return button;
}

}  // namespace

ColourPalettePopup::ColourPalettePopup(const QList<QColor>& colours, int columns,
                                       const QColor& automatic, const QString& automaticText,
                                       const QString& otherText, QWidget* parent)
    : QWidget(parent, Qt::Popup), colours_(colours), automatic_(automatic) {
  setAttribute(Qt::WA_DeleteOnClose);
  columns = std::max(columns, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->setSpacing(2);

  QToolButton* automaticButton = EntryButton(this);
  automaticButton->setText(automaticText);
  automaticButton->setIcon(SwatchIcon(automatic));
  automaticButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  automaticButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  connect(automaticButton, &QToolButton::clicked, this, &ColourPalettePopup::ChooseAutomatic);
  layout->addWidget(automaticButton);

  auto* grid = new QGridLayout;
  grid->setSpacing(1);
  for (int entry = 0; entry < EntryCount(); ++entry) {
    QToolButton* button = EntryButton(this);
    button->setIcon(SwatchIcon(colours_[entry]));
    button->setToolTip(colours_[entry].name().toUpper());
    connect(button, &QToolButton::clicked, this, [this, entry] { ChooseEntry(entry); });
    grid->addWidget(button, entry / columns, entry % columns);
  }
  layout->addLayout(grid);

  QToolButton* otherButton = EntryButton(this);
  otherButton->setText(otherText);
  otherButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  connect(otherButton, &QToolButton::clicked, this, &ColourPalettePopup::ChooseOther);
  layout->addWidget(otherButton);
}

QColor ColourPalettePopup::EntryColour(int entry) const {
  if (entry < 0 || entry >= EntryCount()) return {};
  return colours_[entry];
}

void ColourPalettePopup::ChooseEntry(int entry) {
  if (entry < 0 || entry >= EntryCount()) return;
  const QColor colour = colours_[entry];
  close();
  emit colourPicked(colour);
}

void ColourPalettePopup::ChooseAutomatic() {
  close();
  emit colourPicked(automatic_);
}

void ColourPalettePopup::ChooseOther() {
  // Closed first: a modal dialog must not sit under an open popup.
  close();
  emit otherRequested();
}

void ColourPalettePopup::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

CSkinColorBtn::CSkinColorBtn(QWidget* parent) : QAbstractButton(parent) {
  otherPicker_ = [](const QColor& initial, QWidget* owner) {
    return QColorDialog::getColor(initial, owner);
  };
  connect(this, &QAbstractButton::clicked, this, &CSkinColorBtn::ShowPalette);
}

void CSkinColorBtn::SetColour(const QColor& colour) {
  colour_ = colour;
  update();
}

const QList<QColor>& CSkinColorBtn::StandardColours() {
  static const QList<QColor> colours = [] {
    static constexpr QRgb kTable[40] = {
        // greys, black to white
        0x000000, 0x1C1C1C, 0x393939, 0x555555, 0x717171, 0x8E8E8E, 0xAAAAAA, 0xC6C6C6, 0xE3E3E3,
        0xFFFFFF,
        // dark: red, orange, yellow, lime, green, cyan, azure, blue, violet, magenta
        0x800000, 0x804000, 0x808000, 0x408000, 0x008000, 0x008080, 0x004080, 0x000080, 0x400080,
        0x800080,
        // full
        0xFF0000, 0xFF8000, 0xFFFF00, 0x80FF00, 0x00FF00, 0x00FFFF, 0x0080FF, 0x0000FF, 0x8000FF,
        0xFF00FF,
        // light
        0xFF8080, 0xFFC080, 0xFFFF80, 0xC0FF80, 0x80FF80, 0x80FFFF, 0x80C0FF, 0x8080FF, 0xC080FF,
        0xFF80FF};
    QList<QColor> list;
    for (QRgb rgb : kTable) list.append(QColor::fromRgb(rgb));
    return list;
  }();
  return colours;
}

ColourPalettePopup* CSkinColorBtn::ShowPalette() {
  if (palette_ != nullptr) palette_->close();
  auto* popup = new ColourPalettePopup(StandardColours(), columns_, automatic_, automaticText_,
                                       otherText_, this);
  palette_ = popup;
  connect(popup, &ColourPalettePopup::colourPicked, this, &CSkinColorBtn::Choose);
  connect(popup, &ColourPalettePopup::otherRequested, this, &CSkinColorBtn::ChooseOther);

  // Below the button, or above it when the screen ends first.
  popup->adjustSize();
  const QSize size = popup->size();
  QPoint pos = mapToGlobal(QPoint(0, height()));
  if (const QScreen* screen = this->screen(); screen != nullptr) {
    const QRect area = screen->availableGeometry();
    if (pos.y() + size.height() > area.bottom() + 1)
      pos.setY(mapToGlobal(QPoint(0, 0)).y() - size.height());
    pos.setX(
        std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
    pos.setY(std::max(pos.y(), area.top()));
  }
  popup->move(pos);
  popup->show();
  return popup;
}

void CSkinColorBtn::Choose(const QColor& colour) {
  SetColour(colour);
  emit colourChosen(colour);
}

void CSkinColorBtn::ChooseOther() {
  if (!otherPicker_) return;
  const QColor colour = otherPicker_(colour_, this);
  if (colour.isValid()) Choose(colour);
}

QSize CSkinColorBtn::sizeHint() const {
  return {44, 20};
}

void CSkinColorBtn::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int half = width() / 2;
  const QRect swatch(0, 0, half, height());
  const QRect dropDown(half, 0, width() - half, height());

  painter.fillRect(swatch, colour_);
  painter.setPen(colour_.darker(160));
  painter.drawRect(swatch.adjusted(0, 0, -1, -1));

  painter.fillRect(dropDown, QColor::fromRgb(kDropDownColour));
  // A small down-arrow, 7 px wide and 4 px high, in the middle.
  const QPoint centre = dropDown.center();
  QPainterPath arrow;
  arrow.moveTo(centre.x() - 3, centre.y() - 1);
  arrow.lineTo(centre.x() + 4, centre.y() - 1);
  arrow.lineTo(centre.x() + 0.5, centre.y() + 3);
  arrow.closeSubpath();
  painter.fillPath(arrow, isEnabled() ? QColor(Qt::black) : palette().color(QPalette::Mid));

  if (hasFocus()) {
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(dropDown.adjusted(1, 1, -2, -2));
  }
}

}  // namespace skin
