// Appending paragraphs at the end of the list, as loading a file does for every line.

#include <new>

#include "engine/EditorErrors.h"
#include "engine/ParaList.h"

namespace quilmo {

TParaList::TAppender::TAppender(TParaList& list, bool trimWhiteSpace)
    : list_(list),
      scope_(list),
      trim_(trimWhiteSpace),
      wrapColumn_(list.EffectiveWrapColumn()),
      tabSize_(list.tabSize_),
      lengthLimit_(static_cast<std::size_t>(list.paraLengthLimit_)),
      paraCountLimit_(list.ParaCountLimit(0)),
      firstLine_(list.lineCount_ - list.last_->lineCount_ + 1),
      lastPara_(list.paraCount_) {}

TParaList::TAppender::~TAppender() {
  if (added_ == 0) return;
  list_.SetCache(list_.first_, 1, 1, 0);
  // Markers in the last paragraph stay with it.
  for (TMarker& m : list_.markers_) {
    if (m.Para == lastPara_) m.Para += added_;
  }
  list_.AddRepaint(firstLine_, kMaxInt32);
}

std::uint16_t TParaList::TAppender::Fits(std::size_t length) const {
  if (std::int64_t{list_.paraCount_} + 1 > paraCountLimit_) return ErrTooManyParas;
  if (std::int64_t{list_.byteCount_} + static_cast<std::int64_t>(length) + 2 > list_.byteLimit_)
    return ErrTextTooLarge;
  return 0;
}

std::uint16_t TParaList::TAppender::Append(std::string_view text) {
  TParaList& list = list_;
  std::size_t start = 0;
  do {
    const std::size_t remaining = text.size() - start;
    if (std::uint16_t code = Fits(remaining)) return code;
    const std::size_t piece =
        remaining <= lengthLimit_ ? remaining : NextPieceLength(text.substr(start), lengthLimit_);
    std::size_t kept = piece;
    if (trim_) {
      while (kept > 0 && IsBlank(text[start + kept - 1])) --kept;
    }
    TParaNode* node = nullptr;
    try {
      node = new TParaNode(text.data() + start, static_cast<std::int32_t>(kept), wrapColumn_, tabSize_);
    } catch (const std::bad_alloc&) {
      return ErrOutOfMemory;
    }
    list.Link(node, list.last_);
    if (list.observer_ != nullptr) list.observer_->ParaInserted(list.paraCount_, node->text_, node->length_);
    ++list.paraCount_;
    ++added_;
    list.byteCount_ += static_cast<std::int32_t>(kept) + 2;
    list.lineCount_ += node->lineCount_;
    start += piece;
  } while (start < text.size());
  return 0;
}

}  // namespace quilmo
