// The mouse: point to position, clicks and drags in text and line mode, auto-scrolling,
// double clicks, the cursor over the margin.

#include <gtest/gtest.h>

#include <string>

#include "editor/CustomEditor.h"
#include "editor/KeyBinding.h"
#include "support/EditorDoc.h"
#include "support/FakeHost.h"

namespace quilmo::test {
namespace {

// Geometry of the fake host: text from x = 15, cells 8 wide, rows 16 high, 10 rows, 47 columns.
constexpr int X(int screenColumn) {
  return 15 + 8 * (screenColumn - 1);
}  // left edge of a cell
constexpr int Y(int row) {
  return 16 * (row - 1) + 5;
}

class EditorMouse : public ::testing::Test {
 protected:
  void SetUp() override { Host.Attach(Editor); }
  void Click(int x, int y, std::uint8_t shift = 0) {
    Editor.MouseMove(x, y, shift);
    Editor.MouseDown(x, y, shift);
    Editor.MouseUp(x, y);
  }
  std::string Point(int x, int y) {
    std::int32_t line = 0, column = 0;
    Editor.PointToLineCol(x, y, line, column);
    return std::to_string(line) + ":" + std::to_string(column);
  }
  void LoadLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
      if (i > 1) text += '\n';
      text += "line ";
      text += std::to_string(i);
    }
    LoadMarkedText(Editor, text);
  }

  TFakeHost Host;
  TCustomEditor Editor;
};

TEST_F(EditorMouse, PointToPosition) {
  LoadLines(30);
  EXPECT_EQ(Point(X(4) + 3, Y(1)), "1:4");  // left half of a cell: the boundary before it
  EXPECT_EQ(Point(X(4) + 4, Y(1)), "1:5");
  EXPECT_EQ(Point(0, Y(2)), "2:1");
  EXPECT_EQ(Point(X(30), Y(2)), "2:7");            // beyond the line's end
  EXPECT_EQ(Point(15 + 47 * 8 - 4, Y(3)), "3:7");  // the right edge gives the last visible column, limited
  EXPECT_EQ(Point(X(2), 162), "10:2");             // the partial row counts as the last row
  EXPECT_EQ(Point(X(2), 160), "11:2");
  EXPECT_EQ(Point(X(2), 168), "11:2");  // below the window: the line after the last row
  EXPECT_EQ(Point(X(2), -3), "1:2");    // above line 1: line 1
  Editor.SetTopLine(5);
  EXPECT_EQ(Point(X(2), -3), "4:2");
  Editor.SetScrollPastEnd(true);
  EXPECT_EQ(Point(X(30), Y(1)), "5:30");
}

TEST_F(EditorMouse, PointToPositionOnTabsAndBeyondTheText) {
  LoadMarkedText(Editor, "\tx\nab");
  EXPECT_EQ(Point(X(5), Y(1)), "1:1");  // inside the tab's cells: the tab
  EXPECT_EQ(Point(X(10), Y(1)), "1:3");
  EXPECT_EQ(Point(X(2), Y(8)), "2:2");  // rows below the text: the last line
}

TEST_F(EditorMouse, AClickInAnEmptyEditorOnlyFocusesIt) {
  Editor.MouseDown(X(3), Y(2), 0);
  EXPECT_TRUE(Host.HasFocus);
  EXPECT_FALSE(Editor.MouseCaptured());
  EXPECT_FALSE(Host.TimerRunning);
  EXPECT_TRUE(Host.CaretCreated);
}

TEST_F(EditorMouse, ClickShiftClickAndDrag) {
  LoadMarkedText(Editor, "abcdef\nghijkl\nmnopqr");
  Click(X(3), Y(2));
  EXPECT_EQ(MarkedEditorText(Editor), "abcdef\ngh|ijkl\nmnopqr");
  EXPECT_FALSE(Editor.MouseCaptured());
  Click(X(5), Y(3), sfShift);
  EXPECT_EQ(MarkedEditorText(Editor), "abcdef\ngh[ijkl\nmnop]qr");

  Editor.MouseDown(X(2), Y(1), 0);
  EXPECT_TRUE(Editor.MouseCaptured());
  EXPECT_TRUE(Host.TimerRunning);
  Host.Now += 5;
  Editor.MouseMove(X(4), Y(2), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "a[bcdef\nghi]jkl\nmnopqr");
  Host.Now += 5;
  Editor.MouseMove(X(1), Y(1), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "[|a]bcdef\nghijkl\nmnopqr");
  Editor.MouseUp(X(1), Y(1));
  EXPECT_FALSE(Host.TimerRunning);
}

TEST_F(EditorMouse, DraggingBelowTheWindowScrollsFasterFurtherAway) {
  LoadLines(100);
  Editor.MouseDown(X(2), Y(5), 0);
  // B = 3 × 16 = 48 ms; 6 pixels below the window a turn needs more than 42 ms.
  const int justBelow = Host.Height + 5;
  Host.Now += 1;
  Editor.MouseMove(X(2), justBelow, 0);
  EXPECT_EQ(Editor.TopLine(), 1);
  Host.Now += 41;
  Editor.AutoScrollTick();
  EXPECT_EQ(Editor.TopLine(), 1);
  Host.Now += 2;
  Editor.AutoScrollTick();
  EXPECT_EQ(Editor.CaretLine(), 11);
  EXPECT_EQ(Editor.TopLine(), 2);
  Editor.AutoScrollTick();  // no time has passed
  EXPECT_EQ(Editor.TopLine(), 2);
  // Far below, every turn acts.
  Editor.MouseMove(X(2), Host.Height + 100, 0);
  Editor.AutoScrollTick();
  Editor.AutoScrollTick();
  EXPECT_EQ(Editor.TopLine(), 5);
  EXPECT_EQ(Editor.SelStart(), (TParaPos{5, 2}));
  EXPECT_EQ(Editor.SelEnd(), (TParaPos{14, 2}));
  Editor.MouseUp(X(2), Host.Height + 100);
  Editor.AutoScrollTick();
  EXPECT_EQ(Editor.TopLine(), 5);
}

TEST_F(EditorMouse, LineModeSelectsWholeLines) {
  LoadMarkedText(Editor, "one\ntwo\nthree\nfour");
  Editor.MouseMove(5, Y(2), 0);
  EXPECT_TRUE(Editor.InLeftMargin());
  EXPECT_EQ(Host.Cursor, TMouseCursorKind::mcLine);
  Editor.MouseDown(5, Y(2), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "one\n[two\n]three\nfour");
  Host.Now += 5;
  Editor.MouseMove(5, Y(3), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "one\n[two\nthree\n]four");
  Host.Now += 5;
  Editor.MouseMove(5, Y(4), 0);  // the last line ends at its end
  EXPECT_EQ(MarkedEditorText(Editor), "one\n[two\nthree\nfour]");
  Host.Now += 5;
  Editor.MouseMove(5, Y(1), 0);  // above the anchor: the caret at the start
  EXPECT_EQ(MarkedEditorText(Editor), "[|one\n]two\nthree\nfour");
  Editor.MouseUp(5, Y(1));

  // Shift extends from the selection.
  Editor.MouseMove(5, Y(3), 0);
  Editor.MouseDown(5, Y(3), sfShift);
  EXPECT_EQ(MarkedEditorText(Editor), "[one\ntwo\nthree\n]four");
  Editor.MouseUp(5, Y(3));
  Editor.MouseMove(X(2), Y(3), 0);
  EXPECT_FALSE(Editor.InLeftMargin());
  EXPECT_EQ(Host.Cursor, TMouseCursorKind::mcIBeam);
}

TEST_F(EditorMouse, DoubleClickSelectsAWord) {
  LoadMarkedText(Editor, "foo  bar");
  Editor.DoubleClick(X(4), Y(1), 0);  // a blank after a word: the word and its blanks
  EXPECT_EQ(MarkedEditorText(Editor), "[foo  ]bar");
  Editor.DoubleClick(X(7), Y(1), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "foo  [bar]");
  LoadMarkedText(Editor, "foo, bar");
  Editor.DoubleClick(X(4), Y(1), 0);  // the comma: the word before it
  EXPECT_EQ(MarkedEditorText(Editor), "[foo], bar");
  Editor.DoubleClick(X(1), Y(1), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "[foo], bar");
  Editor.DoubleClick(X(20), Y(1), 0);  // beyond the end: the last word
  EXPECT_EQ(MarkedEditorText(Editor), "foo, [bar]");
}

TEST_F(EditorMouse, ShiftDoubleClickExtendsByWords) {
  LoadMarkedText(Editor, "one two three four");
  Editor.DoubleClick(X(5), Y(1), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "one [two ]three four");
  Editor.DoubleClick(X(16), Y(1), sfShift);
  EXPECT_EQ(MarkedEditorText(Editor), "one [two three four]");
  Editor.DoubleClick(X(1), Y(1), 0);
  Editor.DoubleClick(X(9), Y(1), 0);
  Editor.DoubleClick(X(1), Y(1), sfShift);
  EXPECT_EQ(MarkedEditorText(Editor), "[|one two three ]four");
}

TEST_F(EditorMouse, DoubleClickInTheMarginSelectsTheParagraph) {
  Editor.SetWordWrap(true);
  Editor.SetWrapColumn(8);
  LoadMarkedText(Editor, "first\naaa bbb ccc\nlast");
  ASSERT_EQ(Editor.LineCount(), 4);
  Editor.MouseMove(5, Y(3), 0);
  Editor.DoubleClick(5, Y(3), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "first\n[aaa bbb ccc]\nlast");
  Editor.DoubleClick(5, Y(4), sfShift);  // a later paragraph: from the selection start to its end
  EXPECT_EQ(MarkedEditorText(Editor), "first\n[aaa bbb ccc\nlast]");
  Editor.DoubleClick(5, Y(1), sfShift);  // an earlier one: from its start to the selection end
  EXPECT_EQ(MarkedEditorText(Editor), "[|first\naaa bbb ccc\nlast]");
}

}  // namespace
}  // namespace quilmo::test
