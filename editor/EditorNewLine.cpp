// New line with automatic indentation, and the three kinds of tab.

#include <algorithm>
#include <string>

#include "editor/CustomEditor.h"
#include "engine/UndoGroup.h"

namespace quilmo {

// ---------------------------------------------------------------- new line

void TCustomEditor::DoNewLine(bool breakPara, bool moveCaret) {
  const bool readOnly = ReadOnly();
  breakPara = breakPara && !readOnly;
  bool changed = false;
  std::uint16_t code = 0;
  std::int32_t indent = 0;  // characters of indentation the new paragraph received
  {
    TUndoGroup group(*FParaList);
    if (HasSelection() && !readOnly) {
      if (!MayEdit(SelectionUndoCost())) return;
      const TParaPos start = FPlaces.SelStart();
      code = RemoveSelection();
      changed = true;
      FPlaces.SetCaret(*FParaList, start);
      CollapseAtCaret();
    }
    if (breakPara && code == 0) {
      const TParaPos p = CaretParaPos();
      std::int32_t width = 0;
      if (FProps.AutoIndent) {
        // The blanks that start the reference line, as far as they lie before the caret.
        std::int32_t reference = FPlaces.CaretLine();
        std::int32_t before = FPlaces.CaretCol() - 1;
        if (FProps.NewStyleIndent && FPlaces.LineOffset() > 0) {
          // The caret is below the first display line of a wrapped paragraph: the reference
          // is that first display line, whichever later line holds the caret, and all the
          // paragraph's characters before the caret count.
          std::int32_t column = 1;
          FParaList->PosToLine(p.Para, 1, reference, column);
          before = FPlaces.LineOffset() + FPlaces.CaretCol() - 1;
        }
        std::int32_t length = 0;
        const char* text = FParaList->GetLine(reference, length);
        std::int32_t k = 0;
        while (k < length && k < before && IsBlank(text[k])) ++k;
        width = TextWidth(text, k, TabSize());
      }
      const std::int32_t tabSize = FProps.TabType == TTabType::ttReal ? TabSize() : 0;
      const std::int32_t length = FParaList->ParaLength(p.Para);
      const std::int32_t tail = length + 1 - std::min(p.Pos, length + 1);  // characters that move down
      code = FParaList->CheckLimits(0, 1, static_cast<std::int64_t>(width) + 2);
      if (code == 0) code = FParaList->SplitPara(p.Para, p.Pos, true, width, tabSize, this);
      if (code == 0) {
        changed = true;
        // What the indentation became (TABs and blanks, or nothing when it did not fit).
        indent = std::max(0, FParaList->ParaLength(p.Para + 1) - tail);
      }
    }
  }
  if (code != 0) {
    CaretAfterEdit(CaretParaPos());
    if (changed) {
      PaintNow();
      DoChange();
    }
    ReportError(code);
    return;
  }
  // This view's caret did not follow the edit: CaretPara is still the split paragraph.
  if (moveCaret) {
    if (breakPara || FPlaces.CaretPara() < ParaCount())
      CaretAfterEdit({FPlaces.CaretPara() + 1, indent + 1});
    else
      MoveCaretTo(LineCount(), FParaList->LineLength(LineCount()) + 1);
  } else {
    CaretAfterEdit(CaretParaPos());
  }
  if (changed) {
    PaintNow();
    DoChange();
  }
}

// ---------------------------------------------------------------- tab

void TCustomEditor::InsertBlanks(std::int32_t count) {
  if (count <= 0) return;
  const std::string blanks(static_cast<std::size_t>(count), ' ');
  TParaPos p = CaretParaPos();
  std::uint16_t code = 0;
  {
    TUndoGroup group(*FParaList);
    if (HasSelection()) {
      if (!MayEdit(SelectionUndoCost())) return;
      p = FPlaces.SelStart();
      code = RemoveSelection();
    } else if (!FProps.InsertMode && p.Pos <= FParaList->ParaLength(p.Para)) {
      code = FParaList->DeleteText(p.Para, p.Pos, count, this);  // the blanks overwrite as many characters
    }
    if (code == 0) code = FParaList->CheckLimits(p.Para, 0, count);
    if (code == 0) code = FParaList->InsertText(p.Para, p.Pos, blanks.data(), count, this);
  }
  if (code != 0) {
    CaretAfterEdit(p);
    PaintNow();
    ReportError(code);
    return;
  }
  CaretAfterEdit({p.Para, p.Pos + count});
  PaintNow();
}

void TCustomEditor::DoTab() {
  if (ReadOnly()) return;
  if (FProps.TabType == TTabType::ttReal) {
    DoTypeChar('\t');
    return;
  }
  // The blanks go where the caret is, or replace the selection: measured from its start.
  const bool selection = HasSelection();
  const std::int32_t line = selection ? FPlaces.SelStartLine() : FPlaces.CaretLine();
  const std::int32_t para = selection ? FPlaces.SelStart().Para : FPlaces.CaretPara();
  const std::int32_t x = ScreenColumn(line, selection ? FPlaces.SelStartCol() : FPlaces.CaretCol());
  const std::int32_t tabSize = TabSize();
  const std::int32_t toNextStop = tabSize * ((x - 1) / tabSize + 1) - x + 1;
  if (FProps.TabType == TTabType::ttFixed) {
    InsertBlanks(toNextStop);
    return;
  }

  // Smart: to the start of the next word of the line above (or below, when the one above is
  // empty) — after the word that covers column x, over the blanks that follow it.
  std::string reference;
  if (para > 1) {
    reference = GetLineText(line - 1);
    if (reference.empty() && line < LineCount()) reference = GetLineText(line + 1);
  }
  const auto length = static_cast<std::int32_t>(reference.size());
  std::int32_t y = x;
  if (length >= x) {
    while (y <= length && reference[y - 1] != ' ') ++y;  // TABs are expanded to blanks
    while (y <= length && reference[y - 1] == ' ') ++y;
  }
  InsertBlanks(y > x ? y - x : toNextStop);
}

}  // namespace quilmo
