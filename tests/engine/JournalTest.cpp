// The recovery journal: edits recorded and replayed onto their base give the same text;
// journals cut short or with bad bytes give back the text of the last sound checkpoint;
// failed writes are retried whole. (Recovery onto a changed file: tests/app.)

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/JournalReplay.h"
#include "engine/JournalWriter.h"
#include "engine/ParaList.h"
#include "support/DocBuilder.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"

namespace quilmo {
namespace {

using test::MakeParaList;
using test::TFaultyFileSystem;
using test::TFsOp;
using test::TTempDir;

std::vector<std::string> Paras(TParaList& list) {
  std::vector<std::string> paras;
  for (std::int32_t i = 1; i <= list.ParaCount(); ++i) {
    const TParaNode* node = list.GetPara(i);
    paras.emplace_back(node->Text(), static_cast<std::size_t>(node->Length()));
  }
  return paras;
}

std::int32_t Size(const std::string& s) {
  return static_cast<std::int32_t>(s.size());
}

// Recovers the journal at `path` onto `base`, as the program does.
std::vector<std::string> Recover(const std::string& path, std::string_view base,
                                 TJournalContents* out = nullptr) {
  const TJournalContents contents = ReadJournal(test::ReadFileBytes(path));
  if (out != nullptr) *out = contents;
  if (contents.State == TJournalState::jsUnreadable) return {};
  auto list = MakeParaList(base);
  EXPECT_TRUE(IsJournalBase(*list, contents.Base));
  EXPECT_TRUE(ReplayJournal(*list, contents.Changes).Consistent);
  return Paras(*list);
}

using TEdit = std::function<void(TParaList&)>;

void UndoAll(TParaList& list) {
  std::int32_t para = 0;
  std::int32_t pos = 0;
  while (list.Undo(para, pos)) {
  }
}

TEST(JournalTest, ReplayGivesTheEditedTextByteForByte) {
  struct TCase {
    const char* Name;
    const char* Base;
    TEdit Edit;
  };
  const std::string high("\xE9\x00\xFF\t", 4);
  const std::vector<TCase> cases = {
      {"typing", "ab", [](TParaList& l) { EXPECT_EQ(l.InsertText(1, 2, "xyz", 3), 0); }},
      {"typing far behind the end pads", "ab",
       [](TParaList& l) { EXPECT_EQ(l.InsertText(1, 9, "x", 1), 0); }},
      {"8-bit bytes and NUL", "",
       [&](TParaList& l) { EXPECT_EQ(l.InsertText(1, 1, high.data(), Size(high)), 0); }},
      {"backspaces", "abcdef", [](TParaList& l) { EXPECT_EQ(l.DeleteText(1, 3, 2), 0); }},
      {"overwrite behind the end", "ab",
       [](TParaList& l) { EXPECT_EQ(l.ReplaceText(1, 5, 3, "XYZ", 3), 0); }},
      {"shrinking replacement", "abcdef", [](TParaList& l) { EXPECT_EQ(l.ReplaceText(1, 2, 4, "Q", 1), 0); }},
      {"new line with indent", "  abc def",
       [](TParaList& l) { EXPECT_EQ(l.SplitPara(1, 6, true, 4, 4), 0); }},
      {"join", "abc\ndef\nghi", [](TParaList& l) { EXPECT_EQ(l.MergeParas(2, 9), 0); }},
      {"region across paragraphs", "abc\ndef\nghi\njkl",
       [](TParaList& l) { EXPECT_EQ(l.DeleteRegion(1, 2, 4, 2), 0); }},
      {"multi-line paste", "abc",
       [](TParaList& l) {
         std::int32_t p = 1, c = 2;
         EXPECT_EQ(l.InsertMultiLine(p, c, "x\r\ny  \nz"), 0);
       }},
      {"undo of everything", "abc\ndef",
       [](TParaList& l) {
         EXPECT_EQ(l.SplitPara(1, 2, false, 0, 0), 0);
         l.DeletePara(3);
         EXPECT_EQ(l.InsertText(1, 1, "q", 1), 0);
         UndoAll(l);
       }},
      {"undo then redo", "abc\ndef",
       [](TParaList& l) {
         EXPECT_EQ(l.DeleteRegion(1, 1, 2, 1), 0);
         std::int32_t p = 0, c = 0;
         l.Undo(p, c);
         l.Redo(p, c);
         EXPECT_EQ(l.InsertParaAfter(1, "end", 3), 0);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir dir;
    auto list = MakeParaList(c.Base);
    TJournalWriter writer(DefaultFileSystem(), dir.File("j"));
    writer.Start(*list, {});
    c.Edit(*list);
    ASSERT_EQ(writer.Flush(1), 0);
    EXPECT_EQ(Recover(dir.File("j"), c.Base), Paras(*list));
  }
}

// A random editing session flushed now and then; the texts at each flush and where each
// flush ended in the file.
struct TSession {
  std::string Base;
  std::vector<std::vector<std::string>> Synced;
  std::vector<std::size_t> Ends;
};

TSession RunSession(unsigned seed, const std::string& path) {
  std::mt19937 rng(seed);
  auto pick = [&rng](int n) { return static_cast<std::int32_t>(rng() % static_cast<unsigned>(n)); };
  // Random steps may be refused at a limit; the journal records only what was done.
  TSession s;
  s.Base = seed % 3 == 0 ? "" : "first line\n\tsecond\nthird";
  auto list = MakeParaList(s.Base);
  TJournalWriter writer(DefaultFileSystem(), path);
  writer.Start(*list, {});
  for (int op = 0; op < 60; ++op) {
    const std::int32_t para = 1 + pick(list->ParaCount());
    const std::int32_t pos = 1 + pick(list->ParaLength(para) + 3);
    std::int32_t p = para, c = pos;
    switch (pick(7)) {
      case 0: (void)list->InsertText(para, pos, "k\xE8y", 1 + pick(3)); break;
      case 1: (void)list->DeleteText(para, pos, 1 + pick(4)); break;
      case 2: (void)list->SplitPara(para, pos, true, pick(5), 4); break;
      case 3: (void)list->MergeParas(para, list->ParaLength(para) + 1 + pick(3)); break;
      case 4: (void)list->InsertMultiLine(p, c, "one\ntwo  \r\n"); break;
      case 5: (void)list->ReplaceText(para, pos, pick(3), "RE", pick(3)); break;
      default: pick(2) == 0 ? list->Undo(p, c) : list->Redo(p, c); break;
    }
    if (pick(3) == 0) {
      EXPECT_EQ(writer.Flush(op), 0);
      if (!writer.HasChanges()) continue;
      s.Synced.push_back(Paras(*list));
      s.Ends.push_back(test::ReadFileBytes(path).size());
    }
  }
  return s;
}

// The text the journal must give back when its bytes from `damage` on are lost or bad.
std::vector<std::string> Expected(const TSession& s, std::size_t damage) {
  std::vector<std::string> text = Paras(*MakeParaList(s.Base));
  for (std::size_t i = 0; i < s.Ends.size() && s.Ends[i] <= damage; ++i) text = s.Synced[i];
  return text;
}

TEST(JournalTest, SeededKillPointsRecoverTheTextOfTheLastSync) {
  int checked = 0;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    TTempDir dir;
    const TSession s = RunSession(seed, dir.File("j"));
    if (s.Ends.empty()) continue;
    const std::string bytes = test::ReadFileBytes(dir.File("j"));
    std::mt19937 rng(seed);
    for (int k = 0; k < 12; ++k, ++checked) {
      // Cut short at a random byte, or one random byte spoiled.
      const std::size_t at = rng() % (bytes.size() + 1);
      std::string damaged = bytes.substr(0, at);
      const bool flip = k % 2 == 1 && at < bytes.size();
      if (flip) {
        damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ (1 + rng() % 255));
      }
      test::WriteFileBytes(dir.File("d"), damaged);
      TJournalContents contents;
      const std::vector<std::string> got = Recover(dir.File("d"), s.Base, &contents);
      if (contents.State == TJournalState::jsUnreadable) {
        EXPECT_LT(at, s.Ends.front());
      } else {
        EXPECT_EQ(got, Expected(s, at)) << "damage at " << at << " of " << bytes.size();
        if (damaged == bytes) {
          EXPECT_EQ(contents.State, TJournalState::jsComplete);
        }
        if (flip) {
          EXPECT_NE(contents.State, TJournalState::jsComplete);
        }
      }
    }
  }
  EXPECT_GT(checked, 300);
}

TEST(JournalTest, FailedWritesAreRetriedWholeAndStopRemovesTheFile) {
  for (TFsOp op : {TFsOp::CreateNew, TFsOp::Write, TFsOp::Sync}) {
    SCOPED_TRACE(test::FsOpName(op));
    TTempDir dir;
    TFaultyFileSystem fs;
    auto list = MakeParaList("abc");
    TJournalWriter writer(fs, dir.File("j"));
    writer.Start(*list, {});
    EXPECT_EQ(list->InsertText(1, 1, "1", 1), 0);
    ASSERT_EQ(writer.Flush(1), 0);
    fs.FailAt(op, fs.Calls(op) + 1, EIO);
    EXPECT_EQ(list->InsertText(1, 1, "2", 1), 0);
    EXPECT_EQ(writer.Flush(2), op == TFsOp::CreateNew ? 0 : EIO);
    EXPECT_EQ(list->InsertText(1, 1, "3", 1), 0);
    EXPECT_EQ(writer.Flush(3), 0);
    EXPECT_EQ(Recover(dir.File("j"), "abc"), Paras(*list));
    EXPECT_EQ(writer.Stop(), 0);
    EXPECT_TRUE(test::FolderEntries(dir.Path()).empty());
  }
}

// The hash taken while paragraphs are appended equals the one read from the text afterwards,
// and is given up after any other change, so that a journal never gets a wrong base.
TEST(JournalTest, BaseHashTakenWhileAppendingIsKnownOnlyAfterAppends) {
  struct TCase {
    const char* Name;
    TEdit Edit;
    bool Known;
  };
  const std::vector<TCase> cases = {
      {"appends only", [](TParaList&) {}, true},
      {"one more append", [](TParaList& l) { EXPECT_EQ(l.AppendPara("fin", false), 0); }, true},
      {"insert text", [](TParaList& l) { EXPECT_EQ(l.InsertText(2, 1, "x", 1), 0); }, false},
      {"delete text", [](TParaList& l) { EXPECT_EQ(l.DeleteText(2, 1, 1), 0); }, false},
      {"replace same length", [](TParaList& l) { EXPECT_EQ(l.ReplaceText(2, 1, 1, "z", 1), 0); }, false},
      {"insert paragraph", [](TParaList& l) { EXPECT_EQ(l.InsertParaAfter(1, "p", 1), 0); }, false},
      {"delete paragraph", [](TParaList& l) { l.DeletePara(2); }, false},
      {"text in the last paragraph",
       [](TParaList& l) { EXPECT_EQ(l.InsertText(l.ParaCount(), 1, "y", 1), 0); }, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto list = std::make_shared<TParaList>(false, 8192);
    list->SetParaLengthLimit(10);
    TJournalBaseHasher hasher(list);
    {
      TParaList::TAppender appender(*list, true);
      // Every length of a last word, a long line cut in pieces, trailing blanks trimmed.
      for (const char* line :
           {"", "a", "ab\xE9", "abcdefg", "abcdefgh", "abcdefghi  ", "un deux trois quatre"})
        EXPECT_EQ(appender.Append(line), 0);
    }
    c.Edit(*list);
    const std::optional<std::uint64_t> hash = hasher.Hash(*list);
    EXPECT_EQ(hash.has_value(), c.Known);
    if (hash) {
      EXPECT_EQ(*hash, JournalTextHash(*list));
    }
    // The journal's base hash is the text's either way.
    TTempDir dir;
    TJournalWriter writer(DefaultFileSystem(), dir.File("j"));
    writer.Start(*list, {});
    EXPECT_EQ(writer.Base().TextHash, JournalTextHash(*list));
    EXPECT_FALSE(hasher.Hash(*list).has_value());  // the journal observes the list now
  }
  auto list = std::make_shared<TParaList>(false, 8192);
  auto hasher = std::make_unique<TJournalBaseHasher>(list);
  list.reset();  // a list gone before its hasher is not touched
  hasher.reset();
}

// A journal left on disk by an earlier build (paragraphs of 0 to 19 characters, so that every
// length of a paragraph's last word occurs) is still taken for its base and recovered.
TEST(JournalTest, JournalOfAnEarlierBuildIsRecovered) {
  const std::string after = test::ReadFileBytes(test::DataFile("journal-kept-after.txt"));
  std::vector<std::string> expected(1);
  for (char c : after) {
    if (c == '\n')
      expected.emplace_back();
    else
      expected.back() += c;
  }
  TJournalContents contents;
  const std::string base = test::ReadFileBytes(test::DataFile("journal-kept-base.txt"));
  EXPECT_EQ(Recover(test::DataFile("journal-kept.journal"), base, &contents), expected);
  EXPECT_EQ(contents.State, TJournalState::jsComplete);
  EXPECT_EQ(contents.Changes.size(), 5u);  // four edits and their checkpoint
}

}  // namespace
}  // namespace quilmo
