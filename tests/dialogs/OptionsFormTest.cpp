// The options dialog and its filter grid, driven through their widgets.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

#include "FakeDialogHost.h"
#include "app/dialogs/FilterGrid.h"
#include "app/dialogs/OptionsForm.h"
#include "app/dialogs/TabSizeEdit.h"
#include "editor/CustomTextFileEditor.h"

namespace quilmo::test {
namespace {

const QString kDefaultFilter =
    QStringLiteral("Tous les fichiers (*.*)|*.*|Fichiers texte (*.txt)|*.txt;*.ini");

class OptionsFormTest : public ::testing::Test {
 protected:
  OptionsFormTest() { Host.Filter = kDefaultFilter; }
  TFilterGrid& OpenFilters() {
    Form.PageControl1->setCurrentIndex(TOptionsForm::pgFilters);
    return *Form.FilterGrid();
  }
  // Types into a cell through its editor, as a user does.
  void TypeInCell(int row, int column, const QString& text) {
    TFilterGrid& grid = *Form.FilterGrid();
    grid.setCurrentCell(row, column);
    auto* edit = qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    if (text.isEmpty())
      QTest::keyClick(edit, Qt::Key_Delete);
    else
      QTest::keyClicks(edit, text);
  }

  TFakeDialogHost Host;
  TOptionsForm Form{Host, nullptr};
};

TEST_F(OptionsFormTest, AnnulerChangesNothingAndAppliquerFollowsTheChanges) {
  EXPECT_FALSE(Form.AppliquerBtn->isEnabled());
  Form.Backup1->click();
  Form.Backup1->click();
  EXPECT_TRUE(Form.AppliquerBtn->isEnabled());  // clicked back: still enabled
  Form.AnnulerBtn->click();
  EXPECT_FALSE(Host.Editor().MakeBackup());
  EXPECT_EQ(Host.Options, TWindowOptions{});

  TOptionsForm again(Host, nullptr);
  again.PageControl1->setCurrentIndex(TOptionsForm::pgFilters);
  EXPECT_TRUE(again.AppliquerBtn->isEnabled());
  again.PageControl1->setCurrentIndex(TOptionsForm::pgOptions);
  EXPECT_FALSE(again.AppliquerBtn->isEnabled());  // the grid is as it was
}

TEST_F(OptionsFormTest, TheArrowsStepByTwoBetweenTwoAndTwenty) {
  Form.Edit1->SetText(QStringLiteral("4"));
  QStringList seen;
  for (int i = 0; i < 10; ++i) {
    Form.Edit1->stepUp();
    seen << Form.Edit1->text();
  }
  EXPECT_EQ(seen, (QStringList{"6", "8", "10", "12", "14", "16", "18", "20", "20", "20"}));
  for (int i = 0; i < 12; ++i) Form.Edit1->stepDown();
  EXPECT_EQ(Form.Edit1->text(), "2");
}

TEST_F(OptionsFormTest, ABadTabSizeIsRefusedBeforeAnythingIsApplied) {
  const QString range = QStringLiteral("error:La taille des tabulations doit être comprise entre 1 et 255");
  const QString notInteger = QStringLiteral("error:'%1' n'est pas une valeur entière correcte");
  struct Case {
    const char* typed;
    bool accepted;
    QString message;  // "%1": the typed text
  };
  const Case cases[] = {{"abc", false, notInteger},
                        {"300", false, range},
                        {"0", false, range},
                        {"-4", false, range},
                        {"4.5", false, notInteger},
                        {"", false, notInteger},
                        {"255", true, {}},
                        {"1", true, {}},
                        {"7", true, {}}};
  for (const Case& c : cases) {
    Host.Calls.clear();
    Host.Editor().SetTabSize(4);
    Host.Editor().SetAutoIndent(false);
    Form.AutoIndent1->setChecked(true);
    Form.Edit1->SetText(QString::fromUtf8(c.typed));
    Form.OkBtn->click();
    EXPECT_EQ(Host.Editor().AutoIndent(), c.accepted) << c.typed;
    EXPECT_EQ(Host.Editor().TabSize(), c.accepted ? QString::fromUtf8(c.typed).toInt() : 4) << c.typed;
    const QStringList message{c.message.contains("%1") ? c.message.arg(c.typed) : c.message};
    EXPECT_EQ(Host.Calls, c.accepted ? QStringList() : message) << c.typed;
  }
}

TEST_F(OptionsFormTest, TheDefaultFilterFillsTwoRowsAndComesBackTheSame) {
  TFilterGrid& grid = OpenFilters();
  const QList<TFilterRow> rows = grid.Rows();
  ASSERT_GE(rows.size(), 3);
  EXPECT_EQ(rows[0], (TFilterRow{"Tous les fichiers (*.*)", "*.*"}));
  EXPECT_EQ(rows[1], (TFilterRow{"Fichiers texte (*.txt)", "*.txt;*.ini"}));
  EXPECT_EQ(rows[2], TFilterRow{});
  EXPECT_EQ(grid.Filter(), kDefaultFilter);
  EXPECT_EQ(grid.horizontalHeaderItem(0)->text(), "Description");
}

TEST_F(OptionsFormTest, EmptiedAndDraggedRowsChangeTheAppliedFilter) {
  Host.Filter = QStringLiteral("A|a|B|b|C|c");
  TOptionsForm form(Host, nullptr);
  form.PageControl1->setCurrentIndex(TOptionsForm::pgFilters);
  TFilterGrid& grid = *form.FilterGrid();
  grid.verticalHeader()->moveSection(2, 0);  // row C dragged to the top
  EXPECT_EQ(grid.Filter(), "C|c|A|a|B|b");
  grid.item(0, 0)->setText(QString());  // row A emptied
  grid.item(0, 1)->setText(QString());
  form.AppliquerBtn->click();
  EXPECT_EQ(Host.Filter, "C|c|B|b");
}

TEST_F(OptionsFormTest, TheCellsTogetherHoldAtMost240Characters) {
  Host.Filter = QString(100, QLatin1Char('d')) + QStringLiteral("|") + QString(100, QLatin1Char('p'));
  TOptionsForm form(Host, nullptr);
  form.PageControl1->setCurrentIndex(TOptionsForm::pgFilters);
  TFilterGrid& grid = *form.FilterGrid();
  grid.setCurrentCell(1, 0);
  auto* edit = qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
  ASSERT_NE(edit, nullptr);
  QTest::keyClicks(edit, QString(60, QLatin1Char('x')));
  EXPECT_EQ(grid.item(1, 0)->text(), QString(40, QLatin1Char('x')));  // typed text reaches the cell
  EXPECT_EQ(grid.TotalLength(), 240);

  // Filters loaded beyond the budget: a cell can shrink but not grow.
  Host.Filter = QString(150, QLatin1Char('d')) + QStringLiteral("|") + QString(100, QLatin1Char('p'));
  TOptionsForm over(Host, nullptr);
  over.PageControl1->setCurrentIndex(TOptionsForm::pgFilters);
  TFilterGrid& overGrid = *over.FilterGrid();
  overGrid.setCurrentCell(0, 1);
  auto* cell = qobject_cast<QLineEdit*>(overGrid.indexWidget(overGrid.currentIndex()));
  ASSERT_NE(cell, nullptr);
  cell->end(false);
  QTest::keyClicks(cell, QStringLiteral("zz"));
  QTest::keyClick(cell, Qt::Key_Backspace);
  EXPECT_EQ(overGrid.item(0, 1)->text(), QString(99, QLatin1Char('p')));
  EXPECT_EQ(over.FilterGrid()->Filter().size(), 250);  // what was loaded, cut at 255 when read
}

// Tab goes from cell to cell and leaves the grid after its last cell, Shift+Tab before its
// first; the cell editor is open again when the grid is reached by the keyboard.
TEST_F(OptionsFormTest, TabLeavesTheFilterGridAtItsEdges) {
  Form.show();
  Form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
  TFilterGrid& grid = OpenFilters();
  const int last = grid.rowCount() - 1;
  const struct {
    int Row;
    int Column;
    bool Backward;
    bool Leaves;
    int ToRow;  // where the cursor goes when it stays
    int ToColumn;
  } cases[] = {
      {0, 0, false, false, 0, 1}, {0, 1, false, false, 1, 0}, {last, 1, false, true, last, 1},
      {0, 0, true, true, 0, 0},   {1, 0, true, false, 0, 1},  {last, 0, false, false, last, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.Row) + "," + std::to_string(c.Column) + (c.Backward ? " back" : ""));
    grid.setCurrentCell(c.Row, c.Column);
    if (grid.indexWidget(grid.currentIndex()) == nullptr) grid.edit(grid.currentIndex());
    QWidget* editor = grid.indexWidget(grid.currentIndex());
    ASSERT_NE(editor, nullptr);
    editor->setFocus();
    QTest::keyClick(editor, c.Backward ? Qt::Key_Backtab : Qt::Key_Tab,
                    c.Backward ? Qt::ShiftModifier : Qt::NoModifier);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus == &grid || grid.isAncestorOf(focus), !c.Leaves) << focus->metaObject()->className();
    if (c.Leaves) {
      // Coming back by the keyboard opens the cell editor at the cell left.
      QTest::keyClick(focus, c.Backward ? Qt::Key_Tab : Qt::Key_Backtab,
                      c.Backward ? Qt::NoModifier : Qt::ShiftModifier);
      EXPECT_NE(grid.indexWidget(grid.currentIndex()), nullptr);
      continue;
    }
    EXPECT_EQ(grid.currentRow(), c.ToRow);
    EXPECT_EQ(grid.currentColumn(), c.ToColumn);
  }
}

TEST_F(OptionsFormTest, HintsGoToTheStatusBarOnlyWhenItsHelpTextsAreOn) {
  for (bool on : {false, true}) {
    Host.Hints = on;
    Host.ShownHints.clear();
    TOptionsForm form(Host, nullptr);
    QStatusTipEvent tip(form.Trim1->statusTip());
    QCoreApplication::sendEvent(form.Trim1, &tip);
    EXPECT_EQ(Host.ShownHints.size(), on ? 1 : 0);
    EXPECT_TRUE(form.Trim1->toolTip().isEmpty());
    // Closed, the dialog takes its last hint away from the status bar.
    form.show();
    form.AnnulerBtn->click();
    const QStringList shown = on ? QStringList{form.Trim1->statusTip(), QString()} : QStringList();
    EXPECT_EQ(Host.ShownHints, shown);
  }
  Form.AideBtn->click();
  EXPECT_EQ(Host.HelpContexts, QList<int>{51});
}

}  // namespace
}  // namespace quilmo::test
