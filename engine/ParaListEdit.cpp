// The editing primitives on characters and whole paragraphs. Each checks the limits, edits,
// keeps the counts and the wrap up to date, writes its undo record (not while replaying),
// sets `Modified` and the repaint range and, while markers are tracked, moves the markers
// and tells every view.

#include <algorithm>
#include <string>

#include "engine/EditorErrors.h"
#include "engine/ParaList.h"
#include "engine/UndoBuffer.h"

namespace quilmo {
namespace {

// Characters an edit removes, kept for its undo record (the engine runs on one thread).
std::string& Removed() {
  static std::string removed;
  return removed;
}

}  // namespace

std::uint16_t TParaList::InsertText(std::int32_t para, std::int32_t pos, const char* text, std::int32_t count,
                                    TParaListView* sender) {
  TRepaintScope scope(*this);
  TParaNode* node = GetPara(para);
  if (node == nullptr || count <= 0) return 0;
  pos = std::max(pos, 1);
  const std::int32_t length = node->length_;
  // Blanks that fill the virtual space up to the position count against the limits too.
  const std::int64_t pad = std::max<std::int64_t>(0, std::int64_t{pos} - 1 - length);
  if (std::uint16_t code = CheckLimits(para, 0, pad + count)) return code;
  if (pad > 0 && trackMarkers_ && !views_.empty()) {
    for (TParaListView* view : views_) view->CharsReplacing(para, length + 1, 0);
    node = GetPara(para);  // the views may have moved the cached place
  }
  const std::int32_t oldLines = node->lineCount_;
  std::int32_t firstChanged = 0;
  std::int32_t lastChanged = 0;
  if (std::uint16_t code =
          node->Insert(pos - 1, text, count, EffectiveWrapColumn(), tabSize_, firstChanged, lastChanged)) {
    return code;
  }
  AddParaRepaint(firstChanged, lastChanged, node->lineCount_ != oldLines);
  // With blanks added, the record starts at the old end so that undo removes them too.
  if (pad == 0) {
    Record(ukInsertText, node->text_ + pos - 1, count, pos, para);
  } else {
    Record(ukInsertText, node->text_ + length, static_cast<std::int32_t>(pad) + count, length + 1, para);
  }
  if (observer_ != nullptr) {
    const std::int32_t at = pad == 0 ? pos : length + 1;
    observer_->TextInserted(para, at, node->text_ + at - 1, static_cast<std::int32_t>(pad) + count);
  }
  byteCount_ += static_cast<std::int32_t>(pad) + count;
  lineCount_ += node->lineCount_ - oldLines;
  SetModified(true);
  if (trackMarkers_) {
    MarkersInserted(para, pos, count);
    for (std::size_t i = 0; i < views_.size(); ++i)
      views_[i]->CharsInserted(para, pos, count, views_[i] == sender);
  }
  return 0;
}

std::uint16_t TParaList::DeleteText(std::int32_t para, std::int32_t pos, std::int32_t count,
                                    TParaListView* sender) {
  TRepaintScope scope(*this);
  TParaNode* node = GetPara(para);
  if (node == nullptr || pos < 1) return 0;
  count = std::min(count, node->length_ - pos + 1);
  if (count <= 0) return 0;
  if (trackMarkers_ && !views_.empty()) {
    for (TParaListView* view : views_) view->CharsDeleting(para, pos, count);
    node = GetPara(para);  // the views may have moved the cached place
  }
  std::string& removed = Removed();
  removed.assign(node->text_ + pos - 1, static_cast<std::size_t>(count));
  const std::int32_t oldLines = node->lineCount_;
  std::int32_t firstChanged = 0;
  std::int32_t lastChanged = 0;
  if (std::uint16_t code =
          node->Delete(pos - 1, count, EffectiveWrapColumn(), tabSize_, firstChanged, lastChanged)) {
    return code;
  }
  AddParaRepaint(firstChanged, lastChanged, node->lineCount_ != oldLines);
  Record(ukDeleteText, removed.data(), count, pos, para);
  if (observer_ != nullptr) observer_->TextDeleted(para, pos, count);
  byteCount_ -= count;
  lineCount_ += node->lineCount_ - oldLines;
  SetModified(true);
  if (trackMarkers_) {
    MarkersDeleted(para, pos, count);
    for (std::size_t i = 0; i < views_.size(); ++i)
      views_[i]->CharsDeleted(para, pos, count, views_[i] == sender);
  }
  return 0;
}

std::uint16_t TParaList::ReplaceText(std::int32_t para, std::int32_t pos, std::int32_t oldLength,
                                     const char* text, std::int32_t newLength, TParaListView* sender) {
  TRepaintScope scope(*this);
  TParaNode* node = GetPara(para);
  if (node == nullptr || pos < 1) return 0;
  const std::int32_t length = node->length_;
  newLength = std::max(newLength, 0);
  // Behind the end the replacement is an insertion at the end of blanks and the new text.
  std::int64_t pad = 0;
  if (pos > length + 1) {
    pad = std::int64_t{pos} - 1 - length;
    pos = length + 1;
  }
  oldLength = std::clamp(oldLength, 0, length - pos + 1);
  if (oldLength == 0 && newLength == 0) return 0;  // no blanks for nothing behind the end
  const std::int64_t added = pad + newLength;
  // A growing replacement must respect the limits like an insertion.
  if (added > oldLength) {
    if (std::uint16_t code = CheckLimits(para, 0, added - oldLength)) return code;
  }
  if (trackMarkers_ && !views_.empty()) {
    for (TParaListView* view : views_) {
      view->CharsReplacing(para, pos, oldLength);
      if (newLength < oldLength) view->CharsDeleting(para, pos + newLength, oldLength - newLength);
    }
    node = GetPara(para);  // the views may have moved the cached place
  }
  std::string& removed = Removed();
  removed.assign(node->Text() + pos - 1, static_cast<std::size_t>(oldLength));
  const std::int32_t oldLines = node->lineCount_;
  std::int32_t firstChanged = 0;
  std::int32_t lastChanged = 0;
  const std::uint16_t code = pad > 0
                                 ? node->Insert(static_cast<std::int32_t>(pos - 1 + pad), text, newLength,
                                                EffectiveWrapColumn(), tabSize_, firstChanged, lastChanged)
                                 : node->Replace(pos - 1, oldLength, text, newLength, EffectiveWrapColumn(),
                                                 tabSize_, firstChanged, lastChanged);
  if (code != 0) return code;
  newLength = static_cast<std::int32_t>(added);
  AddParaRepaint(firstChanged, lastChanged, node->lineCount_ != oldLines);
  if (!replaying_) {
    undo_->AddReplaceRecord(modified_, para, pos, removed.data(), oldLength, node->text_ + pos - 1,
                            newLength);
  }
  if (observer_ != nullptr) observer_->TextReplaced(para, pos, oldLength, node->text_ + pos - 1, newLength);
  byteCount_ += newLength - oldLength;
  lineCount_ += node->lineCount_ - oldLines;
  SetModified(true);
  if (trackMarkers_) {
    MarkersReplaced(para, pos, oldLength, newLength);
    // Views follow the change in length, at the end of the replaced run. A replacement of
    // the same length moves no place but may wrap the paragraph anew: it reaches the views
    // as an insertion of no characters.
    for (std::size_t i = 0; i < views_.size(); ++i) {
      if (newLength < oldLength) {
        views_[i]->CharsDeleted(para, pos + newLength, oldLength - newLength, views_[i] == sender);
      } else {
        views_[i]->CharsInserted(para, pos + oldLength, newLength - oldLength, views_[i] == sender);
      }
    }
  }
  return 0;
}

std::uint16_t TParaList::InsertParaBefore(std::int32_t para, const char* text, std::int32_t count,
                                          TParaListView* sender) {
  TRepaintScope scope(*this);
  TParaNode* before = GetPara(para);
  if (before == nullptr) return 0;
  count = std::max(count, 0);
  if (std::uint16_t code = CheckLimits(0, 1, std::int64_t{count} + 2)) return code;
  if (count > paraLengthLimit_) return ErrParaTooLong;
  const std::int32_t line = cacheLine_;
  TParaNode* node = NewNode(text, count);
  if (node == nullptr) return ErrOutOfMemory;
  Record(ukInsertParaBefore, nullptr, 0, 1, para, node);
  AddLinked(node, before, para, line, sender);
  return 0;
}

std::uint16_t TParaList::InsertParaAfter(std::int32_t para, const char* text, std::int32_t count,
                                         TParaListView* sender) {
  TRepaintScope scope(*this);
  TParaNode* after = GetPara(para);
  if (after == nullptr) return 0;
  count = std::max(count, 0);
  // The callers check the limits; a paragraph can still never outgrow its 16-bit length.
  if (count > kMaxParaLength) return ErrParaTooLong;
  const std::int32_t line = cacheLine_ + after->lineCount_;
  TParaNode* node = NewNode(text, count);
  if (node == nullptr) return ErrOutOfMemory;
  Record(ukInsertParaAfter, nullptr, 0, 1, para, node);
  AddLinked(node, after->next_, para + 1, line, sender);
  return 0;
}

void TParaList::DeletePara(std::int32_t para, TParaListView* sender) {
  TRepaintScope scope(*this);
  // The list always keeps one paragraph.
  if (para < 1 || para > paraCount_ || paraCount_ == 1) return;
  if (trackMarkers_) {
    for (TParaListView* view : views_) view->ParaDeleting(para);
  }
  TParaNode* node = GetPara(para);
  if (node == nullptr) return;
  const std::int32_t line = cacheLine_;
  const bool owned = Record(ukDeletePara, nullptr, 0, 1, para, node);
  if (para == 1) {
    SetCache(node->next_, 1, 1, 0);
  } else {
    SetCache(node->prev_, para - 1, line - node->prev_->lineCount_, 0);
  }
  Unlink(node);
  if (observer_ != nullptr) observer_->ParaDeleted(para);
  --paraCount_;
  lineCount_ -= node->lineCount_;
  byteCount_ -= node->length_ + 2;
  // A stored record owns the paragraph now; while replaying, the record being replayed does.
  if (!owned && !replaying_) delete node;
  AddRepaint(line, kMaxInt32);
  SetModified(true);
  if (trackMarkers_) {
    MarkersParaDeleted(para);
    for (std::size_t i = 0; i < views_.size(); ++i) views_[i]->ParaDeleted(para, views_[i] == sender);
  }
}

bool TParaList::BeginGroup() {
  return undo_->BeginGroup();
}

void TParaList::EndGroup(bool wasInGroup) {
  undo_->EndGroup(wasInGroup);
}

}  // namespace quilmo
