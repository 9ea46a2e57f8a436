// What the editor widget looks like: it is grabbed into an image in each display setting the
// main window can switch (selection, word wrap, line numbers, markers, rules, disabled,
// overwrite caret) and the pixels are checked against the character grid. With the
// environment variable QUILMO_SHOTS_DIR set, every grabbed image is also saved there as PNG.

#include <QApplication>
#include <QBackingStore>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/Controller.h"
#include "editor/EditorPainter.h"
#include "editor/qt/EditorWidget.h"
#include "editor/qt/QtCanvas.h"
#include "support/EditorDoc.h"

namespace quilmo::test {
namespace {

// Horizontal runs [first, last) of pixels of one colour on one pixel row.
using TSpans = std::vector<std::pair<int, int>>;

TSpans SpansOf(const QImage& image, int y, QRgb colour, int fromX = 0, int toX = -1) {
  if (toX < 0) toX = image.width();
  TSpans spans;
  int start = -1;
  for (int x = fromX; x <= toX; ++x) {
    const bool match = x < toX && image.pixel(x, y) == colour;
    if (match && start < 0) start = x;
    if (!match && start >= 0) {
      spans.emplace_back(start, x);
      start = -1;
    }
  }
  return spans;
}

// True when some pixel of the rectangle differs from `colour`.
bool HasInk(const QImage& image, const QRect& rect, QRgb colour) {
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (image.pixel(x, y) != colour) return true;
  return false;
}

class EditorLook : public ::testing::Test {
 protected:
  void SetUp() override {
    Window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(Window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    Widget = new TEditorWidget(Window.get());
    Other = new QLineEdit(Window.get());
    layout->addWidget(Widget);
    layout->addWidget(Other);
    Widget->setFixedSize(1000, 700);
    // Its own controller: the insert mode is kept there across focus changes.
    Editor().SetController(&Controller);
    Window->show();
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    // The pictures are taken without the caret (the caret test focuses the control itself)
    // and the selection shows all the same.
    Editor().SetHideSelection(false);
    Other->setFocus();
    QApplication::processEvents();
    const QPalette palette = Widget->viewport()->palette();
    Back = palette.color(QPalette::Base).rgb();
    Highlight = palette.color(QPalette::Highlight).rgb();
  }

  TCustomEditor& Editor() { return Widget->Editor(); }
  int Cw() { return Editor().CharWidth(); }
  int Lh() { return Editor().LineHeight(); }
  int Lm() { return Editor().LeftMargin(); }
  int RowTop(int row) { return (row - 1) * Lh(); }
  // Right end of the text area.
  int TextRight() { return Lm() + Editor().VisibleColumns() * Cw(); }

  // The pixels of a part of the window (the viewport unless told) as the window holds them for
  // the screen, without painting anything.
  QImage Shown(const QWidget* part = nullptr) {
    if (!part) part = Widget->viewport();
    QBackingStore* store = Window->backingStore();
    const auto* pixels = store ? dynamic_cast<QImage*>(store->paintDevice()) : nullptr;
    if (!pixels) {
      ADD_FAILURE() << "the window's buffer is not an image";
      return {};
    }
    const QPoint at = part->mapTo(Window.get(), QPoint(0, 0));
    return pixels->copy(QRect(at, part->size())).convertToFormat(QImage::Format_RGB32);
  }
  // The viewport as shown, after pending events; saved under `name` when asked to.
  QImage Grab(const QString& name) {
    QApplication::processEvents();
    QImage image = Shown();
    Save(image, name);
    return image;
  }
  // The same after the whole control is painted afresh.
  QImage FreshGrab(const QString& name) {
    Widget->Invalidate();
    return Grab(name);
  }
  static void Save(const QImage& image, const QString& name) {
    const QString dir = qEnvironmentVariable("QUILMO_SHOTS_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    image.save(QDir(dir).filePath(name + ".png"));
  }

  // 150 numbered lines, a few of them longer or holding a tab.
  static std::string NumberedText() {
    std::string text;
    for (int i = 1; i <= 150; ++i) {
      text += "line " + std::to_string(i);
      if (i % 3 == 0) text += "\twith a tab";
      if (i % 10 == 0) text += " and some more words to make it longer";
      if (i < 150) text += "\n";
    }
    return text;
  }

  TController Controller;
  std::unique_ptr<QWidget> Window;
  TEditorWidget* Widget = nullptr;
  QLineEdit* Other = nullptr;
  QRgb Back = 0;
  QRgb Highlight = 0;
};

TEST_F(EditorLook, PlainTextSitsOnTheCharacterGrid) {
  LoadMarkedText(Editor(), "ab ba\nbbaa\n\nM.M.M");
  const QImage image = Grab("plain");
  // Each character is drawn with the same pixels in whatever cell it stands: the glyphs are
  // on whole pixels and one cell apart.
  auto cell = [&](int line, int column) {
    return image.copy(Lm() + (column - 1) * Cw(), RowTop(line), Cw(), Lh());
  };
  EXPECT_EQ(cell(1, 1), cell(1, 5));  // a
  EXPECT_EQ(cell(1, 1), cell(2, 3));
  EXPECT_EQ(cell(1, 2), cell(1, 4));  // b
  EXPECT_EQ(cell(1, 2), cell(2, 2));
  EXPECT_EQ(cell(4, 1), cell(4, 5));  // M
  EXPECT_NE(cell(1, 1), cell(1, 2));
  EXPECT_TRUE(HasInk(image, QRect(Lm(), RowTop(1), Cw(), Lh()), Back));
  // Nothing in the margin, after the line ends, on the empty line or below the text.
  EXPECT_FALSE(HasInk(image, QRect(0, 0, Lm(), image.height()), Back));
  EXPECT_FALSE(HasInk(image, QRect(Lm() + 5 * Cw(), 0, image.width() - Lm() - 5 * Cw(), Lh()), Back));
  EXPECT_FALSE(HasInk(image, QRect(Lm(), RowTop(3), image.width() - Lm(), Lh()), Back));
  EXPECT_FALSE(HasInk(image, QRect(Lm(), RowTop(5), image.width() - Lm(), image.height() - RowTop(5)), Back));
}

TEST_F(EditorLook, TheSelectionCoversExactlyTheSelectedCells) {
  // From column 5 of line 2 to column 4 of line 4; line 3 starts with a tab (8 cells).
  LoadMarkedText(Editor(), "first line\nsecond line\n\ttabbed\nfourth line\nfifth");
  Editor().SetSelection(2, 5, 4, 4, true);
  const QImage image = Grab("selection");
  auto spans = [&](int row) { return SpansOf(image, RowTop(row), Highlight); };
  EXPECT_EQ(spans(1), TSpans{});
  EXPECT_EQ(spans(2), (TSpans{{Lm() + 4 * Cw(), Lm() + 11 * Cw()}}));  // "nd line", not beyond its end
  EXPECT_EQ(spans(3), (TSpans{{Lm(), Lm() + 14 * Cw()}}));             // the tab's cells and "tabbed"
  EXPECT_EQ(spans(4), (TSpans{{Lm(), Lm() + 3 * Cw()}}));              // "fou"
  EXPECT_EQ(spans(5), TSpans{});
  // The highlight fills the row's whole height.
  EXPECT_EQ(SpansOf(image, RowTop(3) + Lh() - 1, Highlight), spans(3));
  // The selected text is drawn in the highlight text colour: the highlight's cells hold ink.
  EXPECT_TRUE(HasInk(image, QRect(Lm() + 8 * Cw(), RowTop(3), 6 * Cw(), Lh()), Highlight));
}

TEST_F(EditorLook, WordWrapBreaksLongParagraphsIntoRows) {
  const std::string para = "The quick brown fox jumps over the lazy dog and keeps running far away";
  LoadMarkedText(Editor(), para + "\nnext");
  Editor().SetWrapColumn(20);
  Editor().SetWordWrap(true);
  ASSERT_GT(Editor().LineCount(), 3);
  const QImage image = Grab("wordwrap");
  // Each display line of the paragraph is on its own row, with nothing past the wrap column.
  for (int row = 1; row <= Editor().LineCount(); ++row) {
    const int length = static_cast<int>(Editor().GetLineText(row).size());
    ASSERT_LE(length, 21) << row;
    EXPECT_TRUE(HasInk(image, QRect(Lm(), RowTop(row), Cw(), Lh()), Back)) << row;
    EXPECT_FALSE(HasInk(
        image, QRect(Lm() + length * Cw(), RowTop(row), TextRight() - Lm() - length * Cw(), Lh()), Back))
        << row;
  }
  EXPECT_FALSE(
      HasInk(image, QRect(Lm(), RowTop(Editor().LineCount() + 1), image.width() - Lm(), Lh()), Back));
}

TEST_F(EditorLook, WrappingToTheWindowFollowsItsWidth) {
  std::string text;
  for (int i = 1; i <= 12; ++i) text += "paragraph " + std::to_string(i) + " holds several words that wrap\n";
  LoadMarkedText(Editor(), text + "end");
  Editor().SetWrapToWindow(true);
  Editor().SetWordWrap(true);
  Widget->setFixedSize(300, 400);
  QApplication::processEvents();
  EXPECT_EQ(Editor().WrapColumn(), Editor().VisibleColumns() - 2);
  ASSERT_GT(Editor().LineCount(), 13);
  const QImage image = Grab("wraptowindow");
  EXPECT_EQ(image, FreshGrab("wraptowindow-fresh"));
  // No row has ink beyond the wrap column.
  const int right = Lm() + (Editor().WrapColumn() + 1) * Cw();
  ASSERT_LT(right, image.width());
  EXPECT_FALSE(HasInk(image, QRect(right, 0, image.width() - right, Editor().VisibleLines() * Lh()), Back));
}

TEST_F(EditorLook, LineNumbersCrossingAHundredStayInTheMargin) {
  Editor().SetShowBookmarks(false);
  LoadMarkedText(Editor(), NumberedText());
  const int plainMargin = Lm();
  Editor().SetShowLineNumbers(true);
  Editor().SetTopLine(95);
  ASSERT_EQ(Editor().TopLine(), 95);
  const int width = Editor().LineNumberWidth();
  EXPECT_EQ(width, 3 * Cw());
  EXPECT_EQ(Lm(), plainMargin + width + 5);
  const QImage image = Grab("linenumbers");
  const int numbersLeft = Lm() - width - 5;
  for (int row = 1; row <= Editor().VisibleLines(); ++row) {
    const int digits = static_cast<int>(std::to_string(94 + row).size());
    const int top = RowTop(row);
    // The number's digits, left-aligned, and nothing between it and the text.
    EXPECT_TRUE(HasInk(image, QRect(numbersLeft + (digits - 1) * Cw(), top, Cw(), Lh()), Back)) << row;
    EXPECT_FALSE(HasInk(
        image, QRect(numbersLeft + digits * Cw(), top, Lm() - numbersLeft - digits * Cw(), Lh()), Back))
        << row;
    EXPECT_FALSE(HasInk(image, QRect(0, top, numbersLeft, Lh()), Back)) << row;
  }
  // Rows 99 and 100 both start their text "line " at the margin.
  EXPECT_EQ(image.copy(Lm(), RowTop(5), 5 * Cw(), Lh()), image.copy(Lm(), RowTop(6), 5 * Cw(), Lh()));
  // A number stands on its line's baseline: the "1" of 100 in the margin has the pixels of the
  // "1" of "line 100" in the text, and the 9s of 99 those of "line 99".
  EXPECT_EQ(image.copy(numbersLeft, RowTop(6), Cw(), Lh()),
            image.copy(Lm() + 5 * Cw(), RowTop(6), Cw(), Lh()));
  EXPECT_EQ(image.copy(numbersLeft, RowTop(5), 2 * Cw(), Lh()),
            image.copy(Lm() + 5 * Cw(), RowTop(5), 2 * Cw(), Lh()));

  // Back to the top: two digits are enough and the margin narrows.
  Editor().SetTopLine(1);
  EXPECT_EQ(Editor().LineNumberWidth(), 2 * Cw());
  EXPECT_EQ(Lm(), plainMargin + 2 * Cw() + 5);
  const QImage top = Grab("linenumbers-top");
  EXPECT_EQ(top, FreshGrab("linenumbers-top-fresh"));
}

TEST_F(EditorLook, MarkerGlyphsAreDrawnInTheMarginOnTheirRows) {
  Editor().SetShowBookmarks(true);
  ASSERT_GE(Lm(), 15);
  LoadMarkedText(Editor(), NumberedText());
  Editor().SetMarkerAt(3, 2, 4);
  Editor().SetMarkerAt(7, 5, 1);
  Editor().SetMarkerAt(1, 5, 3);  // the lowest number on a line is shown
  const QImage image = Grab("markers");
  const QImage strip = MakeMarkerGlyphImage().convertToFormat(QImage::Format_RGB32);
  const int h = kMarkerGlyphStripHeight;
  const int w = kMarkerGlyphWidth;
  auto glyphY = [&](int row) { return RowTop(row) + (Lh() >= h + 2 ? (Lh() - h) / 2 : 0); };
  EXPECT_EQ(image.copy(1, glyphY(2), w, h), strip.copy(3 * w, 0, w, h));
  EXPECT_EQ(image.copy(1, glyphY(5), w, h), strip.copy(1 * w, 0, w, h));
  // Other rows keep a plain margin.
  const QRgb margin = Back;
  for (int row : {1, 3, 4, 6, 7})
    EXPECT_FALSE(HasInk(image, QRect(0, RowTop(row), Lm(), Lh()), margin)) << row;
  // Markers move with the view.
  Editor().ScrollView(0, 1);
  const QImage scrolled = Grab("markers-scrolled");
  EXPECT_EQ(scrolled.copy(1, glyphY(1), w, h), strip.copy(3 * w, 0, w, h));
  EXPECT_EQ(scrolled.copy(1, glyphY(4), w, h), strip.copy(1 * w, 0, w, h));
}

TEST_F(EditorLook, RulesRunUnderEveryRowIntoTheRightMargin) {
  LoadMarkedText(Editor(), NumberedText());
  const int base = Lh();
  Editor().SetShowRules(true);
  EXPECT_EQ(Lh(), base + 2);
  Editor().SetSelection(2, 3, 3, 4, true);
  const QImage image = Grab("rules");
  const QRgb rule = qRgb(0, 0, 128);
  const int end = TextRight() + Editor().RightMargin();
  for (int row = 1; row <= Editor().VisibleLines() && RowTop(row) + Lh() <= image.height(); ++row) {
    const int y = RowTop(row) + Lh() - 1;
    EXPECT_EQ(SpansOf(image, y, rule), (TSpans{{0, end}})) << row;
    // The row above the rule is not the rule's colour.
    EXPECT_EQ(SpansOf(image, y - 1, rule), TSpans{}) << row;
  }
  // The selection stops above the rule.
  EXPECT_EQ(SpansOf(image, RowTop(2) + Lh() - 2, Highlight), (TSpans{{Lm() + 2 * Cw(), Lm() + 6 * Cw()}}));
}

TEST_F(EditorLook, ADisabledControlIsGreyAndShowsNoSelection) {
  LoadMarkedText(Editor(), "Disabled text\nsecond line");
  Editor().SetSelection(1, 1, 2, 4, true);
  Widget->setEnabled(false);
  const QImage image = Grab("disabled");
  const QColor grey = Widget->viewport()->palette().color(QPalette::Disabled, QPalette::Text);
  const QRect text(Lm(), 0, 13 * Cw(), 2 * Lh());
  EXPECT_TRUE(HasInk(image, text, Back));
  for (int y = 0; y < image.height(); ++y) EXPECT_EQ(SpansOf(image, y, Highlight), TSpans{}) << y;
  // No pixel of the text is darker than the grey text colour.
  int darkest = 255;
  for (int y = text.top(); y <= text.bottom(); ++y)
    for (int x = text.left(); x <= text.right(); ++x) darkest = std::min(darkest, qGray(image.pixel(x, y)));
  EXPECT_GE(darkest, qGray(grey.rgb()) - 2);
  EXPECT_LT(darkest, qGray(Back));
}

TEST_F(EditorLook, CaretsLieOnTheCellGrid) {
  LoadMarkedText(Editor(), "abc|def\nsecond");
  Widget->setFocus();
  auto caretAlone = [&](const QString& name) {
    const QImage with = Grab(name);
    Other->setFocus();
    const QImage without = Grab(name + "-unfocused");
    Widget->setFocus();
    QApplication::processEvents();
    // The caret inverts the pixels it covers and nothing else.
    QRect changed;
    for (int y = 0; y < with.height(); ++y)
      for (int x = 0; x < with.width(); ++x)
        if (with.pixel(x, y) != without.pixel(x, y)) {
          changed |= QRect(x, y, 1, 1);
          EXPECT_EQ(qRed(with.pixel(x, y)), 255 - qRed(without.pixel(x, y))) << x << "," << y;
        }
    return changed;
  };
  ASSERT_TRUE(Widget->CaretBlinkOn());
  // The insert caret: a 2-pixel bar just left of the cell, the row's height.
  const int cellX = Lm() + 3 * Cw();
  EXPECT_EQ(caretAlone("caret-insert"), QRect(cellX - 1, 0, 2, Lh()));
  // The overwrite caret is a block filling the cell whatever width it was given.
  Editor().CaretOvr()->SetCaretWidth(10);
  Editor().SetInsertMode(false);
  QApplication::processEvents();
  ASSERT_EQ(Editor().CaretOvr()->Shape(), TCaretShape::csBlock);
  EXPECT_EQ(Widget->CaretRect(), QRect(cellX, 0, Cw(), Lh()));
  EXPECT_EQ(caretAlone("caret-overwrite"), QRect(cellX, 0, Cw(), Lh()));
  Editor().ProcessCommand(ccDown, 0);
  EXPECT_EQ(caretAlone("caret-overwrite-line2"), QRect(cellX, Lh(), Cw(), Lh()));
}

TEST_F(EditorLook, TheCaretFollowsTheRowHeightOfTheRules) {
  LoadMarkedText(Editor(), "abc|def\nsecond\nthird");
  Widget->setFocus();
  Editor().ProcessCommand(ccDown, 0);
  const int base = Lh();
  const int cellX = Lm() + 3 * Cw();
  Editor().SetShowRules(true);
  QApplication::processEvents();
  EXPECT_EQ(Widget->CaretRect(), QRect(cellX - 1, Lh(), 2, base + 2));
  Editor().SetInsertMode(false);
  QApplication::processEvents();
  EXPECT_EQ(Widget->CaretRect(), QRect(cellX, Lh(), Cw(), base + 2));
  // Without rules the block no longer reaches into the row below.
  Editor().SetShowRules(false);
  QApplication::processEvents();
  EXPECT_EQ(Widget->CaretRect(), QRect(cellX, base, Cw(), base));
}

// After a scroll the picture equals a fresh paint of the same view, both at once (the pixels
// moved and the uncovered rows painted) and after the control's final repaint.
class EditorLookScroll : public EditorLook, public ::testing::WithParamInterface<int> {};

TEST_P(EditorLookScroll, ScrollingLeavesNothingBehind) {
  const int setting = GetParam();
  LoadMarkedText(Editor(), NumberedText());
  Editor().SetShowBookmarks(setting == 1 || setting == 2);
  if (setting == 1) {
    Editor().SetMarkerAt(2, 12, 1);
    Editor().SetMarkerAt(5, 20, 1);
  }
  if (setting == 2 || setting == 3) Editor().SetShowLineNumbers(true);
  if (setting == 4) Editor().SetShowRules(true);
  if (setting == 5) {
    Editor().SetWrapColumn(30);
    Editor().SetWordWrap(true);
  }
  Editor().SetSelection(8, 3, 14, 5, true);
  Editor().SetTopLine(setting == 3 ? 98 : 10);
  Grab(QString("scroll%1-before").arg(setting));

  const QString name = QString("scroll%1").arg(setting);
  for (const int lines : {3, -2, -4, 5}) {
    QImage atOnce;
    Editor().OnTopLineChanged = [&](TCustomEditor&, int) {
      // Before the control's final full repaint: what the moved pixels and the repainted strip show.
      atOnce = Shown();
    };
    Editor().ScrollView(0, lines);
    Editor().OnTopLineChanged = nullptr;
    ASSERT_FALSE(atOnce.isNull()) << lines;
    const QString step = name + QString("-by%1").arg(lines);
    const QImage after = Grab(step + "-after");
    const QImage fresh = FreshGrab(step + "-fresh");
    Save(atOnce, step + "-at-once");
    EXPECT_TRUE(after == fresh) << "setting " << setting << ", lines " << lines;
    EXPECT_TRUE(atOnce == fresh) << "setting " << setting << ", lines " << lines;
  }
  // Sideways too.
  Editor().ScrollView(3, 0);
  const QImage after = Grab(name + "-sideways");
  EXPECT_TRUE(after == FreshGrab(name + "-sideways-fresh"));
}

// 0 plain, 1 markers, 2 line numbers and markers, 3 line numbers crossing 100, 4 rules, 5 word wrap.
INSTANTIATE_TEST_SUITE_P(Settings, EditorLookScroll, ::testing::Range(0, 6));

// Keys that scroll one column or one row move the pixels and paint only what the move
// uncovered or changed: after every key the picture equals a fresh paint, whatever is drawn
// beside the text. Settings: 0 plain, 1 line numbers and markers, 2 left margin line, 3 dashed
// right margin line, 4 borders, 5 rules, 6 bold italic (many glyphs reach into the next cell),
// 7 all of them, 8 9 points (a few glyphs reach into the next cell, among those typed), 9 the
// caret shown (the control focused, the caret not blinking), which the moves must not carry.
class EditorLookMoves : public EditorLook, public ::testing::WithParamInterface<int> {};

TEST_P(EditorLookMoves, EveryKeyShowsWhatAFreshPaintShows) {
  const int s = GetParam();
  Widget->setFixedSize(420, 230);
  LoadMarkedText(Editor(), NumberedText());
  Editor().SetMarginColor(RGBColor(250, 240, 200));
  Editor().SetShowLineNumbers(s == 1 || s == 7);
  Editor().SetShowBookmarks(s == 1 || s == 7);
  Editor().SetMarkerAt(1, 3, 1);
  Editor().MarginOptions().Left().SetEnabled(s == 2 || s == 7);
  TEditorMargin& right = Editor().MarginOptions().Right();
  right.SetLinePosition(40);
  right.SetLineWeight(2);
  right.SetLineStyle(TPenStyle::psDash);
  right.SetEnabled(s == 3 || s == 7);
  for (TBorder* b : {&Editor().Borders().LeftBorder(), &Editor().Borders().TopBorder(),
                     &Editor().Borders().RightBorder(), &Editor().Borders().BottomBorder()}) {
    b->SetPenWidth(3);
    b->SetEnabled(s == 4 || s == 7);
  }
  Editor().SetShowRules(s == 5 || s == 7);
  if (s == 6 || s == 7) Editor().FixedFont().SetStyle(fsBold | fsItalic);
  if (s == 8) Editor().FixedFont().SetSize(9);
  if (s == 9) {
    Widget->SetCaretBlinkTime(0);
    Widget->setFocus();
  }
  Editor().MoveCaretTo(6, 7);
  QApplication::processEvents();

  // Typing past the right edge, back across the left edge extending a selection, over the
  // selection, down past the bottom, new lines on the last row, up past the top. The typed
  // characters cycle through glyphs that reach into their neighbours in some fonts.
  const int across = Editor().VisibleColumns() + 8;
  const int down = Editor().VisibleLines() + 3;
  const struct {
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    const char* Text;
    int Count;
  } keys[] = {{Qt::Key_X, Qt::NoModifier, "xW_&w#Kx", across},
              {Qt::Key_Left, Qt::ShiftModifier, "", across},
              {Qt::Key_Z, Qt::NoModifier, "z", 1},
              {Qt::Key_Down, Qt::NoModifier, "", down},
              {Qt::Key_Return, Qt::NoModifier, "\r", 3},
              {Qt::Key_Up, Qt::NoModifier, "", down}};
  int moves = 0;
  for (const auto& k : keys)
    for (int i = 0; i < k.Count; ++i) {
      const std::pair<int, int> view{Editor().LeftColumn(), Editor().TopLine()};
      const std::string text(k.Text);
      const QString typed =
          text.empty() ? QString() : QString(QChar(text[static_cast<std::size_t>(i) % text.size()]));
      QKeyEvent event(QEvent::KeyPress, k.Key, k.Modifiers, typed);
      QApplication::sendEvent(Widget, &event);
      if (view != std::pair<int, int>{Editor().LeftColumn(), Editor().TopLine()}) ++moves;
      const QImage shown = Grab(QString("moves%1-%2-%3").arg(s).arg(k.Key).arg(i));
      // The scroll bars' thumbs moved too (only their old and new places are painted).
      QScrollBar* const bars[] = {Widget->horizontalScrollBar(), Widget->verticalScrollBar()};
      const QImage barsShown[] = {Shown(bars[0]), Shown(bars[1])};
      for (QScrollBar* bar : bars) bar->update();
      ASSERT_TRUE(shown == FreshGrab(QString("moves%1-fresh").arg(s)))
          << "setting " << s << ", key " << k.Key << " #" << i;
      for (int b = 0; b < 2; ++b)
        ASSERT_TRUE(barsShown[b] == Shown(bars[b]))
            << "bar " << b << ", setting " << s << ", key " << k.Key << " #" << i;
    }
  EXPECT_GE(moves, 30);
}

INSTANTIATE_TEST_SUITE_P(Settings, EditorLookMoves, ::testing::Range(0, 10));

}  // namespace
}  // namespace quilmo::test
