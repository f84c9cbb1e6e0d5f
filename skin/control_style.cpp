#include "skin/control_style.h"

#include <QApplication>
#include <QPalette>
#include <QProxyStyle>

namespace skin {
namespace {

// Tooltips of the skinned buttons come up after 300 ms.
class SkinStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == QStyle::SH_ToolTip_WakeUpDelay) return kTooltipDelayMs;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

}  // namespace

const SkinColours& Colours() {
  static const SkinColours colours;
  return colours;
}

QString ControlStyleSheet() {
  const SkinColours& c = Colours();
  QString sheet = QStringLiteral(R"(
QComboBox, QLineEdit, QSpinBox {
  background: %1; color: %3; border: 1px solid %2; border-radius: 4px; padding: 2px 6px;
  selection-background-color: %4; selection-color: %5;
}
QComboBox:hover, QLineEdit:hover { border-color: %4; }
QComboBox:focus, QLineEdit:focus { border-color: %4; }
QComboBox:disabled, QLineEdit:disabled { color: %6; }
QComboBox QAbstractItemView, QListView, QTreeView, QTableView {
  background: %1; color: %3; border: 1px solid %2; outline: 0;
  selection-background-color: %4; selection-color: %5; gridline-color: %2;
  alternate-background-color: %7;
}
QListView::item { padding: 4px 6px; }
QTreeView::indicator, QListView::indicator { width: 12px; height: 12px; border: 1px solid %6;
  border-radius: 3px; background: %1; }
QTreeView::indicator:checked, QListView::indicator:checked { background: %4; border-color: %4; }
QHeaderView::section { background: %7; color: %6; border: none;
  border-right: 1px solid %2; border-bottom: 1px solid %2; padding: 4px 6px; }
QScrollBar:vertical { background: %1; width: 10px; margin: 0; }
QScrollBar::handle:vertical { background: %2; border-radius: 4px; min-height: 24px; }
QScrollBar::handle:vertical:hover { background: %6; }
QScrollBar::add-line, QScrollBar::sub-line { height: 0; width: 0; }
QScrollBar:horizontal { background: %1; height: 10px; margin: 0; }
QScrollBar::handle:horizontal { background: %2; border-radius: 4px; min-width: 24px; }
QCheckBox, QRadioButton { color: %3; spacing: 6px; background: transparent; }
QToolTip { background: %7; color: %3; border: 1px solid %2; padding: 4px; }
QMenu { background: %7; color: %3; border: 1px solid %2; padding: 4px; }
QMenu::item { padding: 5px 18px; border-radius: 3px; }
QMenu::item:selected { background: %4; color: %5; }
QMenu::separator { height: 1px; background: %2; margin: 4px 6px; }
QMessageBox, QFileDialog, QColorDialog { background: %8; color: %3; }
QMessageBox QLabel { color: %3; }
QPushButton { background: %7; color: %3; border: 1px solid %2; border-radius: 4px;
  padding: 4px 14px; min-width: 64px; }
QPushButton:hover { border-color: %4; }
QPushButton:default { border-color: %4; }
)");
  return sheet.arg(c.field.name(), c.border.name(), c.text.name(), c.accent.name(), c.window.name(),
                   c.dimText.name(), c.field.lighter(115).name(), c.window.name());
}

void ApplyControlStyle(QApplication* application) {
  const SkinColours& c = Colours();
  QPalette palette = application->palette();
  palette.setColor(QPalette::Window, c.window);
  palette.setColor(QPalette::WindowText, c.text);
  palette.setColor(QPalette::Base, c.field);
  palette.setColor(QPalette::AlternateBase, c.field.lighter(115));
  palette.setColor(QPalette::Text, c.text);
  palette.setColor(QPalette::Button, c.field);
  palette.setColor(QPalette::ButtonText, c.text);
  palette.setColor(QPalette::Highlight, c.accent);
  palette.setColor(QPalette::HighlightedText, c.window);
  palette.setColor(QPalette::ToolTipBase, c.field);
  palette.setColor(QPalette::ToolTipText, c.text);
  palette.setColor(QPalette::PlaceholderText, c.dimText);
  palette.setColor(QPalette::Mid, c.border);  // the report list's grid lines
  palette.setColor(QPalette::Disabled, QPalette::Text, c.dimText);
  palette.setColor(QPalette::Disabled, QPalette::WindowText, c.dimText);
  application->setStyle(new SkinStyle);
  application->setPalette(palette);
  application->setStyleSheet(ControlStyleSheet());
}

}  // namespace skin
