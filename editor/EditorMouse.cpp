// The mouse: point to position, the cursor over the left margin, press and drag in text mode
// and in line mode with auto-scrolling outside the window, double clicks.

#include <algorithm>

#include "editor/CustomEditor.h"
#include "editor/KeyBinding.h"
#include "engine/WordDelimiters.h"

namespace quilmo {

void TCustomEditor::PointToLineCol(int x, int y, std::int32_t& line, std::int32_t& column) {
  std::int64_t l;
  if (y < 0)
    l = static_cast<std::int64_t>(FView.TopLine) - 1;
  else if (y >= FHost->ClientHeight())
    l = static_cast<std::int64_t>(FView.TopLine) + FView.VisibleLines;
  else {
    l = y / FView.LineHeight + static_cast<std::int64_t>(FView.TopLine);
    // The partial row below the last full row counts as the last row.
    if (y > FView.VisibleLines * FView.LineHeight) --l;
  }
  line = static_cast<std::int32_t>(std::clamp<std::int64_t>(l, 1, LineCount()));

  // The nearest character boundary; at the right edge of the text area, the last visible column.
  const int leftMargin = LeftMargin();
  std::int64_t screen;
  if (x >= leftMargin + FView.VisibleColumns * FView.CharWidth - FView.CharWidth / 2 &&
      x < FHost->ClientWidth())
    screen = static_cast<std::int64_t>(FView.LeftColumn) + FView.VisibleColumns;
  else
    screen = (x + FView.CharWidth / 2 - leftMargin) / FView.CharWidth +
             static_cast<std::int64_t>(FView.LeftColumn) + 1;
  screen = std::min<std::int64_t>(screen, INT32_MAX);
  column = screen > 0 ? std::max(1, ColumnOfScreen(line, static_cast<std::int32_t>(screen))) : 1;
  if (!FProps.ScrollPastEnd) column = std::min(column, FParaList->LineLength(line) + 1);
}

void TCustomEditor::CursorQuery(int x, int /*y*/) {
  FInLeftMargin = x <= LeftMargin();
  FHost->SetMouseCursor(FInLeftMargin ? TMouseCursorKind::mcLine : TMouseCursorKind::mcIBeam);
}

// ---------------------------------------------------------------- press and drag

void TCustomEditor::MouseDown(int x, int y, std::uint8_t shift) {
  if (!FHost->Focused() && FHost->CanFocus()) FHost->SetFocus();
  if (ByteCount() == 0) return;
  CursorQuery(x, y);
  FMouse.Press(x, y, (shift & sfShift) != 0, FInLeftMargin);
  FHost->SetMouseCapture(true);
  if (FMouse.LineMode()) {
    std::int32_t line = 1;
    std::int32_t column = 1;
    PointToLineCol(x, y, line, column);
    FMouse.AnchorLines(line, {FPlaces.SelStartLine(), FPlaces.SelStartCol()},
                       {FPlaces.SelEndLine(), FPlaces.SelEndCol()});
  }
  MouseTurn(true);
  FHost->StartAutoScrollTimer();
}

void TCustomEditor::MouseMove(int x, int y, std::uint8_t /*shift*/) {
  if (!FMouse.Captured()) {
    CursorQuery(x, y);
    return;
  }
  FMouse.MoveTo(x, y);
  MouseTurn(false);
}

void TCustomEditor::AutoScrollTick() {
  if (FMouse.Captured()) MouseTurn(false);
}

void TCustomEditor::MouseUp(int x, int y) {
  if (!FMouse.Captured()) return;
  FMouse.MoveTo(x, y);
  // The release point counts when it is inside the window (no extra auto-scroll step).
  if (y >= 0 && y < FHost->ClientHeight()) MouseTurn(true);
  FMouse.Release();
  FHost->StopAutoScrollTimer();
  FHost->SetMouseCapture(false);
}

void TCustomEditor::MouseTurn(bool force) {
  // The further the cursor is above or below the window, the faster the turns come.
  if (!FMouse.TurnDue(FHost->Milliseconds(), FHost->ClientHeight(), 3 * FHost->HorzScrollBarHeight(), force))
    return;
  std::int32_t line = 1;
  std::int32_t column = 1;
  PointToLineCol(FMouse.X(), FMouse.Y(), line, column);
  bool extend = false;
  if (!FMouse.NextTurn(line, column, extend)) return;

  if (!FMouse.LineMode()) {
    MoveCaretTo(line, column, extend);
    PaintNow();
    return;
  }
  const TMouseSelection::TLineRange range = FMouse.LineRange(line, LineCount(), FParaList->LineLength(line));
  const bool outside = line < FView.TopLine || line >= FView.TopLine + FView.VisibleLines;
  if (outside) FRedrawSuspended = true;
  try {
    SetSelection(range.From.Line, range.From.Col, range.To.Line, range.To.Col, range.CaretAtEnd);
  } catch (...) {
    FRedrawSuspended = false;
    throw;
  }
  FRedrawSuspended = false;
  InvalidateAll();
  PaintNow();
}

// ---------------------------------------------------------------- double click

void TCustomEditor::DoubleClick(int x, int y, std::uint8_t shift) {
  if (ByteCount() == 0) return;
  const bool withShift = (shift & sfShift) != 0;
  std::int32_t line = 1;
  std::int32_t column = 1;
  PointToLineCol(x, y, line, column);
  std::int32_t para = 1;
  std::int32_t offset = 0;
  FParaList->LineToPara(line, para, offset);
  const TParaNode* node = FParaList->GetPara(para);
  const char* text = node ? node->Text() : "";
  const std::int32_t n = node ? node->Length() : 0;

  if (FInLeftMargin) {
    // The whole paragraph, or from / to it with Shift.
    if (!withShift || (FPlaces.SelStart().Para == para && FPlaces.SelEnd().Para == para))
      SelectParaRange({para, 1}, {para, n + 1}, true);
    else if (FPlaces.SelStart().Para < para)
      SelectParaRange(FPlaces.SelStart(), {para, n + 1}, true);
    else
      SelectParaRange({para, 1}, FPlaces.SelEnd(), false);
    return;
  }

  const std::int32_t lineLength = FParaList->LineLength(line);
  std::int32_t q = offset + std::max(1, std::min(column, lineLength));
  // From the start of the word at or before q to behind the blanks after it.
  if (q > 1 && n > 0) q = WordStartBefore(text, q);
  const std::int32_t e = PastWordAndBlanks(text, n, q);
  const std::int32_t c1 = std::clamp(q - offset, 1, lineLength + 1);
  const std::int32_t c2 = std::clamp(e - offset, 1, lineLength + 1);

  if (!withShift)
    SetSelection(line, c1, line, c2, true);
  else if (FPlaces.SelStartLine() < line || (FPlaces.SelStartLine() == line && FPlaces.SelStartCol() < c1))
    SetSelection(FPlaces.SelStartLine(), FPlaces.SelStartCol(), line, c2, true);
  else
    SetSelection(line, c1, FPlaces.SelEndLine(), FPlaces.SelEndCol(), false);
}

}  // namespace quilmo
