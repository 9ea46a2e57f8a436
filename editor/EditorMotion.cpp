// Caret placement and motion, the selection, character and word motion, word and line queries.

#include <algorithm>
#include <cstring>

#include "editor/CustomEditor.h"
#include "engine/EditorErrors.h"
#include "engine/WordDelimiters.h"

namespace quilmo {

namespace {

std::int32_t Clamp64(std::int64_t value, std::int32_t low, std::int32_t high) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, low, high));
}

}  // namespace

// ---------------------------------------------------------------- columns

std::int32_t TCustomEditor::ScreenColumn(std::int32_t line, std::int32_t column) {
  std::int32_t length = 0;
  const char* text = FParaList->GetLine(line, length);
  return PosToColumn(text, length, column, FParaList->TabSize());
}

std::int32_t TCustomEditor::ColumnOfScreen(std::int32_t line, std::int32_t screenColumn) {
  std::int32_t length = 0;
  const char* text = FParaList->GetLine(line, length);
  return ColumnToPos(text, length, screenColumn, FParaList->TabSize());
}

std::int32_t TCustomEditor::CaretScreenColumn() {
  return ScreenColumn(FCaretLine, FCaretCol);
}

bool TCustomEditor::CaretVisible(std::int32_t screenColumn) const {
  return FCaretLine >= FTopLine && FCaretLine < FTopLine + FVisibleLines && screenColumn >= FLeftColumn + 1 &&
         screenColumn <= FLeftColumn + FVisibleColumns;
}

// ---------------------------------------------------------------- caret placement

void TCustomEditor::PlaceCaret() {
  if (FCaretLine > LineCount()) FCaretLine = LineCount();
  const std::int32_t s = CaretScreenColumn();
  int x = -1;
  int y = -1;
  if (CaretVisible(s)) {
    x = TextLeft() + (s - FLeftColumn - 1) * FCharWidth;
    y = (FCaretLine - FTopLine) * FLineHeight;
  }
  if (FHost->Focused()) {
    if (x < 0)
      FCarets.SetPosition(-1, -1);  // parked out of sight
    else
      FCarets.SetPosition(FCarets.DrawX(x), y);
  }
  FHost->PostStatus(s, FCaretLine);
}

void TCustomEditor::SetCaretFromPara(TParaPos pos) {
  FParaList->PosToLine(pos.Para, pos.Pos, FCaretLine, FCaretCol);
  FParaList->LineToPara(FCaretLine, FCaretPara, FLineOffset);
}

void TCustomEditor::GetCaretPosition(std::int32_t& line, std::int32_t& column) const {
  line = FCaretLine;
  column = FCaretCol;
}

void TCustomEditor::SetCaretPosition(std::int32_t line, std::int32_t column) {
  if (line < 1 || line > LineCount() || column < 1) throw EInvalidLineOrPara();
  MoveCaretTo(line, column);
}

// ---------------------------------------------------------------- relative motion

void TCustomEditor::MoveCaretBy(std::int32_t dc, std::int32_t dl, bool extend, bool keepRow) {
  MoveCaret(dc, dl, extend, keepRow, true);
}

void TCustomEditor::MoveCaretTo(std::int32_t line, std::int32_t column, bool extend) {
  MoveCaret(static_cast<std::int32_t>(std::clamp<std::int64_t>(static_cast<std::int64_t>(column) - FCaretCol,
                                                               INT32_MIN, INT32_MAX)),
            static_cast<std::int32_t>(
                std::clamp<std::int64_t>(static_cast<std::int64_t>(line) - FCaretLine, INT32_MIN, INT32_MAX)),
            extend, false, false);
}

void TCustomEditor::MoveCaretToPara(std::int32_t para, std::int32_t pos, bool extend) {
  std::int32_t line = 1;
  std::int32_t column = 1;
  FParaList->PosToLine(para, pos, line, column);
  MoveCaretTo(line, column, extend);
}

void TCustomEditor::MoveCaret(std::int32_t dc, std::int32_t dl, bool extend, bool keepRow,
                              bool convertColumn) {
  const std::int32_t lineCount = LineCount();
  const std::int32_t oldLine = FCaretLine;
  std::int32_t row = 0;
  if (FCaretLine >= FTopLine && FCaretLine < FTopLine + FVisibleLines)
    row = FCaretLine - FTopLine;
  else
    keepRow = false;

  std::int64_t line = static_cast<std::int64_t>(FCaretLine) + dl;
  if (line < 1) line = 1;
  if (line > lineCount) {
    line = lineCount;
    if (line == oldLine) return;  // nothing changes, not even the selection
  }
  FCaretLine = static_cast<std::int32_t>(line);

  if (convertColumn && FCaretLine != oldLine)
    FCaretCol = ColumnOfScreen(FCaretLine, ScreenColumn(oldLine, FCaretCol));

  // The largest column allowed on the new line.
  const std::int32_t limit = ParaLengthLimit();
  std::int64_t maxCol = FScrollPastEnd ? static_cast<std::int64_t>(limit) + 1
                                       : static_cast<std::int64_t>(FParaList->LineLength(FCaretLine)) + 1;
  if (ScreenColumn(FCaretLine, static_cast<std::int32_t>(maxCol)) > limit)
    maxCol = static_cast<std::int64_t>(ColumnOfScreen(FCaretLine, limit)) + 1;
  FCaretCol = Clamp64(static_cast<std::int64_t>(FCaretCol) + dc, 1,
                      static_cast<std::int32_t>(std::max<std::int64_t>(1, maxCol)));
  FParaList->LineToPara(FCaretLine, FCaretPara, FLineOffset);

  if (extend)
    ExtendToCaret();
  else
    CollapseAtCaret();

  // Reveal the caret.
  const std::int32_t s = CaretScreenColumn();
  if (!keepRow && CaretVisible(s)) {
    PlaceCaret();
    return;
  }
  std::int64_t top;
  if (keepRow)
    top = static_cast<std::int64_t>(FCaretLine) - row;
  else if (FCaretLine < FTopLine)
    top = FCaretLine;
  else if (FCaretLine >= FTopLine + FVisibleLines)
    top = static_cast<std::int64_t>(FCaretLine) - (FVisibleLines - 1);
  else
    top = FTopLine;
  top = std::max<std::int64_t>(top, 1);
  if (top + FVisibleLines - 1 < FCaretLine) top = static_cast<std::int64_t>(FCaretLine) - FVisibleLines + 1;

  std::int32_t left = FLeftColumn;
  if (s < FLeftColumn + 1)
    left = s > 2 ? s - 1 : 0;
  else if (s > FLeftColumn + FVisibleColumns)
    left = s - FVisibleColumns;
  // On reaching a later line the view goes back to the first column, when the caret is
  // visible there (otherwise it would be left out of sight).
  if (left != FLeftColumn && FCaretLine > oldLine && s <= FVisibleColumns) left = 0;

  ScrollView(left - FLeftColumn, static_cast<std::int32_t>(top - FTopLine));
}

// ---------------------------------------------------------------- collapse and extend

TParaPos TCustomEditor::ClampedCaretPos() {
  const std::int32_t length = FParaList->ParaLength(FCaretPara);
  return {FCaretPara, std::min(FLineOffset + FCaretCol, length + 1)};
}

void TCustomEditor::UpdateSelectionLines() {
  FParaList->PosToLine(FSelStart.Para, FSelStart.Pos, FSelStartLine, FSelStartCol);
  FParaList->PosToLine(FSelEnd.Para, FSelEnd.Pos, FSelEndLine, FSelEndCol);
}

void TCustomEditor::CollapseAtCaret() {
  const bool had = HasSelection();
  const std::int32_t oldFirst = FSelStartLine;
  const std::int32_t oldLast = FSelEndLine;
  const TParaPos p = ClampedCaretPos();
  FSelStart = FSelEnd = FSelCaretEnd = p;
  UpdateSelectionLines();
  if (had) InvalidateLines(std::min(oldFirst, FCaretLine), std::max(oldLast, FCaretLine));
}

void TCustomEditor::ExtendToCaret() {
  const std::int32_t oldFirst = FSelStartLine;
  const std::int32_t oldLast = FSelEndLine;
  const TParaPos p = ClampedCaretPos();
  if (FSelCaretEnd != FSelStart)
    FSelEnd = p;
  else
    FSelStart = p;
  if (FSelStart > FSelEnd) std::swap(FSelStart, FSelEnd);
  FSelCaretEnd = p;
  UpdateSelectionLines();
  InvalidateLines(std::min({oldFirst, FSelStartLine, FCaretLine}),
                  std::max({oldLast, FSelEndLine, FCaretLine}));
}

// ---------------------------------------------------------------- selection operations

bool TCustomEditor::GetSelection(std::int32_t& startLine, std::int32_t& startCol, std::int32_t& endLine,
                                 std::int32_t& endCol) const {
  if (!HasSelection()) return false;
  startLine = FSelStartLine;
  startCol = FSelStartCol;
  endLine = FSelEndLine;
  endCol = FSelEndCol;
  return true;
}

void TCustomEditor::SetSelection(std::int32_t line1, std::int32_t col1, std::int32_t line2, std::int32_t col2,
                                 bool caretAtEnd) {
  if (ByteCount() == 0) return;
  const std::int32_t lineCount = LineCount();
  line1 = std::clamp(line1, 1, lineCount);
  line2 = std::clamp(line2, 1, lineCount);
  col1 = std::clamp(col1, 1, FParaList->LineLength(line1) + 1);
  col2 = std::clamp(col2, 1, FParaList->LineLength(line2) + 1);
  if (!caretAtEnd) {
    std::swap(line1, line2);
    std::swap(col1, col2);
  }
  FCaretLine = line1;
  FCaretCol = col1;
  FParaList->LineToPara(FCaretLine, FCaretPara, FLineOffset);
  CollapseAtCaret();
  MoveCaretTo(line2, col2, true);
}

void TCustomEditor::SelectParaRange(TParaPos from, TParaPos to, bool caretAtEnd) {
  std::int32_t line1 = 1, col1 = 1, line2 = 1, col2 = 1;
  FParaList->PosToLine(from.Para, from.Pos, line1, col1);
  FParaList->PosToLine(to.Para, to.Pos, line2, col2);
  SetSelection(line1, col1, line2, col2, caretAtEnd);
}

void TCustomEditor::SelectAll(bool caretAtEnd) {
  const std::int32_t last = LineCount();
  SetSelection(1, 1, last, FParaList->LineLength(last) + 1, caretAtEnd);
}

void TCustomEditor::CollapseSelection(bool toEnd) {
  if (!HasSelection()) return;
  const TParaPos p = toEnd ? FSelEnd : FSelStart;
  MoveCaretToPara(p.Para, p.Pos);
}

// ---------------------------------------------------------------- character and word motion

void TCustomEditor::CharLeft(bool extend) {
  const std::int32_t p = FLineOffset + FCaretCol;
  if (p >= 2)
    MoveCaretToPara(FCaretPara, p - 1, extend);
  else if (FCaretLine > 1 && FWrapAtLeft)
    MoveCaretTo(FCaretLine - 1, FParaList->LineLength(FCaretLine - 1) + 1, extend);
}

void TCustomEditor::CharRight(bool extend) {
  const std::int32_t p = FLineOffset + FCaretCol;
  if (p <= FParaList->ParaLength(FCaretPara) || FScrollPastEnd)
    MoveCaretToPara(FCaretPara, p + 1, extend);
  else
    MoveCaretTo(FCaretLine + 1, 1, extend);
}

void TCustomEditor::WordLeft(bool extend) {
  const std::int32_t p = FLineOffset + FCaretCol;
  if (p < 2) {
    if (FCaretPara > 1) MoveCaretTo(FCaretLine - 1, FParaList->LineLength(FCaretLine - 1) + 1, extend);
    return;
  }
  const TParaNode* node = FParaList->GetPara(FCaretPara);
  const char* text = node ? node->Text() : "";
  const std::int32_t n = node ? node->Length() : 0;
  const std::int32_t before = std::min(p, n + 1) - 1;  // characters before the caret
  MoveCaretToPara(FCaretPara, WordStartBefore(text, before), extend);
}

void TCustomEditor::WordRight(bool extend) {
  const std::int32_t p = FLineOffset + FCaretCol;
  const TParaNode* node = FParaList->GetPara(FCaretPara);
  const char* text = node ? node->Text() : "";
  const std::int32_t n = node ? node->Length() : 0;
  if (p > n) {
    MoveCaretTo(FCaretLine + 1, 1, extend);
    return;
  }
  std::int32_t i = p;
  while (i <= n && !IsWordDelimiter(text[i - 1])) ++i;
  while (i <= n && IsWordDelimiter(text[i - 1])) ++i;
  MoveCaretToPara(FCaretPara, i, extend);
}

// ---------------------------------------------------------------- words and lines

std::string TCustomEditor::GetWordAtCaret() {
  const TParaNode* node = FParaList->GetPara(FCaretPara);
  if (!node) return {};
  const char* text = node->Text();
  const std::int32_t n = node->Length();
  const std::int32_t p = FLineOffset + FCaretCol;
  if (p > n || IsWordDelimiter(text[p - 1])) return {};
  std::int32_t first = p;
  while (first > 1 && !IsWordDelimiter(text[first - 2])) --first;
  while (first <= n && IsWordDelimiter(text[first - 1])) ++first;
  std::int32_t last = p;
  while (last < n && !IsWordDelimiter(text[last])) ++last;
  return std::string(text + first - 1, static_cast<std::size_t>(last - first + 1));
}

std::string TCustomEditor::GetLineText(std::int32_t line) {
  if (line < 1 || line > LineCount()) throw EInvalidLineOrPara();
  std::int32_t length = 0;
  const char* text = FParaList->GetLine(line, length);
  return ExpandTabs(std::string_view(text, static_cast<std::size_t>(length)), FParaList->TabSize());
}

std::int32_t TCustomEditor::GetExpandedLine(std::int32_t line, char* buffer, std::int32_t size) {
  const std::string text = GetLineText(line);
  if (size <= 0 || !buffer) return 0;
  const std::int32_t n = std::min(size, static_cast<std::int32_t>(text.size()));
  std::memcpy(buffer, text.data(), static_cast<std::size_t>(n));
  if (n < size) buffer[n] = '\0';
  return n;
}

}  // namespace quilmo
