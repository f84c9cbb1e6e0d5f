#include "skin/report_ctrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "skin/window_message.h"

namespace skin {
namespace {

constexpr int kRowDataRole = Qt::UserRole + 1;

// Draws the cells with their column's alignment, keeps the selection in
// column 0 unless full-row selection is on, and never toggles a check
// itself: the list applies the check rules on the mouse press.
class ReportDelegate : public QStyledItemDelegate {
 public:
  explicit ReportDelegate(CReportCtrl* list) : QStyledItemDelegate(list), list_(list) {}

  QRect CheckRect(QStyleOptionViewItem option, const QModelIndex& index) const {
    initStyleOption(&option, index);
    if (!(option.features & QStyleOptionViewItem::HasCheckIndicator)) return {};
    const QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
    return style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, option.widget);
  }

  // Rows with some air: the text's height and four pixels above and below.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + 8));
    return size;
  }

  bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&,
                   const QModelIndex&) override {
    return false;
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant alignment = list_->headerItem()->data(index.column(), Qt::TextAlignmentRole);
    if (alignment.isValid()) {
      option->displayAlignment =
          (Qt::Alignment(alignment.toInt()) & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
    }
    if (!(list_->ExtendedStyle() & CReportCtrl::kStyleFullRowSelect) && index.column() > 0) {
      option->state &= ~QStyle::State_Selected;
    }
  }

 private:
  CReportCtrl* list_;
};

}  // namespace

CReportCtrl::CReportCtrl(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(0);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  header()->setSectionsMovable(false);
  header()->setStretchLastSection(false);
  setItemDelegate(new ReportDelegate(this));
}

int CReportCtrl::InsertColumn(int index, const QString& heading, Qt::Alignment alignment,
                              int width) {
  const int count = columnCount();
  index = std::clamp(index, 0, count);
  // Qt's tree model only appends columns: shift the cells right of `index`
  // ourselves. The check box and the row data stay in column 0.
  setColumnCount(count + 1);
  if (index < count) {
    static constexpr int kCellRoles[] = {Qt::DisplayRole,    Qt::TextAlignmentRole, Qt::ToolTipRole,
                                         Qt::ForegroundRole, Qt::BackgroundRole,    Qt::FontRole,
                                         Qt::DecorationRole};
    const auto shift = [&](QTreeWidgetItem* item) {
      for (int role : kCellRoles) {
        for (int column = count; column > index; --column) {
          item->setData(column, role, item->data(column - 1, role));
        }
        item->setData(index, role, QVariant());
      }
    };
    shift(headerItem());
    for (int row = 0; row < RowCount(); ++row) shift(topLevelItem(row));
    for (int column = count; column > index; --column) {
      setColumnWidth(column, columnWidth(column - 1));
    }
  }
  QTreeWidgetItem* head = headerItem();
  head->setText(index, heading);
  head->setData(index, Qt::TextAlignmentRole,
                static_cast<int>((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter));
  setColumnWidth(index, std::max(width, 0));
  return index;
}

void CReportCtrl::SetExtendedStyle(int styles) {
  gridLines_ = (styles & kStyleGridLines) != 0;
  fullRowSelect_ = (styles & kStyleFullRowSelect) != 0;
  const bool checkBoxes = (styles & kStyleCheckBoxes) != 0;
  if (checkBoxes && checkMode_ == kCheckNone) SetCheckMode(kCheckNormal);
  if (!checkBoxes && checkMode_ != kCheckNone) SetCheckMode(kCheckNone);
  viewport()->update();
}

int CReportCtrl::ExtendedStyle() const {
  return (gridLines_ ? kStyleGridLines : 0) | (fullRowSelect_ ? kStyleFullRowSelect : 0) |
         (checkMode_ != kCheckNone ? kStyleCheckBoxes : 0);
}

void CReportCtrl::SetCheckMode(int mode) {
  if (mode < kCheckNone || mode > kCheckDisabled) return;
  const bool wasShown = checkMode_ != kCheckNone;
  checkMode_ = mode;
  const bool shown = checkMode_ != kCheckNone;
  if (shown && wasShown) {
    // Entering single mode keeps the first checked row only.
    if (checkMode_ == kCheckSingle) {
      const int first = FindNextRow(-1, kStateChecked);
      for (int row = first + 1; first >= 0 && row < RowCount(); ++row) {
        SetChecked(topLevelItem(row), false);
      }
    }
    return;
  }
  if (shown == wasShown) return;
  for (int row = 0; row < RowCount(); ++row) {
    topLevelItem(row)->setData(0, Qt::CheckStateRole,
                               shown ? QVariant(static_cast<int>(Qt::Unchecked)) : QVariant());
  }
}

int CReportCtrl::InsertRow(int index, const QString& text) {
  index = std::clamp(index, 0, RowCount());
  auto* item = new QTreeWidgetItem;
  // Not user-checkable: Qt must not toggle the box on its own.
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  item->setText(0, text);
  item->setData(0, kRowDataRole, QVariant::fromValue<qulonglong>(0));
  if (checkMode_ != kCheckNone) item->setCheckState(0, Qt::Unchecked);
  insertTopLevelItem(index, item);
  return index;
}

bool CReportCtrl::SetItemText(int row, int column, const QString& text) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr || column < 0 || column >= columnCount()) return false;
  item->setText(column, text);
  return true;
}

QString CReportCtrl::ItemText(int row, int column) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr || column < 0 || column >= columnCount()) return {};
  return item->text(column);
}

bool CReportCtrl::SetRowData(int row, quintptr data) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr) return false;
  item->setData(0, kRowDataRole, QVariant::fromValue<qulonglong>(data));
  return true;
}

quintptr CReportCtrl::RowData(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr) return 0;
  return static_cast<quintptr>(item->data(0, kRowDataRole).toULongLong());
}

bool CReportCtrl::IsChecked(const QTreeWidgetItem* item) const {
  return checkMode_ != kCheckNone && item->checkState(0) == Qt::Checked;
}

void CReportCtrl::SetChecked(QTreeWidgetItem* item, bool checked) {
  if (checkMode_ == kCheckNone) return;
  item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void CReportCtrl::NotifyCheck(QTreeWidgetItem* item) {
  if (!checkCallback_) return;
  const int row = indexOfTopLevelItem(item);
  if (row >= 0) checkCallback_(row, this);
}

bool CReportCtrl::RowHasStates(int row, int states) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr) return false;
  const bool selected = item->isSelected();
  const bool checked = IsChecked(item);
  if ((states & kStateSelected) && !selected) return false;
  if ((states & kStateUnselected) && selected) return false;
  if ((states & kStateChecked) && !checked) return false;
  if ((states & kStateUnchecked) && checked) return false;
  if ((states & kStateFocused) && currentItem() != item) return false;
  return true;
}

int CReportCtrl::FindNextRow(int start, int states) const {
  for (int row = std::max(start + 1, 0); row < RowCount(); ++row) {
    if (RowHasStates(row, states)) return row;
  }
  return -1;
}

bool CReportCtrl::SetRowStates(int row, int states) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr) return false;
  if (states & kStateSelected) item->setSelected(true);
  if (states & kStateFocused) {
    selectionModel()->setCurrentIndex(indexFromItem(item), QItemSelectionModel::NoUpdate);
  }
  if ((states & kStateChecked) && checkMode_ != kCheckNone) {
    SetChecked(item, true);
    NotifyCheck(item);
    // The callback may have changed the list; the rule applies to what is left.
    if (checkMode_ == kCheckSingle && indexOfTopLevelItem(item) >= 0 && IsChecked(item)) {
      for (int other = 0; other < RowCount(); ++other) {
        if (topLevelItem(other) != item) SetChecked(topLevelItem(other), false);
      }
    }
  }
  return true;
}

bool CReportCtrl::ClearRowStates(int row, int states) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr) return false;
  if (states & kStateSelected) item->setSelected(false);
  if ((states & kStateFocused) && currentItem() == item) {
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  }
  if ((states & kStateChecked) && checkMode_ != kCheckNone) {
    SetChecked(item, false);
    NotifyCheck(item);
  }
  return true;
}

bool CReportCtrl::DeleteRow(int row, bool selectNext) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr) return false;
  // Qt may move the selection to a neighbour on its own; keep what we decide.
  QList<QTreeWidgetItem*> selected = selectedItems();
  selected.removeAll(item);
  delete item;
  clearSelection();
  if (selectNext && RowCount() > 0) {
    QTreeWidgetItem* next = topLevelItem(std::min(row, RowCount() - 1));
    selectionModel()->setCurrentIndex(
        indexFromItem(next), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  } else {
    for (QTreeWidgetItem* s : selected) s->setSelected(true);
  }
  return true;
}

void CReportCtrl::DeleteAllRows() {
  clear();
}

int CReportCtrl::MoveRow(int from, int to) {
  if (from < 0 || from >= RowCount()) return -1;
  to = std::clamp(to, 0, RowCount() - 1);
  if (to == from) return from;

  QList<QTreeWidgetItem*> selected = selectedItems();
  QTreeWidgetItem* current = currentItem();
  const bool updates = updatesEnabled();
  setUpdatesEnabled(false);
  QTreeWidgetItem* item = takeTopLevelItem(from);
  insertTopLevelItem(to, item);
  clearSelection();
  for (QTreeWidgetItem* s : selected) s->setSelected(true);
  selectionModel()->setCurrentIndex(current != nullptr ? indexFromItem(current) : QModelIndex(),
                                    QItemSelectionModel::NoUpdate);
  setUpdatesEnabled(updates);
  return to;
}

int CReportCtrl::FindRowByText(const QString& text, int start) const {
  for (int row = std::max(start + 1, 0); row < RowCount(); ++row) {
    if (topLevelItem(row)->text(0).compare(text, Qt::CaseInsensitive) == 0) return row;
  }
  return -1;
}

QRect CReportCtrl::CheckBoxRect(int row) const {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr || checkMode_ == kCheckNone || columnCount() == 0) return {};
  const QModelIndex index = indexFromItem(item, 0);
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualRect(index);
  return static_cast<const ReportDelegate*>(itemDelegate())->CheckRect(option, index);
}

bool CReportCtrl::HitsCheckBox(const QPoint& pos, QTreeWidgetItem** item) const {
  if (checkMode_ == kCheckNone) return false;
  QTreeWidgetItem* hit = itemAt(pos);
  if (hit == nullptr) return false;
  if (!CheckBoxRect(indexOfTopLevelItem(hit)).contains(pos)) return false;
  *item = hit;
  return true;
}

void CReportCtrl::ClickCheckBox(QTreeWidgetItem* item) {
  if (checkMode_ == kCheckDisabled) return;
  if (checkMode_ == kCheckNormal) {
    SetChecked(item, !IsChecked(item));
  } else if (IsChecked(item)) {
    SetChecked(item, false);
    NotifyCheck(item);
  } else {
    QList<QTreeWidgetItem*> checked;
    for (int row = 0; row < RowCount(); ++row) {
      if (IsChecked(topLevelItem(row))) checked.append(topLevelItem(row));
    }
    for (QTreeWidgetItem* other : checked) {
      // A callback may have deleted rows.
      if (indexOfTopLevelItem(other) < 0) continue;
      SetChecked(other, false);
      NotifyCheck(other);
    }
    if (indexOfTopLevelItem(item) < 0) return;
    SetChecked(item, true);
    NotifyCheck(item);
  }
  const int row = indexOfTopLevelItem(item);
  if (row < 0) return;
  selectionModel()->setCurrentIndex(
      indexFromItem(item), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  PostWindowMessage(parentWidget(), kMsgReportRowClicked, static_cast<uint32_t>(row),
                    kMouseLeftDown);
}

void CReportCtrl::mousePressEvent(QMouseEvent* event) {
  QTreeWidgetItem* item = nullptr;
  if (event->button() == Qt::LeftButton && HitsCheckBox(event->position().toPoint(), &item)) {
    swallowRelease_ = true;
    event->accept();
    ClickCheckBox(item);
    return;
  }
  swallowRelease_ = false;
  QTreeWidget::mousePressEvent(event);
}

// The second press of a double click arrives as a double-click event; on a
// check box it counts as one more click.
void CReportCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeWidgetItem* item = nullptr;
  if (event->button() == Qt::LeftButton && HitsCheckBox(event->position().toPoint(), &item)) {
    swallowRelease_ = true;
    event->accept();
    ClickCheckBox(item);
    return;
  }
  QTreeWidget::mouseDoubleClickEvent(event);
}

void CReportCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (swallowRelease_ && event->button() == Qt::LeftButton) {
    swallowRelease_ = false;
    event->accept();
    return;
  }
  QTreeWidget::mouseReleaseEvent(event);
}

void CReportCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
  QTreeWidget::drawRow(painter, option, index);
  if (!gridLines_) return;
  painter->save();
  painter->setPen(palette().color(QPalette::Mid));
  const QRect row = option.rect;
  painter->drawLine(row.left(), row.bottom(), row.right(), row.bottom());
  for (int column = 0; column < columnCount(); ++column) {
    const int x = columnViewportPosition(column) + columnWidth(column) - 1;
    painter->drawLine(x, row.top(), x, row.bottom());
  }
  painter->restore();
}

}  // namespace skin
