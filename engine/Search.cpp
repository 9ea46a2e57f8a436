#include "engine/Search.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "engine/EditorErrors.h"
#include "engine/ParaList.h"
#include "engine/ParaListView.h"
#include "engine/ParaNode.h"
#include "engine/UndoGroup.h"
#include "engine/WordDelimiters.h"

namespace quilmo {

namespace {

// Shows the busy cursor on the list's first view for the lifetime of the object.
class TBusyCursor {
 public:
  explicit TBusyCursor(TParaList& list) : view_(list.Views().empty() ? nullptr : list.Views().front()) {
    if (view_) view_->BusyCursor(true);
  }
  ~TBusyCursor() {
    if (view_) view_->BusyCursor(false);
  }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  TParaListView* view_;
};

bool Before(TSearchPoint a, TSearchPoint b) {
  return a.Para < b.Para || (a.Para == b.Para && a.Pos < b.Pos);
}

TSearchPoint ClampPoint(const TParaList& list, TSearchPoint p) {
  p.Para = std::clamp(p.Para, 1, list.ParaCount());
  p.Pos = std::max(p.Pos, 1);
  return p;
}

// The character before the occurrence (if any) and the one behind it (if any) end words.
bool IsWholeWord(const char* text, std::int32_t length, std::int32_t m, std::int32_t n) {
  if (m > 1 && !IsWordDelimiter(text[m - 2])) return false;
  if (m - 1 + n < length && !IsWordDelimiter(text[m - 1 + n])) return false;
  return true;
}

class TSearchRun {
 public:
  TSearchRun(TParaList& list, const TSearchRequest& request, TParaListView* sender)
      : list_(list),
        request_(request),
        sender_(sender),
        pattern_(request.Pattern, (request.Options & soMatchCase) != 0, (request.Options & soBackward) != 0),
        replaceAll_((request.Options & soReplaceAll) != 0),
        wholeWord_((request.Options & soWholeWord) != 0),
        count_(request.Count) {
    if (request.Replacement) replacement_ = CutSearchText(*request.Replacement);
    std::remove_copy(replacement_.begin(), replacement_.end(), std::back_inserter(lines_), '\r');
  }

  TSearchResult Run();

 private:
  void SetStartAndScope();
  void Forward();
  void Backward();
  // Replaces the occurrence at (p, m); moves the scope limits behind it and (p, m) behind
  // the replacement. False on failure.
  bool ReplaceAt(std::int32_t& p, std::int32_t& m);
  // The limit a replacement holding line ends would break at (p, m), or 0.
  std::uint16_t CheckSplit(std::int32_t p, std::int32_t m);
  void Select(std::int32_t p, std::int32_t m);

  TParaList& list_;
  const TSearchRequest& request_;
  TParaListView* sender_;
  TSearchPattern pattern_;
  std::string_view replacement_;
  std::string lines_;  // the replacement without CR
  bool replaceAll_;
  bool wholeWord_;
  std::int32_t count_;
  std::uint64_t undoCost_ = 0;
  std::uint16_t error_ = 0;
  bool found_ = false;
  TSearchPoint start_;
  TSearchPoint scopeStart_;
  TSearchPoint scopeEnd_;  // exclusive
  TSearchPoint selStart_;
  TSearchPoint selEnd_;
};

void TSearchRun::SetStartAndScope() {
  const bool backward = (request_.Options & soBackward) != 0;
  const std::int32_t lastPara = list_.ParaCount();
  const TSearchPoint textStart{1, 1};
  // Not ParaLength(lastPara): moving the cursor cache to the end would make the lookup of a
  // caret paragraph in the middle walk half the list on every call.
  const TSearchPoint textEnd{lastPara, list_.LastParaLength() + 1};
  if (request_.Options & soSelectedOnly) {
    TSearchPoint a = ClampPoint(list_, request_.SelStart);
    TSearchPoint b = ClampPoint(list_, request_.SelEnd);
    if (Before(b, a)) std::swap(a, b);
    scopeStart_ = a;
    scopeEnd_ = b;
    start_ = backward ? b : a;
  } else if (request_.Options & soEntireScope) {
    scopeStart_ = textStart;
    scopeEnd_ = textEnd;
    start_ = backward ? textEnd : textStart;
  } else {
    start_ = ClampPoint(list_, request_.Caret);
    scopeStart_ = backward ? textStart : start_;
    scopeEnd_ = backward ? start_ : textEnd;
  }
}

void TSearchRun::Select(std::int32_t p, std::int32_t m) {
  found_ = true;
  selStart_ = {p, m};
  selEnd_ = {p, m + pattern_.Length()};
}

bool TSearchRun::ReplaceAt(std::int32_t& p, std::int32_t& m) {
  const std::int32_t n = pattern_.Length();
  if (request_.CountOnly) {
    undoCost_ += TParaList::ReplaceUndoCost(list_.ParaLength(p), n, lines_);
    ++count_;
    m += n;  // the text is unchanged: go on behind the occurrence
    return true;
  }
  // The replacement without CR; an LF breaks the paragraph, as inserting at the caret does.
  const std::string_view text = lines_;
  const std::size_t firstBreak = text.find('\n');
  const std::string_view head = text.substr(0, firstBreak);
  const bool splits = firstBreak != std::string_view::npos;
  if (splits && (error_ = CheckSplit(p, m)) != 0) return false;

  std::optional<TUndoGroup> group;  // one undo step, like any replacement
  if (splits) group.emplace(list_);
  const auto k = static_cast<std::int32_t>(head.size());
  // ReplaceText refuses a replacement beyond ParaLengthLimit or ByteLimit and changes nothing.
  error_ = list_.ReplaceText(p, m, n, head.data(), k, sender_);
  std::int32_t endPara = p;
  std::int32_t endPos = m + k;
  if (error_ == 0) {
    // Scope limits in this paragraph behind the occurrence follow the change in length.
    for (TSearchPoint* limit : {&scopeStart_, &scopeEnd_})
      if (limit->Para == p && limit->Pos >= m + n) limit->Pos += k - n;
    if (splits) error_ = list_.InsertMultiLine(endPara, endPos, text.substr(firstBreak), sender_);
  }
  group.reset();
  if (error_ != 0) return false;
  ++count_;
  if (splits) {
    // Limits behind the split go to the paragraph holding the replacement's end; later
    // paragraphs move by the paragraphs it added.
    const std::int32_t at = m + k;
    for (TSearchPoint* limit : {&scopeStart_, &scopeEnd_}) {
      if (limit->Para == p && limit->Pos >= at)
        *limit = {endPara, endPos + (limit->Pos - at)};
      else if (limit->Para > p)
        limit->Para += endPara - p;
    }
  }
  p = endPara;
  m = endPos;
  return true;
}

std::uint16_t TSearchRun::CheckSplit(std::int32_t p, std::int32_t m) {
  // Every limit is checked before anything changes: the insertion would otherwise stop half
  // way with the occurrence already replaced.
  const std::int32_t n = pattern_.Length();
  const std::int32_t length = list_.ParaLength(p);
  const auto breaks = static_cast<std::int32_t>(std::count(lines_.begin(), lines_.end(), '\n'));
  const auto characters = static_cast<std::int64_t>(lines_.size()) - breaks;
  if (const std::uint16_t code = list_.CheckLimits(0, breaks, characters - n + 2 * std::int64_t{breaks}))
    return code;
  // The longest paragraph it leaves: the one it starts in, the one it ends in, or a line of it.
  const std::size_t firstBreak = lines_.find('\n');
  const std::size_t lastBreak = lines_.rfind('\n');
  std::int64_t longest =
      std::max(std::int64_t{m} - 1 + static_cast<std::int64_t>(firstBreak),
               static_cast<std::int64_t>(lines_.size() - lastBreak - 1) + (length - (m - 1 + n)));
  for (std::size_t at = firstBreak; at < lastBreak;) {
    const std::size_t next = lines_.find('\n', at + 1);
    longest = std::max(longest, static_cast<std::int64_t>(next - at - 1));
    at = next;
  }
  return longest > list_.ParaLengthLimit() ? ErrParaTooLong : 0;
}

void TSearchRun::Forward() {
  const std::int32_t n = pattern_.Length();
  std::int32_t p = start_.Para;
  std::int32_t c = start_.Pos;
  TParaNode* node = list_.GetPara(p);
  while (node != nullptr && p <= scopeEnd_.Para) {
    if (p == scopeStart_.Para) c = std::max(c, scopeStart_.Pos);
    const std::int32_t length = node->Length();
    // In the scope's last paragraph an occurrence must end before the scope end.
    const std::int32_t limit = p == scopeEnd_.Para ? std::min(length, scopeEnd_.Pos - 1) : length;
    std::int32_t offset = -1;
    if (limit - (c - 1) >= n) offset = pattern_.Find(node->Text() + (c - 1), limit - (c - 1));
    if (offset < 0) {
      node = node->Next();
      ++p;
      c = 1;
      continue;
    }
    const std::int32_t m = c + offset;
    if (wholeWord_ && !IsWholeWord(node->Text(), length, m, n)) {
      c = m + 1;
      continue;
    }
    if (!replaceAll_) {
      Select(p, m);
      return;
    }
    const std::int32_t replaced = p;
    c = m;
    if (!ReplaceAt(p, c)) return;  // (p, c) now behind the replacement
    if (p != replaced) node = list_.GetPara(p);
  }
}

void TSearchRun::Backward() {
  const std::int32_t n = pattern_.Length();
  std::int32_t p = start_.Para;
  // The last position an occurrence may cover.
  std::int32_t last = start_.Pos - 1;
  TParaNode* node = list_.GetPara(p);
  while (node != nullptr && p >= scopeStart_.Para) {
    const std::int32_t length = node->Length();
    last = std::min(last, length);
    if (p == scopeEnd_.Para) last = std::min(last, scopeEnd_.Pos - 1);
    // In the scope's first paragraph an occurrence must start at or after the scope start.
    const std::int32_t first = p == scopeStart_.Para ? scopeStart_.Pos : 1;
    std::int32_t offset = -1;
    if (last >= n) offset = pattern_.FindLast(node->Text(), last);
    if (offset < 0 || offset + 1 < first) {
      node = node->Prev();
      --p;
      last = kMaxInt32;
      continue;
    }
    const std::int32_t m = offset + 1;
    if (wholeWord_ && !IsWholeWord(node->Text(), length, m, n)) {
      // The next candidate starts before m; it may overlap this one.
      last = m + n - 2;
      continue;
    }
    if (!replaceAll_) {
      Select(p, m);
      return;
    }
    // Backward the scan goes on before the occurrence, in the paragraph that holds its start.
    std::int32_t endPara = p;
    std::int32_t endPos = m;
    if (!ReplaceAt(endPara, endPos)) return;
    node = list_.GetPara(p);
    last = m - 1;
  }
}

TSearchResult TSearchRun::Run() {
  TSearchResult result;
  const bool replacing = (request_.Options & (soReplace | soReplaceAll)) != 0;
  if (pattern_.Length() == 0 || (replacing && !request_.Replacement)) {
    result.Value = 0;
    result.Count = count_;
    return result;
  }
  SetStartAndScope();
  {
    TBusyCursor busy(list_);
    if (request_.Options & soBackward)
      Backward();
    else
      Forward();
  }
  result.Error = error_;
  result.Count = count_;
  result.UndoCost = undoCost_;
  result.Found = found_;
  if (found_) {
    result.Select = TSearchSelect::ssRange;
    result.Start = selStart_;
    result.End = selEnd_;
    result.CaretAtEnd = (request_.Options & soBackward) == 0;
  } else if (replaceAll_ && count_ > 0) {
    if (request_.Options & soSelectedOnly) {
      result.Select = TSearchSelect::ssRange;
      result.Start = scopeStart_;
      result.End = scopeEnd_;
      result.CaretAtEnd = request_.AnchorAtEnd;
    } else {
      result.Select = TSearchSelect::ssCollapse;
    }
  }
  if (error_ != 0)
    result.Value = error_;
  else if (count_ > 0)
    result.Value = count_;
  else
    result.Value = found_ ? 0 : -1;
  return result;
}

}  // namespace

TSearchResult FindOrReplaceAll(TParaList& list, const TSearchRequest& request, TParaListView* sender) {
  TSearchRun run(list, request, sender);
  return run.Run();
}

bool SelectionIsOccurrence(TParaList& list, TSearchPoint selStart, TSearchPoint selEnd,
                           std::string_view pattern, bool matchCase) {
  pattern = CutSearchText(pattern);
  const auto n = static_cast<std::int32_t>(pattern.size());
  if (n == 0 || selStart.Para != selEnd.Para || selStart.Pos < 1 || selEnd.Pos - selStart.Pos != n)
    return false;
  TParaNode* node = list.GetPara(selStart.Para);
  if (node == nullptr || selEnd.Pos - 1 > node->Length()) return false;
  const char* text = node->Text() + (selStart.Pos - 1);
  if (matchCase) return std::string_view(text, static_cast<std::size_t>(n)) == pattern;
  const auto& upper = SearchUpperTable();
  for (std::int32_t i = 0; i < n; ++i) {
    if (upper[static_cast<unsigned char>(text[i])] !=
        upper[static_cast<unsigned char>(pattern[static_cast<std::size_t>(i)])])
      return false;
  }
  return true;
}

}  // namespace quilmo
