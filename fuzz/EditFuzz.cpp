// Random sequences of paragraph-list edits, undo and redo, decoded from the input bytes.
//
// Every primitive is also applied to a model (ParaListModel.h): result codes and text must
// agree. Undo and redo are followed through the history of texts: an undo must lead back to the
// text before the last step (further only over steps whose records may have merged), a redo to
// the text after the next one, an undo followed by a redo gives back the text, and Modified is
// off only for the text last marked unmodified. After every step the links, lengths and counts
// are checked against sums over the paragraphs, markers lie in the text, views heard sane
// coordinates and lookups from the cursor cache agree with the paragraphs; every few steps each
// paragraph's line starts are compared with those of a freshly wrapped copy.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ParaList.h"
#include "engine/ParaListView.h"
#include "engine/ParaNode.h"
#include "fuzz/EditFuzzView.h"
#include "fuzz/ParaListModel.h"

namespace quilmo::fuzz {
namespace {

// A position moved by `delta`, kept within 32 bits.
std::int32_t Moved(std::int32_t pos, std::int64_t delta) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(std::int64_t{pos} + delta, -kMaxInt32 - 1, kMaxInt32));
}

// Adds a paragraph to a hash of the text (the library's hash: no coverage tracing per byte).
std::uint64_t Mix(std::uint64_t h, const char* text, std::int32_t length) {
  const std::size_t k =
      std::hash<std::string_view>()(std::string_view(text, static_cast<std::size_t>(length)));
  return (h ^ (k + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2))) * 0x100000001b3ULL +
         static_cast<std::uint64_t>(length);
}

class TEditRun {
  // The record kinds that undo merges, as far as the history needs them.
  enum TRecordKind { rkNone, rkAny, rkInsert, rkDelete, rkReplace };

  // A text in the history, and the newest record of the edit that led to it: consecutive
  // typing, deleting or overwriting in one paragraph may merge into one record, so undo and
  // redo may step over a text whose edit could have merged; never over any other.
  struct TEntry {
    std::uint64_t Hash = 0;
    TRecordKind Kind = rkNone;  // rkAny: a group whose last record may be of any kind
    std::int32_t Para = 0;
    bool Mergeable = false;  // a text primitive outside any group
    bool MayMerge = false;   // its record may have merged into the one before
  };

 public:
  TEditRun(const std::uint8_t* data, std::size_t size) : in_(data, size) {
    static const std::uint16_t kSizes[] = {0, 14, 15, 40, 128, 512, 4096, 65535};
    const std::uint8_t config = in_.Byte();
    list_ = std::make_unique<TParaList>((config & 1) != 0, kSizes[(config >> 1) & 7]);
    list_->SetWrapColumn(1 + in_.Byte() % 40);
    list_->SetTabSize(static_cast<std::uint8_t>(1 + in_.Byte() % 9));
    view_ = std::make_unique<TCheckingView>(*list_);
    list_->AddView(view_.get());
    Walk();
    ResetHistory();
    saved_ = hash_;
  }
  ~TEditRun() { list_->RemoveView(view_.get()); }
  TEditRun(const TEditRun&) = delete;
  TEditRun& operator=(const TEditRun&) = delete;

  void Run() {
    while (!in_.Empty() && g_step < 5000) {
      ++g_step;
      Step();
      Verify(g_step % 16 == 0 || list_->ByteCount() <= 4096);
    }
    g_op = "closing groups";
    while (!groups_.empty()) EndGroup();
    Verify(true);
  }

 private:
  // ---- Arguments ----

  bool Big() const { return list_->ByteCount() > (1 << 17) || list_->ParaCount() > 4000; }

  std::int32_t ParaArg() {
    const std::uint8_t b = in_.Byte();
    const std::int32_t count = list_->ParaCount();
    if (b < 240) return 1 + b % (count + 1);  // sometimes one beyond the last
    switch (b) {
      case 240: return 0;
      case 241: return -1;
      case 242: return count + 2;
      // Far beyond the text, with room for the paragraph numbers InsertMultiLine counts on.
      case 243: return 1 << 24;
      case 244: return -(1 << 24);
      default: return 1 + in_.Word() % (count + 4);
    }
  }

  std::int32_t PosArg(std::int32_t para) {
    const std::uint8_t b = in_.Byte();
    // From the model, which equals the list: a lookup would move the list's cursor cache.
    const auto length = static_cast<std::int32_t>(model_.Has(para) ? model_.Len(para) : 0);
    if (b < 224 || Big()) return 1 + b % (length + 4);
    switch (b) {
      case 224: return 0;
      case 225: return -static_cast<std::int32_t>(in_.Byte());
      // Far behind any text; a position never comes near the 32-bit limit, whose edge would
      // only exercise the arithmetic of the returned end positions.
      case 226: return 1 << 24;
      case 227: return -(1 << 24);
      case 228: return kMaxParaLength;
      case 229: return kMaxParaLength + 1;
      case 230: return kMaxParaLength + 1 - length;
      case 231: return kMaxParaLength + 2 - length;
      default: return 1 + in_.Word() % 33000;
    }
  }

  std::int32_t CountArg(std::int32_t typical) {
    const std::uint8_t b = in_.Byte();
    if (b < 240) return b % (typical + 3);
    switch (b) {
      case 240: return -1;
      case 241: return kMaxInt32;
      case 242: return -kMaxInt32 - 1;
      default: return in_.Word();
    }
  }

  char CharArg() {
    static const char kCommon[] = "aab  \t-\r\nxyz";
    const std::uint8_t b = in_.Byte();
    if (b < 0xC0) return kCommon[b % (sizeof kCommon - 1)];
    if (b == 0xC0) return '\0';
    if (b == 0xC1) return '\x1A';
    return static_cast<char>(b);
  }

  std::string TextArg() {
    const std::uint8_t kind = in_.Byte();
    std::size_t length = kind % 24;
    if (kind >= 200 && !Big()) {
      if (kind < 235)
        length = in_.Byte() + 256u * (kind % 4);
      else if (kind < 250)
        length = 32760 + in_.Byte() % 16;
      else
        length = 40000;
    }
    if (length <= 64) {
      std::string text;
      for (std::size_t i = 0; i < length; ++i) text += CharArg();
      return text;
    }
    // Long texts repeat a short pattern.
    std::string pattern;
    for (int i = 1 + in_.Byte() % 12; i > 0; --i) pattern += CharArg();
    std::string text;
    text.reserve(length);
    while (text.size() < length) text += pattern;
    text.resize(length);
    return text;
  }

  // Characters of paragraph p's own buffer, as a caller copying within a line passes them
  // (the edit may move that buffer); `copy` gets them for the model. Null for an empty or
  // missing paragraph.
  const char* OwnText(std::int32_t p, std::string& copy) {
    if (!model_.Has(p) || model_.Len(p) == 0) return nullptr;
    const auto length = static_cast<std::int32_t>(model_.Len(p));
    const std::int32_t offset = in_.Byte() % length;
    const std::int32_t count = 1 + in_.Byte() % (length - offset);
    const char* text = list_->GetPara(p)->Text() + offset;
    copy.assign(text, static_cast<std::size_t>(count));
    return text;
  }

  // ---- Steps ----

  void Step() {
    const std::uint8_t op = in_.Byte();
    model_.Touched = false;
    edit_ = TEntry{};
    const std::int32_t redoBefore = list_->RedoCount();
    bool edit = true;
    switch (op % 32) {
      case 0:
      case 1:
      case 2:
      case 3: {
        g_op = "InsertText";
        const std::int32_t p = ParaArg(), c = PosArg(p);
        Classify(rkInsert, p);
        std::string copy;
        if (const char* own = op >= 0x80 ? OwnText(p, copy) : nullptr) {
          g_op = "InsertText (own characters)";
          Expect(list_->InsertText(p, c, own, static_cast<std::int32_t>(copy.size())),
                 model_.InsertText(p, c, copy));
          break;
        }
        const std::string s = TextArg();
        const std::int32_t n = in_.Byte() < 32 ? CountArg(8) : static_cast<std::int32_t>(s.size());
        const std::string_view used(
            s.data(), static_cast<std::size_t>(std::clamp<std::int64_t>(n, 0, std::int64_t(s.size()))));
        Expect(list_->InsertText(p, c, s.data(), std::min<std::int32_t>(n, std::int32_t(s.size()))),
               model_.InsertText(p, c, used));
        run_ = {p, Moved(std::max(c, 1), static_cast<std::int64_t>(used.size()))};
        break;
      }
      case 4:
      case 5: {
        g_op = "DeleteText";
        const std::int32_t p = ParaArg(), c = PosArg(p), n = CountArg(8);
        Classify(rkDelete, p);
        Expect(list_->DeleteText(p, c, n), model_.DeleteText(p, c, n));
        run_ = {p, c};
        break;
      }
      case 6:
      case 7: {
        g_op = "ReplaceText";
        const std::int32_t p = ParaArg(), c = PosArg(p), m = CountArg(6);
        Classify(rkReplace, p);
        std::string copy;
        if (const char* own = op >= 0x80 ? OwnText(p, copy) : nullptr) {
          g_op = "ReplaceText (own characters)";
          Expect(list_->ReplaceText(p, c, m, own, static_cast<std::int32_t>(copy.size())),
                 model_.ReplaceText(p, c, m, copy));
          break;
        }
        const std::string s = TextArg();
        Expect(list_->ReplaceText(p, c, m, s.data(), static_cast<std::int32_t>(s.size())),
               model_.ReplaceText(p, c, m, s));
        run_ = {p, Moved(c, static_cast<std::int64_t>(s.size()))};
        break;
      }
      case 8:
      case 9:
      case 10:
      case 11: RunStep(op); break;
      case 12:
      case 13: {
        const bool before = op % 32 == 12;
        g_op = before ? "InsertParaBefore" : "InsertParaAfter";
        const std::int32_t p = ParaArg();
        std::string s = TextArg();
        if (before) {
          Expect(list_->InsertParaBefore(p, s.data(), static_cast<std::int32_t>(s.size())),
                 model_.InsertParaBefore(p, s));
        } else {
          Expect(list_->InsertParaAfter(p, s.data(), static_cast<std::int32_t>(s.size())),
                 model_.InsertParaAfter(p, s));
        }
        break;
      }
      case 14: {
        g_op = "DeletePara";
        const std::int32_t p = ParaArg();
        list_->DeletePara(p);
        model_.DeletePara(p);
        break;
      }
      case 15:
      case 16: {
        g_op = "SplitPara";
        const std::int32_t p = ParaArg(), c = PosArg(p);
        const std::uint8_t b = in_.Byte();
        const std::int32_t w = b < 200 ? b % 12 : b < 250 ? in_.Word() : (b == 250 ? -3 : 40000);
        const std::int32_t t = static_cast<std::int8_t>(in_.Byte()) % 10;
        const bool trim = (b & 1) != 0;
        Expect(list_->SplitPara(p, c, trim, w, t), model_.SplitPara(p, c, trim, w, t));
        break;
      }
      case 17: {
        g_op = "MergeParas";
        const std::int32_t p = ParaArg(), c = PosArg(p);
        Expect(list_->MergeParas(p, c), model_.MergeParas(p, c));
        break;
      }
      case 18: {
        g_op = "DeleteRegion";
        const std::int32_t a = ParaArg(), s = PosArg(a);
        const std::int32_t e = in_.Byte() < 200 ? Moved(a, in_.Byte() % 5) : ParaArg();
        const std::int32_t t = PosArg(e);
        // Within one paragraph the region is one DeleteText; otherwise a group.
        if (std::min<std::int64_t>(e, model_.Count()) == a)
          Classify(rkDelete, a);
        else
          edit_ = TEntry{0, rkAny, 0, false, false};
        Expect(list_->DeleteRegion(a, s, e, t), model_.DeleteRegion(a, s, e, t));
        break;
      }
      case 19:
      case 20: {
        g_op = "InsertMultiLine";
        std::int32_t p = ParaArg(), c = PosArg(p);
        std::int64_t mp = p, mc = c;
        const std::string s = TextArg();
        if (s.find('\n') == std::string::npos)
          Classify(rkInsert, p);
        else
          edit_ = TEntry{0, rkAny, 0, false, false};
        Expect(list_->InsertMultiLine(p, c, s), model_.InsertMultiLine(mp, mc, s));
        Check(p == mp && c == mc, "InsertMultiLine end position");
        break;
      }
      case 21: {
        g_op = "AppendPara";
        const std::string s = TextArg();
        const bool trim = (in_.Byte() & 1) != 0;
        Expect(list_->AppendPara(s, trim), model_.AppendPara(s, trim));
        // No record: the history no longer matches the text unless there is none.
        if (list_->UndoCount() + list_->RedoCount() > 0) exact_ = false;
        edit = false;
        appended_ = true;
        break;
      }
      case 22:
        g_op = "BeginGroup";
        if (groups_.size() < 3) groups_.push_back(list_->BeginGroup());
        edit = false;
        break;
      case 23:
        g_op = "EndGroup";
        if (!groups_.empty()) EndGroup();
        edit = false;
        break;
      case 24:
      case 25:
      case 26:
      case 27:
        Replay(op);
        edit = false;
        break;
      case 28:
        Settings();
        edit = false;
        break;
      case 29:
        Limits();
        edit = false;
        break;
      case 30:
        History();
        edit = false;
        break;
      default:
        Markers();
        edit = false;
        break;
    }
    if (edit) {
      if (model_.Touched) {
        Check(list_->Modified(), "an edit left Modified off");
        Check(list_->RedoCount() == 0, "an edit left redo steps");
        // Records inside a group never merge; the group's last one may be of any kind.
        pendingEntry_ = groups_.empty() ? edit_ : TEntry{0, rkAny, 0, false, false};
        pending_ = true;
      } else {
        Check(list_->RedoCount() == redoBefore, "a refused or empty edit dropped the redo steps");
      }
    }
  }

  void Expect(std::uint16_t got, std::uint16_t expected) {
    Check(got == expected, "result code differs from the model");
  }

  // Typing, deleting and overwriting on from where the last edit ended, which undo merges.
  void RunStep(std::uint8_t op) {
    const std::int32_t p = run_.Para;
    static const TRecordKind kKinds[] = {rkInsert, rkDelete, rkDelete, rkReplace};
    Classify(kKinds[op % 4], p);
    if (op % 32 == 8) {
      g_op = "InsertText (run)";
      std::string s;
      for (int i = 1 + in_.Byte() % 3; i > 0; --i) s += CharArg();
      Expect(list_->InsertText(p, run_.Pos, s.data(), static_cast<std::int32_t>(s.size())),
             model_.InsertText(p, run_.Pos, s));
      run_.Pos = Moved(run_.Pos, static_cast<std::int64_t>(s.size()));
    } else if (op % 32 == 9) {
      g_op = "DeleteText (backspace run)";
      const std::int32_t n = 1 + in_.Byte() % 2;
      const std::int32_t c = std::max(1, Moved(run_.Pos, -n));
      const std::int32_t count = Moved(run_.Pos, -std::int64_t{c});
      Expect(list_->DeleteText(p, c, count), model_.DeleteText(p, c, count));
      run_.Pos = c;
    } else if (op % 32 == 10) {
      g_op = "DeleteText (forward run)";
      const std::int32_t n = 1 + in_.Byte() % 2;
      Expect(list_->DeleteText(p, run_.Pos, n), model_.DeleteText(p, run_.Pos, n));
    } else {
      g_op = "ReplaceText (run)";
      const std::int32_t m = in_.Byte() % 3;
      std::string s;
      for (int i = in_.Byte() % 3; i > 0; --i) s += CharArg();
      Expect(list_->ReplaceText(p, run_.Pos, m, s.data(), static_cast<std::int32_t>(s.size())),
             model_.ReplaceText(p, run_.Pos, m, s));
      run_.Pos = Moved(run_.Pos, static_cast<std::int64_t>(s.size()));
    }
  }

  void Classify(TRecordKind kind, std::int32_t para) { edit_ = TEntry{0, kind, para, true, false}; }

  void EndGroup() {
    list_->EndGroup(groups_.back());
    groups_.pop_back();
  }

  void Replay(std::uint8_t op) {
    if (!groups_.empty()) return;   // the editor never replays inside an open group
    const int kind = op % 32 - 24;  // 0, 1 undo; 2 redo; 3 undo + redo or redo + undo
    const bool undoFirst = kind < 2 || (kind == 3 && (in_.Byte() & 1) != 0);
    g_op = kind == 3 ? (undoFirst ? "Undo + Redo" : "Redo + Undo") : (undoFirst ? "Undo" : "Redo");
    const std::uint64_t before = hash_;
    const bool done = ReplayOne(undoFirst);
    if (kind == 3 && done) {
      const bool back = ReplayOne(!undoFirst);
      if (exact_) Check(back && hash_ == before, "undo and redo did not give back the text");
    }
  }

  bool ReplayOne(bool undo) {
    const std::int32_t available = undo ? list_->UndoCount() : list_->RedoCount();
    std::int32_t para = 0, pos = 0;
    const bool done = undo ? list_->Undo(para, pos) : list_->Redo(para, pos);
    if (done) Check(para >= 1 && para <= list_->ParaCount() && pos >= 1, "caret after a replay");
    Walk();
    std::vector<std::string> paras;
    for (const TParaNode* node : nodes_)
      paras.emplace_back(node->Text(), static_cast<std::size_t>(node->Length()));
    model_.Assign(std::move(paras));
    if (!exact_) return done;
    Check(done == (available > 0), "replay result differs from the step count");
    if (!done) return false;
    const auto last = static_cast<std::int32_t>(history_.size()) - 1;
    auto at = [&](std::int32_t i) -> const TEntry& { return history_[static_cast<std::size_t>(i)]; };
    if (undo) {
      // One step back, or further over texts whose edits may have merged.
      std::int32_t furthest = current_ - 1;
      while (furthest > 0 && at(furthest + 1).MayMerge) --furthest;
      std::int32_t j = current_ - 1;
      while (j >= furthest && at(j).Hash != hash_) --j;
      Check(j >= 0 && j >= furthest, "undo did not lead back to the text before the step");
      current_ = j;
    } else if (list_->RedoCount() == 0) {
      Check(hash_ == history_.back().Hash, "the last redo did not give the latest text");
      current_ = last;
    } else {
      std::int32_t furthest = current_ + 1;
      while (furthest < last && at(furthest + 1).MayMerge) ++furthest;
      std::int32_t k = current_ + 1;
      while (k <= furthest && at(k).Hash != hash_) ++k;
      Check(k <= furthest, "redo did not lead to the text after the step");
      current_ = k;
    }
    return true;
  }

  void Settings() {
    const std::uint8_t b = in_.Byte();
    if (b % 3 == 0) {
      g_op = "SetWordWrap";
      list_->SetWordWrap(!list_->WordWrap());
    } else if (b % 3 == 1) {
      g_op = "SetWrapColumn";
      const std::int32_t value = static_cast<std::int32_t>(in_.Byte() % 48) - 2;
      const std::int32_t old = list_->WrapColumn();
      list_->SetWrapColumn(value);
      Check(list_->WrapColumn() == (value >= 1 ? value : old), "WrapColumn setter");
    } else {
      g_op = "SetTabSize";
      const auto value = static_cast<std::uint8_t>(in_.Byte() % 12);
      const std::uint8_t old = list_->TabSize();
      list_->SetTabSize(value);
      Check(list_->TabSize() == (value != 0 ? value : old), "TabSize setter");
    }
    wrapChanged_ = true;
  }

  // Limits lowered around the present counts (lowering never removes text), or lifted.
  void Limits() {
    const std::uint8_t b = in_.Byte();
    const std::int32_t delta = static_cast<std::int32_t>(in_.Byte() % 8) - 3;
    const bool lift = (b & 0x80) != 0;
    std::int64_t value = 0;
    if (b % 3 == 0) {
      g_op = "SetParaLimit";
      value = lift ? kMaxInt32 : std::int64_t{list_->ParaCount()} + delta;
      list_->SetParaLimit(static_cast<std::int32_t>(value));
      if (value >= 1) model_.ParaLimit = value;
      Check(list_->ParaLimit() == model_.ParaLimit, "ParaLimit setter");
    } else if (b % 3 == 1) {
      g_op = "SetByteLimit";
      value = lift ? kMaxInt32 : std::int64_t{list_->ByteCount()} + delta * 5;
      list_->SetByteLimit(static_cast<std::int32_t>(value));
      if (value >= 0) model_.ByteLimit = value;
      Check(list_->ByteLimit() == model_.ByteLimit, "ByteLimit setter");
    } else {
      g_op = "SetParaLengthLimit";
      value = lift         ? kMaxParaLength
              : (b & 0x40) ? 1 + in_.Byte() % 40
                           : (model_.Has(run_.Para) ? model_.Len(run_.Para) : 0) + delta;
      list_->SetParaLengthLimit(static_cast<std::int32_t>(value));
      if (value >= 1 && value <= kMaxParaLength) model_.ParaLengthLimit = value;
      Check(list_->ParaLengthLimit() == model_.ParaLengthLimit, "ParaLengthLimit setter");
    }
  }

  void History() {
    const std::uint8_t b = in_.Byte();
    if (b >= 0xC0) {
      // Empty groups still take group numbers: the counter wraps at 256 and must never give
      // the next record the number of the last one. 255 of them bring it round to that number
      // for the next record, grouped or not.
      g_op = "empty groups";
      const std::uint8_t n = in_.Byte();
      for (int i = n >= 0x80 ? 255 : n; i > 0; --i) list_->EndGroup(list_->BeginGroup());
    } else if (b % 4 == 0) {
      g_op = "SetModified(false)";
      list_->SetModified(false);
      saved_ = hash_;
    } else if (b % 4 == 1) {
      g_op = "SetModified(true)";
      list_->SetModified(true);
    } else if (b % 4 == 2) {
      g_op = "ClearUndo";
      list_->ClearUndo();
      Check(list_->UndoCount() == 0 && list_->RedoCount() == 0, "ClearUndo left steps");
      ResetHistory();
    } else {
      static const std::uint16_t kSizes[] = {0, 1, 14, 15, 28, 64, 100, 512, 2000, 8192, 30000, 65535};
      g_op = "SetUndoBufferSize";
      if (!groups_.empty()) return;  // the editor replaces the buffer between commands only
      list_->SetUndoBufferSize(kSizes[(b >> 2) % 12]);
      Check(list_->UndoCount() == 0 && list_->RedoCount() == 0, "a new buffer has steps");
      ResetHistory();
    }
  }

  void Markers() {
    const std::uint8_t b = in_.Byte();
    const int n = b % 11;  // 10 is ignored
    if ((b & 0x80) != 0) {
      g_op = "SetMarker";
      const std::int32_t line = 1 + in_.Byte() % (list_->LineCount() + 1);
      list_->SetMarker(n, line, 1 + in_.Byte() % 40);
    } else {
      g_op = "SetMarkerPos";
      const std::int32_t p = 1 + in_.Byte() % list_->ParaCount();
      list_->SetMarkerPos(n, p, 1 + in_.Byte() % static_cast<std::int32_t>(model_.Len(p) + 3));
    }
  }

  // ---- History of texts ----

  // Undo cannot reach back behind this point: start a new history from the present text.
  void ResetHistory() {
    history_.assign(1, TEntry{hash_, rkNone, 0, false, false});
    current_ = 0;
    pending_ = false;
    if (!exact_ && !list_->Modified()) saved_ = hash_;
    exact_ = true;
  }

  // An edit outside any group is a step of its own (or merges into the last one).
  void Record() {
    TEntry entry = pendingEntry_;
    const TEntry& before = history_[static_cast<std::size_t>(current_)];
    entry.Hash = hash_;
    entry.MayMerge =
        entry.Mergeable && (before.Kind == rkAny || (before.Kind == entry.Kind && before.Para == entry.Para));
    history_.resize(static_cast<std::size_t>(current_) + 1);
    history_.push_back(entry);
    ++current_;
    pending_ = false;
  }

  // ---- Checks ----

  void Verify(bool fullWrap) {
    Probe();
    Walk();
    CheckProbe();
    CheckText();
    if (fullWrap || wrapChanged_) CheckWrap();
    wrapChanged_ = false;
    CheckMarkers();
    Check(view_->SeenModified == list_->Modified(), "Modified changed without telling the views");
    Check(list_->UndoBuffer().Free() <= list_->UndoBuffer().Capacity(), "undo buffer free space");
    Check(list_->UndoCount() >= 0 && list_->RedoCount() >= 0, "step counts");
    if (appended_) {
      if (!list_->Modified()) saved_ = hash_;  // loaded text counts as unmodified
      if (exact_ && list_->UndoCount() + list_->RedoCount() == 0) ResetHistory();
      appended_ = false;
    }
    if (pending_ && groups_.empty()) Record();
    if (exact_ && !list_->Modified()) Check(hash_ == saved_, "Modified is off for a text that was not saved");
    // Start the next step from a display line chosen by the input.
    std::int32_t length = 0;
    list_->GetLine(1 + in_.Byte() % list_->LineCount(), length);
  }

  // Lookups from wherever the last step left the cursor cache, checked after the walk.
  void Probe() {
    probeLine_ = static_cast<std::int32_t>(in_.Byte() % (list_->LineCount() + 2));
    list_->LineToPara(probeLine_, probePara_, probeOffset_);
    probeText_ = list_->GetLine(probeLine_, probeLength_);
    probePosPara_ = 1 + in_.Byte() % list_->ParaCount();
    probePos_ = 1 + in_.Byte() % 48;
    list_->PosToLine(probePosPara_, probePos_, probeLineOut_, probeColumn_);
  }

  void CheckProbe() {
    const std::int32_t count = list_->LineCount();
    const std::int32_t line = std::clamp(probeLine_, 1, count);
    const auto it = std::upper_bound(firstLines_.begin(), firstLines_.end(), line);
    const auto index = static_cast<std::size_t>(it - firstLines_.begin()) - 1;
    const TParaNode* node = nodes_[index];
    Check(probePara_ == static_cast<std::int32_t>(index) + 1, "LineToPara paragraph");
    Check(probeOffset_ == node->LineStart(line - firstLines_[index]), "LineToPara offset");
    if (probeLine_ < 1 || probeLine_ > count) {
      Check(probeLength_ == 0, "GetLine out of range");
    } else {
      std::int32_t length = 0;
      const char* text = node->LineText(line - firstLines_[index], length);
      Check(probeLength_ == length && std::memcmp(probeText_, text, static_cast<std::size_t>(length)) == 0,
            "GetLine text");
    }
    std::int32_t lineIndex = 0, column = 0;
    nodes_[static_cast<std::size_t>(probePosPara_ - 1)]->PosToLineIndex(probePos_, lineIndex, column);
    Check(probeLineOut_ == firstLines_[static_cast<std::size_t>(probePosPara_ - 1)] + lineIndex &&
              probeColumn_ == column,
          "PosToLine");
  }

  // Links, lengths and counts; collects the paragraphs and the text's hash.
  void Walk() {
    nodes_.clear();
    firstLines_.clear();
    const std::int32_t count = list_->ParaCount();
    Check(count >= 1, "no paragraph");
    const TParaNode* previous = nullptr;
    std::int64_t bytes = 0, line = 1;
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    const bool wrap = list_->WordWrap();
    for (const TParaNode* node = list_->GetPara(1); node != nullptr; node = node->Next()) {
      Check(static_cast<std::int32_t>(nodes_.size()) < count, "more paragraphs than ParaCount");
      Check(node->Prev() == previous, "Prev link");
      const std::int32_t length = node->Length();
      Check(length >= 0 && length <= kMaxParaLength, "paragraph length");
      Check(node->Text()[length] == '\0', "paragraph text not NUL-terminated at its length");
      Check(length == 0 || node->Capacity() > length, "paragraph capacity");
      const std::int32_t lines = node->LineCount();
      Check(lines >= 1 && (wrap || lines == 1) && (length > 0 || lines == 1), "paragraph line count");
      Check(node->LineStartCapacity() >= lines, "line-start table too small");
      for (std::int32_t k = 1; k < lines; ++k) {
        Check(node->LineStart(k) > node->LineStart(k - 1) && node->LineStart(k) < length,
              "line starts not increasing");
      }
      nodes_.push_back(node);
      firstLines_.push_back(static_cast<std::int32_t>(line));
      hash = Mix(hash, node->Text(), length);
      bytes += length + 2;
      line += lines;
      previous = node;
    }
    Check(static_cast<std::int32_t>(nodes_.size()) == count, "fewer paragraphs than ParaCount");
    Check(list_->GetPara(count) == previous, "last paragraph");
    Check(bytes - 2 == list_->ByteCount(), "ByteCount is not the sum over the paragraphs");
    Check(line - 1 == list_->LineCount(), "LineCount is not the sum over the paragraphs");
    hash_ = hash;
  }

  void CheckText() {
    Check(nodes_.size() == model_.Paras.size(), "paragraph count differs from the model");
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
      const std::string& expected = model_.Paras[i];
      Check(static_cast<std::size_t>(nodes_[i]->Length()) == expected.size() &&
                std::memcmp(nodes_[i]->Text(), expected.data(), expected.size()) == 0,
            "text differs from the model");
    }
    Check(model_.Bytes() == list_->ByteCount(), "the model's byte count");
  }

  void CheckWrap() {
    const std::int32_t wrapColumn = list_->EffectiveWrapColumn();
    for (const TParaNode* node : nodes_) {
      const TParaNode fresh(node->Text(), node->Length(), wrapColumn, list_->TabSize());
      Check(node->LineCount() == fresh.LineCount(), "line count differs from a fresh wrap");
      for (std::int32_t k = 0; k < fresh.LineCount(); ++k)
        Check(node->LineStart(k) == fresh.LineStart(k), "line start differs from a fresh wrap");
    }
  }

  void CheckMarkers() {
    for (int n = 0; n < 10; ++n) {
      const TMarker& m = list_->Marker(n);
      Check((m.Para == 0 && m.Pos == 0) || (m.Para >= 1 && m.Para <= list_->ParaCount() && m.Pos >= 1),
            "marker outside the text");
    }
  }

  struct TRun {
    std::int32_t Para = 1;
    std::int32_t Pos = 1;
  };

  TInput in_;
  std::unique_ptr<TParaList> list_;
  std::unique_ptr<TCheckingView> view_;
  TParaListModel model_;
  std::vector<bool> groups_;
  TRun run_;
  std::vector<TEntry> history_;  // the texts undo and redo may lead to; the present one at `current_`
  std::int32_t current_ = 0;
  TEntry edit_;  // what the present step's edit leaves as the newest record
  TEntry pendingEntry_;
  bool exact_ = true;     // the history follows every change of the text
  bool pending_ = false;  // an edit inside the open group is not in the history yet
  bool appended_ = false;
  bool wrapChanged_ = false;
  std::uint64_t saved_ = 0;  // the text when Modified was last switched off
  std::uint64_t hash_ = 0;
  std::vector<const TParaNode*> nodes_;
  std::vector<std::int32_t> firstLines_;
  std::int32_t probeLine_ = 0, probePara_ = 0, probeOffset_ = 0, probeLength_ = 0;
  const char* probeText_ = nullptr;
  std::int32_t probePosPara_ = 0, probePos_ = 0, probeLineOut_ = 0, probeColumn_ = 0;
};

}  // namespace
}  // namespace quilmo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quilmo::fuzz::g_step = 0;
  quilmo::fuzz::g_op = "start";
  quilmo::fuzz::TEditRun run(data, size);
  run.Run();
  return 0;
}
