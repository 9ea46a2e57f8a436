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
  const std::int32_t lastRowLine = FView.TopLine + FView.VisibleLines - 1;
  if (last < FView.TopLine || first > lastRowLine + 1) return;
  if (FFullRepaintPending) {
    FHost->Invalidate();
    return;
  }
  const int top = (std::max(first, FView.TopLine) - FView.TopLine) * FLineHeight;
  const int bottom = last >= lastRowLine ? FHost->ClientHeight() : (last - FView.TopLine + 1) * FLineHeight;
  if (bottom <= top) return;
  FHost->InvalidateRect(TRect{0, top, FHost->ClientWidth(), bottom});
}

bool TCustomEditor::InvalidateTypedCells(const TTextEdit& edit) {
  if (FTypedFrom.Para != edit.Para || FFullRepaintPending) return false;
  if (edit.Kind != TEditKind::CharsInserted && edit.Kind != TEditKind::CharsDeleted) return false;
  const std::int32_t line = FParaList->RepaintFirst();
  if (FParaList->RepaintLast() != line) return false;
  std::int32_t typedLine = 0;
  std::int32_t column = 0;
  FParaList->PosToLine(FTypedFrom.Para, FTypedFrom.Pos, typedLine, column);
  if (typedLine != line) return false;
  if (line < FView.TopLine || line > FView.TopLine + FView.VisibleLines) return true;
  std::int32_t length = 0;
  const char* text = FParaList->GetLine(line, length);
  // The cell before the typed one too: its glyph may reach into the changed cell.
  const std::string_view shown(text, static_cast<std::size_t>(length));
  const std::int32_t cell = quilmo::ScreenColumn(shown, column, TabSize()) - 2 - FView.LeftColumn;
  if (cell >= FView.VisibleColumns) return true;
  const int top = (line - FView.TopLine) * FLineHeight;
  FHost->InvalidateRect(
      TRect{LeftMargin() + std::max(0, cell) * FCharWidth, top, FHost->ClientWidth(), top + FLineHeight});
  return true;
}

void TCustomEditor::PaintNow() {
  if (!FRedrawSuspended) FHost->Update();
}

// ---------------------------------------------------------------- top line

void TCustomEditor::UpdateTopPara() {
  std::int32_t para = 1;
  std::int32_t offset = 0;
  FParaList->LineToPara(FView.TopLine, para, offset);
  FView.TopPara = {para, offset};
}

void TCustomEditor::SetTopLineQuiet(std::int32_t line) {
  if (line == FView.TopLine) return;
  FView.TopLine = line;
  UpdateTopPara();
  FVThumbPending = true;
  DoTopLineChanged(line);
}

void TCustomEditor::SetTopLine(std::int32_t line) {
  if (line < 1 || line > LineCount()) throw EInvalidLineOrPara();
  if (line != FView.TopLine) ScrollView(0, line - FView.TopLine);
}

void TCustomEditor::ScrollView(std::int32_t columns, std::int32_t lines) {
  const std::int32_t oldLeft = FView.LeftColumn;
  const std::int32_t oldTop = FView.TopLine;
  FView.LeftColumn = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(static_cast<std::int64_t>(FView.LeftColumn) + columns, 0, INT32_MAX));
  const std::int32_t maxTop = std::max(1, LineCount() - FView.VisibleLines + 1);
  FView.TopLine = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(static_cast<std::int64_t>(FView.TopLine) + lines, 1, maxTop));
  // The top paragraph first: line numbers of another width change the margin, which may wrap
  // the text anew to the window, and the new top is then found again from it.
  if (FView.TopLine != oldTop) UpdateTopPara();
  UpdateLineNumberWidth();
  const bool topChanged = FView.TopLine != oldTop;
  const bool leftChanged = FView.LeftColumn != oldLeft;
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
  bool moved = false;       // pixels moved, what they could not carry painted at once
  const std::uint32_t paintsBefore = FPaintCount;
  try {
    const TRect area{LeftMargin(), 0, LeftMargin() + FView.VisibleColumns * FCharWidth,
                     FView.VisibleLines * FLineHeight};
    const int dx = (oldLeft - FView.LeftColumn) * FCharWidth;
    const int dy = (oldTop - FView.TopLine) * FLineHeight;
    if (FFullRepaintPending || FRedrawSuspended) {
      PaintNow();
      wholePaint = true;
    } else if (std::abs(dx) >= area.Width() || std::abs(dy) >= area.Height() || (dx != 0 && dy != 0)) {
      InvalidateAll();
      PaintNow();
      wholePaint = true;
    } else {
      // Rows still invalid (the line just typed in) move with their pixels and are painted
      // where they land, with the strip the move uncovered.
      FHost->ScrollRect(area, dx, dy);
      // The margin's glyphs and line numbers move with their rows. (Numbers left in place
      // and redrawn would leave the last digit of a longer number beside a shorter one.)
      TRect margin{};
      if ((FShowBookmarks || FShowLineNumbers) && dy != 0) {
        margin = TRect{0, 0, LeftMargin(), area.Bottom};
        FHost->ScrollRect(margin, 0, dy);
      }
      InvalidateFixedPixels(area, margin, dx, dy);
      PaintNow();
      moved = true;
    }
    PlaceCaret();
  } catch (...) {
    if (topChanged) DoTopLineChanged(FView.TopLine);
    throw;
  }
  // The paint above covered the whole control unless it could not take place (hidden
  // window, drawing suspended): only then is everything invalidated once more.
  const bool painted = (wholePaint && !FRedrawSuspended && !FFullRepaintPending) ||
                       (moved && FPaintCount != paintsBefore && !FFullRepaintPending);
  if (topChanged) DoTopLineChanged(FView.TopLine);
  if (!painted) InvalidateAll();
}

void TCustomEditor::InvalidateFixedPixels(const TRect& area, const TRect& margin, int dx, int dy) {
  const TRect client{0, 0, FHost->ClientWidth(), FHost->ClientHeight()};
  auto invalidate = [this, &client](const TRect& r) {
    const TRect part = IntersectRect(r, client);
    if (!part.IsEmpty()) FHost->InvalidateRect(part);
  };
  // Where a line is drawn and where the move took its pixels.
  auto atBothPlaces = [&](const TRect& r) {
    invalidate(r);
    const TRect moved{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
    invalidate(IntersectRect(moved, area));
    invalidate(IntersectRect(TRect{r.Left, moved.Top, r.Right, moved.Bottom}, margin));
  };
  const TEditorMargin& left = FMarginOptions.Left();
  if (left.Enabled()) {
    const int x = left.LinePosition();
    const int w = left.LineWeight();
    atBothPlaces(TRect{x - w - 1, 0, x + w + 2, client.Bottom});
    // The text sits further right beside this line: the strips at both ends of the rows
    // show parts of the first and last cells, which the move does not carry.
    atBothPlaces(TRect{area.Left, area.Top, area.Left + kLeftLineTextShift, area.Bottom});
    invalidate(TRect{area.Right, area.Top, area.Right + kLeftLineTextShift, area.Bottom});
  }
  if (dx != 0) InvalidateOverhangCells(area, dx / FCharWidth);
  const TEditorMargin& right = FMarginOptions.Right();
  if (right.Enabled()) {
    const int x = client.Right - right.LinePosition();
    const int w = right.LineWeight();
    atBothPlaces(TRect{x - w - 1, 0, x + w + 2, client.Bottom});
  }
  if (!FBorders.AnyEnabled()) return;
  if (FBorders.LeftBorder().Enabled())
    atBothPlaces(TRect{0, 0, FBorders.LeftBorder().PenWidth() + 2, client.Bottom});
  if (FBorders.RightBorder().Enabled())
    atBothPlaces(TRect{client.Right - FBorders.RightBorder().PenWidth() - 2, 0, client.Right, client.Bottom});
  if (FBorders.TopBorder().Enabled())
    atBothPlaces(TRect{0, 0, client.Right, FBorders.TopBorder().PenWidth() + 2});
  if (FBorders.BottomBorder().Enabled())
    atBothPlaces(
        TRect{0, client.Bottom - FBorders.BottomBorder().PenWidth() - 2, client.Right, client.Bottom});
}

void TCustomEditor::InvalidateOverhangCells(const TRect& area, int columns) {
  // A glyph may put ink into its neighbour cells, and the move carries that ink with its cell.
  // Where a neighbour went out of view (at one end of the rows) or came into view (beside the
  // uncovered strip), the cell is painted again, on the rows where that neighbour's glyph
  // reaches across.
  const std::int32_t left = FView.LeftColumn;
  const std::int32_t visible = FView.VisibleColumns;
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
  const int shift = FMarginOptions.Left().Enabled() ? kLeftLineTextShift : 0;
  const std::int32_t lastLine = std::min(LineCount(), FView.TopLine + FView.VisibleLines - 1);
  std::string expanded;
  for (const TCellRule& rule : rules) {
    if (rule.Cell < 0 || rule.Cell >= visible || rule.Neighbour < 0) continue;
    // Rows in a run are invalidated as one rectangle.
    int runTop = -1;
    auto flush = [&](int bottom) {
      if (runTop < 0) return;
      const int x = area.Left + rule.Cell * FCharWidth;
      FHost->InvalidateRect(IntersectRect(TRect{x, runTop, x + FCharWidth + shift, bottom},
                                          TRect{area.Left, area.Top, area.Right + shift, area.Bottom}));
      runTop = -1;
    };
    for (std::int32_t line = FView.TopLine; line <= lastLine + 1; ++line) {
      const int top = (line - FView.TopLine) * FLineHeight;
      bool reaches = false;
      if (line <= lastLine) {
        std::int32_t length = 0;
        const char* chars = FParaList->GetLine(line, length);
        std::string_view text(chars, static_cast<std::size_t>(length));
        if (HasTab(text)) {
          expanded = ExpandTabs(text, TabSize());
          text = expanded;
        }
        if (static_cast<std::size_t>(rule.Neighbour) < text.size())
          reaches =
              (FHost->GlyphOverhang(FFixedFont.Desc(), static_cast<unsigned char>(text[rule.Neighbour])) &
               rule.Reaching) != 0;
      }
      if (reaches && runTop < 0) runTop = top;
      if (!reaches) flush(top);
    }
  }
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
  const std::int32_t n = std::max(0, lineCount - FView.VisibleLines + 1);
  FVScrollDivisor = n > 32767 ? 2 * (n / 32768) : 1;
  FVScrollMax = n / FVScrollDivisor;
  if (FVScrollMax <= 1 && FScrollBarsAlways) FVScrollMax = 2;
  if (!FWindowCreated || !HasVertBar(FScrollBars)) return;
  FHost->SetScrollBar(TScrollBarKind::sbVertical,
                      TScrollBarInfo{1, lineCount / FVScrollDivisor, FView.VisibleLines,
                                     FView.TopLine / FVScrollDivisor, true});
}

void TCustomEditor::SendVScrollThumb() {
  FVThumbPending = false;
  if (!FWindowCreated || !HasVertBar(FScrollBars)) return;
  FHost->SetScrollPos(TScrollBarKind::sbVertical, FView.TopLine / FVScrollDivisor);
}

void TCustomEditor::SendHScrollRange() {
  const bool scrollable = HScrollable();
  if (!FWindowCreated || !HasHorzBar(FScrollBars)) return;
  const int max = scrollable ? FHScrollRange : 0;
  FHost->SetScrollBar(TScrollBarKind::sbHorizontal, TScrollBarInfo{0, max, 0, FView.LeftColumn, false});
}

bool TCustomEditor::HScrollable() {
  FHScrollRange = std::min(WordWrap() ? WrapColumn() : ParaLengthLimit(), 512);
  if (FHScrollRange <= 0 && FScrollBarsAlways) FHScrollRange = 1;
  return FView.VisibleColumns < FHScrollRange || FScrollBarsAlways;
}

void TCustomEditor::SendHScrollThumb() {
  FHThumbPending = false;
  if (!FWindowCreated || !HasHorzBar(FScrollBars)) return;
  FHost->SetScrollPos(TScrollBarKind::sbHorizontal, FView.LeftColumn);
}

void TCustomEditor::MarkScrollBarsPending() {
  FVRangePending = FVThumbPending = FHThumbPending = true;
}

void TCustomEditor::VScroll(TScrollCode code, int pos) {
  switch (code) {
    case TScrollCode::scLineUp: ScrollView(0, -1); break;
    case TScrollCode::scLineDown: ScrollView(0, 1); break;
    case TScrollCode::scPageUp: ScrollView(0, -FView.VisibleLines); break;
    case TScrollCode::scPageDown: ScrollView(0, FView.VisibleLines); break;
    case TScrollCode::scThumbPosition:
    case TScrollCode::scThumbTrack: {
      std::int64_t line;
      if (pos == 1)
        line = 1;
      else if (pos == FVScrollMax)
        line = LineCount() - 1 > FView.VisibleLines ? FVScrollMax : 1;
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
    case TScrollCode::scPageUp: ScrollView(-(FView.VisibleColumns - 1), 0); break;
    case TScrollCode::scPageDown: ScrollView(FView.VisibleColumns - 1, 0); break;
    case TScrollCode::scThumbPosition:
    case TScrollCode::scThumbTrack:
      if (pos != FView.LeftColumn) {
        FView.LeftColumn = std::max(0, pos);
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
    if (columns != FView.VisibleColumns) {
      FView.VisibleColumns = columns;
      changed = true;
      if (width > 0) {
        // Without a range there is no bar to scroll back with: show the first column.
        if (!HScrollable()) FView.LeftColumn = 0;
        SendHScrollRange();
        SendHScrollThumb();
      }
    }
    const int height = FHost->ClientHeight();
    std::int32_t lines =
        std::max(1, static_cast<std::int32_t>(std::trunc(static_cast<double>(height) / FLineHeight - 1)));
    if (height % FLineHeight > static_cast<int>(std::trunc(FLineHeight * 0.25))) ++lines;
    if (lines != FView.VisibleLines) {
      FView.VisibleLines = lines;
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
  if (FWrapToWindow && WordWrap() && !FFollowingRewrap) SetWrapColumn(FView.VisibleColumns - 2);
}

void TCustomEditor::Resize() {
  if (!FWindowCreated || FInLayout) return;
  const bool moreLinesThanRows = LineCount() > FView.VisibleLines;
  UpdateLayout();
  if (moreLinesThanRows && FView.VisibleLines >= LineCount() && FView.TopLine != 1)
    ScrollView(0, 1 - FView.TopLine);
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
  return FView.VisibleColumns;
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
  in.VisibleLines = FView.VisibleLines;
  in.VisibleColumns = FView.VisibleColumns;
  in.CharWidth = FCharWidth;
  in.LineHeight = FLineHeight;
  in.TopLine = FView.TopLine;
  in.LeftColumn = FView.LeftColumn;
  in.LineCount = LineCount();
  in.TabSize = TabSize();
  in.LineText = [this](int line) {
    std::int32_t length = 0;
    const char* text = FParaList->GetLine(line, length);
    return std::string_view(text, static_cast<std::size_t>(length));
  };
  in.SelStart = {FPlaces.SelStartLine(), FPlaces.SelStartCol()};
  in.SelEnd = {FPlaces.SelEndLine(), FPlaces.SelEndCol()};
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

  // The line of each marker, found once for the whole paint when the first glyph is drawn, and
  // only for the markers in the paragraphs on screen: finding the line of a paragraph far
  // away walks the text up to it.
  std::int32_t markerLines[10];
  bool markersFound = false;
  in.MarkerAt = [&](int line) {
    if (!markersFound) {
      markersFound = true;
      const std::int64_t firstPara = FView.TopPara.Para;
      const std::int64_t lastPara = firstPara + FView.VisibleLines;
      for (int n = 0; n < 10; ++n) {
        markerLines[n] = -1;
        const TMarker& marker = FParaList->Marker(n);
        if (marker.Para == 0 || marker.Pos == 0 || marker.Para > ParaCount()) continue;
        if (marker.Para < firstPara || marker.Para > lastPara) continue;
        std::int32_t column = 0;
        FParaList->PosToLine(marker.Para, marker.Pos, markerLines[n], column);
      }
    }
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
    ++FPaintCount;
    if (FVRangePending) SendVScrollRange();
    if (FVThumbPending) SendVScrollThumb();
    if (FHThumbPending) SendHScrollThumb();
    PlaceCaret();
  };
  PaintEditor(in, canvas);
}

}  // namespace quilmo
