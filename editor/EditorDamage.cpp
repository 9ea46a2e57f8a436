// The invalidation rules of the editor's window.

#include "editor/EditorDamage.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editor/EditorPainter.h"
#include "engine/ParaList.h"
#include "engine/ParaNode.h"

namespace quilmo {

void TEditorDamage::All() {
  fullPending_ = true;
  Host().Invalidate();
}

void TEditorDamage::Lines(std::int32_t first, std::int32_t last) {
  const TViewport& view = src_.View;
  // Rows from the top line down to the client's bottom (a partial row may show below
  // the last counted one); `last` = kMaxInt32 reaches the bottom.
  const std::int32_t lastRowLine = view.TopLine + view.VisibleLines - 1;
  if (last < view.TopLine || first > lastRowLine + 1) return;
  if (fullPending_) {
    Host().Invalidate();
    return;
  }
  const int top = (std::max(first, view.TopLine) - view.TopLine) * view.LineHeight;
  const int bottom =
      last >= lastRowLine ? Host().ClientHeight() : (last - view.TopLine + 1) * view.LineHeight;
  if (bottom <= top) return;
  Host().InvalidateRect(TRect{0, top, Host().ClientWidth(), bottom});
}

bool TEditorDamage::TypedCells(const TTextEdit& edit) {
  const TViewport& view = src_.View;
  if (typedFrom_.Para != edit.Para || fullPending_) return false;
  if (edit.Kind != TEditKind::CharsInserted && edit.Kind != TEditKind::CharsDeleted) return false;
  const std::int32_t line = Text().RepaintFirst();
  if (Text().RepaintLast() != line) return false;
  std::int32_t typedLine = 0;
  std::int32_t column = 0;
  Text().PosToLine(typedFrom_.Para, typedFrom_.Pos, typedLine, column);
  if (typedLine != line) return false;
  if (line < view.TopLine || line > view.TopLine + view.VisibleLines) return true;
  std::int32_t length = 0;
  const char* text = Text().GetLine(line, length);
  // The cell before the typed one too: its glyph may reach into the changed cell.
  const std::string_view shown(text, static_cast<std::size_t>(length));
  const std::int32_t cell = quilmo::ScreenColumn(shown, column, Text().TabSize()) - 2 - view.LeftColumn;
  if (cell >= view.VisibleColumns) return true;
  const int top = (line - view.TopLine) * view.LineHeight;
  Host().InvalidateRect(TRect{src_.Margins.Left().LinePosition() + std::max(0, cell) * view.CharWidth, top,
                              Host().ClientWidth(), top + view.LineHeight});
  return true;
}

void TEditorDamage::FixedPixels(const TRect& area, const TRect& margin, int dx, int dy) {
  const TViewport& view = src_.View;
  const TRect client{0, 0, Host().ClientWidth(), Host().ClientHeight()};
  auto invalidate = [this, &client](const TRect& r) {
    const TRect part = IntersectRect(r, client);
    if (!part.IsEmpty()) Host().InvalidateRect(part);
  };
  // Where a line is drawn and where the move took its pixels.
  auto atBothPlaces = [&](const TRect& r) {
    invalidate(r);
    const TRect moved{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
    invalidate(IntersectRect(moved, area));
    invalidate(IntersectRect(TRect{r.Left, moved.Top, r.Right, moved.Bottom}, margin));
  };
  const TEditorMargin& left = src_.Margins.Left();
  if (left.Enabled()) {
    const int x = left.LinePosition();
    const int w = left.LineWeight();
    atBothPlaces(TRect{x - w - 1, 0, x + w + 2, client.Bottom});
    // The text sits further right beside this line: the strips at both ends of the rows
    // show parts of the first and last cells, which the move does not carry.
    atBothPlaces(TRect{area.Left, area.Top, area.Left + kLeftLineTextShift, area.Bottom});
    invalidate(TRect{area.Right, area.Top, area.Right + kLeftLineTextShift, area.Bottom});
  }
  if (dx != 0) OverhangCells(area, dx / view.CharWidth);
  const TEditorMargin& right = src_.Margins.Right();
  if (right.Enabled()) {
    const int x = client.Right - right.LinePosition();
    const int w = right.LineWeight();
    atBothPlaces(TRect{x - w - 1, 0, x + w + 2, client.Bottom});
  }
  if (!src_.Borders.AnyEnabled()) return;
  if (src_.Borders.LeftBorder().Enabled())
    atBothPlaces(TRect{0, 0, src_.Borders.LeftBorder().PenWidth() + 2, client.Bottom});
  if (src_.Borders.RightBorder().Enabled())
    atBothPlaces(
        TRect{client.Right - src_.Borders.RightBorder().PenWidth() - 2, 0, client.Right, client.Bottom});
  if (src_.Borders.TopBorder().Enabled())
    atBothPlaces(TRect{0, 0, client.Right, src_.Borders.TopBorder().PenWidth() + 2});
  if (src_.Borders.BottomBorder().Enabled())
    atBothPlaces(
        TRect{0, client.Bottom - src_.Borders.BottomBorder().PenWidth() - 2, client.Right, client.Bottom});
}

void TEditorDamage::OverhangCells(const TRect& area, int columns) {
  const TViewport& view = src_.View;
  // A glyph may put ink into its neighbour cells, and the move carries that ink with its cell.
  // Where a neighbour went out of view (at one end of the rows) or came into view (beside the
  // uncovered strip), the cell is painted again, on the rows where that neighbour's glyph
  // reaches across.
  const std::int32_t left = view.LeftColumn;
  const std::int32_t visible = view.VisibleColumns;
  const int moved = std::abs(columns);
  struct TCellRule {
    int Cell;                 // on screen, 0-based
    std::int32_t Neighbour;   // text column of the neighbour, 0-based
    TGlyphOverhang Reaching;  // the side its ink must reach to matter
  };
  const TCellRule rules[2] = {
      columns < 0 ? TCellRule{0, left - 1, goRight} : TCellRule{visible - 1, left + visible, goLeft},
      columns < 0 ? TCellRule{visible - moved - 1, left + visible - moved, goLeft}
                  : TCellRule{moved, left + moved - 1, goRight}};
  const int shift = src_.Margins.Left().Enabled() ? kLeftLineTextShift : 0;
  const std::int32_t lastLine = std::min(Text().LineCount(), view.TopLine + view.VisibleLines - 1);
  std::string expanded;
  for (const TCellRule& rule : rules) {
    if (rule.Cell < 0 || rule.Cell >= visible || rule.Neighbour < 0) continue;
    // Rows in a run are invalidated as one rectangle.
    int runTop = -1;
    auto flush = [&](int bottom) {
      if (runTop < 0) return;
      const int x = area.Left + rule.Cell * view.CharWidth;
      Host().InvalidateRect(IntersectRect(TRect{x, runTop, x + view.CharWidth + shift, bottom},
                                          TRect{area.Left, area.Top, area.Right + shift, area.Bottom}));
      runTop = -1;
    };
    for (std::int32_t line = view.TopLine; line <= lastLine + 1; ++line) {
      const int top = (line - view.TopLine) * view.LineHeight;
      bool reaches = false;
      if (line <= lastLine) {
        std::int32_t length = 0;
        const char* chars = Text().GetLine(line, length);
        std::string_view text(chars, static_cast<std::size_t>(length));
        if (HasTab(text)) {
          expanded = ExpandTabs(text, Text().TabSize());
          text = expanded;
        }
        if (static_cast<std::size_t>(rule.Neighbour) < text.size())
          reaches =
              (Host().GlyphOverhang(src_.Font.Desc(), static_cast<unsigned char>(text[rule.Neighbour])) &
               rule.Reaching) != 0;
      }
      if (reaches && runTop < 0) runTop = top;
      if (!reaches) flush(top);
    }
  }
}

}  // namespace quilmo
