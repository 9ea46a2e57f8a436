#include "editor/EditorPainter.h"

#include <algorithm>

namespace quilmo {

// ---- Text helpers ----

bool HasTab(std::string_view text) {
  return text.find('\t') != std::string_view::npos;
}

// ---- Geometry and state ----

TRect IntersectRect(const TRect& a, const TRect& b) {
  return TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
               std::min(a.Bottom, b.Bottom)};
}

int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

bool SelectionShown(const TPaintInput& in) {
  return in.Enabled && !(in.SelStart == in.SelEnd) && !(in.HideSelection && !in.Focused);
}

TRect RowRect(const TPaintInput& in, int row) {
  TRect r;
  r.Left = in.ClientRect.Left + in.LeftMargin;
  r.Right = r.Left + in.VisibleColumns * in.CharWidth;
  r.Top = (row - 1) * in.LineHeight;
  r.Bottom = in.ShowRules ? r.Top + in.LineHeight - 1 : r.Top + in.LineHeight;
  r.Bottom = std::min(r.Bottom, in.ClientRect.Bottom);
  return r;
}

int ComputeLineNumberWidth(const std::function<int(std::string_view)>& textWidth, int topLine,
                           int visibleLines) {
  int width = 0;
  for (int n = topLine; n <= topLine + visibleLines; ++n)
    width = std::max(width, textWidth(std::to_string(n)));
  return width;
}

int ComputeLineNumberWidth(TEditorCanvas& canvas, int topLine, int visibleLines) {
  return ComputeLineNumberWidth([&canvas](std::string_view text) { return canvas.TextWidth(text); }, topLine,
                                visibleLines);
}

TRunSplit SplitRuns(int line, int first, int count, int hbLine, int hbCol, int heLine, int heCol) {
  TRunSplit split{count, 0};
  if (hbLine == 0 || line < hbLine || line > heLine) return split;
  const int k = count;
  const int c = first;
  if (line > hbLine && line < heLine) {
    split = {0, k};
  } else if (line == hbLine && line == heLine) {
    const int d = std::min(std::max(0, hbCol - c), k);
    const int m = std::clamp(heCol - c - d, 0, k - d);
    split = {d, m};
  } else if (line == hbLine) {
    const int d = std::min(std::max(0, hbCol - c), k);
    split = {d, k - d};
  } else if (heCol >= c) {  // line == heLine, after the start line
    split = {0, std::min(heCol - c, k)};
  }
  return split;
}

// ---- The paint ----

namespace {

struct TRowColors {
  TColor NormalText;
  TColor NormalBack;
};

struct TSelectionView {
  int HBLine = 0, HBCol = 0, HELine = 0, HECol = 0;
};

TSelectionView ComputeSelectionView(const TPaintInput& in) {
  TSelectionView v;
  if (!SelectionShown(in) || !in.LineText) return v;
  v.HBLine = in.SelStart.Line;
  v.HELine = in.SelEnd.Line;
  v.HBCol = ScreenColumn(in.LineText(v.HBLine), in.SelStart.Column, in.TabSize);
  v.HECol = ScreenColumn(in.LineText(v.HELine), in.SelEnd.Column, in.TabSize);
  return v;
}

bool LeftLineEnabled(const TPaintInput& in) {
  return in.Margins && in.Margins->Left().Enabled();
}

// Runs are laid out on the cell grid from TL. With the left margin line drawn the text sits
// 4 pixels further right; the runs' rectangles move with it (the first one still starts at
// TL and the last one ends 4 pixels after TR) so that no character is cut at a run's edge.
// Only the part of a run inside the clip box is painted: its characters are those of the
// cells the part crosses and one more on each side, for a glyph that reaches into the next
// cell, so that the pixels are those of the whole run.
void DrawRuns(const TPaintInput& in, TEditorCanvas& canvas, const TRect& row, std::string_view visible,
              int line, const TSelectionView& sel, const TRowColors& colors) {
  const int shift = LeftLineEnabled(in) ? kLeftLineTextShift : 0;
  const int tr = row.Right;
  const int textY = row.Top + 1;
  const int cw = std::max(1, in.CharWidth);
  // [left, right) on the unshifted grid.
  auto run = [&](int left, int right, std::string_view text, TColor fore, TColor back) {
    const int boxLeft = left == row.Left ? row.Left : left + shift;
    const int boxRight = right == tr ? tr + shift : right + shift;
    const int paintLeft = std::max(boxLeft, in.ClipRect.Left);
    const int paintRight = std::min(boxRight, in.ClipRect.Right);
    if (paintLeft >= paintRight) return;
    const int origin = left + shift;
    const int n = static_cast<int>(text.size());
    const int first = std::clamp(FloorDiv(paintLeft - origin, cw) - 1, 0, n);
    const int last = std::clamp(FloorDiv(paintRight - 1 - origin, cw) + 2, first, n);
    canvas.TextOutClipped(
        {paintLeft, row.Top, paintRight, row.Bottom}, origin + first * cw, textY,
        text.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first)), fore, back);
  };

  const int k = static_cast<int>(visible.size());
  if (k == 0) {
    run(row.Left, tr, {}, colors.NormalText, colors.NormalBack);
    return;
  }
  const TRunSplit split = SplitRuns(line, in.LeftColumn + 1, k, sel.HBLine, sel.HBCol, sel.HELine, sel.HECol);
  const int d = split.Before;
  const int m = split.Selected;
  int x = row.Left;
  if (d > 0) {
    const int right = d == k ? tr : x + d * in.CharWidth;
    run(x, right, visible.substr(0, d), colors.NormalText, colors.NormalBack);
    x = right;
  }
  if (m > 0) {
    const int right = std::min(tr, x + m * in.CharWidth);
    run(x, right, visible.substr(d, m), in.HighlightTextColor, in.HighlightBackColor);
    x = right;
  }
  if (x < tr) run(x, tr, visible.substr(std::min(k, d + m)), colors.NormalText, colors.NormalBack);
}

void DrawRow(const TPaintInput& in, TEditorCanvas& canvas, int row, const TSelectionView& sel,
             const TRowColors& colors) {
  const TRect rect = RowRect(in, row);
  const int line = in.TopLine + row - 1;
  bool wasDrawn = false;

  if (line < 1 || line > in.LineCount || !in.LineText) {
    if (in.OnDrawLine)
      in.OnDrawLine(canvas, rect, {}, line, in.LeftColumn, in.VisibleColumns, sel.HBLine, sel.HBCol,
                    sel.HELine, sel.HECol, wasDrawn);
    if (!wasDrawn) canvas.FillRect(rect, colors.NormalBack);
  } else {
    std::string_view text = in.LineText(line);
    std::string expanded;  // only lines holding a tab are copied
    if (HasTab(text)) {
      expanded = ExpandTabs(text, in.TabSize);
      text = expanded;
    }
    const int n = static_cast<int>(text.size());
    std::string_view visible;
    if (in.LeftColumn < n)
      visible = text.substr(in.LeftColumn, std::min(n - in.LeftColumn, in.VisibleColumns));

    if (in.OnDrawLine)
      in.OnDrawLine(canvas, rect, visible.empty() ? std::string_view() : text, line, in.LeftColumn,
                    in.VisibleColumns, sel.HBLine, sel.HBCol, sel.HELine, sel.HECol, wasDrawn);
    if (!wasDrawn) DrawRuns(in, canvas, rect, visible, line, sel, colors);
  }

  if (in.ShowRules)
    canvas.Line(in.ClientRect.Left, rect.Bottom, rect.Right + in.RightMargin, rect.Bottom, in.RuleColor, 1,
                TPenStyle::psSolid);
}

void DrawMarginLines(const TPaintInput& in, TEditorCanvas& canvas) {
  if (!in.Margins) return;
  const TRect& r = in.ClientRect;
  const TEditorMargin& left = in.Margins->Left();
  if (left.Enabled())
    canvas.Line(left.LinePosition(), r.Top, left.LinePosition(), r.Bottom, left.LineColor(),
                left.LineWeight(), left.LineStyle());
  const TEditorMargin& right = in.Margins->Right();
  if (right.Enabled()) {
    const int x = r.Right - right.LinePosition();
    canvas.Line(x, r.Top, x, r.Bottom, right.LineColor(), right.LineWeight(), right.LineStyle());
  }
}

void DrawBorders(const TPaintInput& in, TEditorCanvas& canvas) {
  if (!in.Borders) return;
  const TRect& r = in.ClientRect;
  auto pen = [&](const TBorder& b, int x1, int y1, int x2, int y2) {
    canvas.Line(x1, y1, x2, y2, b.PenColor(), b.PenWidth(), b.PenStyle());
  };
  const TBorder& left = in.Borders->LeftBorder();
  if (left.Enabled()) {
    const int x = r.Left + left.PenWidth() / 2;
    pen(left, x, r.Top, x, r.Bottom - left.PenWidth());
  }
  const TBorder& right = in.Borders->RightBorder();
  if (right.Enabled()) {
    const int x = r.Right - right.PenWidth() / 2;
    pen(right, x, r.Top, x, r.Bottom - right.PenWidth());
  }
  const TBorder& top = in.Borders->TopBorder();
  if (top.Enabled()) {
    const int y = r.Top + top.PenWidth() / 2;
    pen(top, r.Left, y, r.Right, y);
  }
  const TBorder& bottom = in.Borders->BottomBorder();
  if (bottom.Enabled()) {
    const int y = r.Bottom - bottom.PenWidth() / 2;
    pen(bottom, r.Left, y, r.Right, y);
  }
}

// Fills the part of `rect` inside the clip box.
void FillIfAny(const TPaintInput& in, TEditorCanvas& canvas, const TRect& rect, TColor color) {
  const TRect part = IntersectRect(rect, in.ClipRect);
  if (!part.IsEmpty()) canvas.FillRect(part, color);
}

}  // namespace

void PaintEditor(const TPaintInput& in, TEditorCanvas& canvas) {
  const TRect& r = in.ClientRect;
  const TRect& clip = in.ClipRect;
  const int lh = std::max(1, in.LineHeight);

  // 1. Text area bounds.
  const int tl = r.Left + in.LeftMargin;
  const int tr = tl + in.VisibleColumns * in.CharWidth;

  // 2. The band below the last full row.
  const int rowsBottom = r.Top + in.VisibleLines * lh;
  if (rowsBottom < r.Bottom) FillIfAny(in, canvas, {r.Left, rowsBottom, r.Right, r.Bottom}, in.Color);

  // 3. Colours.
  const TRowColors colors{in.Enabled ? in.FontColor : clGrayText, in.Color};

  // 4. Rows touched by the clip box.
  const int firstRow = clip.Top / lh + 1;
  const int lastRow = (clip.Bottom + lh - 1) / lh;

  // 5. The selection as displayed.
  const TSelectionView sel = ComputeSelectionView(in);

  // 6. Left and right of the text area.
  FillIfAny(in, canvas, {r.Left, clip.Top, tl, clip.Bottom}, in.Color);
  FillIfAny(in, canvas, {tr, clip.Top, r.Right, clip.Bottom}, in.Color);

  // 7-8. The left margin, its marker glyphs and the line numbers of the rows in the clip box.
  if (clip.Left < in.LeftMargin) {
    for (int row = firstRow; row <= lastRow + 1; ++row) {
      const int top = (row - 1) * lh;
      FillIfAny(in, canvas, {0, top, in.LeftMargin, std::min(top + lh, r.Bottom)}, in.MarginColor);
    }
    const int w = kMarkerGlyphWidth;
    const int h = kMarkerGlyphStripHeight;
    if (in.ShowBookmarks && in.MarkerAt && w > 0 && in.LeftMargin >= w) {
      for (int row = 1; row <= in.VisibleLines; ++row) {
        int y = (row - 1) * lh;
        if (lh >= h + 2) y += (lh - h) / 2;
        if (IntersectRect({1, y, 1 + w, y + h}, clip).IsEmpty()) continue;
        const int line = in.TopLine + row - 1;
        if (line < 1 || line > in.LineCount) continue;
        const int marker = in.MarkerAt(line);
        if (marker < 0 || marker > 9) continue;
        canvas.DrawMarkerGlyph(marker, 1, y);
      }
    }
    if (in.ShowLineNumbers) {
      const int x = in.LeftMargin - in.LineNumberWidth - 5;
      for (int row = std::max(1, firstRow); row <= std::min(in.VisibleLines, lastRow); ++row)
        // One pixel down, like the rows' text, so that a number stands on its line's baseline.
        canvas.TextOut(x, (row - 1) * lh + 1, std::to_string(in.TopLine + row - 1), in.FontColor,
                       in.MarginColor);
    }
  }

  // 9-10. The rows.
  for (int row = std::max(1, firstRow); row <= std::min(in.VisibleLines, lastRow); ++row)
    DrawRow(in, canvas, row, sel, colors);

  // 11. Margin lines.
  DrawMarginLines(in, canvas);

  // 12-13 belong to the control.
  if (in.AfterContent) in.AfterContent();

  // 14. Borders.
  DrawBorders(in, canvas);
}

}  // namespace quilmo
