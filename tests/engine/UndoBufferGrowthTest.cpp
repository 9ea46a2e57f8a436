// Edits larger than the configured undo buffer: the block grows to hold them, one undo gives
// the text back byte for byte and the steps before stay; Reserve refuses, before anything
// changes, a step beyond the ceiling or the memory; the costs asked before are upper bounds.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "engine/ParaList.h"
#include "engine/Search.h"
#include "engine/UndoGroup.h"
#include "support/DocBuilder.h"

namespace quilmo {
namespace {

using test::MakeParaList;
using test::ParaListText;

std::string Lines(int count, const std::string& line) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i > 0 ? "\n" : "") + line + std::to_string(i);
  return text;
}

void ReplaceAll(TParaList& list, std::string_view pattern, std::string_view replacement) {
  const TUndoGroup group(list);  // one step, as the Replace dialog runs it
  TSearchRequest request;
  request.Pattern = pattern;
  request.Replacement = replacement;
  request.Options = soReplaceAll | soEntireScope | soMatchCase;
  ASSERT_EQ(FindOrReplaceAll(list, request).Error, 0);
}

void Paste(TParaList& list, std::int32_t para, std::int32_t pos, const std::string& text) {
  ASSERT_EQ(list.InsertMultiLine(para, pos, text), 0);
}

std::int64_t Used(TParaList& list) {
  return list.UndoBuffer().Capacity() - list.UndoBuffer().Free();
}

TEST(UndoBufferGrowthTest, LargeEditsAreUndoneExactlyAndKeepTheStepsBefore) {
  const std::string foo = Lines(1000, "foo bar foo baz foo ");  // 3000 matches
  const std::string pasted = Lines(40000, "pasted line ");      // about 0.7 MB
  const std::string b(32767, 'b');
  const struct {
    std::string Document;
    std::function<void(TParaList&)> Edit;
  } cases[] = {
      {foo, [](TParaList& l) { ReplaceAll(l, "foo", "quux"); }},
      {foo, [](TParaList& l) { ReplaceAll(l, "foo", "a\r\nb"); }},
      {"head tail", [&](TParaList& l) { Paste(l, 1, 6, pasted); }},
      {"head\ntail", [&](TParaList& l) { Paste(l, 2, 1, pasted + "\n"); }},
      {Lines(20001, "line "), [](TParaList& l) { ASSERT_EQ(l.DeleteRegion(2, 3, 20000, 2), 0); }},
      {Lines(20001, "line "), [](TParaList& l) { ASSERT_EQ(l.DeleteRegion(1, 1, 20001, 1), 0); }},
      {std::string(32766, 'a'),
       [&](TParaList& l) { ASSERT_EQ(l.ReplaceText(1, 1, 32767, b.data(), 32767), 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    auto list = MakeParaList(c.Document, {false, 80, 8, 65535});
    ASSERT_EQ(list->InsertText(1, 1, "x", 1), 0);  // an earlier step
    const std::string before = ParaListText(*list);
    ASSERT_NO_FATAL_FAILURE(c.Edit(*list));
    const std::string after = ParaListText(*list);
    ASSERT_FALSE(after == before);
    std::int32_t para = 0;
    std::int32_t pos = 0;
    if (!list->Undo(para, pos)) {
      ADD_FAILURE() << "the edit cannot be undone";
      continue;
    }
    EXPECT_TRUE(ParaListText(*list) == before);
    ASSERT_TRUE(list->Redo(para, pos));
    EXPECT_TRUE(ParaListText(*list) == after);
    ASSERT_TRUE(list->Undo(para, pos) && list->Undo(para, pos));
    EXPECT_TRUE(ParaListText(*list) == c.Document);
  }
}

char* FailAbove100000(std::size_t size) {
  return size > 100000 ? nullptr : new char[size];
}

TEST(UndoBufferGrowthTest, ReserveGrowsForAStepOrRefusesItKeepingTheHistory) {
  const struct {
    std::uint64_t Ceiling;
    TUndoBuffer::TAllocator Allocate;
    std::uint64_t Bytes;
    bool Held;
    std::int64_t Capacity;  // afterwards
  } cases[] = {
      {kUndoCeiling, nullptr, 20000, true, 65535},            // in the free bytes
      {kUndoCeiling, nullptr, 30000, true, 65535},            // dropping older steps makes room
      {kUndoCeiling, nullptr, 1000000, true, 1040000},        // grows, keeping the older steps
      {200000, nullptr, 150000, true, 190000},                // grows, up to the ceiling
      {200000, nullptr, 200001, false, 65535},                // beyond the ceiling
      {kUndoCeiling, FailAbove100000, 150000, false, 65535},  // beyond the memory
      {kUndoCeiling, FailAbove100000, 90000, true, 90000},    // what the memory gives
  };
  const std::string data(986, 'd');
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    TUndoBuffer buffer(65535, c.Allocate);
    buffer.SetCeiling(c.Ceiling);
    for (int i = 0; i < 40; ++i)
      ASSERT_TRUE(buffer.AddRecord(ukInsertText, false, data.data(), 986, 1, i + 1));
    EXPECT_EQ(buffer.Reserve(c.Bytes), c.Held);
    EXPECT_EQ(buffer.Capacity(), c.Capacity);
    EXPECT_EQ(buffer.UndoCount(), 40);  // nothing dropped yet
    buffer.Clear();
    EXPECT_EQ(buffer.Capacity(), 65535);
  }
}

// An edit that passes the question must never overflow the history.
TEST(UndoBufferGrowthTest, UndoCostsBoundTheRecordsWritten) {
  const std::string doc = "  indented tail\nsecond   \n\nlast";
  const struct {
    std::int32_t Para, Pos, EndPara, EndPos;
    std::string Text;  // inserted, or with EndPara the region is deleted
  } cases[] = {
      {1, 3, 0, 0, "abc"},    {1, 3, 0, 0, "a\nb"},      {1, 1, 0, 0, "a\nb\n"}, {2, 10, 0, 0, "x  \n  y\n"},
      {2, 20, 0, 0, "\n\nz"}, {4, 5, 0, 0, "\r\nq\r\n"}, {1, 3, 1, 9, ""},       {1, 3, 2, 4, ""},
      {1, 1, 4, 1, ""},       {1, 16, 4, 2, ""},         {1, 5, 4, 5, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    auto list = MakeParaList(doc);
    std::int32_t para = c.Para;
    std::int32_t pos = c.Pos;
    if (c.EndPara > 0) {
      const auto cost = static_cast<std::int64_t>(list->RegionUndoCost(para, pos, c.EndPara, c.EndPos));
      ASSERT_EQ(list->DeleteRegion(para, pos, c.EndPara, c.EndPos), 0);
      EXPECT_LE(Used(*list), cost);
    } else {
      const std::int64_t length = std::max(list->ParaLength(para), pos - 1);
      const auto cost = static_cast<std::int64_t>(TParaList::InsertUndoCost(length, c.Text));
      ASSERT_EQ(list->InsertMultiLine(para, pos, c.Text), 0);
      EXPECT_LE(Used(*list), cost);
    }
  }
  for (const std::string replacement : {"", "xyzzy", "a\nb", "\n", "a  \n  b\nc"}) {
    auto list = MakeParaList(doc);
    const auto cost =
        static_cast<std::int64_t>(TParaList::ReplaceUndoCost(list->ParaLength(2), 3, replacement));
    ReplaceAll(*list, "   ", replacement);  // the blanks behind "second"
    ASSERT_GT(Used(*list), 0);
    EXPECT_LE(Used(*list), cost) << replacement;
  }
}

}  // namespace
}  // namespace quilmo
