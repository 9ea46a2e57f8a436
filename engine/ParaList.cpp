// The paragraph list: construction, settings, counts, lookups, limits and re-wrapping.
// The editing primitives are in ParaListEdit.cpp and ParaListInsert.cpp.

#include "engine/ParaList.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "engine/EditorErrors.h"
#include "engine/UndoBuffer.h"

namespace quilmo {

TParaList::TParaList(bool wordWrap, std::uint16_t undoBufferSize) : wordWrap_(wordWrap) {
  undo_ = std::make_unique<TUndoBuffer>(undoBufferSize);
  first_ = last_ = cacheNode_ = new TParaNode("", 0, EffectiveWrapColumn(), tabSize_);
}

TParaList::~TParaList() {
  if (observer_ != nullptr) observer_->ListDestroyed();
  undo_.reset();  // destroys the paragraphs its records own
  TParaNode* node = first_;
  while (node != nullptr) {
    TParaNode* next = node->next_;
    delete node;
    node = next;
  }
}

void TParaList::AddView(TParaListView* view) {
  if (view != nullptr && std::find(views_.begin(), views_.end(), view) == views_.end())
    views_.push_back(view);
}

void TParaList::RemoveView(TParaListView* view) {
  std::erase(views_, view);
}

// ---- Settings ----

void TParaList::SetParaLimit(std::int32_t value) {
  if (value >= 1) paraLimit_ = value;
}

void TParaList::SetByteLimit(std::int32_t value) {
  if (value >= 0) byteLimit_ = value;
}

void TParaList::SetParaLengthLimit(std::int32_t value) {
  if (value >= 1 && value <= kMaxParaLength) paraLengthLimit_ = value;
}

void TParaList::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  RewrapAll();
}

void TParaList::SetWrapColumn(std::int32_t value) {
  if (value < 1 || value == wrapColumn_) return;
  wrapColumn_ = value;
  if (wordWrap_) RewrapAll();
}

void TParaList::SetTabSize(std::uint8_t value) {
  if (value == 0 || value == tabSize_) return;
  tabSize_ = value;
  if (wordWrap_) RewrapAll();
}

std::int32_t TParaList::EffectiveWrapColumn() const {
  return wordWrap_ ? wrapColumn_ : kMaxParaLength;
}

void TParaList::RewrapAll() {
  const bool busy = byteCount_ > 10000 && !views_.empty();
  if (busy) views_.front()->BusyCursor(true);
  const std::int32_t wrapColumn = EffectiveWrapColumn();
  std::int32_t lines = 0;
  for (TParaNode* node = first_; node != nullptr; node = node->next_) {
    // Without memory for a larger table a paragraph keeps its former (still valid) lines.
    node->Wrap(wrapColumn, tabSize_);
    lines += node->lineCount_;
  }
  lineCount_ = lines;
  SetCache(first_, 1, 1, 0);
  repaintFirst_ = 1;
  repaintLast_ = kMaxInt32;
  if (busy) views_.front()->BusyCursor(false);
  for (std::size_t i = 0; i < views_.size(); ++i) views_[i]->TextRewrapped();
}

void TParaList::SetModified(bool value) {
  if (value == modified_) return;
  modified_ = value;
  if (!value) undo_->MarkModified();
  for (std::size_t i = 0; i < views_.size(); ++i) views_[i]->ModifiedChanged();
}

void TParaList::SetMarkerPos(int n, std::int32_t para, std::int32_t pos) {
  if (n < 0 || n >= 10) return;
  markers_[static_cast<std::size_t>(n)] = {para, pos};
}

void TParaList::SetMarker(int n, std::int32_t line, std::int32_t column) {
  if (n < 0 || n >= 10) return;
  std::int32_t para = 0;
  std::int32_t offset = 0;
  LineToPara(line, para, offset);
  markers_[static_cast<std::size_t>(n)] = {para, offset + column};
}

// ---- Lookups ----

void TParaList::SetCache(TParaNode* node, std::int32_t para, std::int32_t line, std::int32_t lineIndex) {
  cacheNode_ = node;
  cachePara_ = para;
  cacheLine_ = line;
  cacheLineIndex_ = lineIndex;
}

TParaNode* TParaList::FindPara(std::int32_t para, std::int32_t& line) const {
  if (para < 1 || para > paraCount_) return nullptr;
  if (para == cachePara_) {
    line = cacheLine_;
    return cacheNode_;
  }
  if (para == 1) {
    line = 1;
    return first_;
  }
  if (para == paraCount_) {
    line = lineCount_ - last_->lineCount_ + 1;
    return last_;
  }
  // Walk from the nearest of the first, the cached and the last paragraph.
  TParaNode* node = first_;
  std::int32_t number = 1;
  line = 1;
  std::int32_t distance = para - 1;
  if (std::abs(para - cachePara_) < distance) {
    node = cacheNode_;
    number = cachePara_;
    line = cacheLine_;
    distance = std::abs(para - cachePara_);
  }
  if (paraCount_ - para < distance) {
    node = last_;
    number = paraCount_;
    line = lineCount_ - last_->lineCount_ + 1;
  }
  while (number < para) {
    line += node->lineCount_;
    node = node->next_;
    ++number;
  }
  while (number > para) {
    node = node->prev_;
    line -= node->lineCount_;
    --number;
  }
  return node;
}

TParaNode* TParaList::GetPara(std::int32_t para) {
  std::int32_t line = 0;
  TParaNode* node = FindPara(para, line);
  if (node != nullptr) SetCache(node, para, line, 0);
  return node;
}

const char* TParaList::GetLine(std::int32_t line, std::int32_t& length) {
  length = 0;
  if (line < 1 || line > lineCount_) return "";
  if (!wordWrap_) {
    TParaNode* node = GetPara(line);
    length = node->length_;
    return node->Text();
  }
  TParaNode* node;
  std::int32_t para;
  std::int32_t first;  // first display line of `node`
  const std::int32_t lastFirst = lineCount_ - last_->lineCount_ + 1;
  if (line >= cacheLine_ && line < cacheLine_ + cacheNode_->lineCount_) {
    node = cacheNode_, para = cachePara_, first = cacheLine_;
  } else if (line < 1 + first_->lineCount_) {
    node = first_, para = 1, first = 1;
  } else if (line >= lastFirst) {
    node = last_, para = paraCount_, first = lastFirst;
  } else {
    // Nearest anchor by line number, then step paragraph by paragraph.
    node = first_, para = 1, first = 1;
    std::int32_t distance = line - 1;
    if (std::abs(line - cacheLine_) < distance) {
      node = cacheNode_, para = cachePara_, first = cacheLine_;
      distance = std::abs(line - cacheLine_);
    }
    if (lineCount_ - line < distance) node = last_, para = paraCount_, first = lastFirst;
    while (line >= first + node->lineCount_) {
      first += node->lineCount_;
      node = node->next_;
      ++para;
    }
    while (line < first) {
      node = node->prev_;
      first -= node->lineCount_;
      --para;
    }
  }
  SetCache(node, para, first, line - first);
  return node->LineText(line - first, length);
}

void TParaList::PosToLine(std::int32_t para, std::int32_t pos, std::int32_t& line, std::int32_t& column) {
  para = std::clamp(para, 1, paraCount_);
  TParaNode* node = GetPara(para);
  std::int32_t index = 0;
  node->PosToLineIndex(pos, index, column);
  cacheLineIndex_ = index;
  line = cacheLine_ + index;
}

void TParaList::LineToPara(std::int32_t line, std::int32_t& para, std::int32_t& offset) {
  line = std::clamp(line, 1, lineCount_);
  std::int32_t length = 0;
  GetLine(line, length);
  para = cachePara_;
  offset = cacheNode_->LineStart(cacheLineIndex_);
}

std::int32_t TParaList::ParaLength(std::int32_t para) {
  TParaNode* node = GetPara(para);
  return node != nullptr ? node->length_ : 0;
}

std::int32_t TParaList::LineLength(std::int32_t line) {
  std::int32_t length = 0;
  GetLine(line, length);
  return length;
}

std::uint16_t TParaList::CheckLimits(std::int32_t targetPara, std::int32_t parasToAdd,
                                     std::int64_t bytesToAdd) const {
  if (parasToAdd > 0 || targetPara > paraLimit_) {
    if (std::int64_t{paraCount_} + parasToAdd > ParaCountLimit(targetPara)) return ErrTooManyParas;
  }
  if (std::int64_t{byteCount_} + bytesToAdd > byteLimit_) return ErrTextTooLarge;
  if (targetPara == 0 || parasToAdd > 0) return 0;
  std::int32_t line = 0;
  const TParaNode* node = FindPara(targetPara, line);
  if (node != nullptr && node->length_ + bytesToAdd > paraLengthLimit_) return ErrParaTooLong;
  return 0;
}

// ---- Shared steps of the primitives ----

std::int64_t TParaList::ParaCountLimit(std::int32_t targetPara) const {
  // An empty last paragraph is not counted.
  std::int64_t limit = paraLimit_;
  if (targetPara <= paraLimit_ && paraLimit_ != kMaxInt32 && last_->length_ == 0) ++limit;
  return limit;
}

void TParaList::AddRepaint(std::int32_t first, std::int32_t last) {
  if (repaintFresh_ || repaintDepth_ == 0) {
    repaintFirst_ = first;
    repaintLast_ = last;
    repaintFresh_ = false;
  } else {
    repaintFirst_ = std::min(repaintFirst_, first);
    repaintLast_ = std::max(repaintLast_, last);
  }
}

void TParaList::AddParaRepaint(std::int32_t firstChanged, std::int32_t lastChanged, bool lineCountChanged) {
  AddRepaint(cacheLine_ + firstChanged, lineCountChanged ? kMaxInt32 : cacheLine_ + lastChanged);
}

void TParaList::Link(TParaNode* node, TParaNode* before) {
  TParaNode* after = before != nullptr ? before->prev_ : last_;
  node->prev_ = after;
  node->next_ = before;
  (after != nullptr ? after->next_ : first_) = node;
  (before != nullptr ? before->prev_ : last_) = node;
}

void TParaList::Unlink(TParaNode* node) {
  (node->prev_ != nullptr ? node->prev_->next_ : first_) = node->next_;
  (node->next_ != nullptr ? node->next_->prev_ : last_) = node->prev_;
  node->next_ = node->prev_ = nullptr;
}

bool TParaList::Record(TUndoKind kind, const char* data, std::int32_t length, std::int32_t pos,
                       std::int32_t para, TParaNode* node) {
  if (replaying_) return false;
  return undo_->AddRecord(kind, modified_, data, length, pos, para, node);
}

void TParaList::LinkNode(TParaNode* node, std::int32_t para) {
  TRepaintScope scope(*this);
  para = std::clamp(para, 1, paraCount_ + 1);
  // Present settings; without memory for a larger table the node keeps its former lines.
  node->Wrap(EffectiveWrapColumn(), tabSize_);
  std::int32_t line = lineCount_ + 1;
  TParaNode* before = nullptr;
  if (para <= paraCount_) {
    before = GetPara(para);
    line = cacheLine_;
  }
  AddLinked(node, before, para, line, nullptr);
}

TParaNode* TParaList::NewNode(const char* text, std::int32_t count) const {
  try {
    return new TParaNode(text, count, EffectiveWrapColumn(), tabSize_);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void TParaList::AddLinked(TParaNode* node, TParaNode* before, std::int32_t para, std::int32_t line,
                          TParaListView* sender) {
  Link(node, before);
  if (observer_ != nullptr) observer_->ParaInserted(para, node->text_, node->length_);
  ++paraCount_;
  lineCount_ += node->lineCount_;
  byteCount_ += node->length_ + 2;
  SetCache(node, para, line, 0);
  AddRepaint(line, kMaxInt32);
  SetModified(true);
  if (!trackMarkers_) return;
  MarkersSplit(para, 1, 0);
  for (std::size_t i = 0; i < views_.size(); ++i) views_[i]->ParaInserted(para, 1, 0, views_[i] == sender);
}

void TParaList::LinkParaBefore(TParaNode* node, std::int32_t para) {
  LinkNode(node, para);
}
void TParaList::LinkParaAfter(TParaNode* node, std::int32_t para) {
  LinkNode(node, para + 1);
}
void TParaList::LinkParaAt(TParaNode* node, std::int32_t para) {
  LinkNode(node, para);
}

// ---- Marker rules ----

void TParaList::MarkersInserted(std::int32_t para, std::int32_t pos, std::int32_t count) {
  for (TMarker& m : markers_) {
    if (m.Para == para && m.Pos >= pos) m.Pos += count;
  }
}

void TParaList::MarkersDeleted(std::int32_t para, std::int32_t pos, std::int32_t count) {
  for (TMarker& m : markers_) {
    if (m.Para != para || m.Pos < pos) continue;
    if (m.Pos < pos + count) {
      m = {};
    } else {
      m.Pos -= count;
    }
  }
}

void TParaList::MarkersParaDeleted(std::int32_t para) {
  for (TMarker& m : markers_) {
    if (m.Para == para) {
      m = {};
    } else if (m.Para > para) {
      --m.Para;
    }
  }
}

void TParaList::MarkersSplit(std::int32_t para, std::int32_t pos, std::int32_t indent) {
  for (TMarker& m : markers_) {
    if (m.Para > para) {
      ++m.Para;
    } else if (m.Para == para && m.Pos >= pos) {
      m = {para + 1, indent + (m.Pos - pos) + 1};
    }
  }
}

void TParaList::MarkersJoined(std::int32_t para, std::int32_t pos) {
  for (TMarker& m : markers_) {
    if (m.Para == para + 1) {
      m = {para, m.Pos + pos - 1};
    } else if (m.Para > para + 1) {
      --m.Para;
    }
  }
}

void TParaList::MarkersReplaced(std::int32_t para, std::int32_t pos, std::int32_t oldLength,
                                std::int32_t newLength) {
  for (TMarker& m : markers_) {
    if (m.Para == para && m.Pos >= pos + oldLength) m.Pos += newLength - oldLength;
  }
}

}  // namespace quilmo
