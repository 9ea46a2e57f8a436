// Real Qt events reach the editor control's logic: keys (with an AZERTY digit row and Alt),
// characters, the mouse, the wheel, the scroll bars, focus and the queued status call.

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/Controller.h"
#include "editor/KeyBinding.h"
#include "editor/qt/EditorWidget.h"
#include "support/EditorDoc.h"

namespace quilmo::test {
namespace {

class EditorWidget : public ::testing::Test {
 protected:
  void SetUp() override {
    Window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(Window.get());
    Widget = new TEditorWidget(Window.get());
    Other = new QLineEdit(Window.get());
    layout->addWidget(Widget);
    layout->addWidget(Other);
    Window->resize(500, 300);
    Editor().SetController(&Controller);
    Window->show();
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    Widget->setFocus();
    QApplication::processEvents();
  }
  TCustomEditor& Editor() { return Widget->Editor(); }
  // A key as an X11 PC keyboard gives it: `scanCode` is the X keycode.
  void SendKey(Qt::Key key, Qt::KeyboardModifiers modifiers, quint32 scanCode, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, scanCode, 0, 0, text);
    QApplication::sendEvent(Widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, scanCode, 0, 0, text);
    QApplication::sendEvent(Widget, &release);
  }
  QPoint Cell(int line, int screenColumn) {
    return QPoint(Editor().LeftMargin() + (screenColumn - 1) * Editor().CharWidth() + 1,
                  (line - 1) * Editor().LineHeight() + Editor().LineHeight() / 2);
  }

  TController Controller;
  std::unique_ptr<QWidget> Window;
  TEditorWidget* Widget = nullptr;
  QLineEdit* Other = nullptr;
};

// A caret followed before the control was first shown, at a size it never had (the ".LOG"
// stamp of a file opened at start), leaves the view at the first column once shown, when the
// caret can be seen from there; a later scroll is kept.
TEST(EditorWidgetShow, TheFirstShowGoesBackToTheFirstColumnWhenTheCaretFits) {
  const struct {
    const char* Label;
    int LineLength;
    int CaretColumn;
    bool Back;
  } cases[] = {{"the caret fits", 30, 15, true}, {"the caret beyond the shown width", 400, 390, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Label);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* widget = new TEditorWidget(&window);
    layout->addWidget(widget);
    TCustomEditor& editor = widget->Editor();
    LoadMarkedText(editor, std::string(static_cast<std::size_t>(c.LineLength), 'x'));
    editor.SetCaretPosition(1, c.CaretColumn);
    ASSERT_GT(editor.LeftColumn(), 0);
    const int left = editor.LeftColumn();
    window.resize(500, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(editor.LeftColumn(), c.Back ? 0 : left);
    editor.ScrollView(3 - editor.LeftColumn(), 0);
    window.hide();
    window.show();
    EXPECT_EQ(editor.LeftColumn(), 3);
  }
}

TEST_F(EditorWidget, KeysAndCharactersReachTheControl) {
  ASSERT_TRUE(Widget->hasFocus());
  QTest::keyClicks(Widget, "Caf");
  SendKey(Qt::Key_Eacute, Qt::NoModifier, 0, QStringLiteral("\u00E9"));  // byte 0xE9
  EXPECT_EQ(PlainEditorText(Editor()), "Caf\xE9");
  QTest::keyClick(Widget, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(Widget, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(MarkedEditorText(Editor()), "Ca[|f\xE9]");
  QTest::keyClick(Widget, Qt::Key_Delete);  // no character 127 is typed
  QTest::keyClick(Widget, Qt::Key_Return);
  QTest::keyClick(Widget, Qt::Key_X, Qt::ControlModifier);  // nothing selected: no cut
  QTest::keyClick(Widget, Qt::Key_1, Qt::ControlModifier);  // Ctrl+digit types nothing
  EXPECT_EQ(MarkedEditorText(Editor()), "Ca\n|");
  QTest::keyClick(Widget, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(PlainEditorText(Editor()), "Ca");
}

TEST_F(EditorWidget, TheAzertyDigitRowGivesDigitKeys) {
  LoadMarkedText(Editor(), "ab|c");
  // Unshifted, the key left of "3" types its character; with Ctrl+Shift it is the digit 2
  // (Default table: Ctrl+Shift+2 sets marker 2).
  SendKey(Qt::Key_Eacute, Qt::NoModifier, 11, QStringLiteral("\u00E9"));
  EXPECT_EQ(PlainEditorText(Editor()),
            "ab\xE9"
            "c");
  SendKey(Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier, 11, QString());
  std::int32_t column = 0;
  EXPECT_EQ(Editor().GetMarkerPosition(2, column), 1);
  EXPECT_EQ(column, 4);
  Editor().ProcessCommand(ccHome, 0);
  SendKey(Qt::Key_Eacute, Qt::ControlModifier, 11, QString());  // Ctrl+2: go to marker 2
  EXPECT_EQ(Editor().CaretCol(), 4);
  EXPECT_EQ(PlainEditorText(Editor()),
            "ab\xE9"
            "c");
}

TEST_F(EditorWidget, AltCombinationsTakeTheSystemKeyPath) {
  std::vector<TEditorCommand> user;
  Editor().OnUserCommand = [&](TCustomEditor&, TEditorCommand c) { user.push_back(c); };
  Controller.EntryCommands().AddCommand("Default", Bind(vkLetter('K'), sfAlt, 777));
  std::vector<std::uint8_t> shifts;  // of the K key
  Editor().OnKeyDown = [&](TCustomEditor&, std::uint16_t& key, std::uint8_t shift) {
    if (key == vkLetter('K')) shifts.push_back(shift);
  };
  QTest::keyClick(Widget, Qt::Key_K, Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_EQ(user, (std::vector<TEditorCommand>{777}));
  QTest::keyClick(Widget, Qt::Key_B, Qt::AltModifier);
  EXPECT_EQ(PlainEditorText(Editor()), "");                         // Alt+letter types nothing
  EXPECT_EQ(shifts, (std::vector<std::uint8_t>{sfAlt | sfShift}));  // OnKeyDown sees the real modifiers
}

TEST_F(EditorWidget, TabMovesTheFocusUnlessTheControlWantsIt) {
  LoadMarkedText(Editor(), "ab|");
  QTest::keyClick(Widget, Qt::Key_Tab);
  EXPECT_TRUE(Other->hasFocus());
  Widget->setFocus();
  Editor().SetWantTab(true);
  QTest::keyClick(Widget, Qt::Key_Tab);
  EXPECT_TRUE(Widget->hasFocus());
  EXPECT_EQ(PlainEditorText(Editor()), "ab\t");
}

TEST_F(EditorWidget, TheMouseSelects) {
  LoadMarkedText(Editor(), "one two three\nsecond line");
  QWidget* viewport = Widget->viewport();
  QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, Cell(2, 3));
  EXPECT_EQ(MarkedEditorText(Editor()), "one two three\nse|cond line");
  QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, Cell(1, 5));
  EXPECT_EQ(MarkedEditorText(Editor()), "one [|two three\nse]cond line");
  QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, Cell(1, 6));
  EXPECT_EQ(MarkedEditorText(Editor()), "one [two ]three\nsecond line");
  // In the left margin a click selects the whole line.
  QTest::mouseMove(viewport, QPoint(3, Cell(2, 1).y()));
  QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(3, Cell(2, 1).y()));
  EXPECT_EQ(MarkedEditorText(Editor()), "one two three\n[second line]");
  EXPECT_NE(viewport->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(EditorWidget, WheelAndScrollBars) {
  std::string text;
  for (int i = 1; i <= 60; ++i) text += "line " + std::to_string(i) + (i < 60 ? "\n" : "");
  LoadMarkedText(Editor(), text);
  QApplication::processEvents();
  const QPoint at(50, 50);
  QWheelEvent wheel(at, Widget->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Widget->viewport(), &wheel);
  EXPECT_EQ(Editor().TopLine(), 2);
  EXPECT_EQ(Editor().CaretLine(), 1);

  QScrollBar* bar = Widget->verticalScrollBar();
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->value(), 2);
  EXPECT_EQ(bar->maximum(), 60 - Editor().VisibleLines() + 1);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(Editor().TopLine(), 2 + Editor().VisibleLines());
  EXPECT_EQ(bar->value(), Editor().TopLine());
  bar->triggerAction(QAbstractSlider::SliderToMaximum);  // not a message the control acts on
  EXPECT_EQ(bar->value(), Editor().TopLine());
}

TEST_F(EditorWidget, TheStatusComesAfterTheKey) {
  std::vector<std::pair<int, int>> shown;
  Editor().OnShowStatus = [&](TCustomEditor&, int line, int column) { shown.emplace_back(line, column); };
  LoadMarkedText(Editor(), "ab\ncd");
  QApplication::processEvents();
  shown.clear();
  QTest::keyClick(Widget, Qt::Key_Down);
  EXPECT_TRUE(shown.empty());
  QApplication::processEvents();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), (std::pair<int, int>{2, 1}));
}

TEST_F(EditorWidget, PaintsTextSelectionAndCaret) {
  LoadMarkedText(Editor(), "[Hello] world");
  const QImage image = Widget->viewport()->grab().toImage();
  const QColor highlight = Widget->viewport()->palette().color(QPalette::Highlight);
  const QPoint inSelection = Cell(1, 3) + QPoint(0, Editor().LineHeight() / 2 - 2);
  EXPECT_EQ(image.pixelColor(inSelection).rgb(), highlight.rgb());
  const QPoint margin(2, 2);
  EXPECT_EQ(image.pixelColor(margin).rgb(), Widget->viewport()->palette().color(QPalette::Base).rgb());
  EXPECT_TRUE(Widget->CaretRect().isValid());
  Other->setFocus();
  EXPECT_FALSE(Widget->CaretRect().isValid());
}

}  // namespace
}  // namespace quilmo::test
