// The report list: check-box rules by program and by real mouse clicks,
// state queries, row moves, deletes and searches.
#include "skin/report_ctrl.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <utility>
#include <vector>

#include "skin/window_message.h"

namespace {

using skin::CReportCtrl;

// The window the list sits in: keeps the window messages posted to it.
class MessageRecorder : public QWidget {
 public:
  std::vector<platform::WindowMessage> Take() {
    QCoreApplication::sendPostedEvents();
    return std::exchange(messages_, {});
  }

 protected:
  bool event(QEvent* event) override {
    if (event->type() == skin::WindowMessageEvent::Type()) {
      messages_.push_back(static_cast<skin::WindowMessageEvent*>(event)->message());
      return true;
    }
    return QWidget::event(event);
  }

 private:
  std::vector<platform::WindowMessage> messages_;
};

struct CheckCall {
  int row;
  bool checkedThen;
  bool operator==(const CheckCall&) const = default;
};

class ReportCtrlTest : public ::testing::Test {
 protected:
  ReportCtrlTest() {
    window.resize(400, 300);
    list = new CReportCtrl(&window);
    list->setGeometry(0, 0, 400, 300);
    list->InsertColumn(0, "Name", Qt::AlignLeft, 150);
    list->InsertColumn(1, "Keys", Qt::AlignRight, 100);
    list->InsertColumn(2, "Note", Qt::AlignHCenter, 100);
    list->SetExtendedStyle(CReportCtrl::kStyleFullRowSelect | CReportCtrl::kStyleGridLines |
                           CReportCtrl::kStyleCheckBoxes);
    for (int row = 0; row < 5; ++row) {
      list->InsertRow(row, QString("row %1").arg(row));
      list->SetItemText(row, 1, QString("keys %1").arg(row));
      list->SetItemText(row, 2, QString("note %1").arg(row));
      list->SetRowData(row, 100 + row);
    }
    window.show();
  }

  // Records each callback with the row's check state at that moment.
  void RecordCallbacks() {
    list->SetCheckCallback([this](int row, CReportCtrl* from) {
      EXPECT_EQ(from, list);
      calls.push_back({row, from->RowHasStates(row, CReportCtrl::kStateChecked)});
    });
  }

  void Mouse(QEvent::Type type, QPoint pos) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QWidget* viewport = list->viewport();
    QMouseEvent event(type, QPointF(pos), QPointF(viewport->mapToGlobal(pos)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &event);
  }

  void Click(QPoint pos) {
    Mouse(QEvent::MouseButtonPress, pos);
    Mouse(QEvent::MouseButtonRelease, pos);
  }

  void ClickCheckBox(int row) {
    const QRect box = list->CheckBoxRect(row);
    ASSERT_FALSE(box.isEmpty());
    Click(box.center());
  }

  std::vector<int> CheckedRows() const {
    std::vector<int> rows;
    for (int row = list->FindNextRow(-1, CReportCtrl::kStateChecked); row >= 0;
         row = list->FindNextRow(row, CReportCtrl::kStateChecked)) {
      rows.push_back(row);
    }
    return rows;
  }

  std::vector<int> SelectedRows() const {
    std::vector<int> rows;
    for (int row = list->FindNextRow(-1, CReportCtrl::kStateSelected); row >= 0;
         row = list->FindNextRow(row, CReportCtrl::kStateSelected)) {
      rows.push_back(row);
    }
    return rows;
  }

  int CurrentRow() const { return list->FindNextRow(-1, CReportCtrl::kStateFocused); }

  std::vector<QString> Names() const {
    std::vector<QString> names;
    for (int row = 0; row < list->RowCount(); ++row) names.push_back(list->ItemText(row, 0));
    return names;
  }

  MessageRecorder window;
  CReportCtrl* list;
  std::vector<CheckCall> calls;
};

TEST_F(ReportCtrlTest, SingleModeCheckByProgramUnchecksTheOthersWithoutCallbacks) {
  list->SetCheckMode(CReportCtrl::kCheckSingle);
  list->SetRowStates(0, CReportCtrl::kStateChecked);
  RecordCallbacks();

  list->SetRowStates(2, CReportCtrl::kStateChecked);

  EXPECT_EQ(CheckedRows(), std::vector<int>{2});
  EXPECT_EQ(calls, (std::vector<CheckCall>{{2, true}}));
  EXPECT_TRUE(window.Take().empty());

  list->ClearRowStates(2, CReportCtrl::kStateChecked);
  EXPECT_TRUE(CheckedRows().empty());
  EXPECT_EQ(calls, (std::vector<CheckCall>{{2, true}, {2, false}}));
}

TEST_F(ReportCtrlTest, SingleModeClickUnchecksEachCheckedRowThenChecksTheClickedOne) {
  list->SetCheckMode(CReportCtrl::kCheckSingle);
  list->SetRowStates(0, CReportCtrl::kStateChecked | CReportCtrl::kStateSelected);
  list->SetRowStates(4, CReportCtrl::kStateSelected | CReportCtrl::kStateFocused);
  RecordCallbacks();

  ClickCheckBox(2);

  EXPECT_EQ(calls, (std::vector<CheckCall>{{0, false}, {2, true}}));
  EXPECT_EQ(CheckedRows(), std::vector<int>{2});
  EXPECT_EQ(SelectedRows(), std::vector<int>{2});
  EXPECT_EQ(CurrentRow(), 2);
  const auto messages = window.Take();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].id, skin::kMsgReportRowClicked);
  EXPECT_EQ(messages[0].wParam, 2u);
  EXPECT_EQ(messages[0].lParam, skin::kMouseLeftDown);

  // Clicking the checked row just unchecks it.
  calls.clear();
  ClickCheckBox(2);
  EXPECT_EQ(calls, (std::vector<CheckCall>{{2, false}}));
  EXPECT_TRUE(CheckedRows().empty());
  EXPECT_EQ(window.Take().size(), 1u);
}

// The profile manager may drop rows from its callback; the click goes on
// with the rows that are left.
TEST_F(ReportCtrlTest, ACallbackMayDeleteRowsDuringAClick) {
  list->SetCheckMode(CReportCtrl::kCheckSingle);
  list->SetRowStates(0, CReportCtrl::kStateChecked);
  list->SetCheckCallback([this](int row, CReportCtrl*) {
    calls.push_back({row, list->RowHasStates(row, CReportCtrl::kStateChecked)});
    if (row == 0 && !list->RowHasStates(0, CReportCtrl::kStateChecked)) list->DeleteRow(0);
  });

  ClickCheckBox(2);

  EXPECT_EQ(calls, (std::vector<CheckCall>{{0, false}, {1, true}}));
  EXPECT_EQ(list->ItemText(1, 0), "row 2");
  EXPECT_EQ(CheckedRows(), std::vector<int>{1});
  const auto messages = window.Take();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].wParam, 1u);
}

TEST_F(ReportCtrlTest, NormalModeClickTogglesWithoutCallback) {
  list->SetCheckMode(CReportCtrl::kCheckNormal);
  list->SetRowStates(0, CReportCtrl::kStateChecked);
  RecordCallbacks();

  ClickCheckBox(3);
  EXPECT_EQ(CheckedRows(), (std::vector<int>{0, 3}));
  ClickCheckBox(0);
  EXPECT_EQ(CheckedRows(), std::vector<int>{3});

  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(SelectedRows(), std::vector<int>{0});
  EXPECT_EQ(CurrentRow(), 0);
  const auto messages = window.Take();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].wParam, 3u);
  EXPECT_EQ(messages[1].wParam, 0u);
}

TEST_F(ReportCtrlTest, DoubleClickOnACheckBoxCountsAsTwoClicks) {
  list->SetCheckMode(CReportCtrl::kCheckNormal);
  const QPoint box = list->CheckBoxRect(1).center();
  Mouse(QEvent::MouseButtonPress, box);
  Mouse(QEvent::MouseButtonRelease, box);
  Mouse(QEvent::MouseButtonDblClick, box);
  Mouse(QEvent::MouseButtonRelease, box);
  EXPECT_TRUE(CheckedRows().empty());
  EXPECT_EQ(window.Take().size(), 2u);
}

TEST_F(ReportCtrlTest, DisabledModeClickChangesNothing) {
  list->SetCheckMode(CReportCtrl::kCheckDisabled);
  list->SetRowStates(
      1, CReportCtrl::kStateChecked | CReportCtrl::kStateSelected | CReportCtrl::kStateFocused);
  RecordCallbacks();

  ClickCheckBox(1);
  ClickCheckBox(3);

  EXPECT_EQ(CheckedRows(), std::vector<int>{1});
  EXPECT_EQ(SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(CurrentRow(), 1);
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(window.Take().empty());
}

// Qt's own toggling (space on the current row, a click beside the box)
// must not get round the rules.
TEST_F(ReportCtrlTest, OnlyAClickOnTheBoxChangesACheck) {
  list->SetCheckMode(CReportCtrl::kCheckSingle);
  list->SetRowStates(0, CReportCtrl::kStateChecked);
  RecordCallbacks();

  list->SetRowStates(2, CReportCtrl::kStateFocused);
  list->setFocus();
  QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
  QCoreApplication::sendEvent(list, &space);

  const QRect textCell = list->visualItemRect(list->topLevelItem(2));
  Click(QPoint(textCell.left() + 200, textCell.center().y()));

  EXPECT_EQ(CheckedRows(), std::vector<int>{0});
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(window.Take().empty());
  EXPECT_EQ(SelectedRows(), std::vector<int>{2});  // an ordinary click still selects
}

TEST_F(ReportCtrlTest, WithoutCheckBoxesThereIsNothingToCheck) {
  list->SetRowStates(1, CReportCtrl::kStateChecked);
  list->SetCheckMode(CReportCtrl::kCheckNone);

  EXPECT_FALSE(list->ExtendedStyle() & CReportCtrl::kStyleCheckBoxes);
  EXPECT_TRUE(list->CheckBoxRect(1).isEmpty());
  EXPECT_TRUE(CheckedRows().empty());
  EXPECT_EQ(list->FindNextRow(-1, CReportCtrl::kStateUnchecked), 0);

  list->SetExtendedStyle(CReportCtrl::kStyleCheckBoxes);
  EXPECT_EQ(list->CheckMode(), CReportCtrl::kCheckNormal);
  EXPECT_FALSE(list->CheckBoxRect(1).isEmpty());
}

TEST_F(ReportCtrlTest, EnteringSingleModeKeepsOnlyTheFirstCheck) {
  list->SetRowStates(1, CReportCtrl::kStateChecked);
  list->SetRowStates(3, CReportCtrl::kStateChecked);
  list->SetCheckMode(CReportCtrl::kCheckSingle);
  EXPECT_EQ(CheckedRows(), std::vector<int>{1});
}

TEST_F(ReportCtrlTest, StateQueriesCombineTheirConditions) {
  list->SetRowStates(1, CReportCtrl::kStateChecked);
  list->SetRowStates(2, CReportCtrl::kStateChecked | CReportCtrl::kStateSelected);
  list->SetRowStates(3, CReportCtrl::kStateSelected | CReportCtrl::kStateFocused);

  const struct {
    int start;
    int states;
    int expected;
  } cases[] = {
      {-1, CReportCtrl::kStateAll, 0},
      {4, CReportCtrl::kStateAll, -1},
      {-1, CReportCtrl::kStateChecked, 1},
      {1, CReportCtrl::kStateChecked, 2},
      {2, CReportCtrl::kStateChecked, -1},
      {-1, CReportCtrl::kStateChecked | CReportCtrl::kStateSelected, 2},
      {-1, CReportCtrl::kStateSelected | CReportCtrl::kStateUnchecked, 3},
      {-1, CReportCtrl::kStateChecked | CReportCtrl::kStateUnselected, 1},
      {-1, CReportCtrl::kStateUnchecked | CReportCtrl::kStateUnselected, 0},
      {0, CReportCtrl::kStateUnchecked | CReportCtrl::kStateUnselected, 4},
      {-1, CReportCtrl::kStateFocused | CReportCtrl::kStateSelected, 3},
      {-1, CReportCtrl::kStateFocused | CReportCtrl::kStateChecked, -1},
      {-1, CReportCtrl::kStateChecked | CReportCtrl::kStateUnchecked, -1},
      {-5, CReportCtrl::kStateSelected, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(list->FindNextRow(c.start, c.states), c.expected)
        << "start " << c.start << " states " << c.states;
  }

  list->ClearRowStates(3, CReportCtrl::kStateSelected | CReportCtrl::kStateFocused);
  EXPECT_EQ(CurrentRow(), -1);
  EXPECT_EQ(SelectedRows(), std::vector<int>{2});
}

TEST_F(ReportCtrlTest, MovesAtTheEndsChangeNothing) {
  const auto before = Names();
  EXPECT_EQ(list->MoveRowUp(0), 0);
  EXPECT_EQ(list->MoveRowToTop(0), 0);
  EXPECT_EQ(list->MoveRowDown(4), 4);
  EXPECT_EQ(list->MoveRowToBottom(4), 4);
  EXPECT_EQ(list->MoveRow(7, 0), -1);
  EXPECT_EQ(list->MoveRow(-1, 0), -1);
  EXPECT_EQ(Names(), before);
}

TEST_F(ReportCtrlTest, AMovedRowTakesItsTextsStatesAndData) {
  list->SetRowStates(
      1, CReportCtrl::kStateChecked | CReportCtrl::kStateSelected | CReportCtrl::kStateFocused);
  list->SetRowStates(4, CReportCtrl::kStateSelected);

  EXPECT_EQ(list->MoveRowDown(1, 2), 3);

  EXPECT_EQ(Names(), (std::vector<QString>{"row 0", "row 2", "row 3", "row 1", "row 4"}));
  EXPECT_EQ(list->ItemText(3, 1), "keys 1");
  EXPECT_EQ(list->ItemText(3, 2), "note 1");
  EXPECT_EQ(list->RowData(3), 101u);
  EXPECT_EQ(list->RowData(1), 102u);
  EXPECT_EQ(CheckedRows(), std::vector<int>{3});
  EXPECT_EQ(SelectedRows(), (std::vector<int>{3, 4}));
  EXPECT_EQ(CurrentRow(), 3);
}

TEST_F(ReportCtrlTest, MovesAreClampedToTheList) {
  const struct {
    int from;
    int to;
    int expected;
    std::vector<QString> names;
  } cases[] = {
      {3, -4, 0, {"row 3", "row 0", "row 1", "row 2", "row 4"}},
      {1, 99, 4, {"row 0", "row 2", "row 3", "row 4", "row 1"}},
      {4, 2, 2, {"row 0", "row 1", "row 4", "row 2", "row 3"}},
  };
  for (const auto& c : cases) {
    list->DeleteAllRows();
    for (int row = 0; row < 5; ++row) list->InsertRow(row, QString("row %1").arg(row));
    EXPECT_EQ(list->MoveRow(c.from, c.to), c.expected) << c.from << " -> " << c.to;
    EXPECT_EQ(Names(), c.names) << c.from << " -> " << c.to;
  }
}

TEST_F(ReportCtrlTest, FindsRowsByTextIgnoringCase) {
  list->InsertRow(5, "ROW 1");
  EXPECT_EQ(list->FindRowByText("Row 1"), 1);
  EXPECT_EQ(list->FindRowByText("row 1", 1), 5);
  EXPECT_EQ(list->FindRowByText("row 1", 5), -1);
  EXPECT_EQ(list->FindRowByText("row"), -1);
  EXPECT_EQ(list->FindRowByText("keys 1"), -1);  // column 0 only
}

TEST_F(ReportCtrlTest, DeletingSelectsTheNextOrThePreviousRow) {
  list->SetRowStates(2, CReportCtrl::kStateSelected);
  EXPECT_TRUE(list->DeleteRow(2, true));
  EXPECT_EQ(Names(), (std::vector<QString>{"row 0", "row 1", "row 3", "row 4"}));
  EXPECT_EQ(SelectedRows(), std::vector<int>{2});
  EXPECT_EQ(CurrentRow(), 2);

  EXPECT_TRUE(list->DeleteRow(3, true));
  EXPECT_EQ(SelectedRows(), std::vector<int>{2});
  EXPECT_EQ(list->ItemText(2, 0), "row 3");
  EXPECT_EQ(CurrentRow(), 2);

  // Without selectNext the other rows keep their selection.
  list->SetRowStates(0, CReportCtrl::kStateSelected);
  EXPECT_TRUE(list->DeleteRow(2));
  EXPECT_EQ(SelectedRows(), std::vector<int>{0});

  EXPECT_FALSE(list->DeleteRow(5));
  list->DeleteAllRows();
  EXPECT_EQ(list->RowCount(), 0);
  EXPECT_FALSE(list->DeleteRow(0, true));
}

TEST_F(ReportCtrlTest, RowsAndColumnsKeepTheirPlaces) {
  EXPECT_EQ(list->InsertRow(99, "last"), 5);
  EXPECT_EQ(list->InsertRow(-3, "first"), 0);
  EXPECT_EQ(list->RowData(0), 0u);
  EXPECT_EQ(list->ItemText(0, 3), "");
  EXPECT_FALSE(list->SetItemText(0, 3, "x"));
  EXPECT_FALSE(list->SetItemText(9, 0, "x"));

  // A column put in front shifts the texts; the check box stays in column 0.
  list->SetRowStates(1, CReportCtrl::kStateChecked);
  EXPECT_EQ(list->InsertColumn(0, "No.", Qt::AlignRight, 40), 0);
  EXPECT_EQ(list->ColumnCount(), 4);
  EXPECT_EQ(list->headerItem()->text(0), "No.");
  EXPECT_EQ(list->headerItem()->text(1), "Name");
  EXPECT_EQ(list->headerItem()->text(3), "Note");
  EXPECT_EQ(list->columnWidth(0), 40);
  EXPECT_EQ(list->columnWidth(1), 150);
  EXPECT_EQ(list->columnWidth(3), 100);
  EXPECT_EQ(list->ItemText(1, 0), "");
  EXPECT_EQ(list->ItemText(1, 1), "row 0");
  EXPECT_EQ(list->ItemText(1, 2), "keys 0");
  EXPECT_EQ(list->topLevelItem(1)->data(0, Qt::CheckStateRole).toInt(), Qt::Checked);
  EXPECT_FALSE(list->topLevelItem(1)->data(1, Qt::CheckStateRole).isValid());
  EXPECT_EQ(CheckedRows(), std::vector<int>{1});
}

}  // namespace
