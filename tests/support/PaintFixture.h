#pragma once
// A fixture for painter tests: a paint input for a grid of 8 x 16 pixel cells in test colours,
// its display lines, and a recording canvas to paint on.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "editor/EditorPainter.h"
#include "support/RecordingCanvas.h"

namespace quilmo::test {

class TPaintFixture : public ::testing::Test {
 protected:
  static constexpr int kCw = 8;
  static constexpr int kLh = 16;
  static constexpr TColor kBack = RGBColor(250, 250, 250);
  static constexpr TColor kMargin = RGBColor(230, 230, 230);
  static constexpr TColor kFont = RGBColor(10, 20, 30);

  // `columns` x `rows` cells between margins of 15 and 5 pixels, `band` pixels below the last
  // row, focused; line n is lines[n - 1] (LineCount is left to the test).
  TPaintFixture(int columns, int rows, int band) {
    in.ClientRect = {0, 0, 15 + columns * kCw + 5, rows * kLh + band};
    in.ClipRect = in.ClientRect;
    in.LeftMargin = 15;
    in.RightMargin = 5;
    in.VisibleLines = rows;
    in.VisibleColumns = columns;
    in.CharWidth = kCw;
    in.LineHeight = kLh;
    in.Color = kBack;
    in.MarginColor = kMargin;
    in.FontColor = kFont;
    in.Focused = true;
    in.LineText = [this](int line) { return std::string_view(lines.at(line - 1)); };
  }

  void Paint() {
    canvas.Clear();
    PaintEditor(in, canvas);
  }
  // The text area's left and right edges.
  int TL() const { return in.LeftMargin; }
  int TR() const { return in.LeftMargin + in.VisibleColumns * kCw; }

  std::vector<std::string> lines;
  TPaintInput in;
  TRecordingCanvas canvas{kCw, kLh};
};

}  // namespace quilmo::test
