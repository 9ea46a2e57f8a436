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

// The length of the piece of `text` that starts at `offset`.
std::size_t PieceLength(std::string_view text, std::size_t offset) {
  std::size_t length = std::min(kChunk, text.size() - offset);
  for (std::size_t extra = 0; extra < kChunkExtension && offset + length < text.size(); ++extra) {
    const char c = text[offset + length];
    if (c != '\r' && c != '\n') break;
    ++length;
  }
  return length;
}

// Inserts `text` at (para, pos), which end up behind the inserted text; stops at the first
// piece that fails and returns its code.
std::uint16_t InsertInChunks(TParaList& list, std::int32_t& para, std::int32_t& pos, std::string_view text,
                             TParaListView* sender) {
  for (std::size_t offset = 0; offset < text.size();) {
    const std::size_t length = PieceLength(text, offset);
    if (const std::uint16_t code = list.InsertMultiLine(para, pos, text.substr(offset, length), sender))
      return code;
    offset += length;
  }
  return 0;
}

// The undo bytes InsertInChunks writes at most: each piece goes into the paragraph that holds
// the characters behind the last line end so far.
std::uint64_t InsertUndoCost(TParaList& list, TParaPos at, std::string_view text) {
  const std::int32_t length = list.ParaLength(at.Para);
  std::int64_t paraLength = std::max<std::int64_t>(length, std::int64_t{at.Pos} - 1);
  std::uint64_t cost = 0;
  for (std::size_t offset = 0; offset < text.size();) {
    const std::string_view piece = text.substr(offset, PieceLength(text, offset));
    cost += TParaList::InsertUndoCost(paraLength, piece);
    const std::size_t lastBreak = piece.rfind('\n');
    paraLength = lastBreak == std::string_view::npos
                     ? paraLength + static_cast<std::int64_t>(piece.size())
                     : length + static_cast<std::int64_t>(piece.size() - lastBreak - 1);
    offset += piece.size();
  }
  return cost;
}

}  // namespace

std::uint16_t TCustomEditor::InsertString(std::string_view text) {
  if (ReadOnly()) return 0;
  TParaPos p = CaretParaPos();
  std::uint16_t code = 0;
  {
    TUndoGroup group(*FParaList);
    if (HasSelection()) p = FPlaces.SelStart();
    if (!MayEdit(SelectionUndoCost() + InsertUndoCost(*FParaList, p, text))) return 0;
    if (HasSelection()) code = RemoveSelection();
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
