// Inserting text at the caret (paste, date insertion, replacements), and undo and redo.

#include <algorithm>

#include "editor/CustomEditor.h"
#include "engine/UndoGroup.h"

namespace quilmo {

namespace {

// The paragraph primitives count in 16 bits: a long text goes in pieces of this size, each
// taking along the line-end characters that follow it (up to kChunkExtension of them).
constexpr std::size_t kChunk = 61440;
constexpr std::size_t kChunkExtension = 4080;

// Inserts `text` at (para, pos), which end up behind the inserted text; stops at the first
// piece that fails and returns its code.
std::uint16_t InsertInChunks(TParaList& list, std::int32_t& para, std::int32_t& pos, std::string_view text,
                             TParaListView* sender) {
  if (text.size() <= kChunk) return text.empty() ? 0 : list.InsertMultiLine(para, pos, text, sender);
  std::size_t offset = 0;
  while (offset < text.size()) {
    std::size_t length = std::min(kChunk, text.size() - offset);
    for (std::size_t extra = 0; extra < kChunkExtension && offset + length < text.size(); ++extra) {
      const char c = text[offset + length];
      if (c != '\r' && c != '\n') break;
      ++length;
    }
    if (const std::uint16_t code = list.InsertMultiLine(para, pos, text.substr(offset, length), sender))
      return code;
    offset += length;
  }
  return 0;
}

}  // namespace

std::uint16_t TCustomEditor::InsertString(std::string_view text) {
  if (ReadOnly()) return 0;
  TParaPos p = CaretParaPos();
  std::uint16_t code = 0;
  {
    TUndoGroup group(*FParaList);
    if (HasSelection()) {
      p = FPlaces.SelStart();
      code = RemoveSelection();
    }
    if (code == 0) code = InsertInChunks(*FParaList, p.Para, p.Pos, text, this);
  }
  FView.SendVRange();
  InvalidateAll();
  CaretAfterEdit(p);
  return code;
}

// ---------------------------------------------------------------- undo and redo

bool TCustomEditor::CanUndo() const {
  return FParaList->UndoCount() > 0 && !ReadOnly();
}

bool TCustomEditor::CanRedo() const {
  return FParaList->RedoCount() > 0 && !ReadOnly();
}

void TCustomEditor::ClearUndo() {
  FParaList->ClearUndo();
}

void TCustomEditor::Undo() {
  std::int32_t para = 1;
  std::int32_t pos = 1;
  if (!CanUndo() || !FParaList->Undo(para, pos)) {
    FHost->Beep();
    return;
  }
  // The caret goes to the paragraph and position of the last record undone.
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
  // The caret goes where the last record redone leaves it.
  InvalidateAll();
  CaretAfterEdit({para, pos});
}

}  // namespace quilmo
