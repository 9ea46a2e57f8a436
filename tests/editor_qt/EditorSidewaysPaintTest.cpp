// Typing past the right edge scrolls the view sideways one column a key: the widget moves the
// pixels and paints only the uncovered strip and the rows that changed; so do the keys that
// scroll one row. After every key the picture must equal a fresh paint of the whole control
// in the same state, whatever is drawn beside the text (line numbers, marker glyphs, margin
// lines, borders, rules).

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/Controller.h"
#include "editor/qt/EditorWidget.h"
#include "editor/qt/FontList.h"
#include "editor/qt/QtCanvas.h"
#include "support/EditorDoc.h"

namespace quilmo::test {
namespace {

struct TSidewaysCase {
  const char* Name;
  bool LineNumbers;
  bool Bookmarks;
  bool LeftLine;
  bool RightLine;
  bool Borders;
  bool Rules;
  TFontStyles Style;  // slanted glyphs reach into the next cell
};

const TSidewaysCase kCases[] = {
    {"plain", false, false, false, false, false, false, 0},
    {"line numbers", true, false, false, false, false, false, 0},
    {"bookmarks", false, true, false, false, false, false, 0},
    {"left margin line", false, false, true, false, false, false, 0},
    {"right margin line", false, false, false, true, false, false, 0},
    {"borders", false, false, false, false, true, false, 0},
    {"rules", false, false, false, false, false, true, 0},
    {"bold italic", false, false, false, false, false, false, fsBold | fsItalic},
    {"everything", true, true, true, true, true, true, fsItalic},
};

class EditorSidewaysPaint : public ::testing::TestWithParam<TSidewaysCase> {
 protected:
  void SetUp() override {
    Window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(Window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    Widget = new TEditorWidget(Window.get());
    Other = new QLineEdit(Window.get());
    layout->addWidget(Widget);
    layout->addWidget(Other);
    Widget->setFixedSize(420, 230);
    Editor().SetController(&Controller);
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    // Unfocused: no caret in the pictures; the selection shows all the same.
    Editor().SetHideSelection(false);
    Other->setFocus();
    QApplication::processEvents();
  }
  TCustomEditor& Editor() { return Widget->Editor(); }

  void Apply(const TSidewaysCase& c) {
    Editor().SetMarginColor(RGBColor(250, 240, 200));
    Editor().SetShowLineNumbers(c.LineNumbers);
    Editor().SetShowBookmarks(c.Bookmarks);
    if (c.Bookmarks) {
      Editor().SetMarkerAt(1, 2, 1);
      Editor().SetMarkerAt(7, 5, 1);
    }
    if (c.LeftLine) {
      Editor().MarginOptions().Left().SetLineColor(RGBColor(200, 0, 0));
      Editor().MarginOptions().Left().SetEnabled(true);
    }
    if (c.RightLine) {
      TEditorMargin& right = Editor().MarginOptions().Right();
      right.SetLinePosition(40);
      right.SetLineWeight(2);
      right.SetLineStyle(TPenStyle::psDash);
      right.SetEnabled(true);
    }
    if (c.Borders) {
      for (TBorder* b : {&Editor().Borders().LeftBorder(), &Editor().Borders().TopBorder(),
                         &Editor().Borders().RightBorder(), &Editor().Borders().BottomBorder()}) {
        b->SetPenWidth(3);
        b->SetEnabled(true);
      }
    }
    Editor().SetShowRules(c.Rules);
    Editor().FixedFont().SetStyle(c.Style);
  }

  // What the window shows of the control once the pending events are delivered: the
  // window's own pixels, not a paint made for the grab.
  QImage Shown() {
    QApplication::processEvents();
    const QPoint at = Widget->viewport()->mapTo(Window.get(), QPoint(0, 0));
    const QPixmap shown = Window->screen()->grabWindow(
        Window->winId(), at.x(), at.y(), Widget->viewport()->width(), Widget->viewport()->height());
    return shown.toImage().convertToFormat(QImage::Format_RGB32);
  }
  // A paint of the whole control in its present state, outside the widget's own picture.
  QImage Fresh() {
    QPixmap pixmap(Widget->viewport()->size());
    {
      QPainter painter(&pixmap);
      const TQtEditorFont font(Editor().FixedFont().Desc());
      TQtCanvas canvas(painter, font, Widget->viewport()->palette());
      Editor().Paint(canvas, TRect{0, 0, pixmap.width(), pixmap.height()});
    }
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
  }
  // "" when the pictures are equal, else how many pixels differ and the first one.
  static std::string Difference(const QImage& shown, const QImage& fresh) {
    if (shown == fresh) return {};
    if (shown.size() != fresh.size()) return "sizes differ";
    int count = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        if (shown.pixel(x, y) != fresh.pixel(x, y) && count++ == 0) first = QPoint(x, y);
    return std::to_string(count) + " pixels, first at (" + std::to_string(first.x()) + ", " +
           std::to_string(first.y()) + ")";
  }
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(Widget, &event);
  }

  TController Controller;
  std::unique_ptr<QWidget> Window;
  TEditorWidget* Widget = nullptr;
  QLineEdit* Other = nullptr;
};

TEST_P(EditorSidewaysPaint, EveryKeyShowsWhatAFullPaintShows) {
  const TSidewaysCase& c = GetParam();
  std::string text;
  for (int i = 1; i <= 30; ++i)
    text += "line " + std::to_string(i) +
            (i % 4 == 0 ? " is longer than the window is wide, by far and away" : "") + "\n";
  LoadMarkedText(Editor(), text);
  Apply(c);
  Editor().MoveCaretTo(6, 7);
  ASSERT_EQ(Difference(Shown(), Fresh()), "");

  // Typed up to the right edge and well past it: each key past the edge scrolls.
  const int keys = Editor().VisibleColumns() + 12;
  int scrolls = 0;
  for (int i = 0; i < keys; ++i) {
    const std::int32_t left = Editor().LeftColumn();
    Press(static_cast<Qt::Key>(Qt::Key_A + i % 26), Qt::NoModifier, QString(QChar('a' + i % 26)));
    if (Editor().LeftColumn() != left) ++scrolls;
    ASSERT_EQ(Difference(Shown(), Fresh()), "") << c.Name << ", key " << i;
  }
  EXPECT_GE(scrolls, 10);

  // Back across the left edge extending a selection: the highlight and the scroll together.
  const std::int32_t leftAfterTyping = Editor().LeftColumn();
  for (int i = 0; i < keys; ++i) {
    Press(Qt::Key_Left, Qt::ShiftModifier, QString());
    ASSERT_EQ(Difference(Shown(), Fresh()), "") << c.Name << ", shift+left " << i;
  }
  EXPECT_LT(Editor().LeftColumn(), leftAfterTyping);
  EXPECT_TRUE(Editor().HasSelection());

  // Down past the bottom (the selection let go), then new lines typed on the last row: the
  // rows move up one at a time, with the rows the edit changed.
  const std::int32_t top = Editor().TopLine();
  for (int i = 0; i < Editor().VisibleLines() + 3; ++i) {
    Press(Qt::Key_Down, Qt::NoModifier, QString());
    ASSERT_EQ(Difference(Shown(), Fresh()), "") << c.Name << ", down " << i;
  }
  for (int i = 0; i < 4; ++i) {
    Press(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    ASSERT_EQ(Difference(Shown(), Fresh()), "") << c.Name << ", return " << i;
  }
  EXPECT_GE(Editor().TopLine(), top + 5);
  // And back up past the top: the rows move down.
  const std::int32_t bottomTop = Editor().TopLine();
  for (int i = 0; i < Editor().VisibleLines() + 3; ++i) {
    Press(Qt::Key_Up, Qt::NoModifier, QString());
    ASSERT_EQ(Difference(Shown(), Fresh()), "") << c.Name << ", up " << i;
  }
  EXPECT_LT(Editor().TopLine(), bottomTop);
}

INSTANTIATE_TEST_SUITE_P(Settings, EditorSidewaysPaint, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<TSidewaysCase>& info) {
                           std::string name = info.param.Name;
                           for (char& ch : name)
                             if (ch == ' ') ch = '_';
                           return name;
                         });

}  // namespace
}  // namespace quilmo::test
