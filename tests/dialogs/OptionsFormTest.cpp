// The options dialog and its filter grid, driven through their widgets.

#include <QAbstractButton>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

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
  struct Case {
    const char* typed;
    bool accepted;
  };
  const Case cases[] = {{"abc", false}, {"300", false}, {"0", false},
                        {"4.5", false}, {"255", true},  {"7", true}};
  for (const Case& c : cases) {
    Host.Calls.clear();
    Host.Editor().SetTabSize(4);
    Host.Editor().SetAutoIndent(false);
    Form.AutoIndent1->setChecked(true);
    Form.Edit1->SetText(QString::fromUtf8(c.typed));
    Form.OkBtn->click();
    EXPECT_EQ(Host.Editor().AutoIndent(), c.accepted) << c.typed;
    EXPECT_EQ(Host.Editor().TabSize(), c.accepted ? QString::fromUtf8(c.typed).toInt() : 4) << c.typed;
    const QStringList message{
        QStringLiteral("error:'%1' n'est pas une valeur entière correcte").arg(c.typed)};
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

TEST_F(OptionsFormTest, HintsGoToTheStatusBarOnlyWhenItsHelpTextsAreOn) {
  for (bool on : {false, true}) {
    Host.Hints = on;
    Host.ShownHints.clear();
    TOptionsForm form(Host, nullptr);
    QStatusTipEvent tip(form.Trim1->statusTip());
    QCoreApplication::sendEvent(form.Trim1, &tip);
    EXPECT_EQ(Host.ShownHints.size(), on ? 1 : 0);
    EXPECT_TRUE(form.Trim1->toolTip().isEmpty());
  }
  Form.AideBtn->click();
  EXPECT_EQ(Host.HelpContexts, QList<int>{51});
}

}  // namespace
}  // namespace quilmo::test
