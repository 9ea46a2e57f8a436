// Random sequences of edits, undo and redo, applied to a paragraph list and to a plain model
// (a vector of strings with a stack of snapshots), compared after every step.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/ParaList.h"
#include "engine/ParaNode.h"

namespace quilmo {
namespace {

using TParas = std::vector<std::string>;

std::string Join(const TParas& paras) {
  std::string text;
  for (std::size_t i = 0; i < paras.size(); ++i) {
    if (i > 0) text += '\n';
    text += paras[i];
  }
  return text;
}

TParas ListParas(TParaList& list) {
  TParas paras;
  for (std::int32_t p = 1; p <= list.ParaCount(); ++p) {
    const TParaNode* node = list.GetPara(p);
    paras.emplace_back(node->Text(), static_cast<std::size_t>(node->Length()));
  }
  return paras;
}

// Counts and wrapping against the text alone: every paragraph wraps as a fresh one would.
::testing::AssertionResult ConsistentWith(TParaList& list, const TParas& expected) {
  const TParas actual = ListParas(list);
  if (actual != expected)
    return ::testing::AssertionFailure()
           << "text\n  is [" << Join(actual) << "]\n  expected [" << Join(expected) << "]";
  std::int64_t bytes = 0;
  std::int64_t lines = 0;
  const std::int32_t wrapColumn = list.EffectiveWrapColumn();
  for (std::int32_t p = 1; p <= list.ParaCount(); ++p) {
    const TParaNode* node = list.GetPara(p);
    bytes += node->Length() + (p > 1 ? 2 : 0);
    const TParaNode fresh(node->Text(), node->Length(), wrapColumn, list.TabSize());
    lines += fresh.LineCount();
    if (node->LineCount() != fresh.LineCount())
      return ::testing::AssertionFailure()
             << "paragraph " << p << " has " << node->LineCount() << " lines, not " << fresh.LineCount();
    for (std::int32_t k = 0; k < fresh.LineCount(); ++k)
      if (node->LineStart(k) != fresh.LineStart(k))
        return ::testing::AssertionFailure() << "paragraph " << p << " line " << k << " starts at "
                                             << node->LineStart(k) << ", not " << fresh.LineStart(k);
  }
  if (list.ByteCount() != bytes)
    return ::testing::AssertionFailure() << "ByteCount " << list.ByteCount() << ", not " << bytes;
  if (list.LineCount() != lines)
    return ::testing::AssertionFailure() << "LineCount " << list.LineCount() << ", not " << lines;
  return ::testing::AssertionSuccess();
}

// The last record of an undo step, as far as merging needs it.
struct TLastRecord {
  TUndoKind Kind = ukCaret;
  std::int32_t Para = 0;
  std::int32_t Pos = 0;
  std::int32_t Length = 0;     // characters; the old text of a replacement
  std::int32_t NewLength = 0;  // the new text of a replacement
};

struct TEntry {
  TParas Before;
  bool Flag = false;  // the Modified flag undo gives back
  TParas After;
  TLastRecord Last;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

class TRandomEdits {
 public:
  TRandomEdits(std::uint32_t seed, bool exact, std::uint16_t bufferSize)
      : rng_(seed), exact_(exact), list_(false, bufferSize) {}

  void Run(int steps) {
    Load();
    for (int step = 0; step < steps; ++step) {
      SCOPED_TRACE(::testing::Message() << "step " << step);
      previousOp_ = lastOp_;
      lastOp_.clear();
      // The exact comparison needs every step kept: start afresh before the block fills.
      if (exact_ && groupDepth_ == 0 && list_.UndoBuffer().Free() < 4096) ForgetHistory();
      Step();
      ASSERT_TRUE(ConsistentWith(list_, text_)) << "after " << lastOp_;
      ASSERT_EQ(list_.Modified(), modified_) << "after " << lastOp_;
      if (exact_) {
        ASSERT_EQ(list_.UndoCount() > 0, !undo_.empty()) << "after " << lastOp_;
        ASSERT_EQ(list_.RedoCount() > 0, !redo_.empty()) << "after " << lastOp_;
      }
      if (::testing::Test::HasFatalFailure()) return;
    }
  }

 private:
  int Rand(int low, int high) {
    return low + static_cast<int>(rng_() % static_cast<std::uint32_t>(high - low + 1));
  }

  std::string RandomText(int maxLength, bool lineBreaks = false) {
    static const char kLetters[] = "abcdefghij  \t-";
    const int length = Rand(1, maxLength);
    std::string text;
    for (int i = 0; i < length; ++i) {
      if (lineBreaks && Rand(0, 7) == 0)
        text += Rand(0, 1) ? "\r\n" : "\n";
      else
        text += kLetters[Rand(0, static_cast<int>(sizeof kLetters) - 2)];
    }
    return text;
  }

  std::int32_t ParaCount() const { return static_cast<std::int32_t>(text_.size()); }
  std::int32_t Len(std::int32_t p) const { return static_cast<std::int32_t>(text_[p - 1].size()); }
  std::string& At(std::int32_t p) { return text_[p - 1]; }
  static void PadTo(std::string& s, std::int32_t length) {
    if (static_cast<std::int32_t>(s.size()) < length) s.resize(static_cast<std::size_t>(length), ' ');
  }

  // A fresh document, loaded without history.
  void Load() {
    const int paras = Rand(1, 8);
    for (int i = 0; i < paras; ++i) {
      const std::string line = Rand(0, 4) ? RandomText(30) : std::string();
      ASSERT_EQ(list_.AppendPara(line, false), 0);
      text_.insert(text_.end() - 1, line);
    }
    list_.ClearUndo();
    list_.SetModified(false);
    modified_ = false;
    undo_.clear();
    redo_.clear();
    seen_.insert(Join(text_));
  }

  // As after saving: the text is unmodified, and every step leads away from it.
  void SavePoint() {
    lastOp_ = "SetModified(false)";
    list_.SetModified(false);
    modified_ = false;
    for (TEntry& entry : undo_) entry.Flag = true;
    for (TEntry& entry : redo_) entry.Flag = true;
  }

  void ForgetHistory() {
    list_.ClearUndo();
    undo_.clear();
    redo_.clear();
  }

  // The model's side of a change that wrote records: a new undo step, a merge into the last
  // one, or part of the open group.
  void Changed(const TParas& before, const TLastRecord& last, bool mergeable) {
    redo_.clear();
    seen_.insert(Join(text_));
    const bool wasModified = modified_;
    modified_ = true;
    if (groupDepth_ > 0 && groupHasEntry_) {
      undo_.back().After = text_;
      undo_.back().Last = last;
      return;
    }
    // An unmodified text was saved (or undone to a save point) since the last record, which
    // a run typed now must not extend.
    if (groupDepth_ == 0 && mergeable && wasModified && !undo_.empty() && Merge(undo_.back().Last, last)) {
      undo_.back().After = text_;
      return;
    }
    undo_.push_back(TEntry{before, wasModified, text_, last});
    if (groupDepth_ > 0) groupHasEntry_ = true;
  }

  static bool Merge(TLastRecord& current, const TLastRecord& next) {
    if (current.Kind != next.Kind || current.Para != next.Para) return false;
    switch (next.Kind) {
      case ukInsertText:
        if (next.Pos != current.Pos + current.Length) return false;
        current.Length += next.Length;
        return true;
      case ukDeleteText:
        if (next.Pos == current.Pos) {
          current.Length += next.Length;
          return true;
        }
        if (next.Pos + next.Length != current.Pos) return false;
        current.Pos = next.Pos;
        current.Length += next.Length;
        return true;
      case ukReplaceText:
        if (next.Pos != current.Pos + current.NewLength) return false;
        current.Length += next.Length;
        current.NewLength += next.NewLength;
        return true;
      default: return false;
    }
  }

  // Model of InsertText; returns its record.
  TLastRecord ModelInsertText(std::int32_t p, std::int32_t c, const std::string& s) {
    std::string& para = At(p);
    const auto length = static_cast<std::int32_t>(para.size());
    const auto n = static_cast<std::int32_t>(s.size());
    if (c - 1 > length) {
      PadTo(para, c - 1);
      para += s;
      return {ukInsertText, p, length + 1, c - 1 - length + n, 0};
    }
    para.insert(static_cast<std::size_t>(c - 1), s);
    return {ukInsertText, p, c, n, 0};
  }

  // Model of SplitPara; returns its last record.
  TLastRecord ModelSplit(std::int32_t p, std::int32_t c, bool trim, std::int32_t w, std::int32_t t) {
    const std::int32_t length = Len(p);
    c = std::min(c, length + 1);
    if (c == 1) {
      text_.insert(text_.begin() + (p - 1), std::string());
      return {ukInsertParaBefore, p, 1, 0, 0};
    }
    std::string head = At(p).substr(0, static_cast<std::size_t>(c - 1));
    std::string tail = At(p).substr(static_cast<std::size_t>(c - 1));
    if (length >= c && trim)
      while (!head.empty() && IsBlank(head.back())) head.pop_back();
    std::string indent;
    if (w > 0)
      indent = t > 0 ? std::string(static_cast<std::size_t>(w / t), '\t') +
                           std::string(static_cast<std::size_t>(w % t), ' ')
                     : std::string(static_cast<std::size_t>(w), ' ');
    At(p) = head;
    text_.insert(text_.begin() + p, indent + tail);
    return {ukCaret, p + 1, static_cast<std::int32_t>(indent.size()) + 1, 0, 0};
  }

  // Goes on with the run of the last record: typing at its end, deleting forward or backward
  // from it, overwriting behind it. False when the last record is of another kind.
  bool ContinueRun() {
    const TParas before = text_;
    const TLastRecord last = undo_.back().Last;
    const std::int32_t p = last.Para;
    std::uint16_t result = 0;
    if (last.Kind == ukInsertText) {
      const std::string s = RandomText(3);
      lastOp_ = "InsertText (run)";
      const std::int32_t c = last.Pos + last.Length;
      result = list_.InsertText(p, c, s.data(), static_cast<std::int32_t>(s.size()));
      Changed(before, ModelInsertText(p, c, s), true);
    } else if (last.Kind == ukDeleteText) {
      const bool forward = Rand(0, 1) == 0;
      const std::int32_t at = forward ? last.Pos : std::max(1, last.Pos - Rand(1, 2));
      const std::int32_t count = forward ? std::min(Rand(1, 2), Len(p) - at + 1) : last.Pos - at;
      if (count <= 0) return false;
      lastOp_ = forward ? "DeleteText (forward run)" : "DeleteText (backspace run)";
      result = list_.DeleteText(p, at, count);
      At(p).erase(static_cast<std::size_t>(at - 1), static_cast<std::size_t>(count));
      Changed(before, {ukDeleteText, p, at, count, 0}, true);
    } else if (last.Kind == ukReplaceText) {
      const std::int32_t c = last.Pos + last.NewLength;
      if (c > Len(p) + 1) return false;
      const std::int32_t m = Rand(0, std::min(2, Len(p) - c + 1));
      const std::string s = RandomText(2);
      lastOp_ = "ReplaceText (run)";
      result = list_.ReplaceText(p, c, m, s.data(), static_cast<std::int32_t>(s.size()));
      At(p).replace(static_cast<std::size_t>(c - 1), static_cast<std::size_t>(m), s);
      Changed(before, {ukReplaceText, p, c, m, static_cast<std::int32_t>(s.size())}, true);
    } else {
      return false;
    }
    EXPECT_EQ(result, 0) << lastOp_;
    return true;
  }

  void Step() {
    // Undo and redo come in bursts, as when a user steps back and forth.
    if (groupDepth_ == 0 && (previousOp_ == "Undo" || previousOp_ == "Redo") && Rand(0, 2) > 0) {
      if (Rand(0, 9) == 0) {
        SavePoint();
        return;
      }
      const bool undo = Rand(0, 1) == 0;
      lastOp_ = undo ? "Undo" : "Redo";
      Replay(undo);
      return;
    }
    if (groupDepth_ > 0 && Rand(0, 3) == 0) {
      lastOp_ = "EndGroup";
      --groupDepth_;
      list_.EndGroup(groupWas_[groupDepth_]);
      return;
    }
    const TParas before = text_;
    const int choice = Rand(0, 99);
    const std::int32_t p = Rand(1, ParaCount());
    std::uint16_t result = 0;

    // Keep the document small: long paragraphs and many of them invite deletions.
    const bool big = ParaCount() > 40 || Len(p) > 150;

    if (choice < 14 && !big) {
      const std::int32_t c = Rand(1, Len(p) + 3);
      const std::string s = RandomText(6);
      lastOp_ = "InsertText";
      result = list_.InsertText(p, c, s.data(), static_cast<std::int32_t>(s.size()));
      Changed(before, ModelInsertText(p, c, s), true);
    } else if (choice < 26 && !big && groupDepth_ == 0 && !undo_.empty() &&
               undo_.back().Last.Para <= ParaCount()) {
      if (!ContinueRun()) return;
    } else if (choice < 34) {
      if (Len(p) == 0) return;
      const std::int32_t c = Rand(1, Len(p));
      const std::int32_t n = Rand(1, 4);
      const bool backspace = Rand(0, 1) == 0 && c > 1;
      // Backspace-like deletes go just in front of the position.
      const std::int32_t at = backspace ? std::max(1, c - n) : c;
      const std::int32_t count = std::min(n, Len(p) - at + 1);
      lastOp_ = "DeleteText";
      result = list_.DeleteText(p, at, count);
      At(p).erase(static_cast<std::size_t>(at - 1), static_cast<std::size_t>(count));
      Changed(before, {ukDeleteText, p, at, count, 0}, true);
    } else if (choice < 42 && !big) {
      const std::int32_t c = Rand(1, Len(p) + 1);
      const std::int32_t m = Rand(0, std::min(3, Len(p) - c + 1));
      const std::string s = Rand(0, 3) ? RandomText(3) : std::string();
      if (m == 0 && s.empty()) return;
      lastOp_ = "ReplaceText";
      result = list_.ReplaceText(p, c, m, s.data(), static_cast<std::int32_t>(s.size()));
      At(p).replace(static_cast<std::size_t>(c - 1), static_cast<std::size_t>(m), s);
      Changed(before, {ukReplaceText, p, c, m, static_cast<std::int32_t>(s.size())}, true);
    } else if (choice < 48 && !big) {
      const std::string s = Rand(0, 2) ? RandomText(20) : std::string();
      if (Rand(0, 1)) {
        lastOp_ = "InsertParaBefore";
        result = list_.InsertParaBefore(p, s.data(), static_cast<std::int32_t>(s.size()));
        text_.insert(text_.begin() + (p - 1), s);
        Changed(before, {ukInsertParaBefore, p, 1, 0, 0}, false);
      } else {
        lastOp_ = "InsertParaAfter";
        result = list_.InsertParaAfter(p, s.data(), static_cast<std::int32_t>(s.size()));
        text_.insert(text_.begin() + p, s);
        Changed(before, {ukInsertParaAfter, p, 1, 0, 0}, false);
      }
    } else if (choice < 53) {
      if (ParaCount() == 1) return;
      lastOp_ = "DeletePara";
      list_.DeletePara(p);
      text_.erase(text_.begin() + (p - 1));
      Changed(before, {ukDeletePara, p, 1, 0, 0}, false);
    } else if (choice < 60 && ParaCount() <= 40) {
      const std::int32_t c = Rand(1, Len(p) + 2);
      const bool trim = Rand(0, 1) == 0;
      const std::int32_t w = Rand(0, 2) ? 0 : Rand(1, 10);
      const std::int32_t t = Rand(0, 1) ? 0 : Rand(1, 8);
      lastOp_ = "SplitPara";
      result = list_.SplitPara(p, c, trim, w, t);
      Changed(before, ModelSplit(p, c, trim, w, t), false);
    } else if (choice < 66) {
      if (p == ParaCount() || Len(p) + Len(p + 1) > 150) return;
      const std::int32_t c = Len(p) + 1 + (Rand(0, 2) ? 0 : Rand(1, 3));
      lastOp_ = "MergeParas";
      result = list_.MergeParas(p, c);
      std::string next = At(p + 1);
      if (c == 1) {
        text_.erase(text_.begin() + (p - 1));
        Changed(before, {ukDeletePara, p, 1, 0, 0}, false);
      } else {
        if (!next.empty()) {
          PadTo(At(p), c - 1);
          At(p) += next;
        }
        text_.erase(text_.begin() + p);
        Changed(before, {ukCaret, p, c, 0, 0}, false);
      }
    } else if (choice < 71) {
      if (p == ParaCount()) return;
      const std::int32_t e = Rand(p + 1, std::min(ParaCount(), p + 4));
      std::int32_t s = Rand(1, Len(p) + 2);
      std::int32_t t = Rand(1, Len(e) + 1);
      if (Rand(0, 3) == 0) s = t = 1;
      lastOp_ = "DeleteRegion";
      ASSERT_EQ(list_.DeleteRegion(p, s, e, t), 0);
      if (s == 1 && t == 1) {
        text_.erase(text_.begin() + (p - 1), text_.begin() + (e - 1));
      } else {
        const std::string head = At(p).substr(0, static_cast<std::size_t>(std::min(s - 1, Len(p))));
        const std::string tail = At(e).substr(static_cast<std::size_t>(std::min(t - 1, Len(e))));
        text_.erase(text_.begin() + p, text_.begin() + e);
        At(p) = head + tail;
      }
      // The step ends with a paragraph deletion or a caret record: never merged into.
      Changed(before, {ukCaret, p, 0, 0, 0}, false);
    } else if (choice < 78 && !big) {
      const std::int32_t c = Rand(1, Len(p) + 2);
      std::int32_t endPara = p;
      std::int32_t endPos = c;
      const std::string s = RandomText(25, true);
      lastOp_ = "InsertMultiLine";
      result = list_.InsertMultiLine(endPara, endPos, s);
      ModelMultiLine(before, p, c, s, endPara, endPos);
    } else if (choice < 82) {
      lastOp_ = "wrap settings";
      switch (Rand(0, 2)) {
        case 0: list_.SetWordWrap(!list_.WordWrap()); break;
        case 1: list_.SetWrapColumn(Rand(4, 30)); break;
        default: list_.SetTabSize(static_cast<std::uint8_t>(Rand(1, 8))); break;
      }
    } else if (choice < 83 && groupDepth_ == 0) {
      lastOp_ = "ClearUndo";
      ForgetHistory();
    } else if (choice < 85) {
      SavePoint();
    } else if (choice < 87 && groupDepth_ < 2) {
      lastOp_ = "BeginGroup";
      groupWas_[groupDepth_] = list_.BeginGroup();
      if (groupDepth_ == 0) groupHasEntry_ = false;
      ++groupDepth_;
    } else if (choice < 94 && groupDepth_ == 0) {
      lastOp_ = "Undo";
      Replay(true);
    } else if (groupDepth_ == 0) {
      lastOp_ = "Redo";
      Replay(false);
    }
    ASSERT_EQ(result, 0) << lastOp_;
  }

  void ModelMultiLine(const TParas& before, std::int32_t p, std::int32_t c, const std::string& s,
                      std::int32_t gotPara, std::int32_t gotPos) {
    std::string copy;
    for (char ch : s)
      if (ch != '\r') copy += ch;
    TLastRecord last;
    if (copy.find('\n') == std::string::npos) {
      last = ModelInsertText(p, c, copy);
      c += static_cast<std::int32_t>(copy.size());
      Changed(before, last, true);
    } else {
      std::size_t start = 0;
      while (start < copy.size()) {
        const std::size_t lf = copy.find('\n', start);
        const bool endsWithLf = lf != std::string::npos;
        const std::string segment = copy.substr(start, endsWithLf ? lf - start : std::string::npos);
        start = endsWithLf ? lf + 1 : copy.size();
        if (endsWithLf && c == 1) {
          text_.insert(text_.begin() + (p - 1), segment);
          last = {ukInsertParaBefore, p, 1, 0, 0};
        } else {
          if (!segment.empty()) {
            last = ModelInsertText(p, c, segment);
            c += static_cast<std::int32_t>(segment.size());
          }
          if (endsWithLf) last = ModelSplit(p, c, true, 0, 0);
        }
        if (endsWithLf) {
          ++p;
          c = 1;
        }
      }
      // A multi-line insertion is one group, which the next typing may still merge into.
      if (groupDepth_ == 0) {
        ++groupDepth_;
        groupHasEntry_ = false;
        Changed(before, last, false);
        --groupDepth_;
      } else {
        Changed(before, last, false);
      }
    }
    EXPECT_EQ(gotPara, p) << "InsertMultiLine end paragraph";
    EXPECT_EQ(gotPos, c) << "InsertMultiLine end position";
  }

  void Replay(bool undo) {
    std::int32_t para = 0;
    std::int32_t pos = 0;
    const bool done = undo ? list_.Undo(para, pos) : list_.Redo(para, pos);
    if (!exact_) {
      // Whatever could be replayed gives a text that existed before.
      text_ = ListParas(list_);
      modified_ = list_.Modified();
      // Which step was replayed is not followed here; later runs start afresh.
      undo_.clear();
      redo_.clear();
      if (done) {
        EXPECT_TRUE(seen_.count(Join(text_)))
            << (undo ? "undo" : "redo") << " made a text that never existed";
      }
      return;
    }
    std::vector<TEntry>& from = undo ? undo_ : redo_;
    std::vector<TEntry>& to = undo ? redo_ : undo_;
    ASSERT_EQ(done, !from.empty());
    if (!done) return;
    TEntry entry = from.back();
    from.pop_back();
    if (undo) {
      text_ = entry.Before;
      modified_ = entry.Flag;
    } else {
      entry.Flag = modified_;
      text_ = entry.After;
      modified_ = true;
    }
    to.push_back(entry);
    EXPECT_GE(para, 1);
    EXPECT_LE(para, list_.ParaCount());
    EXPECT_GE(pos, 1);
  }

  std::mt19937 rng_;
  bool exact_;
  TParaList list_;
  TParas text_{""};
  bool modified_ = false;
  std::vector<TEntry> undo_;
  std::vector<TEntry> redo_;
  std::set<std::string> seen_;
  int groupDepth_ = 0;
  bool groupWas_[2] = {false, false};
  bool groupHasEntry_ = false;
  std::string lastOp_;
  std::string previousOp_;
};

TEST(UndoModelTest, EveryUndoAndRedoRestoresTheExactTextAndFlag) {
  for (std::uint32_t seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    TRandomEdits edits(seed, true, 65535);
    edits.Run(400);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST(UndoModelTest, SmallBufferOnlyEverRestoresEarlierTexts) {
  for (std::uint32_t seed = 1000; seed <= 1040; ++seed) {
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    TRandomEdits edits(seed, false, 512);
    edits.Run(400);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace quilmo
