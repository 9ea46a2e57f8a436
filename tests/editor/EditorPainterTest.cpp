// Rows, runs and the selection's highlight.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/EditorPainter.h"
#include "support/PaintFixture.h"
#include "support/RecordingCanvas.h"

namespace quilmo {
namespace {

using test::TCanvasOp;
using test::TRecordingCanvas;

constexpr TColor kHiText = RGBColor(255, 255, 0);
constexpr TColor kHiBack = RGBColor(0, 0, 200);

class EditorPainterTest : public test::TPaintFixture {
 protected:
  EditorPainterTest() : TPaintFixture(40, 10, 10) {
    in.HighlightTextColor = kHiText;
    in.HighlightBackColor = kHiBack;
  }

  void SetLines(std::vector<std::string> text) {
    lines = std::move(text);
    in.LineCount = static_cast<int>(lines.size());
  }
  void Select(int l1, int c1, int l2, int c2) {
    in.SelStart = {l1, c1};
    in.SelEnd = {l2, c2};
  }
  static int RowTop(int row) { return (row - 1) * kLh; }
  std::vector<TCanvasOp> Row(int row) const { return canvas.RunsIn(RowTop(row), RowTop(row) + kLh); }
  // Highlighted pixels of a row, as [first, last) x ranges of runs with the highlight colours.
  std::vector<std::pair<int, int>> Highlighted(int row) const {
    std::vector<std::pair<int, int>> out;
    for (const TCanvasOp& run : Row(row))
      if (run.Back == kHiBack) {
        EXPECT_EQ(run.Fore, kHiText);
        out.emplace_back(run.Rect.Left, run.Rect.Right);
      }
    return out;
  }
  std::string RowText(int row) const {
    std::string text;
    for (const TCanvasOp& run : Row(row)) text += TRecordingCanvas::VisibleChars(run, kCw);
    return text;
  }
};

TEST_F(EditorPainterTest, RunsCoverTheRowAndPaintTheSpaceAfterTheLine) {
  SetLines({"hello"});
  Paint();
  const auto runs = Row(1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].Rect, (TRect{TL(), 0, TR(), kLh}));
  EXPECT_EQ(runs[0].Chars, "hello");
  EXPECT_EQ(runs[0].X, TL());
  EXPECT_EQ(runs[0].Y, 1);
  EXPECT_EQ(runs[0].Fore, kFont);
  EXPECT_EQ(runs[0].Back, kBack);
  // Rows below the text are filled with the background.
  EXPECT_EQ(canvas.BackAt(TL() + 5, RowTop(2) + 3), kBack);
  EXPECT_EQ(canvas.BackAt(TR() - 1, RowTop(10) + 3), kBack);
  // The band under the last full row and the strips beside the text area.
  EXPECT_EQ(canvas.BackAt(100, 10 * kLh + 5), kBack);
  EXPECT_EQ(canvas.BackAt(TR() + 2, 40), kBack);
  EXPECT_EQ(canvas.BackAt(3, 40), kMargin);
}

TEST_F(EditorPainterTest, SelectionOverThreeLinesHighlightsOnlyCharacters) {
  SetLines({"first", "second", "abcdefghij", "klmnop", "qrstuvwxyz", "after"});
  Select(3, 4, 5, 6);  // from the 'd' of line 3 to before the 'v' of line 5
  Paint();

  EXPECT_TRUE(Highlighted(1).empty());
  EXPECT_TRUE(Highlighted(2).empty());
  EXPECT_TRUE(Highlighted(6).empty());
  // Line 3: from the start column to its last character only.
  ASSERT_EQ(Highlighted(3).size(), 1u);
  EXPECT_EQ(Highlighted(3)[0], std::make_pair(TL() + 3 * kCw, TL() + 10 * kCw));
  // Line 4: over its characters only, the rest of the row keeps the background.
  ASSERT_EQ(Highlighted(4).size(), 1u);
  EXPECT_EQ(Highlighted(4)[0], std::make_pair(TL(), TL() + 6 * kCw));
  EXPECT_EQ(canvas.BackAt(TL() + 6 * kCw, RowTop(4) + 2), kBack);
  // Line 5: up to the end column.
  ASSERT_EQ(Highlighted(5).size(), 1u);
  EXPECT_EQ(Highlighted(5)[0], std::make_pair(TL(), TL() + 5 * kCw));
  EXPECT_EQ(canvas.BackAt(TL() + 5 * kCw, RowTop(5) + 2), kBack);

  // The runs hold exactly the characters they show.
  const auto row3 = Row(3);
  ASSERT_EQ(row3.size(), 3u);
  EXPECT_EQ(row3[0].Chars, "abc");
  EXPECT_EQ(row3[1].Chars, "defghij");
  EXPECT_EQ(row3[2].Chars, "");
  EXPECT_EQ(row3[2].Rect.Right, TR());
  EXPECT_EQ(RowText(5), "qrstuvwxyz");
}

TEST_F(EditorPainterTest, EmptyLineInsideASelectionKeepsTheBackground) {
  SetLines({"abc", "", "def"});
  Select(1, 2, 3, 2);
  Paint();
  EXPECT_TRUE(Highlighted(2).empty());
  EXPECT_EQ(canvas.BackAt(TL() + 1, RowTop(2) + 1), kBack);
  EXPECT_EQ(Highlighted(1), (std::vector<std::pair<int, int>>{{TL() + kCw, TL() + 3 * kCw}}));
  EXPECT_EQ(Highlighted(3), (std::vector<std::pair<int, int>>{{TL(), TL() + kCw}}));
}

TEST_F(EditorPainterTest, SelectionRightOfTheVisiblePartShowsNoHighlightAndNothingBeyondTheTextArea) {
  SetLines({std::string(100, 'x'), std::string(100, 'y')});
  Select(1, 60, 1, 70);  // one line
  Paint();
  EXPECT_TRUE(Highlighted(1).empty());
  for (const TCanvasOp& run : canvas.Runs()) {
    EXPECT_LE(run.Rect.Right, TR());
    EXPECT_EQ(TRecordingCanvas::VisibleChars(run, kCw).size(), run.Chars.size());
  }
  EXPECT_EQ(RowText(1), std::string(40, 'x'));

  Select(1, 60, 2, 5);  // reaching into the next line, whose start is visible
  Paint();
  EXPECT_TRUE(Highlighted(1).empty());
  EXPECT_EQ(Highlighted(2), (std::vector<std::pair<int, int>>{{TL(), TL() + 4 * kCw}}));
  EXPECT_EQ(RowText(1), std::string(40, 'x'));
}

TEST_F(EditorPainterTest, LeftColumnShiftsTheVisiblePartAndTheSelection) {
  SetLines({"0123456789abcdefghijklmnopqrstuvwxyz"});
  in.LeftColumn = 10;
  Select(1, 5, 1, 15);  // characters 5..14: only 11..14 ("abcd") are visible
  Paint();
  const auto runs = Row(1);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].Chars, "abcd");
  EXPECT_EQ(runs[0].Back, kHiBack);
  EXPECT_EQ(runs[0].Rect, (TRect{TL(), 0, TL() + 4 * kCw, kLh}));
  EXPECT_EQ(runs[1].Chars, "efghijklmnopqrstuvwxyz");

  in.LeftColumn = 36;  // exactly the line's length: nothing visible, one empty run
  Paint();
  ASSERT_EQ(Row(1).size(), 1u);
  EXPECT_EQ(Row(1)[0].Rect, (TRect{TL(), 0, TR(), kLh}));
  EXPECT_EQ(Row(1)[0].Chars, "");
  EXPECT_EQ(Row(1)[0].Back, kBack);
}

TEST_F(EditorPainterTest, TabsAreExpandedAndSelectionColumnsCountScreenColumns) {
  SetLines({"a\tb\tc"});
  in.TabSize = 4;
  Select(1, 3, 1, 4);  // the 'b'
  Paint();
  EXPECT_EQ(RowText(1), "a   b   c");
  EXPECT_EQ(Highlighted(1), (std::vector<std::pair<int, int>>{{TL() + 4 * kCw, TL() + 5 * kCw}}));

  EXPECT_EQ(ExpandTabs("\t", 8), std::string(8, ' '));
  EXPECT_EQ(ExpandTabs("abcd\te", 4), "abcd    e");
  EXPECT_EQ(ScreenColumn("a\tb", 3, 4), 5);
  EXPECT_EQ(ScreenColumn("a\tb", 4, 4), 6);  // end of the line
  EXPECT_EQ(ScreenColumn("a\tb", 6, 4), 8);  // beyond it, one per character
  EXPECT_EQ(ScreenColumn("abc", 0, 4), 1);
}

TEST_F(EditorPainterTest, HideSelectionHidesItOnlyWithoutFocus) {
  SetLines({"abcdef"});
  Select(1, 2, 1, 4);
  in.HideSelection = true;
  in.Focused = false;
  Paint();
  EXPECT_TRUE(Highlighted(1).empty());
  in.Focused = true;
  Paint();
  EXPECT_EQ(Highlighted(1).size(), 1u);
  in.HideSelection = false;
  in.Focused = false;
  Paint();
  EXPECT_EQ(Highlighted(1).size(), 1u);
}

TEST_F(EditorPainterTest, DisabledControlDrawsGrayTextWithoutSelection) {
  SetLines({"abcdef", "ghijkl"});
  Select(1, 2, 2, 4);
  in.Enabled = false;
  int hookHB = -1;
  in.OnDrawLine = [&](TEditorCanvas&, const TRect&, std::string_view, int, int, int, int hbLine, int hbCol,
                      int heLine, int heCol, bool&) { hookHB = hbLine + hbCol + heLine + heCol; };
  Paint();
  ASSERT_FALSE(canvas.Runs().empty());
  for (const TCanvasOp& run : canvas.Runs()) {
    EXPECT_EQ(run.Fore, clGrayText);
    EXPECT_EQ(run.Back, kBack);
  }
  EXPECT_EQ(hookHB, 0);
  EXPECT_FALSE(SelectionShown(in));
}

TEST_F(EditorPainterTest, OnlyRowsTouchedByTheClipBoxAreDrawn) {
  SetLines({"one", "two", "three", "four", "five"});
  in.ClipRect = {TL() + 10, RowTop(3) + 4, TL() + 30, RowTop(4) + 1};  // rows 3 and 4
  Paint();
  std::vector<int> rows;
  for (const TCanvasOp& run : canvas.Runs()) rows.push_back(run.Rect.Top / kLh + 1);
  EXPECT_EQ(rows, (std::vector<int>{3, 4}));
  // The strips beside the text area span the clip box's height only.
  for (const TCanvasOp& fill : canvas.OfKind(TCanvasOp::Fill))
    if (fill.Rect.Right == TL() || fill.Rect.Left == TR()) {
      EXPECT_EQ(fill.Rect.Top, in.ClipRect.Top);
      EXPECT_EQ(fill.Rect.Bottom, in.ClipRect.Bottom);
    }
  // The clip box does not reach into the margin: the margin is left as it is.
  EXPECT_FALSE(canvas.BackAt(3, RowTop(3) + 5).has_value());
  for (const TCanvasOp& fill : canvas.OfKind(TCanvasOp::Fill)) EXPECT_NE(fill.Fore, kMargin);
}

TEST_F(EditorPainterTest, SplitRunsFollowsEachSelectionCase) {
  // No selection shown.
  EXPECT_EQ(SplitRuns(2, 1, 10, 0, 0, 0, 0), (TRunSplit{10, 0}));
  // Between the two ends.
  EXPECT_EQ(SplitRuns(3, 1, 10, 2, 5, 4, 2), (TRunSplit{0, 10}));
  // Start and end on this line, partly scrolled off.
  EXPECT_EQ(SplitRuns(2, 5, 10, 2, 3, 2, 8), (TRunSplit{0, 3}));
  EXPECT_EQ(SplitRuns(2, 1, 10, 2, 3, 2, 8), (TRunSplit{2, 5}));
  EXPECT_EQ(SplitRuns(2, 1, 4, 2, 3, 2, 8), (TRunSplit{2, 2}));
  EXPECT_EQ(SplitRuns(2, 20, 10, 2, 3, 2, 8), (TRunSplit{0, 0}));  // all of it scrolled off
  // Start line of a longer selection.
  EXPECT_EQ(SplitRuns(2, 1, 10, 2, 4, 5, 1), (TRunSplit{3, 7}));
  EXPECT_EQ(SplitRuns(2, 1, 10, 2, 40, 5, 1), (TRunSplit{10, 0}));
  // End line: end left of the visible part.
  EXPECT_EQ(SplitRuns(5, 11, 10, 2, 4, 5, 3), (TRunSplit{10, 0}));
  EXPECT_EQ(SplitRuns(5, 11, 10, 2, 4, 5, 15), (TRunSplit{0, 4}));
  EXPECT_EQ(SplitRuns(5, 1, 3, 2, 4, 5, 15), (TRunSplit{0, 3}));
}

}  // namespace
}  // namespace quilmo
