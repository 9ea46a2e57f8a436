// The text-changing commands: typing, the delete family, new line, tab, inserting text,
// undo and redo. Each works through the paragraph list's primitives inside one undo group
// and leaves the selection collapsed at the new caret.

#include <algorithm>
#include <string>

#include "editor/CustomEditor.h"
#include "engine/WordDelimiters.h"

namespace quilmo {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Opens an undo group for its lifetime.
class TUndoGroup {
 public:
  explicit TUndoGroup(TParaList& list) : FList(list), FWasInGroup(list.BeginGroup()) {}
  ~TUndoGroup() { FList.EndGroup(FWasInGroup); }
  TUndoGroup(const TUndoGroup&) = delete;
  TUndoGroup& operator=(const TUndoGroup&) = delete;
  bool Outermost() const { return !FWasInGroup; }

 private:
  TParaList& FList;
  bool FWasInGroup;
};

}  // namespace

// ---------------------------------------------------------------- helpers

std::uint16_t TCustomEditor::RemoveSelection() {
  const TParaPos a = FSelStart;
  const TParaPos e = FSelEnd;
  if (a == e) return 0;
  std::uint16_t code = 0;
  if (a.Para == e.Para)
    code = FParaList->DeleteText(a.Para, a.Pos, e.Pos - a.Pos, this);
  else
    FParaList->DeleteRegion(a.Para, a.Pos, e.Para, e.Pos, this);
  return code;
}

void TCustomEditor::CaretAfterEdit(TParaPos pos) {
  SetCaretFromPara(pos);
  CollapseAtCaret();
  MoveCaretTo(FCaretLine, FCaretCol);
}

std::uint16_t TCustomEditor::DeleteSelection() {
  if (!HasSelection()) return 0;
  const TParaPos start = FSelStart;
  const std::uint16_t code = RemoveSelection();
  CaretAfterEdit(start);
  return code;
}

// ---------------------------------------------------------------- typing

void TCustomEditor::DoTypeChar(unsigned char ch) {
  const char c = static_cast<char>(ch);
  TParaPos p = CaretParaPos();
  std::uint16_t code = 0;
  {
    TUndoGroup group(*FParaList);
    if (HasSelection()) {
      p = FSelStart;
      code = RemoveSelection();
      if (code == 0) code = FParaList->InsertText(p.Para, p.Pos, &c, 1, this);
    } else if (FInsertMode || p.Pos > FParaList->ParaLength(p.Para)) {
      code = FParaList->InsertText(p.Para, p.Pos, &c, 1, this);
    } else {
      code = FParaList->ReplaceText(p.Para, p.Pos, 1, &c, 1, this);
    }
  }
  if (code != 0) {
    CaretAfterEdit(p);
    ReportError(code);
    return;
  }
  CaretAfterEdit({p.Para, p.Pos + 1});
  PaintNow();
}

// ---------------------------------------------------------------- deleting

void TCustomEditor::DoDelete() {
  if (HasSelection()) {
    const std::uint16_t code = DeleteSelection();
    ReportError(code);
  } else {
    const TParaPos p = CaretParaPos();
    if (p.Pos > FParaList->ParaLength(p.Para)) {
      const std::uint16_t code = FParaList->MergeParas(p.Para, p.Pos, this);
      if (code != 0) {
        ReportError(code);
        return;
      }
    } else {
      FParaList->DeleteText(p.Para, p.Pos, 1, this);
    }
    CaretAfterEdit(p);
  }
  if (!FParaList->UndoBuffer().InGroup()) PaintNow();
}

void TCustomEditor::DoBackspace() {
  if (HasSelection()) {
    DoDelete();
    return;
  }
  if (FCaretLine == 1 && FCaretCol == 1) return;
  const TParaPos before = CaretParaPos();
  const bool inVirtualSpace = before.Pos > FParaList->ParaLength(before.Para) + 1;
  CharLeft(false);
  // Nothing to delete when the caret could not move (start of a paragraph without
  // WrapAtLeft) or only stepped back through the blank space behind a paragraph's end.
  if (CaretParaPos() == before || inVirtualSpace) return;
  DoDelete();
}

void TCustomEditor::DoDelBol() {
  if (FParaList->LineLength(FCaretLine) > 0) {
    SetSelection(FCaretLine, 1, FCaretLine, FCaretCol, true);
    DoDelete();
  } else {
    MoveCaretTo(FCaretLine, FCaretCol);
  }
}

void TCustomEditor::DoDelEol() {
  const std::int32_t length = FParaList->LineLength(FCaretLine);
  if (FCaretCol <= length) {
    SetSelection(FCaretLine, FCaretCol, FCaretLine, length + 1, true);
    DoDelete();
  } else {
    MoveCaretTo(FCaretLine, FCaretCol);
  }
}

void TCustomEditor::DoDelLine() {
  const std::int32_t line = FCaretLine;
  if (line >= LineCount()) {
    const std::int32_t length = FParaList->LineLength(line);
    if (length == 0) return;  // an empty last line is left alone
    SetSelection(line, 1, line, length + 1, true);
  } else {
    SetSelection(line, 1, line + 1, 1, true);
  }
  TUndoGroup group(*FParaList);
  DoDelete();
}

void TCustomEditor::DoDelWord() {
  if (HasSelection()) {
    DoDelete();
    return;
  }
  const TParaPos p = CaretParaPos();
  const TParaNode* node = FParaList->GetPara(p.Para);
  const char* text = node ? node->Text() : "";
  const std::int32_t n = node ? node->Length() : 0;
  std::int32_t i = p.Pos;
  while (i <= n && !IsWordDelimiter(text[i - 1])) ++i;
  while (i <= n && IsBlank(text[i - 1])) ++i;
  if (i > p.Pos) SelectParaRange(p, {p.Para, i}, true);
  DoDelete();
}

// ---------------------------------------------------------------- new line and tab

void TCustomEditor::DoNewLine(bool breakPara, bool moveCaret) {
  bool changed = false;
  std::int32_t indentChars = 0;
  std::uint16_t code = 0;
  {
    TUndoGroup group(*FParaList);
    if (HasSelection() && !ReadOnly()) {
      const std::uint16_t deleted = DeleteSelection();
      changed = true;
      if (deleted != 0) code = deleted;
    }
    if (breakPara && code == 0) {
      // Indentation: the width of the blanks that start the reference line, before the caret.
      std::int32_t width = 0;
      if (FAutoIndent) {
        std::int32_t reference = FCaretLine;
        if (FNewStyleIndent && FLineOffset > 0) {
          std::int32_t line = 1, column = 1;
          FParaList->PosToLine(FCaretPara, 1, line, column);
          reference = line;
        }
        std::int32_t length = 0;
        const char* text = FParaList->GetLine(reference, length);
        std::int32_t k = 0;
        while (k < length && k < FCaretCol - 1 && IsBlank(text[k])) ++k;
        width = TextWidth(text, k, TabSize());
      }
      const std::int32_t tabSize = FTabType == TTabType::ttReal ? TabSize() : 0;
      const TParaPos p = CaretParaPos();
      code = FParaList->CheckLimits(0, 1, static_cast<std::int64_t>(width) + 2);
      if (code == 0) code = FParaList->SplitPara(p.Para, p.Pos, true, width, tabSize, this);
      if (code == 0) {
        changed = true;
        indentChars = p.Pos <= 1 ? 0 : (tabSize > 0 ? width / tabSize + width % tabSize : width);
      }
    }
  }
  if (code != 0) {
    CaretAfterEdit(CaretParaPos());
    ReportError(code);
    return;
  }
  if (moveCaret) {
    if (breakPara || FCaretPara < ParaCount())
      CaretAfterEdit({FCaretPara + 1, indentChars + 1});
    else
      MoveCaretTo(LineCount(), FParaList->LineLength(LineCount()) + 1);
  }
  if (changed) {
    PaintNow();
    DoChange();
  }
}

void TCustomEditor::InsertBlanks(std::int32_t count) {
  if (count <= 0) return;
  const std::string blanks(static_cast<std::size_t>(count), ' ');
  TParaPos p = CaretParaPos();
  std::uint16_t code = 0;
  {
    TUndoGroup group(*FParaList);
    if (HasSelection()) {
      p = FSelStart;
      code = RemoveSelection();
    } else if (!FInsertMode) {
      FParaList->DeleteText(p.Para, p.Pos, count, this);
    }
    if (code == 0) code = FParaList->CheckLimits(p.Para, 0, count);
    if (code == 0) code = FParaList->InsertText(p.Para, p.Pos, blanks.data(), count, this);
  }
  if (code != 0) {
    CaretAfterEdit(p);
    ReportError(code);
    return;
  }
  CaretAfterEdit({p.Para, p.Pos + count});
  PaintNow();
}

void TCustomEditor::DoTab() {
  if (ReadOnly()) return;
  const std::int32_t tabSize = TabSize();
  const std::int32_t x = CaretScreenColumn();
  const std::int32_t fixed = tabSize * ((x - 1) / tabSize + 1) - x + 1;
  switch (FTabType) {
    case TTabType::ttReal: DoTypeChar('\t'); return;
    case TTabType::ttFixed: InsertBlanks(fixed); return;
    case TTabType::ttSmart: break;
  }
  // Smart: up to the next word start of a neighbouring line.
  std::string reference;
  if (FCaretPara > 1) reference = GetLineText(FCaretLine - 1);
  if (FCaretPara > 1 && reference.empty() && FCaretLine < LineCount()) reference = GetLineText(FCaretLine + 1);
  const std::int32_t length = static_cast<std::int32_t>(reference.size());
  std::int32_t y = x;
  if (length >= x) {
    while (y <= length && !IsBlank(reference[y - 1])) ++y;
    while (y <= length && IsBlank(reference[y - 1])) ++y;
  }
  InsertBlanks(y > x ? y - x : fixed);
}

// ---------------------------------------------------------------- inserting text

std::uint16_t TCustomEditor::InsertString(std::string_view text) {
  if (ReadOnly()) return 0;
  TParaPos p = CaretParaPos();
  std::uint16_t code = 0;
  {
    TUndoGroup group(*FParaList);
    if (HasSelection()) {
      p = FSelStart;
      code = RemoveSelection();
    }
    // Long texts go in chunks of 61440 characters, each extended over the line-end
    // characters that follow it.
    constexpr std::size_t kChunk = 61440;
    constexpr std::size_t kChunkExtension = 4080;
    std::size_t offset = 0;
    while (code == 0 && offset < text.size()) {
      std::size_t length = std::min(kChunk, text.size() - offset);
      std::size_t extra = 0;
      while (offset + length < text.size() && extra < kChunkExtension &&
             (text[offset + length] == '\r' || text[offset + length] == '\n')) {
        ++length;
        ++extra;
      }
      code = FParaList->InsertMultiLine(p.Para, p.Pos, text.substr(offset, length), this);
      offset += length;
    }
  }
  SendVScrollRange();
  InvalidateAll();
  CaretAfterEdit(p);
  return code;
}

// ---------------------------------------------------------------- undo and redo

bool TCustomEditor::CanUndo() const { return FParaList->UndoCount() > 0 && !ReadOnly(); }

bool TCustomEditor::CanRedo() const { return FParaList->RedoCount() > 0 && !ReadOnly(); }

void TCustomEditor::ClearUndo() { FParaList->ClearUndo(); }

void TCustomEditor::Undo() {
  std::int32_t para = 1;
  std::int32_t pos = 1;
  if (!CanUndo() || !FParaList->Undo(para, pos)) {
    FHost->Beep();
    return;
  }
  InvalidateAll();
  CaretAfterEdit({para, pos});
}

void TCustomEditor::Redo() {
  std::int32_t para = 1;
  std::int32_t pos = 1;
  if (!CanRedo() || !FParaList->Redo(para, pos)) {
    FHost->Beep();
    return;
  }
  InvalidateAll();
  CaretAfterEdit({para, pos});
}

}  // namespace quilmo
