// Edits larger than the configured undo buffer: the block grows to hold them, within its
// ceiling, one undo gives the text back byte for byte, and the steps before them stay; a step
// beyond the ceiling or the memory is refused by Reserve before anything changes.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/ParaList.h"
#include "engine/Search.h"
#include "engine/UndoBuffer.h"
#include "engine/UndoGroup.h"
#include "support/DocBuilder.h"

namespace quilmo {
namespace {

using test::MakeParaList;
using test::ParaListText;
using test::TDocOptions;

std::string Lines(int count, const std::string& line) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i > 0 ? "\n" : "") + line + std::to_string(i);
  return text;
}

bool Step(TParaList& list, bool undo) {
  std::int32_t para = 0;
  std::int32_t pos = 0;
  return undo ? list.Undo(para, pos) : list.Redo(para, pos);
}

void ReplaceAll(TParaList& list, std::string_view pattern, std::string_view replacement) {
  const TUndoGroup group(list);  // as the Replace dialog runs it: one step
  TSearchRequest request;
  request.Pattern = pattern;
  request.Replacement = replacement;
  request.Options = soReplaceAll | soEntireScope | soMatchCase;
  ASSERT_EQ(FindOrReplaceAll(list, request).Error, 0);
}

struct TLargeEdit {
  const char* Name;
  std::string Document;
  std::function<void(TParaList&)> Edit;
};

TEST(UndoBufferGrowthTest, LargeEditsAreUndoneExactlyAndKeepTheStepsBefore) {
  const std::string pasted = Lines(40000, "pasted line ");  // about 0.7 MB
  const std::vector<TLargeEdit> cases = {
      {"replace-all of 3000 matches", Lines(1000, "foo bar foo baz foo "),
       [](TParaList& list) { ReplaceAll(list, "foo", "quux"); }},
      {"replace-all breaking 3000 lines", Lines(1000, "foo bar foo baz foo "),
       [](TParaList& list) { ReplaceAll(list, "foo", "a\r\nb"); }},
      {"paste inside a line", "head tail",
       [&](TParaList& list) {
         std::int32_t para = 1;
         std::int32_t pos = 6;
         ASSERT_EQ(list.InsertMultiLine(para, pos, pasted), 0);
       }},
      {"paste at a paragraph start", "head\ntail",
       [&](TParaList& list) {
         std::int32_t para = 2;
         std::int32_t pos = 1;
         ASSERT_EQ(list.InsertMultiLine(para, pos, pasted + "\n"), 0);
       }},
      {"deletion of 20000 paragraphs", Lines(20001, "line "),
       [](TParaList& list) { ASSERT_EQ(list.DeleteRegion(2, 3, 20000, 2), 0); }},
      {"deletion of whole paragraphs", Lines(20001, "line "),
       [](TParaList& list) { ASSERT_EQ(list.DeleteRegion(1, 1, 20001, 1), 0); }},
      {"replacement of a whole longest paragraph", std::string(32766, 'a'),
       [](TParaList& list) {
         const std::string b(32767, 'b');
         ASSERT_EQ(list.ReplaceText(1, 1, 32767, b.data(), 32767), 0);
       }},
  };
  for (const TLargeEdit& edit : cases) {
    SCOPED_TRACE(edit.Name);
    auto list = MakeParaList(edit.Document, TDocOptions{false, 80, 8, 65535});
    // An earlier step, which the large one must not push out.
    ASSERT_EQ(list->InsertText(1, 1, "x", 1), 0);
    const std::string before = ParaListText(*list);
    ASSERT_NO_FATAL_FAILURE(edit.Edit(*list));
    const std::string after = ParaListText(*list);
    ASSERT_FALSE(after == before) << "the edit changed nothing";
    ASSERT_TRUE(Step(*list, true));
    EXPECT_TRUE(ParaListText(*list) == before) << "undo gave " << ParaListText(*list).size() << " bytes, not "
                                               << before.size();
    ASSERT_TRUE(Step(*list, false));
    EXPECT_TRUE(ParaListText(*list) == after);
    ASSERT_TRUE(Step(*list, true));
    ASSERT_TRUE(Step(*list, true));
    EXPECT_TRUE(ParaListText(*list) == edit.Document);
    EXPECT_EQ(list->UndoCount(), 0);
    EXPECT_LE(list->UndoBuffer().Capacity(), static_cast<std::int64_t>(kUndoCeiling));
  }
}

std::int64_t Used(TParaList& list) {
  return list.UndoBuffer().Capacity() - list.UndoBuffer().Free();
}

// The costs asked before an edit are upper bounds of what it records: an edit that passes
// the question must never overflow the history.
TEST(UndoBufferGrowthTest, UndoCostsBoundTheRecordsWritten) {
  const std::string doc = "  indented tail\nsecond   \n\nlast";
  const struct {
    std::int32_t Para, Pos;
    std::string Text;
  } inserts[] = {
      {1, 3, "abc"},         {1, 3, "a\nb"},         {1, 1, "a\nb\n"},       {2, 10, "x  \n  y\n"},
      {2, 20, "\n\n\nz"}, {3, 1, "only\n"},       {4, 5, "\r\nq\r\n"}, {1, 16, Lines(30, "l") + "\n"},
  };
  for (const auto& insert : inserts) {
    SCOPED_TRACE(insert.Text);
    auto list = MakeParaList(doc);
    const std::int64_t paraLength = std::max(list->ParaLength(insert.Para), insert.Pos - 1);
    const auto cost = static_cast<std::int64_t>(TParaList::InsertUndoCost(paraLength, insert.Text));
    std::int32_t para = insert.Para;
    std::int32_t pos = insert.Pos;
    ASSERT_EQ(list->InsertMultiLine(para, pos, insert.Text), 0);
    EXPECT_LE(Used(*list), cost);
  }
  const struct {
    std::int32_t StartPara, StartPos, EndPara, EndPos;
  } regions[] = {{1, 3, 1, 9}, {1, 3, 2, 4}, {1, 1, 4, 1}, {1, 16, 4, 2}, {2, 1, 3, 1}, {1, 5, 4, 5}};
  for (const auto& r : regions) {
    SCOPED_TRACE(r.StartPara * 1000 + r.StartPos);
    auto list = MakeParaList(doc);
    const auto cost = static_cast<std::int64_t>(list->RegionUndoCost(r.StartPara, r.StartPos, r.EndPara, r.EndPos));
    ASSERT_EQ(list->DeleteRegion(r.StartPara, r.StartPos, r.EndPara, r.EndPos), 0);
    EXPECT_LE(Used(*list), cost);
  }
  for (const std::string replacement : {"", "xyzzy", "a\nb", "\n", "a  \n  b\nc"}) {
    SCOPED_TRACE(replacement);
    auto list = MakeParaList(doc);
    const std::uint64_t cost = TParaList::ReplaceUndoCost(list->ParaLength(2), 3, replacement);
    ReplaceAll(*list, "   ", replacement);  // the blanks behind "second"
    ASSERT_EQ(ParaListText(*list).find("second   "), std::string::npos);
    EXPECT_LE(Used(*list), static_cast<std::int64_t>(cost));
  }
}

char* FailAbove100000(std::size_t size) {
  return size > 100000 ? nullptr : new char[size];
}

struct TReserveCase {
  const char* Name;
  std::uint64_t Ceiling;
  TUndoBuffer::TAllocator Allocate;
  std::uint64_t Bytes;
  bool Held;
  std::int64_t Capacity;  // afterwards
};

TEST(UndoBufferGrowthTest, ReserveGrowsForAStepOrRefusesItKeepingTheHistory) {
  // 4 groups of 10 records of 1000 bytes fill most of 65535 bytes (40560 used).
  const std::vector<TReserveCase> cases = {
      {"fits in the free bytes", kUndoCeiling, nullptr, 20000, true, 65535},
      {"dropping older steps makes room", kUndoCeiling, nullptr, 30000, true, 65535},
      {"grows, keeping the older steps", kUndoCeiling, nullptr, 1000000, true, 1040000},
      {"grows, up to the ceiling", 200000, nullptr, 150000, true, 190000},
      {"beyond the ceiling", 200000, nullptr, 200001, false, 65535},
      {"beyond the memory", kUndoCeiling, FailAbove100000, 150000, false, 65535},
      {"as much as the memory gives", kUndoCeiling, FailAbove100000, 90000, true, 90000},
  };
  const std::string data(986, 'd');
  for (const TReserveCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TUndoBuffer buffer(65535, c.Allocate);
    buffer.SetCeiling(c.Ceiling);
    for (int g = 0; g < 4; ++g) {
      const bool was = buffer.BeginGroup();
      for (int i = 0; i < 10; ++i) ASSERT_TRUE(buffer.AddRecord(ukInsertText, false, data.data(), 986, 1, i + 1));
      buffer.EndGroup(was);
    }
    ASSERT_EQ(buffer.Free(), 65535 - 40000);
    EXPECT_EQ(buffer.Reserve(c.Bytes), c.Held);
    EXPECT_EQ(buffer.Capacity(), c.Capacity);
    EXPECT_EQ(buffer.UndoCount(), 40);  // nothing dropped yet
  }
}

TEST(UndoBufferGrowthTest, BlockFollowsTheLargestStepAndShrinksWhenCleared) {
  TUndoBuffer buffer(8192);
  const std::string data(986, 'd');
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(buffer.AddRecord(ukDeleteText, false, data.data(), 986, 1, i + 1));
  // A step of 100 records of 1000 bytes: the block grows and keeps the four before it.
  const bool was = buffer.BeginGroup();
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(buffer.AddRecord(ukInsertText, false, data.data(), 986, 1, i + 10));
  buffer.EndGroup(was);
  EXPECT_EQ(buffer.UndoCount(), 104);
  EXPECT_GE(buffer.Capacity(), 104000);
  EXPECT_LE(buffer.Capacity(), 4 * 100000);
  EXPECT_EQ(buffer.Size(), 8192);

  // Later small steps fill the grown block and then drop the oldest first, the large step last.
  const std::int64_t grown = buffer.Capacity();
  int added = 0;
  while (buffer.UndoCount() >= 100 && added < 1000) {
    ASSERT_TRUE(buffer.AddRecord(ukDeleteText, false, data.data(), 986, 2, 1000 + added));
    ++added;
  }
  EXPECT_EQ(buffer.Capacity(), grown);
  EXPECT_GT(added, (grown - 104000) / 1000);

  buffer.Clear();
  EXPECT_EQ(buffer.Capacity(), 8192);
  EXPECT_EQ(buffer.Free(), 8192);
}

TEST(UndoBufferGrowthTest, AbandonedGroupIsNotRecorded) {
  TUndoBuffer buffer(1000);
  ASSERT_TRUE(buffer.AddRecord(ukInsertText, false, "a", 1, 1, 1));
  const bool was = buffer.BeginGroup();
  buffer.Abandon();
  EXPECT_FALSE(buffer.AddRecord(ukInsertText, false, "b", 1, 2, 1));
  EXPECT_FALSE(buffer.Reserve(1));
  buffer.EndGroup(was);
  EXPECT_EQ(buffer.UndoCount(), 0);
  EXPECT_TRUE(buffer.AddRecord(ukInsertText, false, "c", 1, 3, 1));
}

}  // namespace
}  // namespace quilmo
