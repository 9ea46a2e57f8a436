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
  return ScreenColumn(FPlaces.CaretLine(), FPlaces.CaretCol());
}

bool TCustomEditor::CaretVisible(std::int32_t screenColumn) const {
  return FView.ShowsLine(FPlaces.CaretLine()) && screenColumn >= FView.LeftColumn + 1 &&
         screenColumn <= FView.LeftColumn + FView.VisibleColumns;
}

// ---------------------------------------------------------------- caret placement

void TCustomEditor::PlaceCaret() {
  if (FPlaces.CaretLine() > LineCount()) FPlaces.SetCaretLine(*FParaList, LineCount(), FPlaces.CaretCol());
  const std::int32_t s = CaretScreenColumn();
  int x = -1;
  int y = -1;
  if (CaretVisible(s)) {
    x = TextLeft() + (s - FView.LeftColumn - 1) * FView.CharWidth;
    y = (FPlaces.CaretLine() - FView.TopLine) * FView.LineHeight;
  }
  if (FHost->Focused()) {
    if (x < 0)
      FCarets.SetPosition(-1, -1);  // parked out of sight
    else
      FCarets.SetPosition(FCarets.DrawX(x), y);
  }
  FHost->PostStatus(s, FPlaces.CaretLine());
}

void TCustomEditor::GetCaretPosition(std::int32_t& line, std::int32_t& column) const {
  line = FPlaces.CaretLine();
  column = FPlaces.CaretCol();
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
  MoveCaret(static_cast<std::int32_t>(std::clamp<std::int64_t>(
                static_cast<std::int64_t>(column) - FPlaces.CaretCol(), INT32_MIN, INT32_MAX)),
            static_cast<std::int32_t>(std::clamp<std::int64_t>(
                static_cast<std::int64_t>(line) - FPlaces.CaretLine(), INT32_MIN, INT32_MAX)),
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
  const std::int32_t oldLine = FPlaces.CaretLine();
  std::int32_t row = 0;
  if (FView.ShowsLine(FPlaces.CaretLine()))
    row = FPlaces.CaretLine() - FView.TopLine;
  else
    keepRow = false;

  std::int64_t line = static_cast<std::int64_t>(FPlaces.CaretLine()) + dl;
  if (line < 1) line = 1;
  if (line > lineCount) {
    line = lineCount;
    if (line == oldLine) return;  // nothing changes, not even the selection
  }
  const auto newLine = static_cast<std::int32_t>(line);
  std::int32_t column = FPlaces.CaretCol();
  if (convertColumn && newLine != oldLine) column = ColumnOfScreen(newLine, ScreenColumn(oldLine, column));

  // The largest column allowed on the new line.
  const std::int32_t limit = ParaLengthLimit();
  std::int64_t maxCol = FProps.ScrollPastEnd ? static_cast<std::int64_t>(limit) + 1
                                             : static_cast<std::int64_t>(FParaList->LineLength(newLine)) + 1;
  if (ScreenColumn(newLine, static_cast<std::int32_t>(maxCol)) > limit)
    maxCol = static_cast<std::int64_t>(ColumnOfScreen(newLine, limit)) + 1;
  column = Clamp64(static_cast<std::int64_t>(column) + dc, 1,
                   static_cast<std::int32_t>(std::max<std::int64_t>(1, maxCol)));
  FPlaces.SetCaretLine(*FParaList, newLine, column);

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
    top = static_cast<std::int64_t>(FPlaces.CaretLine()) - row;
  else if (FPlaces.CaretLine() < FView.TopLine)
    top = FPlaces.CaretLine();
  else if (FPlaces.CaretLine() >= FView.TopLine + FView.VisibleLines)
    top = static_cast<std::int64_t>(FPlaces.CaretLine()) - (FView.VisibleLines - 1);
  else
    top = FView.TopLine;
  top = std::max<std::int64_t>(top, 1);
  if (top + FView.VisibleLines - 1 < FPlaces.CaretLine())
    top = static_cast<std::int64_t>(FPlaces.CaretLine()) - FView.VisibleLines + 1;

  std::int32_t left = FView.LeftColumn;
  if (s < FView.LeftColumn + 1)
    left = s > 2 ? s - 1 : 0;
  else if (s > FView.LeftColumn + FView.VisibleColumns)
    left = s - FView.VisibleColumns;
  // On reaching a later line the view goes back to the first column, when the caret is
  // visible there (otherwise it would be left out of sight).
  if (left != FView.LeftColumn && FPlaces.CaretLine() > oldLine && s <= FView.VisibleColumns) left = 0;

  ScrollView(left - FView.LeftColumn, static_cast<std::int32_t>(top - FView.TopLine));
}

// ---------------------------------------------------------------- collapse and extend

void TCustomEditor::CollapseAtCaret() {
  const bool had = HasSelection();
  const std::int32_t oldFirst = FPlaces.SelStartLine();
  const std::int32_t oldLast = FPlaces.SelEndLine();
  FPlaces.Collapse(*FParaList);
  if (had) InvalidateLines(std::min(oldFirst, FPlaces.CaretLine()), std::max(oldLast, FPlaces.CaretLine()));
}

void TCustomEditor::ExtendToCaret() {
  const std::int32_t oldFirst = FPlaces.SelStartLine();
  const std::int32_t oldLast = FPlaces.SelEndLine();
  FPlaces.Extend(*FParaList);
  InvalidateLines(std::min({oldFirst, FPlaces.SelStartLine(), FPlaces.CaretLine()}),
                  std::max({oldLast, FPlaces.SelEndLine(), FPlaces.CaretLine()}));
}

// ---------------------------------------------------------------- selection operations

bool TCustomEditor::GetSelection(std::int32_t& startLine, std::int32_t& startCol, std::int32_t& endLine,
                                 std::int32_t& endCol) const {
  if (!HasSelection()) return false;
  startLine = FPlaces.SelStartLine();
  startCol = FPlaces.SelStartCol();
  endLine = FPlaces.SelEndLine();
  endCol = FPlaces.SelEndCol();
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
  FPlaces.SetCaretLine(*FParaList, line1, col1);
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
  const TParaPos p = toEnd ? FPlaces.SelEnd() : FPlaces.SelStart();
  MoveCaretToPara(p.Para, p.Pos);
}

// ---------------------------------------------------------------- character and word motion

void TCustomEditor::CharLeft(bool extend) {
  const std::int32_t p = FPlaces.LineOffset() + FPlaces.CaretCol();
  if (p >= 2)
    MoveCaretToPara(FPlaces.CaretPara(), p - 1, extend);
  else if (FPlaces.CaretLine() > 1 && FProps.WrapAtLeft)
    MoveCaretTo(FPlaces.CaretLine() - 1, FParaList->LineLength(FPlaces.CaretLine() - 1) + 1, extend);
}

void TCustomEditor::CharRight(bool extend) {
  const std::int32_t p = FPlaces.LineOffset() + FPlaces.CaretCol();
  if (p <= FParaList->ParaLength(FPlaces.CaretPara()) || FProps.ScrollPastEnd)
    MoveCaretToPara(FPlaces.CaretPara(), p + 1, extend);
  else
    MoveCaretTo(FPlaces.CaretLine() + 1, 1, extend);
}

void TCustomEditor::WordLeft(bool extend) {
  const std::int32_t p = FPlaces.LineOffset() + FPlaces.CaretCol();
  if (p < 2) {
    if (FPlaces.CaretPara() > 1)
      MoveCaretTo(FPlaces.CaretLine() - 1, FParaList->LineLength(FPlaces.CaretLine() - 1) + 1, extend);
    return;
  }
  const TParaNode* node = FParaList->GetPara(FPlaces.CaretPara());
  const char* text = node ? node->Text() : "";
  const std::int32_t n = node ? node->Length() : 0;
  const std::int32_t before = std::min(p, n + 1) - 1;  // characters before the caret
  MoveCaretToPara(FPlaces.CaretPara(), WordStartBefore(text, before), extend);
}

void TCustomEditor::WordRight(bool extend) {
  const std::int32_t p = FPlaces.LineOffset() + FPlaces.CaretCol();
  const TParaNode* node = FParaList->GetPara(FPlaces.CaretPara());
  const char* text = node ? node->Text() : "";
  const std::int32_t n = node ? node->Length() : 0;
  if (p > n) {
    MoveCaretTo(FPlaces.CaretLine() + 1, 1, extend);
    return;
  }
  std::int32_t i = p;
  while (i <= n && !IsWordDelimiter(text[i - 1])) ++i;
  while (i <= n && IsWordDelimiter(text[i - 1])) ++i;
  MoveCaretToPara(FPlaces.CaretPara(), i, extend);
}

// ---------------------------------------------------------------- words and lines

std::string TCustomEditor::GetWordAtCaret() {
  const TParaNode* node = FParaList->GetPara(FPlaces.CaretPara());
  if (!node) return {};
  const char* text = node->Text();
  const std::int32_t n = node->Length();
  const std::int32_t p = FPlaces.LineOffset() + FPlaces.CaretCol();
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
