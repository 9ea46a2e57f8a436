// The compound primitives (split, join, region deletion, multi-line insertion), built on the
// primitives of ParaListEdit.cpp inside one undo group, and AppendPara used by loading.

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/EditorErrors.h"
#include "engine/ParaList.h"
#include "engine/UndoBuffer.h"
#include "engine/UndoGroup.h"

namespace quilmo {
std::uint16_t TParaList::SplitPara(std::int32_t para, std::int32_t pos, bool trim, std::int32_t indent,
                                   std::int32_t tabSize, TParaListView* sender) {
  TRepaintScope scope(*this);
  TParaNode* node = GetPara(para);
  if (node == nullptr) return 0;
  const std::int32_t length = node->length_;
  pos = std::clamp(pos, 1, length + 1);
  if (pos == 1) return InsertParaBefore(para, "", 0, sender);
  // The new paragraph must be allowed before anything changes.
  if (std::uint16_t code = CheckLimits(0, 1, 2)) return code;

  TUndoGroup group(*this);
  Record(ukCaret, nullptr, 0, pos, para);
  const bool tracking = trackMarkers_;
  trackMarkers_ = false;
  std::uint16_t result = InsertParaAfter(para, node->Text() + pos - 1, length - pos + 1, sender);
  if (result == 0 && length >= pos) {
    const std::int32_t blanks = trim ? node->BlanksBefore(pos) : 0;
    result = DeleteText(para, pos - blanks, length - pos + 1 + blanks, sender);
  }
  if (result == 0 && indent > 0) {
    std::string text;
    if (tabSize > 0) {
      text.assign(static_cast<std::size_t>(indent / tabSize), '\t');
      text.append(static_cast<std::size_t>(indent % tabSize), ' ');
    } else {
      text.assign(static_cast<std::size_t>(indent), ' ');
    }
    indent = static_cast<std::int32_t>(text.size());
    // Without room for the indentation the new paragraph simply starts unindented.
    if (InsertText(para + 1, 1, text.data(), indent, sender) != 0) indent = 0;
  } else {
    indent = 0;
  }
  Record(ukCaret, nullptr, 0, indent + 1, para + 1);
  trackMarkers_ = tracking;
  if (result == 0 && tracking) {
    MarkersSplit(para, pos, indent);
    for (std::size_t i = 0; i < views_.size(); ++i)
      views_[i]->ParaInserted(para, pos, indent, views_[i] == sender);
  }
  return result;
}

std::uint16_t TParaList::MergeParas(std::int32_t para, std::int32_t pos, TParaListView* sender) {
  TRepaintScope scope(*this);
  TParaNode* node = GetPara(para);
  if (node == nullptr || node->next_ == nullptr) return 0;
  const std::int32_t length = node->length_;
  pos = std::max(pos, length + 1);  // the next paragraph's text goes behind the end
  const std::int32_t nextLength = node->next_->length_;
  if (pos > 1 && CheckLimits(para, 0, std::int64_t{nextLength} + pos - length - 1) != 0)
    return ErrJoinTooLong;
  const bool tracking = trackMarkers_;
  if (tracking) {
    for (TParaListView* view : views_) view->ParasJoining(para, pos);
  }

  TUndoGroup group(*this);
  std::uint16_t result = 0;
  std::int32_t joinedAt = pos;  // where the next paragraph's text now starts
  if (pos == 1) {
    trackMarkers_ = false;
    DeletePara(para, sender);
    trackMarkers_ = tracking;
  } else {
    trackMarkers_ = false;
    if (nextLength > 0) result = InsertText(para, pos, node->next_->text_, nextLength, sender);
    // An empty next paragraph brings no blanks along: what followed it follows the end.
    if (nextLength == 0) joinedAt = length + 1;
    if (result == 0) DeletePara(para + 1, sender);
    trackMarkers_ = tracking;
    Record(ukCaret, nullptr, 0, pos, para);
  }
  if (result == 0 && tracking) {
    MarkersJoined(para, joinedAt);
    for (std::size_t i = 0; i < views_.size(); ++i)
      views_[i]->ParasJoined(para, joinedAt, views_[i] == sender);
  }
  return result;
}

std::uint16_t TParaList::DeleteRegion(std::int32_t startPara, std::int32_t startPos, std::int32_t endPara,
                                      std::int32_t endPos, TParaListView* sender) {
  TRepaintScope scope(*this);
  if (startPara < 1 || startPara > paraCount_) return 0;
  if (endPara > paraCount_) {
    // Up to the end of the text.
    endPara = paraCount_;
    endPos = ParaLength(endPara) + 1;
  }
  if (endPara < startPara) return 0;
  // Positions outside a paragraph mean its start or its end; this also keeps the
  // arithmetic below inside 32 bits.
  startPos = std::clamp(startPos, 1, ParaLength(startPara) + 1);
  endPos = std::clamp(endPos, 1, ParaLength(endPara) + 1);
  if (endPara == startPara) {
    return endPos > startPos ? DeleteText(startPara, startPos, endPos - startPos, sender) : 0;
  }
  TUndoGroup group(*this);
  if (startPos == 1 && endPos == 1) {
    for (std::int32_t i = startPara; i < endPara; ++i) DeletePara(startPara, sender);
    return 0;
  }
  const std::int32_t length = ParaLength(startPara);
  if (startPos <= length) {
    if (std::uint16_t code = DeleteText(startPara, startPos, length - startPos + 1, sender)) return code;
  }
  if (endPos > 1) {
    if (std::uint16_t code = DeleteText(endPara, 1, endPos - 1, sender)) return code;
  }
  for (std::int32_t i = startPara + 1; i < endPara; ++i) DeletePara(startPara + 1, sender);
  // A join that would be too long leaves the two paragraphs apart; that is the region's
  // intended outcome, not a failure.
  const std::uint16_t code = MergeParas(startPara, ParaLength(startPara) + 1, sender);
  return code == ErrJoinTooLong ? 0 : code;
}

std::uint16_t TParaList::InsertMultiLine(std::int32_t& para, std::int32_t& pos, std::string_view text,
                                         TParaListView* sender) {
  TRepaintScope scope(*this);
  // A position before the start means the start, as for InsertText; `pos` then follows the
  // characters actually inserted, and each break splits the paragraph behind them.
  pos = std::max(pos, 1);
  std::string copy;
  copy.reserve(text.size());
  for (char c : text) {
    if (c != '\r') copy.push_back(c);
  }
  if (copy.find('\n') == std::string::npos) {
    const auto count = static_cast<std::int32_t>(copy.size());
    const std::uint16_t result = InsertText(para, pos, copy.data(), count, sender);
    if (result == 0) pos += count;
    return result;
  }

  TUndoGroup group(*this);
  std::uint16_t result = 0;
  std::size_t start = 0;
  while (start < copy.size() && result == 0) {
    const std::size_t lf = copy.find('\n', start);
    const bool lineEnd = lf != std::string::npos;
    const std::size_t end = lineEnd ? lf : copy.size();
    const char* segment = copy.data() + start;
    const auto count = static_cast<std::int32_t>(end - start);
    if (lineEnd && pos == 1) {
      result = InsertParaBefore(para, segment, count, sender);
    } else {
      if (count > 0) {
        result = InsertText(para, pos, segment, count, sender);
        if (result == 0) pos += count;
      }
      if (result == 0 && lineEnd) result = SplitPara(para, pos, true, 0, 0, sender);
    }
    if (result == 0 && lineEnd) {
      ++para;
      pos = 1;
    }
    start = end + 1;
  }
  if (!repaintFresh_) {
    // From the line before the first one touched to the end of the text.
    repaintFirst_ = std::max(1, repaintFirst_ - 1);
    repaintLast_ = kMaxInt32;
  }
  return result;
}

std::size_t NextPieceLength(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  for (std::size_t i = limit; i > 0; --i) {
    if (IsBlank(text[i - 1])) return i;
  }
  return limit;
}

std::uint16_t TParaList::AppendPara(std::string_view text, bool trimWhiteSpace) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  TAppender appender(*this, trimWhiteSpace);
  return appender.Append(text);
}

}  // namespace quilmo
