// Undo and redo of the paragraph list: replays the records of its undo buffer.

#include <algorithm>
#include <memory>
#include <string_view>

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

namespace {

constexpr std::uint64_t kHeader = kUndoHeaderSize;
// A paragraph record keeps the paragraph's address.
constexpr std::uint64_t kParaRecord = kHeader + sizeof(void*);

std::uint64_t Breaks(std::string_view text) {
  return static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n'));
}

// A split behind inserted text: two caret records, the new paragraph, and the deletion of
// the moved tail with the blanks before it (at most the whole paragraph).
std::uint64_t SplitCost(std::uint64_t paraLength) {
  return 3 * kHeader + kParaRecord + paraLength;
}

}  // namespace

// The first line goes into the paragraph and splits it; every further line is a paragraph of
// its own in front of the moved tail (one paragraph record), the last one goes into the tail.
std::uint64_t TParaList::InsertUndoCost(std::int64_t paraLength, std::string_view text) {
  const auto length = static_cast<std::uint64_t>(std::max<std::int64_t>(paraLength, 0));
  const std::size_t firstBreak = text.find('\n');
  if (firstBreak == std::string_view::npos) return kHeader + length + text.size();
  const std::uint64_t first = length + firstBreak;
  return kHeader + first + SplitCost(first) + kParaRecord * Breaks(text) + kHeader + text.size();
}

// Whole paragraphs go as paragraph records; the start paragraph's rest and the end
// paragraph's head as text, and the join copies the end paragraph's rest.
std::uint64_t TParaList::RegionUndoCost(std::int32_t startPara, std::int32_t startPos, std::int32_t endPara,
                                        std::int32_t endPos) {
  if (endPara <= startPara) return kHeader + static_cast<std::uint64_t>(std::max(endPos - startPos, 0));
  const auto startLength = static_cast<std::uint64_t>(ParaLength(startPara));
  const auto endLength = static_cast<std::uint64_t>(ParaLength(endPara));
  const auto paras = static_cast<std::uint64_t>(endPara) - static_cast<std::uint64_t>(startPara) + 1;
  return paras * kParaRecord + 4 * kHeader + startLength + 2 * endLength;
}

std::uint64_t TParaList::ReplaceUndoCost(std::int64_t paraLength, std::int32_t oldLength,
                                         std::string_view lines) {
  const std::uint64_t replace =
      kHeader + 2 + static_cast<std::uint64_t>(std::max(oldLength, 0)) + lines.size();
  if (lines.find('\n') == std::string_view::npos) return replace;
  const auto length = static_cast<std::uint64_t>(std::max<std::int64_t>(paraLength, 0));
  return replace + InsertUndoCost(length + lines.size(), lines);
}

void TParaList::SetUndoBufferSize(std::uint16_t size) {
  // The old block goes first so that its memory can serve the new one.
  undo_.reset();
  undo_ = std::make_unique<TUndoBuffer>(size);
}

}  // namespace quilmo
