// Scrolling the view, the two scroll bars, the wheel, the layout and the paint.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "editor/CustomEditor.h"
#include "editor/EditorPainter.h"
#include "engine/EditorErrors.h"

namespace quilmo {

// ---------------------------------------------------------------- painting now

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
  FView.MarkVThumb();
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
    FView.SendVThumb();
  }
  if (leftChanged) FView.SendHThumb();

  bool wholePaint = false;  // everything invalidated and painted at once
  bool moved = false;       // pixels moved, what they could not carry painted at once
  const std::uint32_t paintsBefore = FDamage.PaintCount();
  try {
    const TRect area{LeftMargin(), 0, LeftMargin() + FView.VisibleColumns * FView.CharWidth,
                     FView.VisibleLines * FView.LineHeight};
    const int dx = (oldLeft - FView.LeftColumn) * FView.CharWidth;
    const int dy = (oldTop - FView.TopLine) * FView.LineHeight;
    if (FDamage.FullPending() || FRedrawSuspended) {
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
      if ((FProps.ShowBookmarks || FProps.ShowLineNumbers) && dy != 0) {
        margin = TRect{0, 0, LeftMargin(), area.Bottom};
        FHost->ScrollRect(margin, 0, dy);
      }
      FDamage.FixedPixels(area, margin, dx, dy);
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
  const bool painted = (wholePaint && !FRedrawSuspended && !FDamage.FullPending()) ||
                       (moved && FDamage.PaintCount() != paintsBefore && !FDamage.FullPending());
  if (topChanged) DoTopLineChanged(FView.TopLine);
  if (!painted) InvalidateAll();
}

// ---------------------------------------------------------------- scroll bars

void TCustomEditor::VScroll(TScrollCode code, int pos) {
  switch (code) {
    case TScrollCode::scLineUp: ScrollView(0, -1); break;
    case TScrollCode::scLineDown: ScrollView(0, 1); break;
    case TScrollCode::scPageUp: ScrollView(0, -FView.VisibleLines); break;
    case TScrollCode::scPageDown: ScrollView(0, FView.VisibleLines); break;
    case TScrollCode::scThumbPosition:
    case TScrollCode::scThumbTrack: SetTopLine(FView.ThumbLine(pos)); break;
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
        FView.SendHThumb();
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
  FView.CharWidth = std::max(1, metrics.AveCharWidth);
  FView.LineHeight =
      EditorLineHeight(std::max(1, metrics.Height + metrics.ExternalLeading + 1), FProps.ShowRules);
  // The caret fills the new cell (the rules change the row height without a new font).
  if (FCarets.Linked()) FitCaret();
  FInLayout = true;
  // A scroll bar appearing or disappearing changes the client area: repeat until stable.
  for (int turn = 0; turn < 8; ++turn) {
    const bool columnsChanged = FView.FitColumns(FHost->ClientWidth(), LeftMargin() + RightMargin());
    const bool rowsChanged = FView.FitRows(FHost->ClientHeight());
    if (!columnsChanged && !rowsChanged) break;
  }
  FInLayout = false;
  InvalidateAll();
  if (FProps.WrapToWindow && WordWrap() && !FFollowingRewrap) SetWrapColumn(FView.VisibleColumns - 2);
}

void TCustomEditor::Resize() {
  if (!FWindowCreated || FInLayout) return;
  const bool moreLinesThanRows = LineCount() > FView.VisibleLines;
  UpdateLayout();
  if (moreLinesThanRows && FView.VisibleLines >= LineCount() && FView.TopLine != 1)
    ScrollView(0, 1 - FView.TopLine);
}

void TCustomEditor::RefreshLayout(bool update) {
  FView.SendBars();
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
  in.CharWidth = FView.CharWidth;
  in.LineHeight = FView.LineHeight;
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
  in.HideSelection = FProps.HideSelection;
  in.ShowRules = FProps.ShowRules;
  in.ShowLineNumbers = FProps.ShowLineNumbers;
  in.ShowBookmarks = FProps.ShowBookmarks;
  in.LineNumberWidth = FLineNumberWidth;
  in.Color = FProps.Color;
  in.MarginColor = FProps.MarginColor;
  in.RuleColor = FProps.RuleColor;
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
    FDamage.ContentPainted();
    FView.SendMarked();
    PlaceCaret();
  };
  PaintEditor(in, canvas);
}

}  // namespace quilmo
