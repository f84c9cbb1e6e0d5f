// A list view in report mode: rows of texts under a header, an optional
// check box in column 0 with its own rules (normal, single, disabled), rows
// that move with all their texts, states and data.
//
// Built on QTreeWidget with root items only: one item is one row, so a row's
// texts, check state and data travel together when it moves, and the view is
// row-oriented like a list (QTableWidget would scatter a row over cells).
#pragma once

#include <QTreeWidget>
#include <QtGlobal>
#include <functional>

namespace skin {

class CReportCtrl : public QTreeWidget {
  Q_OBJECT

 public:
  // Check-box modes.
  static constexpr int kCheckNone = 0;
  static constexpr int kCheckNormal = 1;
  static constexpr int kCheckSingle = 2;    // at most one row checked
  static constexpr int kCheckDisabled = 3;  // clicks leave the checks alone

  // Row states, for queries and settings; they combine with |.
  static constexpr int kStateAll = 1;
  static constexpr int kStateSelected = 2;
  static constexpr int kStateUnselected = 4;
  static constexpr int kStateChecked = 8;
  static constexpr int kStateUnchecked = 16;
  static constexpr int kStateFocused = 32;

  // Extended styles; they combine with |.
  static constexpr int kStyleGridLines = 1;
  static constexpr int kStyleFullRowSelect = 2;
  static constexpr int kStyleCheckBoxes = 4;

  using CheckCallback = std::function<void(int row, CReportCtrl* list)>;

  explicit CReportCtrl(QWidget* parent = nullptr);

  // Columns. `index` is clamped to 0..ColumnCount(); returns the index used.
  int InsertColumn(int index, const QString& heading, Qt::Alignment alignment = Qt::AlignLeft,
                   int width = 100);
  int ColumnCount() const { return columnCount(); }

  // Check boxes on/off follow the check mode: turning them on sets the mode
  // to normal (when it was none), turning them off sets it to none.
  void SetExtendedStyle(int styles);
  int ExtendedStyle() const;

  // Turning the check boxes off (kCheckNone) forgets every row's check.
  void SetCheckMode(int mode);
  int CheckMode() const { return checkMode_; }
  void SetCheckCallback(CheckCallback callback) { checkCallback_ = std::move(callback); }

  // Rows. `index` is clamped to 0..RowCount(); returns the row's index.
  int InsertRow(int index, const QString& text);
  int RowCount() const { return topLevelItemCount(); }
  bool SetItemText(int row, int column, const QString& text);
  QString ItemText(int row, int column) const;  // empty when out of range
  bool SetRowData(int row, quintptr data);
  quintptr RowData(int row) const;  // 0 when out of range

  // Every condition in `states` must hold (kStateAll alone: any row).
  bool RowHasStates(int row, int states) const;
  // The first row after `start` (-1: from the top) whose states match, or -1.
  int FindNextRow(int start, int states) const;
  // Checks set or cleared here call the check callback for the row; a check
  // set in single mode then unchecks every other row without callbacks.
  bool SetRowStates(int row, int states);
  bool ClearRowStates(int row, int states);

  // Deletes a row; with `selectNext`, the next row (or the new last one)
  // becomes the only selected and the current row.
  bool DeleteRow(int row, bool selectNext = false);
  void DeleteAllRows();

  // Moves a row with its texts, check, selection, focus and data. The target
  // is clamped to the list; returns the row's new index, -1 for a bad source.
  int MoveRow(int from, int to);
  int MoveRowUp(int row, int count = 1) { return MoveRow(row, row - count); }
  int MoveRowDown(int row, int count = 1) { return MoveRow(row, row + count); }
  int MoveRowToTop(int row) { return MoveRow(row, 0); }
  int MoveRowToBottom(int row) { return MoveRow(row, RowCount() - 1); }

  // The first row after `start` whose column-0 text equals `text` ignoring
  // case, or -1.
  int FindRowByText(const QString& text, int start = -1) const;

  // Where a row's check box is drawn, in viewport coordinates (empty when
  // the list shows no check boxes).
  QRect CheckBoxRect(int row) const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

 private:
  bool IsChecked(const QTreeWidgetItem* item) const;
  void SetChecked(QTreeWidgetItem* item, bool checked);
  void NotifyCheck(QTreeWidgetItem* item);
  bool HitsCheckBox(const QPoint& pos, QTreeWidgetItem** item) const;
  void ClickCheckBox(QTreeWidgetItem* item);

  int checkMode_ = kCheckNone;
  bool gridLines_ = false;
  bool fullRowSelect_ = false;
  bool swallowRelease_ = false;
  CheckCallback checkCallback_;
};

}  // namespace skin
