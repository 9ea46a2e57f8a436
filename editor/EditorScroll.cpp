// Scrolling the view, the two scroll bars, the wheel, the layout and the paint.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "editor/CustomEditor.h"
#include "editor/EditorPainter.h"
#include "engine/EditorErrors.h"

namespace quilmo {

// ---------------------------------------------------------------- invalidation

void TCustomEditor::InvalidateAll() {
  FFullRepaintPending = true;
  FHost->Invalidate();
}

void TCustomEditor::InvalidateLines(std::int32_t first, std::int32_t last) {
  // Rows from the top line down to the client's bottom (a partial row may show below
  // the last counted one); `last` = kMaxInt32 reaches the bottom.
  const std::int32_t lastRowLine = FTopLine + FVisibleLines - 1;
  if (last < FTopLine || first > lastRowLine + 1) return;
  if (FFullRepaintPending) {
    FHost->Invalidate();
    return;
  }
  const int top = (std::max(first, FTopLine) - FTopLine) * FLineHeight;
  const int bottom = last >= lastRowLine ? FHost->ClientHeight() : (last - FTopLine + 1) * FLineHeight;
  if (bottom <= top) return;
  FLinesInvalid = true;
  FHost->InvalidateRect(TRect{0, top, FHost->ClientWidth(), bottom});
}

void TCustomEditor::PaintNow() {
  if (!FRedrawSuspended) FHost->Update();
}

// ---------------------------------------------------------------- top line

void TCustomEditor::UpdateTopPara() {
  std::int32_t para = 1;
  std::int32_t offset = 0;
  FParaList->LineToPara(FTopLine, para, offset);
  FTopPara = {para, offset};
}

void TCustomEditor::SetTopLineQuiet(std::int32_t line) {
  if (line == FTopLine) return;
  FTopLine = line;
  UpdateTopPara();
  FVThumbPending = true;
  DoTopLineChanged(line);
}

void TCustomEditor::SetTopLine(std::int32_t line) {
  if (line < 1 || line > LineCount()) throw EInvalidLineOrPara();
  if (line != FTopLine) ScrollView(0, line - FTopLine);
}

void TCustomEditor::ScrollView(std::int32_t columns, std::int32_t lines) {
  const std::int32_t oldLeft = FLeftColumn;
  const std::int32_t oldTop = FTopLine;
  FLeftColumn = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(static_cast<std::int64_t>(FLeftColumn) + columns, 0, INT32_MAX));
  const std::int32_t maxTop = std::max(1, LineCount() - FVisibleLines + 1);
  FTopLine = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(static_cast<std::int64_t>(FTopLine) + lines, 1, maxTop));
  // The top paragraph first: line numbers of another width change the margin, which may wrap
  // the text anew to the window, and the new top is then found again from it.
  if (FTopLine != oldTop) UpdateTopPara();
  UpdateLineNumberWidth();
  const bool topChanged = FTopLine != oldTop;
  const bool leftChanged = FLeftColumn != oldLeft;
  if (!topChanged && !leftChanged) {
    PlaceCaret();
    return;
  }
  if (topChanged) {
    UpdateTopPara();
    SendVScrollThumb();
  }
  if (leftChanged) SendHScrollThumb();

  bool wholePaint = false;  // everything invalidated and painted at once
  bool movedWhole = false;  // rows moved, the uncovered ones painted at once
  const std::uint32_t paintsBefore = FPaintCount;
  try {
    const TRect area{LeftMargin(), 0, LeftMargin() + FVisibleColumns * FCharWidth,
                     FVisibleLines * FLineHeight};
    const int dx = (oldLeft - FLeftColumn) * FCharWidth;
    const int dy = (oldTop - FTopLine) * FLineHeight;
    // Rows left invalid are not moved with the pixels: everything is painted afresh then.
    if (FFullRepaintPending || FRedrawSuspended) {
      PaintNow();
      wholePaint = true;
    } else if (FLinesInvalid || std::abs(dx) >= area.Width() || std::abs(dy) >= area.Height() ||
               (dx != 0 && dy != 0)) {
      InvalidateAll();
      PaintNow();
      wholePaint = true;
    } else {
      FHost->ScrollRect(area, dx, dy);
      // The margin's glyphs and line numbers move with their rows. (Numbers left in place
      // and redrawn would leave the last digit of a longer number beside a shorter one.)
      if ((FShowBookmarks || FShowLineNumbers) && dy != 0)
        FHost->ScrollRect(TRect{0, 0, LeftMargin(), area.Bottom}, 0, dy);
      PaintNow();
      // Outside the moved rows the control shows only what does not depend on the rows,
      // unless margin lines (dashes would shift) or borders cross the moved pixels.
      movedWhole = dx == 0 && !FMarginOptions.Left().Enabled() && !FMarginOptions.Right().Enabled() &&
                   !FBorders.AnyEnabled();
    }
    PlaceCaret();
  } catch (...) {
    if (topChanged) DoTopLineChanged(FTopLine);
    throw;
  }
  // The paint above covered the whole control unless it could not take place (hidden
  // window, drawing suspended): only then is everything invalidated once more.
  const bool painted = (wholePaint && !FRedrawSuspended && !FFullRepaintPending) ||
                       (movedWhole && FPaintCount != paintsBefore && !FLinesInvalid);
  if (topChanged) DoTopLineChanged(FTopLine);
  if (!painted) InvalidateAll();
}

// ---------------------------------------------------------------- scroll bars

namespace {
bool HasHorzBar(TScrollStyle style) {
  return style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth;
}
bool HasVertBar(TScrollStyle style) {
  return style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth;
}
}  // namespace

void TCustomEditor::SendVScrollRange() {
  FVRangePending = false;
  const std::int32_t lineCount = LineCount();
  const std::int32_t n = std::max(0, lineCount - FVisibleLines + 1);
  FVScrollDivisor = n > 32767 ? 2 * (n / 32768) : 1;
  FVScrollMax = n / FVScrollDivisor;
  if (FVScrollMax <= 1 && FScrollBarsAlways) FVScrollMax = 2;
  if (!FWindowCreated || !HasVertBar(FScrollBars)) return;
  FHost->SetScrollBar(
      TScrollBarKind::sbVertical,
      TScrollBarInfo{1, lineCount / FVScrollDivisor, FVisibleLines, FTopLine / FVScrollDivisor, true});
}

void TCustomEditor::SendVScrollThumb() {
  FVThumbPending = false;
  if (!FWindowCreated || !HasVertBar(FScrollBars)) return;
  FHost->SetScrollPos(TScrollBarKind::sbVertical, FTopLine / FVScrollDivisor);
}

void TCustomEditor::SendHScrollRange() {
  const bool scrollable = HScrollable();
  if (!FWindowCreated || !HasHorzBar(FScrollBars)) return;
  const int max = scrollable ? FHScrollRange : 0;
  FHost->SetScrollBar(TScrollBarKind::sbHorizontal, TScrollBarInfo{0, max, 0, FLeftColumn, false});
}

bool TCustomEditor::HScrollable() {
  FHScrollRange = std::min(WordWrap() ? WrapColumn() : ParaLengthLimit(), 512);
  if (FHScrollRange <= 0 && FScrollBarsAlways) FHScrollRange = 1;
  return FVisibleColumns < FHScrollRange || FScrollBarsAlways;
}

void TCustomEditor::SendHScrollThumb() {
  FHThumbPending = false;
  if (!FWindowCreated || !HasHorzBar(FScrollBars)) return;
  FHost->SetScrollPos(TScrollBarKind::sbHorizontal, FLeftColumn);
}

void TCustomEditor::MarkScrollBarsPending() {
  FVRangePending = FVThumbPending = FHThumbPending = true;
}

void TCustomEditor::VScroll(TScrollCode code, int pos) {
  switch (code) {
    case TScrollCode::scLineUp: ScrollView(0, -1); break;
    case TScrollCode::scLineDown: ScrollView(0, 1); break;
    case TScrollCode::scPageUp: ScrollView(0, -FVisibleLines); break;
    case TScrollCode::scPageDown: ScrollView(0, FVisibleLines); break;
    case TScrollCode::scThumbPosition:
    case TScrollCode::scThumbTrack: {
      std::int64_t line;
      if (pos == 1)
        line = 1;
      else if (pos == FVScrollMax)
        line = LineCount() - 1 > FVisibleLines ? FVScrollMax : 1;
      else
        line = static_cast<std::int64_t>(pos) * FVScrollDivisor;
      line = std::max<std::int64_t>(1, std::min<std::int64_t>(line, LineCount() - 1));
      SetTopLine(static_cast<std::int32_t>(line));
      break;
    }
    default: break;
  }
}

void TCustomEditor::HScroll(TScrollCode code, int pos) {
  switch (code) {
    case TScrollCode::scLineUp: ScrollView(-1, 0); break;
    case TScrollCode::scLineDown: ScrollView(1, 0); break;
    case TScrollCode::scPageUp: ScrollView(-(FVisibleColumns - 1), 0); break;
    case TScrollCode::scPageDown: ScrollView(FVisibleColumns - 1, 0); break;
    case TScrollCode::scThumbPosition:
    case TScrollCode::scThumbTrack:
      if (pos != FLeftColumn) {
        FLeftColumn = std::max(0, pos);
        SendHScrollThumb();
        InvalidateAll();
        PaintNow();
        PlaceCaret();
      }
      break;
    default: break;
  }
}

void TCustomEditor::MouseWheel(std::uint8_t shift, int delta, int x, int y) {
  if (OnMouseWheel) OnMouseWheel(*this, shift, delta, x, y);
  ProcessCommand(delta < 0 ? ccScrollDown : ccScrollUp, 0);
}

// ---------------------------------------------------------------- layout

void TCustomEditor::UpdateLayout() {
  const TFontMetrics metrics = FHost->FontMetrics(FFixedFont.Desc());
  FCharWidth = std::max(1, metrics.AveCharWidth);
  FLineHeight = EditorLineHeight(std::max(1, metrics.Height + metrics.ExternalLeading + 1), FShowRules);
  // The caret fills the new cell (the rules change the row height without a new font).
  if (FCarets.Linked()) FitCaret();
  FInLayout = true;
  // A scroll bar appearing or disappearing changes the client area: repeat until stable.
  for (int turn = 0; turn < 8; ++turn) {
    bool changed = false;
    const int width = FHost->ClientWidth();
    const std::int32_t columns = std::max(1, (width - LeftMargin() - RightMargin()) / FCharWidth);
    if (columns != FVisibleColumns) {
      FVisibleColumns = columns;
      changed = true;
      if (width > 0) {
        // Without a range there is no bar to scroll back with: show the first column.
        if (!HScrollable()) FLeftColumn = 0;
        SendHScrollRange();
        SendHScrollThumb();
      }
    }
    const int height = FHost->ClientHeight();
    std::int32_t lines =
        std::max(1, static_cast<std::int32_t>(std::trunc(static_cast<double>(height) / FLineHeight - 1)));
    if (height % FLineHeight > static_cast<int>(std::trunc(FLineHeight * 0.25))) ++lines;
    if (lines != FVisibleLines) {
      FVisibleLines = lines;
      changed = true;
      if (height > 0) {
        SendVScrollRange();
        SendVScrollThumb();
      }
    }
    if (!changed) break;
  }
  FInLayout = false;
  InvalidateAll();
  if (FWrapToWindow && WordWrap() && !FFollowingRewrap) SetWrapColumn(FVisibleColumns - 2);
}

void TCustomEditor::Resize() {
  if (!FWindowCreated || FInLayout) return;
  const bool moreLinesThanRows = LineCount() > FVisibleLines;
  UpdateLayout();
  if (moreLinesThanRows && FVisibleLines >= LineCount() && FTopLine != 1) ScrollView(0, 1 - FTopLine);
}

void TCustomEditor::RefreshLayout(bool update) {
  SendVScrollRange();
  SendVScrollThumb();
  SendHScrollRange();
  SendHScrollThumb();
  UpdateLayout();
  InvalidateAll();
  if (update) PaintNow();
}

std::int32_t TCustomEditor::VisibleColumns() {
  return FVisibleColumns;
}

// ---------------------------------------------------------------- paint

void TCustomEditor::Paint(TEditorCanvas& canvas, const TRect& clip) {
  TPaintInput in;
  in.ClientRect = TRect{0, 0, FHost->ClientWidth(), FHost->ClientHeight()};
  in.ClipRect = clip;
  in.LeftMargin = LeftMargin();
  in.RightMargin = RightMargin();
  in.Margins = &FMarginOptions;
  in.Borders = &FBorders;
  in.VisibleLines = FVisibleLines;
  in.VisibleColumns = FVisibleColumns;
  in.CharWidth = FCharWidth;
  in.LineHeight = FLineHeight;
  in.TopLine = FTopLine;
  in.LeftColumn = FLeftColumn;
  in.LineCount = LineCount();
  in.TabSize = TabSize();
  in.LineText = [this](int line) {
    std::int32_t length = 0;
    const char* text = FParaList->GetLine(line, length);
    return std::string_view(text, static_cast<std::size_t>(length));
  };
  in.SelStart = {FSelStartLine, FSelStartCol};
  in.SelEnd = {FSelEndLine, FSelEndCol};
  if (!HasSelection()) in.SelEnd = in.SelStart;
  in.Enabled = FHost->Enabled();
  in.Focused = FHost->Focused();
  in.HideSelection = FHideSelection;
  in.ShowRules = FShowRules;
  in.ShowLineNumbers = FShowLineNumbers;
  in.ShowBookmarks = FShowBookmarks;
  in.LineNumberWidth = FLineNumberWidth;
  in.Color = FColor;
  in.MarginColor = FMarginColor;
  in.RuleColor = FRuleColor;
  in.FontColor = FFixedFont.Color();
  in.HighlightTextColor = FHighlightColors.TextColor();
  in.HighlightBackColor = FHighlightColors.BackColor();

  // The line of each marker, found once for the whole paint.
  std::int32_t markerLines[10];
  for (int n = 0; n < 10; ++n) {
    markerLines[n] = -1;
    const TMarker& marker = FParaList->Marker(n);
    if (marker.Para == 0 || marker.Pos == 0 || marker.Para > ParaCount()) continue;
    std::int32_t column = 0;
    FParaList->PosToLine(marker.Para, marker.Pos, markerLines[n], column);
  }
  in.MarkerAt = [&markerLines](int line) {
    for (int n = 0; n < 10; ++n)
      if (markerLines[n] == line) return n;
    return -1;
  };
  in.OnDrawLine = [this](TEditorCanvas& c, const TRect& rect, std::string_view s, int line, int pos,
                         int count, int hbLine, int hbCol, int heLine, int heCol, bool& wasDrawn) {
    // Like the text the row shows, the string runs to the end of its storage: for a line
    // without tabs that is the end of the paragraph.
    const char* text = s.empty() ? "" : s.data();
    wasDrawn = DrawLine(c, rect, text, static_cast<int>(std::strlen(text)), line, pos, count, hbLine, hbCol,
                        heLine, heCol);
  };
  in.AfterContent = [this] {
    FFullRepaintPending = false;
    FLinesInvalid = false;
    ++FPaintCount;
    if (FVRangePending) SendVScrollRange();
    if (FVThumbPending) SendVScrollThumb();
    if (FHThumbPending) SendHScrollThumb();
    PlaceCaret();
  };
  PaintEditor(in, canvas);
}

}  // namespace quilmo
