// Undo and redo of the paragraph list: replays the records of its undo buffer.

#include <algorithm>
#include <memory>

#include "engine/ParaList.h"
#include "engine/UndoBuffer.h"

namespace quilmo {

namespace {

// Sets `value` for the lifetime of the guard and puts the old value back afterwards.
template <typename T>
class TRestore {
 public:
  TRestore(T& field, T value) : field_(field), saved_(field) { field_ = value; }
  ~TRestore() { field_ = saved_; }
  TRestore(const TRestore&) = delete;
  TRestore& operator=(const TRestore&) = delete;

 private:
  T& field_;
  T saved_;
};

}  // namespace

// Undo takes the records of the newest group, newest first, and applies the inverse of each.
// The replay brings back text that existed before, so limits lowered since then do not
// refuse it. The caret goes to the paragraph and position of the last record undone.
bool TParaList::Undo(std::int32_t& para, std::int32_t& pos) {
  TUndoBuffer& buffer = *undo_;
  if (buffer.UndoCount() <= 0) return false;

  bool applied = false;
  bool consistent = true;
  TUndoStep step;
  {
    TRestore<bool> replaying(replaying_, true);
    TRestore<std::int32_t> paraLimit(paraLimit_, kMaxInt32);
    TRestore<std::int32_t> byteLimit(byteLimit_, kMaxInt32);
    TRestore<std::int32_t> paraLengthLimit(paraLengthLimit_, kMaxParaLength);

    const std::uint8_t group = buffer.CurrentGroup();
    do {
      const TUndoStep next = buffer.PeekUndo();
      // A paragraph record must find its own paragraph where it was inserted; anything else
      // means the text was changed without records and the history no longer applies.
      if ((next.Kind == ukInsertParaBefore && GetPara(next.Para) != next.Node) ||
          (next.Kind == ukInsertParaAfter && GetPara(next.Para + 1) != next.Node)) {
        consistent = false;
        break;
      }
      step = buffer.TakeUndo();
      applied = true;
      std::uint16_t code = 0;
      switch (step.Kind) {
        case ukCaret: break;
        case ukInsertText: code = DeleteText(step.Para, step.Pos, step.Length); break;
        case ukInsertParaBefore: DeletePara(step.Para); break;
        case ukInsertParaAfter: DeletePara(step.Para + 1); break;
        case ukDeleteText: code = InsertText(step.Para, step.Pos, step.Data, step.Length); break;
        case ukDeletePara: LinkParaAt(step.Node, step.Para); break;
        case ukReplaceText:
          code = ReplaceText(step.Para, step.Pos, step.NewLength, step.Data, step.Length);
          break;
      }
      // A step that cannot be applied (memory ran out) leaves a text the older records no
      // longer describe.
      if (code != 0) {
        consistent = false;
        break;
      }
    } while (buffer.UndoCount() > 0 && buffer.CurrentGroup() == group);
  }
  if (!consistent) buffer.Clear();
  if (!applied) return false;

  // The flag the text had before the group (set again by a save point in between).
  if (modified_ != step.Modified) {
    modified_ = step.Modified;
    for (TParaListView* view : views_) view->ModifiedChanged();
  }
  para = std::clamp(step.Para, 1, paraCount_);
  pos = std::max(step.Pos, 1);
  return true;
}

// Redo takes the records of the next group, oldest first, and applies each again; every
// record first remembers the flag the text has before it.
bool TParaList::Redo(std::int32_t& para, std::int32_t& pos) {
  TUndoBuffer& buffer = *undo_;
  if (buffer.RedoCount() <= 0) return false;

  bool applied = false;
  bool consistent = true;
  std::int32_t caretPara = 1;
  std::int32_t caretPos = 1;
  {
    TRestore<bool> replaying(replaying_, true);
    TRestore<std::int32_t> paraLimit(paraLimit_, kMaxInt32);
    TRestore<std::int32_t> byteLimit(byteLimit_, kMaxInt32);
    TRestore<std::int32_t> paraLengthLimit(paraLengthLimit_, kMaxParaLength);

    const std::uint8_t group = buffer.NextGroup();
    do {
      const TUndoStep next = buffer.PeekRedo();
      if (next.Kind == ukDeletePara && GetPara(next.Para) != next.Node) {
        consistent = false;
        break;
      }
      const TUndoStep step = buffer.TakeRedo(modified_);
      applied = true;
      caretPara = step.Para;
      caretPos = step.Pos;
      std::uint16_t code = 0;
      switch (step.Kind) {
        case ukCaret: break;
        case ukInsertText:
          code = InsertText(step.Para, step.Pos, step.Data, step.Length);
          caretPos = step.Pos + step.Length;
          break;
        case ukInsertParaBefore:
          LinkParaBefore(step.Node, step.Para);
          caretPara = step.Para + 1;
          caretPos = 1;
          break;
        case ukInsertParaAfter:
          LinkParaAfter(step.Node, step.Para);
          caretPara = step.Para + 1;
          caretPos = 1;
          break;
        case ukDeleteText: code = DeleteText(step.Para, step.Pos, step.Length); break;
        case ukDeletePara:
          DeletePara(step.Para);
          caretPos = 1;
          break;
        case ukReplaceText:
          code = ReplaceText(step.Para, step.Pos, step.Length, step.NewData, step.NewLength);
          caretPos = step.Pos + step.NewLength;
          break;
      }
      // As in Undo: the newer records no longer describe the text.
      if (code != 0) {
        consistent = false;
        break;
      }
    } while (buffer.RedoCount() > 0 && buffer.NextGroup() == group);
  }
  if (!consistent) buffer.Clear();
  if (!applied) return false;

  para = std::clamp(caretPara, 1, paraCount_);
  pos = std::max(caretPos, 1);
  return true;
}

std::int32_t TParaList::UndoCount() const {
  return undo_->UndoCount();
}

std::int32_t TParaList::RedoCount() const {
  return undo_->RedoCount();
}

void TParaList::ClearUndo() {
  undo_->Clear();
}

std::uint16_t TParaList::UndoBufferSize() const {
  return undo_->Size();
}

void TParaList::SetUndoBufferSize(std::uint16_t size) {
  // The old block goes first so that its memory can serve the new one.
  undo_.reset();
  undo_ = std::make_unique<TUndoBuffer>(size);
}

}  // namespace quilmo
