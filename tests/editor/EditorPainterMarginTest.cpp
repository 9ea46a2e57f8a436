// The left margin (glyphs, line numbers), rules, margin lines, borders and OnDrawLine.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "editor/EditorPainter.h"
#include "support/PaintFixture.h"
#include "support/RecordingCanvas.h"

namespace quilmo {
namespace {

using test::TCanvasOp;
using test::TRecordingCanvas;

constexpr TColor kRule = RGBColor(1, 2, 3);

class EditorPainterMarginTest : public test::TPaintFixture {
 protected:
  EditorPainterMarginTest() : TPaintFixture(30, 6, 4) {
    in.RuleColor = kRule;
    lines = {"alpha", "beta\tx", "gamma", "delta"};
    in.LineCount = 4;
    in.MarkerAt = [this](int line) {
      ++lookups[line];
      auto it = markers.find(line);
      return it == markers.end() ? -1 : it->second;
    };
  }
  void Paint() {
    lookups.clear();
    TPaintFixture::Paint();
  }

  std::map<int, int> markers;  // line -> lowest marker on it
  std::map<int, int> lookups;
};

TEST_F(EditorPainterMarginTest, MarkerGlyphsAreCentredInTheRowsOfTheirLines) {
  markers = {{2, 3}, {4, 0}};
  Paint();
  const auto glyphs = canvas.Glyphs();
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs[0].Index, 3);
  EXPECT_EQ(glyphs[0].X, 1);
  EXPECT_EQ(glyphs[0].Y, kLh + 2);  // row 2, (16 - 12) div 2 lower
  EXPECT_EQ(glyphs[1].Index, 0);
  EXPECT_EQ(glyphs[1].Y, 3 * kLh + 2);
  // Rows below the text have no line to look up.
  EXPECT_EQ(lookups.count(5), 0u);
  // The margin is filled with MarginColor before the glyphs are drawn.
  EXPECT_EQ(canvas.BackAt(13, 5 * kLh + 3), kMargin);

  in.LineHeight = 13;  // less than glyph height + 2: glyph at the row's top
  in.TopLine = 2;
  Paint();
  ASSERT_EQ(canvas.Glyphs().size(), 2u);
  EXPECT_EQ(canvas.Glyphs()[0].Y, 0);
  EXPECT_EQ(canvas.Glyphs()[1].Y, 2 * 13);
}

TEST_F(EditorPainterMarginTest, MarkerGlyphsNeedRoomAndTheMarginInTheClipBox) {
  markers = {{1, 5}};
  in.LeftMargin = 11;  // narrower than a glyph
  Paint();
  EXPECT_TRUE(canvas.Glyphs().empty());
  EXPECT_EQ(canvas.BackAt(5, 3), kMargin);  // the margin itself is still filled

  in.LeftMargin = 12;
  Paint();
  EXPECT_EQ(canvas.Glyphs().size(), 1u);

  in.ShowBookmarks = false;
  Paint();
  EXPECT_TRUE(canvas.Glyphs().empty());

  in.ShowBookmarks = true;
  in.ClipRect = {in.LeftMargin, 0, TR(), kLh};
  Paint();
  EXPECT_TRUE(canvas.Glyphs().empty());
  EXPECT_FALSE(canvas.BackAt(5, 3).has_value());  // the margin is left as it is
}

TEST_F(EditorPainterMarginTest, LineNumberWidthFollowsTheWidestNumberShown) {
  // TopLine 98 in a 5-row window: "98" .. "103" decide.
  EXPECT_EQ(ComputeLineNumberWidth(canvas, 98, 5), 3 * kCw);
  EXPECT_EQ(ComputeLineNumberWidth(canvas, 94, 5), 2 * kCw);  // up to 99
  EXPECT_EQ(ComputeLineNumberWidth(canvas, 95, 5), 3 * kCw);  // reaches 100
  EXPECT_EQ(ComputeLineNumberWidth(canvas, 1, 5), kCw);       // 1 .. 6
  EXPECT_EQ(ComputeLineNumberWidth(canvas, 1, 9), 2 * kCw);   // 1 .. 10
}

TEST_F(EditorPainterMarginTest, LineNumbersAreDrawnForEveryRowOfTheWindow) {
  in.ShowLineNumbers = true;
  in.TopLine = 98;
  in.LineCount = 101;
  lines.resize(101, "text");
  in.LineNumberWidth = ComputeLineNumberWidth(canvas, in.TopLine, in.VisibleLines);
  in.LeftMargin = 15 + in.LineNumberWidth + 5;
  Paint();
  const auto numbers = canvas.Numbers();
  ASSERT_EQ(numbers.size(), 6u);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(numbers[i].Chars, std::to_string(98 + i));  // also below the last line (101)
    EXPECT_EQ(numbers[i].X, 15);
    EXPECT_EQ(numbers[i].Y, i * kLh + 1);  // on the baseline of the row's text
    EXPECT_EQ(numbers[i].Fore, kFont);
    EXPECT_EQ(numbers[i].Back, kMargin);  // the margin brush
  }
  // Without the margin in the clip box the numbers are left as they are; with part of it,
  // only those of the rows the box crosses are drawn.
  in.ClipRect = {in.LeftMargin + 1, 0, TR(), kLh};
  Paint();
  EXPECT_TRUE(canvas.Numbers().empty());
  in.ClipRect = {0, 2 * kLh + 3, 4, 3 * kLh + 3};
  Paint();
  ASSERT_EQ(canvas.Numbers().size(), 2u);
  EXPECT_EQ(canvas.Numbers()[0].Chars, std::to_string(in.TopLine + 2));
  EXPECT_EQ(canvas.Numbers()[1].Back, kMargin);
  // Disabled: the numbers keep the font colour.
  in.ClipRect = in.ClientRect;
  in.Enabled = false;
  Paint();
  EXPECT_EQ(canvas.Numbers()[0].Fore, kFont);
}

TEST_F(EditorPainterMarginTest, RulesRunUnderEveryRowIntoTheRightMargin) {
  EXPECT_EQ(EditorLineHeight(kLh, false), kLh);
  EXPECT_EQ(EditorLineHeight(kLh, true), kLh + 2);
  in.ShowRules = true;
  in.LineHeight = EditorLineHeight(kLh, true);
  const int lh = in.LineHeight;
  in.ClientRect.Bottom = 6 * lh + 4;
  in.ClipRect = in.ClientRect;
  Paint();
  const auto rules = canvas.Lines();
  ASSERT_EQ(rules.size(), 6u);  // text rows and rows below the text alike
  for (int i = 0; i < 6; ++i) {
    const int y = (i + 1) * lh - 1;
    EXPECT_EQ(rules[i].Y, y);
    EXPECT_EQ(rules[i].Y2, y);
    EXPECT_EQ(rules[i].X, 0);
    EXPECT_EQ(rules[i].X2, TR() + in.RightMargin);
    EXPECT_EQ(rules[i].Fore, kRule);
    EXPECT_EQ(rules[i].Width, 1);
  }
  // The row's runs stop above the rule.
  for (const TCanvasOp& run : canvas.Runs()) EXPECT_EQ(run.Rect.Height(), lh - 1);
  EXPECT_EQ(RowRect(in, 2), (TRect{in.LeftMargin, lh, TR(), 2 * lh - 1}));
}

TEST_F(EditorPainterMarginTest, OnDrawLineGetsTheRowAndCanTakeOverItsText) {
  struct TCall {
    TRect Rect;
    std::string S;
    int Line, Pos, Count, HBLine, HBCol, HELine, HECol;
  };
  std::vector<TCall> calls;
  in.OnDrawLine = [&](TEditorCanvas&, const TRect& rect, std::string_view s, int line, int pos, int count,
                      int hbLine, int hbCol, int heLine, int heCol, bool& wasDrawn) {
    EXPECT_FALSE(wasDrawn);
    calls.push_back({rect, std::string(s), line, pos, count, hbLine, hbCol, heLine, heCol});
    wasDrawn = true;
  };
  in.ShowRules = true;
  in.ShowLineNumbers = true;
  in.LineNumberWidth = kCw;
  in.LeftMargin = 15 + kCw + 5;
  in.TabSize = 4;
  in.SelStart = {1, 2};
  in.SelEnd = {2, 6};  // after the tab of "beta\tx": screen column 9
  markers = {{3, 7}};
  Paint();

  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0].S, "alpha");
  EXPECT_EQ(calls[1].S, "beta    x");  // expanded
  EXPECT_EQ(calls[4].S, "");           // below the text
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(calls[i].Line, i + 1);
    EXPECT_EQ(calls[i].Rect, RowRect(in, i + 1));
    EXPECT_EQ(calls[i].Pos, 0);
    EXPECT_EQ(calls[i].Count, 30);
    EXPECT_EQ(calls[i].HBLine, 1);
    EXPECT_EQ(calls[i].HBCol, 2);
    EXPECT_EQ(calls[i].HELine, 2);
    EXPECT_EQ(calls[i].HECol, 9);
  }
  // The text area is left alone ...
  EXPECT_TRUE(canvas.Runs().empty());
  for (int row = 1; row <= 6; ++row) {
    const TRect r = RowRect(in, row);
    EXPECT_EQ(canvas.BackAt(r.Left + 3, r.Top + 3), std::nullopt) << row;
  }
  // ... while the margin, glyphs, numbers and rules are drawn.
  EXPECT_EQ(canvas.BackAt(2, 2), kMargin);
  EXPECT_EQ(canvas.Glyphs().size(), 1u);
  EXPECT_EQ(canvas.Numbers().size(), 6u);
  EXPECT_EQ(canvas.Lines().size(), 6u);

  // Scrolled past the end of a line: S is empty.
  calls.clear();
  in.LeftColumn = 5;
  Paint();
  EXPECT_EQ(calls[0].S, "");
  EXPECT_EQ(calls[0].Pos, 5);
  EXPECT_EQ(calls[1].S, "beta    x");
}

TEST_F(EditorPainterMarginTest, MarginLinesShiftTheTextAndBordersComeAfterTheControlsPart) {
  TEditorMargins margins;
  margins.Left().SetEnabled(true);
  margins.Left().SetLineColor(RGBColor(9, 9, 9));
  margins.Left().SetLineWeight(3);
  margins.Left().SetLineStyle(TPenStyle::psDot);
  margins.Right().SetEnabled(true);
  TBorders borders;
  borders.LeftBorder().SetEnabled(true);
  borders.BottomBorder().SetEnabled(true);
  borders.BottomBorder().SetPenWidth(3);
  in.Margins = &margins;
  in.Borders = &borders;
  std::size_t opsAtControl = 0;
  in.AfterContent = [&] { opsAtControl = canvas.Ops.size(); };
  Paint();

  // The text sits 4 pixels right of the grid when the left line is drawn; the runs' boxes
  // move with it so that no character is cut at a run's edge.
  ASSERT_FALSE(canvas.Runs().empty());
  EXPECT_EQ(canvas.Runs()[0].X, in.LeftMargin + 4);
  EXPECT_EQ(canvas.Runs()[0].Rect, (TRect{15, 0, TR() + 4, kLh}));
  in.SelStart = {1, 2};
  in.SelEnd = {1, 4};
  Paint();
  const auto row1 = canvas.RunsIn(0, kLh);
  ASSERT_EQ(row1.size(), 3u);
  EXPECT_EQ(row1[0].Rect, (TRect{15, 0, 15 + kCw + 4, kLh}));
  EXPECT_EQ(row1[0].X, 15 + 4);
  EXPECT_EQ(row1[1].Rect, (TRect{15 + kCw + 4, 0, 15 + 3 * kCw + 4, kLh}));
  EXPECT_EQ(row1[1].X, 15 + kCw + 4);
  EXPECT_EQ(row1[1].Chars, "lp");
  EXPECT_EQ(row1[2].Rect, (TRect{15 + 3 * kCw + 4, 0, TR() + 4, kLh}));
  for (const TCanvasOp& run : row1) EXPECT_EQ(TRecordingCanvas::VisibleChars(run, kCw), run.Chars);

  const auto lines = canvas.Lines();
  ASSERT_EQ(lines.size(), 4u);
  const TRect& r = in.ClientRect;
  EXPECT_EQ(lines[0].X, 15);
  EXPECT_EQ(lines[0].Y, r.Top);
  EXPECT_EQ(lines[0].Y2, r.Bottom);
  EXPECT_EQ(lines[0].Width, 3);
  EXPECT_EQ(lines[0].Style, TPenStyle::psDot);
  EXPECT_EQ(lines[0].Fore, RGBColor(9, 9, 9));
  EXPECT_EQ(lines[1].X, r.Right - 5);
  EXPECT_EQ(lines[1].Fore, clBlack);
  // Borders: left at R.left + w div 2 down to R.bottom - w; bottom at R.bottom - w div 2.
  EXPECT_EQ(lines[2].X, 1);
  EXPECT_EQ(lines[2].X2, 1);
  EXPECT_EQ(lines[2].Y2, r.Bottom - 2);
  EXPECT_EQ(lines[2].Width, 2);
  EXPECT_EQ(lines[3].Y, r.Bottom - 1);
  EXPECT_EQ(lines[3].X, r.Left);
  EXPECT_EQ(lines[3].X2, r.Right);
  EXPECT_EQ(lines[3].Width, 3);
  // The control's step (scroll bars, caret) runs after the margin lines, before the borders.
  ASSERT_GT(opsAtControl, 0u);
  EXPECT_EQ(canvas.Ops[opsAtControl - 1].Kind, TCanvasOp::Line);
  EXPECT_EQ(canvas.Ops[opsAtControl - 1].X, r.Right - 5);
  EXPECT_EQ(canvas.Ops.size(), opsAtControl + 2);
}

}  // namespace
}  // namespace quilmo
