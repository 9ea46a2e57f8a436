// The bars as the user left them come back after a restart: the dock, the rows, a floating bar
// at its place, through the records in the settings, with or without the window's layout state.

#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QMouseEvent>
#include <QTest>
#include <QToolBar>

#include <functional>

#include "FormFixture.h"

namespace quilmo::test {
namespace {

class EditFormBars : public FormFixture {
 protected:
  TEditForm& Shown() {
    TEditForm& form = Start();
    form.setGeometry(100, 120, 800, 500);
    form.show();
    QApplication::processEvents();
    return form;
  }

  // Saves the settings as "Enregistrer maintenant" does and starts again, with or without the
  // window's layout state beside the records.
  TEditForm& Restarted(bool keepLayout) {
    Form->Enregistrerlaconfiguration1Click();
    Stop();
    if (!keepLayout) {
      auto store = OpenStore();
      store->EraseSection("Disposition");
      store->Flush();
    }
    return Shown();
  }

  // The bar's row in its dock, counted from the window's edge.
  static int Row(TEditForm& form, QToolBar* bar) {
    const Qt::ToolBarArea area = form.toolBarArea(bar);
    const bool horizontal = area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
    const auto across = [&](QToolBar* b) { return horizontal ? b->y() : b->x(); };
    int row = 0;
    for (QToolBar* other : {form.Bars().Toolbar, form.Bars().PanelBar})
      if (other != bar && !other->isHidden() && form.toolBarArea(other) == area &&
          across(other) < across(bar))
        ++row;
    return area == Qt::BottomToolBarArea || area == Qt::RightToolBarArea ? -row : row;
  }
};

// Drags the bar by its handle to `target` (global coordinates), as the user does.
void DragBar(QToolBar* bar, QPoint target) {
  const auto send = [bar](QEvent::Type type, QPoint global, Qt::MouseButton button,
                          Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(bar->mapFromGlobal(global)), QPointF(global), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(bar, &event);
    QApplication::processEvents();
  };
  const QPoint start = bar->mapToGlobal(QPoint(6, bar->height() / 2));
  send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
  for (int i = 1; i <= 8; ++i)
    send(QEvent::MouseMove, start + (target - start) * i / 8, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, target, Qt::LeftButton, Qt::NoButton);
}

TEST_F(EditFormBars, DocksAndRowsComeBackAfterARestart) {
  struct TCase {
    const char* Name;
    std::function<void(TEditForm&)> Arrange;
    Qt::ToolBarArea ToolbarArea;
    Qt::ToolBarArea PanelBarArea;
    bool ToolbarAbove;  // in the same dock: the tool bar's row is above the status bar's
  };
  const TCase cases[] = {
      {"tool bar in the left dock", [](TEditForm& f) { f.addToolBar(Qt::LeftToolBarArea, f.Bars().Toolbar); },
       Qt::LeftToolBarArea, Qt::BottomToolBarArea, false},
      {"status bar on a second row under the tool bar",
       [](TEditForm& f) {
         f.addToolBarBreak(Qt::TopToolBarArea);
         f.addToolBar(Qt::TopToolBarArea, f.Bars().PanelBar);
       },
       Qt::TopToolBarArea, Qt::TopToolBarArea, true},
      {"status bar on the top row, tool bar under it",
       [](TEditForm& f) {
         f.insertToolBar(f.Bars().Toolbar, f.Bars().PanelBar);
         f.insertToolBarBreak(f.Bars().Toolbar);
       },
       Qt::TopToolBarArea, Qt::TopToolBarArea, false},
      {"tool bar on a row of its own above the status bar",
       [](TEditForm& f) {
         f.addToolBar(Qt::BottomToolBarArea, f.Bars().Toolbar);
         f.insertToolBarBreak(f.Bars().Toolbar);
       },
       Qt::BottomToolBarArea, Qt::BottomToolBarArea, true},
  };
  for (const bool keepLayout : {true, false}) {
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(c.Name) + (keepLayout ? ", with the layout state" : ", records alone"));
      QFile::remove(SettingsPath());
      TEditForm& before = Shown();
      c.Arrange(before);
      QApplication::processEvents();
      const int toolbarRow = Row(before, before.Bars().Toolbar);
      const int panelRow = Row(before, before.Bars().PanelBar);
      if (c.ToolbarArea == c.PanelBarArea) {
        ASSERT_NE(toolbarRow, panelRow) << "two rows to keep";
      }

      TEditForm& after = Restarted(keepLayout);
      const TBars& bars = after.Bars();
      EXPECT_EQ(after.toolBarArea(bars.Toolbar), c.ToolbarArea);
      EXPECT_EQ(after.toolBarArea(bars.PanelBar), c.PanelBarArea);
      EXPECT_FALSE(bars.Toolbar->isFloating());
      EXPECT_EQ(Row(after, bars.Toolbar), toolbarRow);
      EXPECT_EQ(Row(after, bars.PanelBar), panelRow);
      if (c.ToolbarArea == c.PanelBarArea) {
        const bool horizontal = c.ToolbarArea == Qt::TopToolBarArea || c.ToolbarArea == Qt::BottomToolBarArea;
        ASSERT_TRUE(horizontal);
        EXPECT_EQ(bars.Toolbar->y() < bars.PanelBar->y(), c.ToolbarAbove);
      }
      EXPECT_TRUE(bars.Toolbar->isVisible());
      EXPECT_TRUE(bars.PanelBar->isVisible());
      Stop();
    }
  }
}

TEST_F(EditFormBars, AFloatingBarComesBackFloatingAtItsPlace) {
  TEditForm& before = Shown();
  QToolBar* toolbar = before.Bars().Toolbar;
  DragBar(toolbar, before.geometry().bottomRight() + QPoint(60, 40));
  ASSERT_TRUE(toolbar->isFloating()) << "the drag did not float the bar";
  toolbar->move(150, 700);
  const QPoint place = toolbar->pos();

  TEditForm& after = Restarted(true);
  EXPECT_TRUE(after.Bars().Toolbar->isFloating());
  EXPECT_TRUE(after.Bars().Toolbar->isVisible());
  EXPECT_EQ(after.Bars().Toolbar->pos(), place);
  EXPECT_FALSE(after.Bars().PanelBar->isFloating());

  // Records alone cannot float a tool bar: it goes back to the dock it came from.
  TEditForm& docked = Restarted(false);
  EXPECT_FALSE(docked.Bars().Toolbar->isFloating());
  EXPECT_EQ(docked.toolBarArea(docked.Bars().Toolbar), Qt::TopToolBarArea);
  EXPECT_TRUE(docked.Bars().Toolbar->isVisible());
}

}  // namespace
}  // namespace quilmo::test
