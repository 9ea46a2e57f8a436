// Replaying a recovery journal onto its base text.

#include "engine/JournalReplay.h"

#include "engine/ParaList.h"

namespace quilmo {
namespace {

// Lifts the list's limits while it lives: the journal only brings back text that existed.
class TLimitsLifted {
 public:
  explicit TLimitsLifted(TParaList& list)
      : list_(list), paras_(list.ParaLimit()), bytes_(list.ByteLimit()), length_(list.ParaLengthLimit()) {
    list.SetParaLimit(kMaxInt32);
    list.SetByteLimit(kMaxInt32);
    list.SetParaLengthLimit(kMaxParaLength);
  }
  ~TLimitsLifted() {
    list_.SetParaLimit(paras_);
    list_.SetByteLimit(bytes_);
    list_.SetParaLengthLimit(length_);
  }
  TLimitsLifted(const TLimitsLifted&) = delete;
  TLimitsLifted& operator=(const TLimitsLifted&) = delete;

 private:
  TParaList& list_;
  std::int32_t paras_;
  std::int32_t bytes_;
  std::int32_t length_;
};

std::int32_t Size(const std::string& text) {
  return static_cast<std::int32_t>(text.size());
}

std::uint16_t InsertPara(TParaList& list, std::int32_t para, const std::string& text, TParaListView* sender) {
  if (para == 1) return list.InsertParaBefore(1, text.data(), Size(text), sender);
  return list.InsertParaAfter(para - 1, text.data(), Size(text), sender);
}

// Applies one change when it fits the text; false otherwise.
bool Apply(TParaList& list, const TJournalChange& c, TParaListView* sender) {
  const std::int32_t paras = list.ParaCount();
  const std::int64_t length = c.Para <= paras ? list.ParaLength(c.Para) : -1;
  const std::int64_t pos = c.Pos;
  switch (c.Type) {
    case TJournalRecord::jrInsertText:
      if (length < 0 || pos > length + 1 || length + Size(c.Text) > kMaxParaLength) return false;
      return list.InsertText(c.Para, c.Pos, c.Text.data(), Size(c.Text), sender) == 0;
    case TJournalRecord::jrDeleteText:
      if (length < 0 || pos + c.Count - 1 > length) return false;
      return list.DeleteText(c.Para, c.Pos, c.Count, sender) == 0;
    case TJournalRecord::jrReplaceText:
      if (length < 0 || pos + c.Count - 1 > length || length - c.Count + Size(c.Text) > kMaxParaLength)
        return false;
      return list.ReplaceText(c.Para, c.Pos, c.Count, c.Text.data(), Size(c.Text), sender) == 0;
    case TJournalRecord::jrInsertPara:
      if (c.Para > paras + 1) return false;
      return InsertPara(list, c.Para, c.Text, sender) == 0;
    case TJournalRecord::jrDeletePara:
      if (c.Para > paras || paras == 1) return false;
      list.DeletePara(c.Para, sender);
      return true;
    case TJournalRecord::jrCheckpoint: return c.Para == paras && c.Pos == list.ByteCount();
    case TJournalRecord::jrBase:
    case TJournalRecord::jrBaseCopy: break;
  }
  return false;
}

}  // namespace

bool IsJournalBase(TParaList& list, const TJournalBase& base) {
  return list.ParaCount() == base.ParaCount && list.ByteCount() == base.ByteCount &&
         JournalTextHash(list) == base.TextHash;
}

std::uint16_t LoadJournalCopy(TParaList& list, const std::vector<std::string>& copy, TParaListView* sender) {
  if (copy.empty()) return 0;
  TLimitsLifted lifted(list);
  if (!copy.front().empty()) {
    if (std::uint16_t code = list.InsertText(1, 1, copy.front().data(), Size(copy.front()), sender))
      return code;
  }
  for (std::size_t i = 1; i < copy.size(); ++i) {
    const auto para = static_cast<std::int32_t>(i);
    if (std::uint16_t code = list.InsertParaAfter(para, copy[i].data(), Size(copy[i]), sender)) return code;
  }
  return 0;
}

TReplayResult ReplayJournal(TParaList& list, const std::vector<TJournalChange>& changes,
                            TParaListView* sender) {
  TLimitsLifted lifted(list);
  TReplayResult result;
  for (const TJournalChange& change : changes) {
    if (!Apply(list, change, sender)) {
      result.Consistent = false;
      break;
    }
    if (change.Type != TJournalRecord::jrCheckpoint) ++result.Applied;
  }
  return result;
}

}  // namespace quilmo
