// The window's view modes: full screen and back, the status bar's refresh and hint mode, the
// double-click actions, auto-scroll and the look of the tool buttons.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <string>

#include "FormFixture.h"
#include "app/Prompter.h"
#include "app/StatusPanel.h"
#include "editor/KeyBinding.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo::test {
namespace {

class EditFormView : public FormFixture {
 protected:
  TEditForm& Shown(const QStringList& arguments = {}) {
    TEditForm& form = Start(arguments);
    form.setGeometry(100, 120, 640, 480);
    form.show();
    QApplication::processEvents();
    return form;
  }
  QString LinesFile(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "ligne " + std::to_string(i) + "\r\n";
    return MakeFile("lignes.txt", text);
  }
};

// From a normal or a maximised window, with the tool bar shown or hidden before.
TEST_F(EditFormView, FullScreenAndBackRestoresTheWindowAndTheBars) {
  const struct {
    bool Maximized;
    bool ToolBarShown;
  } cases[] = {{false, true}, {true, true}, {false, false}, {true, false}};
  for (const auto& c : cases) {
    TEditForm& form = Shown();
    if (!c.ToolBarShown) form.Barredoutils1Click();
    if (c.Maximized) form.showMaximized();
    QApplication::processEvents();
    const QRect before = form.geometry();
    const TBars& bars = form.Bars();

    form.Pleincran1Click();
    QApplication::processEvents();
    EXPECT_TRUE(form.FullScreen());
    EXPECT_TRUE(form.isFullScreen());
    EXPECT_FALSE(form.menuBar()->isVisible());
    EXPECT_FALSE(bars.Toolbar->isVisible());
    EXPECT_FALSE(bars.PanelBar->isVisible());
    EXPECT_TRUE(bars.ScreenButton->isVisible());
    EXPECT_TRUE(bars.ScreenButton->isWindow());
    EXPECT_FALSE(form.ViewMenu().Pleincran1->isEnabled());
    EXPECT_FALSE(form.ViewMenu().Barredoutils1->isEnabled());
    EXPECT_TRUE(form.ContextMenu().Barrededfilement1->isVisible());
    EXPECT_TRUE(form.ContextMenu().Barrededfilement1->isChecked());
    EXPECT_FALSE(form.ContextMenu().Affichagenormal1->isVisible());
    // The view flags stay as they were: leaving gives the bars back as the user had them.
    EXPECT_EQ(form.ViewFlags().ToolBarShown, c.ToolBarShown);

    form.PecranBtnClick();
    QApplication::processEvents();
    EXPECT_FALSE(form.FullScreen());
    EXPECT_FALSE(form.isFullScreen());
    EXPECT_EQ(form.isMaximized(), c.Maximized);
    if (!c.Maximized) {
      EXPECT_EQ(form.geometry(), before);
    }
    EXPECT_TRUE(form.menuBar()->isVisible());
    EXPECT_EQ(bars.Toolbar->isVisible(), c.ToolBarShown);
    EXPECT_TRUE(bars.PanelBar->isVisible());
    EXPECT_FALSE(bars.ScreenButton->isVisible());
    EXPECT_FALSE(bars.ScreenButton->isWindow());
    EXPECT_TRUE(form.ViewMenu().Pleincran1->isEnabled());
    EXPECT_FALSE(form.ContextMenu().Barrededfilement1->isVisible());
    Stop();
  }
}

TEST_F(EditFormView, ClosingTheScreenButtonLeavesTheContextItemAsTheWayBack) {
  TEditForm& form = Shown();
  form.Pleincran1Click();
  EXPECT_FALSE(form.ContextMenu().Affichagenormal1->isVisible());
  form.Bars().ScreenButton->close();
  EXPECT_TRUE(form.ContextMenu().Affichagenormal1->isVisible());
  form.Affichagenormal1Click();
  EXPECT_FALSE(form.FullScreen());
  EXPECT_FALSE(form.ContextMenu().Affichagenormal1->isVisible());
  // Where the system has no clipboard viewer, its item and separator stay hidden.
  form.Voir1Click();
  EXPECT_FALSE(form.ViewMenu().Pressepapiers1->isVisible());
  EXPECT_FALSE(form.ViewMenu().N15->isVisible());
}

// Records the windows shown, in order.
class TShowLog : public QObject {
 public:
  QStringList Shown;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) Shown << watched->objectName();
    return false;
  }
};

// The button back to the normal view stays above the window, however often "always on top"
// is switched (a dialog switches it off and on around itself): each switch shows the window
// anew, over the button, which must come up again after it, still the window's transient.
TEST_F(EditFormView, TheScreenButtonComesUpAfterEachShowOfTheWindow) {
  const struct {
    const char* Label;
    int Switches;  // Ctrl+Shift+P
    bool Dialog;   // then the about box
  } cases[] = {{"off", 1, false},
               {"off and on", 2, false},
               {"off, then a dialog", 1, true},
               {"off and on, then a dialog", 2, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Label);
    TEditForm& form = Shown();
    form.Resteraudessus1Click();  // always on top, then full screen
    form.Pleincran1Click();
    QApplication::processEvents();
    QToolBar* button = form.Bars().ScreenButton;
    TShowLog log;
    form.installEventFilter(&log);
    button->installEventFilter(&log);
    for (int i = 0; i < c.Switches; ++i) form.Resteraudessus1Click();
    if (c.Dialog) form.Apropos1Click();
    QApplication::processEvents();
    ASSERT_FALSE(log.Shown.isEmpty());
    const std::string shown = log.Shown.join(' ').toStdString();
    EXPECT_TRUE(shown.starts_with("EditForm")) << shown;
    EXPECT_TRUE(shown.ends_with("ScreenButton")) << shown;
    ASSERT_TRUE(button->isWindow());
    EXPECT_TRUE(button->isVisible());
    ASSERT_NE(button->windowHandle(), nullptr);
    EXPECT_EQ(button->windowHandle()->transientParent(), form.windowHandle());
    EXPECT_TRUE(form.screen()->geometry().contains(button->frameGeometry()));
    form.removeEventFilter(&log);
    button->removeEventFilter(&log);
    form.PecranBtnClick();
    Stop();
  }
}

// The button's frame, close box included, is inside the screen and clear of the scroll bar.
TEST(ScreenButtonPlace, InsideTheScreenLeftOfTheScrollBar) {
  const struct {
    QRect Screen;
    QSize Frame;
    int ScrollBar;
    QPoint Place;
  } cases[] = {
      {{0, 0, 1280, 1024}, {60, 50}, 15, {1200, 5}},
      {{0, 0, 1280, 1024}, {49, 39}, 0, {1226, 5}},
      {{1280, 100, 1024, 768}, {60, 50}, 15, {2224, 105}},
      {{0, 0, 50, 40}, {60, 50}, 15, {0, 5}},  // a screen narrower than the button: its left edge
  };
  for (const auto& c : cases) {
    const QPoint place = ScreenButtonPlace(c.Screen, c.Frame, c.ScrollBar);
    EXPECT_EQ(place, c.Place) << c.Screen.x() << "," << c.Frame.width();
    if (c.Screen.width() > c.Frame.width() + c.ScrollBar) {
      EXPECT_LE(place.x() + c.Frame.width(), c.Screen.left() + c.Screen.width() - c.ScrollBar);
    }
  }
}

// A ".LOG" file is stamped at start before the window has its size: once shown, the text is
// seen from its first column, as after opening it from the menu.
TEST_F(EditFormView, AStampedLogFileIsSeenFromItsFirstColumn) {
  const QString name = MakeFile("log.txt", ".LOG\nline\n");
  for (const bool atStart : {true, false}) {
    SCOPED_TRACE(atStart ? "at start" : "opened");
    TEditForm& form = Shown(atStart ? QStringList{name} : QStringList{});
    if (!atStart) {
      Prompter.OpenNames = {QStringList{name}};
      form.Open1Click();
      QApplication::processEvents();
    }
    const std::string stamp = form.Editor1().GetLineText(form.Editor1().LineCount());
    EXPECT_EQ(stamp.size(), 14u);
    EXPECT_EQ(form.Editor1().LeftColumn(), 0);
    Prompter.Answers = {TAnswer::No};
    Stop();
  }
}

// A status tip (the long hint of a menu item or button) takes the whole bar only while
// "Messages d'aide" is on.
TEST_F(EditFormView, HintsTakeTheStatusBarOnlyWithHelpMessagesOn) {
  TEditForm& form = Shown();
  const struct {
    bool HelpMessages;
    const char* Tip;
    bool SinglePanel;
  } cases[] = {{true, "Créer un nouveau document", true},
               {true, "", false},
               {false, "Créer un nouveau document", false},
               {true, "Ligne|Rechercher une ligne dans le document", true}};
  for (const auto& c : cases) {
    if (form.ViewFlags().StatusHelp != c.HelpMessages) form.Informationslavole1Click();
    QStatusTipEvent tip(QString::fromUtf8(c.Tip));
    QApplication::sendEvent(&form, &tip);
    EXPECT_EQ(form.Panel1()->SinglePanel(), c.SinglePanel) << c.Tip;
    if (c.SinglePanel) {
      EXPECT_EQ(form.Panel1()->HintText(), LongHint(QString::fromUtf8(c.Tip)));
    }
  }
}

TEST_F(EditFormView, TheIdleRefreshShowsTheCaretTheCountsAndTheModes) {
  TEditForm& form = Shown();
  TEditorWidget* editor = form.Editor1Widget();
  editor->setFocus();
  const struct {
    const char* Typed;
    bool ToggleInsert;
    TDocumentStatus Expected;
  } cases[] = {
      {"", false, {1, 1, 1, 0, true, false}},
      {"abc", false, {1, 4, 1, 3, true, true}},
      {"\rde", true, {2, 3, 2, 7, false, true}},
  };
  for (const auto& c : cases) {
    QTest::keyClicks(editor, QString::fromUtf8(c.Typed));
    if (c.ToggleInsert) QTest::keyClick(editor, Qt::Key_Insert);
    form.AppIdle();
    EXPECT_EQ(form.Panel1()->DocumentStatus(), c.Expected) << c.Typed;
  }
  // Hidden, the bar keeps its last texts.
  form.Barredestatus1Click();
  QTest::keyClicks(editor, "xyz");
  form.AppIdle();
  EXPECT_EQ(form.Panel1()->DocumentStatus(), cases[2].Expected);
}

TEST_F(EditFormView, DoubleClickActionsMoveTheCaretAndSwitchTheInsertMode) {
  TEditForm& form = Shown({LinesFile(30)});
  TTextFileEditor& editor = form.Editor1();
  form.Panel1DblClick(TStatusAction::saLastLine);
  std::int32_t line = 0;
  std::int32_t column = 0;
  editor.GetCaretPosition(line, column);
  EXPECT_EQ(line, editor.LineCount());
  EXPECT_EQ(column, 1);
  const bool insert = editor.InsertMode();
  form.Panel1DblClick(TStatusAction::saInsertMode);
  EXPECT_EQ(editor.InsertMode(), !insert);
  form.Panel1DblClick(TStatusAction::saInsertMode);
  EXPECT_EQ(editor.InsertMode(), insert);
}

// F7 scrolls up one line per tick and stops when the first line reaches the top.
TEST_F(EditFormView, AutoScrollUpStopsAtTheTop) {
  TEditForm& form = Shown({LinesFile(200)});
  TTextFileEditor& editor = form.Editor1();
  editor.SetTopLine(6);
  std::uint16_t key = vkF1 + 6;  // F7
  editor.OnKeyDown(editor, key, sfNone);
  EXPECT_EQ(editor.TopLine(), 5) << "one step at once";
  EXPECT_TRUE(form.Timer1()->isActive());
  EXPECT_EQ(form.Timer1()->interval(), 200);
  for (int tick = 0; tick < 3; ++tick) form.Timer1Timer();
  EXPECT_EQ(editor.TopLine(), 2);
  EXPECT_TRUE(form.Timer1()->isActive());
  form.Timer1Timer();
  EXPECT_EQ(editor.TopLine(), 1);
  EXPECT_FALSE(form.Timer1()->isActive());
  EXPECT_FALSE(form.AutoScroll().Running());
  // The step made by the key itself may reach the top: the timer does not start.
  editor.SetTopLine(2);
  key = vkF1 + 6;
  editor.OnKeyDown(editor, key, sfNone);
  EXPECT_EQ(editor.TopLine(), 1);
  EXPECT_FALSE(form.Timer1()->isActive());
}

TEST_F(EditFormView, CtrlKeypadKeysPaceTheRunningTimer) {
  TEditForm& form = Shown({LinesFile(200)});
  TTextFileEditor& editor = form.Editor1();
  std::uint16_t key = vkF1 + 5;  // F6
  editor.OnKeyDown(editor, key, sfNone);
  const int expected[] = {100, 10, 10};
  for (const int interval : expected) {
    key = vkAdd;
    editor.OnKeyDown(editor, key, sfCtrl);
    EXPECT_EQ(form.Timer1()->interval(), interval);
    EXPECT_TRUE(form.Timer1()->isActive());
  }
  key = vkF1 + 7;  // F8
  editor.OnKeyDown(editor, key, sfShift);
  EXPECT_FALSE(form.Timer1()->isActive());
}

TEST_F(EditFormView, StandardButtonsAreRaisedWithBlankSeparators) {
  TEditForm& form = Shown();
  QToolBar* bar = form.Bars().Toolbar;
  for (const bool standard : {true, false, true}) {
    form.SetButtonStyle(standard);
    for (QAction* action : bar->actions()) {
      QWidget* widget = bar->widgetForAction(action);
      if (auto* button = qobject_cast<QToolButton*>(widget)) {
        EXPECT_EQ(button->autoRaise(), !standard);
      }
    }
    for (QAction* separator : form.ToolButtons().Separators) {
      QWidget* widget = bar->widgetForAction(separator);
      ASSERT_NE(widget, nullptr);
      EXPECT_EQ(widget->style() != QApplication::style(), standard);
    }
  }
}

// A right click on the text or the keyboard's menu key opens the editor's context menu.
TEST_F(EditFormView, TheContextMenuOpensFromTheMouseAndTheKeyboard) {
  TEditForm& form = Shown();
  const struct {
    QWidget* Receiver;
    QContextMenuEvent::Reason Reason;
  } cases[] = {{form.Editor1Widget()->viewport(), QContextMenuEvent::Mouse},
               {form.Editor1Widget(), QContextMenuEvent::Keyboard}};
  for (const auto& c : cases) {
    QMenu* menu = form.ContextMenu().PopupMenu1;
    const QPoint at = c.Receiver->mapToGlobal(QPoint(40, 30));
    QContextMenuEvent event(c.Reason, QPoint(40, 30), at);
    QApplication::sendEvent(c.Receiver, &event);
    EXPECT_TRUE(menu->isVisible()) << c.Reason;
    EXPECT_EQ(menu->pos(), at) << c.Reason;
    menu->hide();
  }
}

// Shift+F10 on the text opens the context menu too.
TEST_F(EditFormView, ShiftF10OpensTheContextMenu) {
  QMenu* menu = Shown().ContextMenu().PopupMenu1;
  QTest::keyClick(Form->Editor1Widget(), Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_TRUE(menu->isVisible());
  menu->hide();
}

// The font dialog is given the style its family lists for the font's weight and slant; without
// it the dialog took the first style listed, and OK on an unchanged dialog made the text italic.
TEST(FontDialogStyle, TheStyleNamedHasTheFontsWeightAndSlant) {
  const QString family = QStringLiteral("DejaVu Sans Mono");
  if (!QFontDatabase::families().contains(family)) GTEST_SKIP() << "no DejaVu Sans Mono here";
  const struct {
    bool Bold;
    bool Italic;
  } cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (const auto& c : cases) {
    QFont font(family, 10);
    font.setBold(c.Bold);
    font.setItalic(c.Italic);
    const QString style = MatchingStyleName(font);
    ASSERT_FALSE(style.isEmpty()) << c.Bold << c.Italic;
    const QFont listed = QFontDatabase::font(family, style, 10);
    EXPECT_EQ(listed.bold(), c.Bold) << style.toStdString();
    EXPECT_EQ(listed.italic(), c.Italic) << style.toStdString();
  }
}

}  // namespace
}  // namespace quilmo::test
