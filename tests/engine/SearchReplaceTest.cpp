#include <gtest/gtest.h>

#include <string>

#include "SearchTestDoc.h"
#include "engine/EditorErrors.h"
#include "engine/Search.h"

namespace quilmo {
namespace {

using test::TSearchDoc;

TEST(SearchReplaceAll, ContinuesBehindEachReplacement) {
  TSearchDoc doc("|aaaa");
  TSearchResult r = doc.Run("aa", soReplaceAll, "a");
  EXPECT_EQ(r.Value, 2);
  EXPECT_EQ(r.Count, 2);
  EXPECT_EQ(doc.Text(), "aa");
  EXPECT_EQ(r.Select, TSearchSelect::ssCollapse);
  EXPECT_FALSE(r.Found);

  // A replacement containing the pattern is not searched again.
  TSearchDoc grow("|a a");
  EXPECT_EQ(grow.Run("a", soReplaceAll, "aa").Value, 2);
  EXPECT_EQ(grow.Text(), "aa aa");

  // An empty replacement deletes the occurrences.
  TSearchDoc erase("|xaxbx\nx");
  EXPECT_EQ(erase.Run("x", soReplaceAll, "").Value, 4);
  EXPECT_EQ(erase.Text(), "ab\n");
}

TEST(SearchReplaceAll, FromTheCaretForwardOrBackward) {
  TSearchDoc forward("ab ab\nab |ab\nab");
  EXPECT_EQ(forward.Run("ab", soReplaceAll, "X").Value, 2);
  EXPECT_EQ(forward.Text(), "ab ab\nab X\nX");

  TSearchDoc backward("ab ab\nab |ab\nab");
  EXPECT_EQ(backward.Run("ab", soReplaceAll | soBackward, "X").Value, 3);
  EXPECT_EQ(backward.Text(), "X X\nX ab\nab");

  // Backward the replacements do not overlap: "aaa" holds one "aa" after the last replacement.
  TSearchDoc overlap("aaa|");
  EXPECT_EQ(overlap.Run("aa", soReplaceAll | soBackward, "b").Value, 1);
  EXPECT_EQ(overlap.Text(), "ab");

  TSearchDoc entire("ab |ab");
  EXPECT_EQ(entire.Run("AB", soReplaceAll | soEntireScope | soWholeWord, "c").Value, 2);
  EXPECT_EQ(entire.Text(), "c c");
  EXPECT_EQ(entire.Run("ab", soReplaceAll | soEntireScope, "c").Value, -1);
}

TEST(SearchReplaceAll, SelectedOnlyReselectsTheMovedScopeWithTheCaretOnTheAnchorSide) {
  // The selection was made from its start to its end: the caret ends up at the start.
  TSearchDoc doc("ab [ab ab] ab");
  TSearchResult r = doc.Run("ab", soReplaceAll | soSelectedOnly, "xyz");
  EXPECT_EQ(r.Value, 2);
  EXPECT_EQ(r.Select, TSearchSelect::ssRange);
  EXPECT_EQ(doc.Marked(), "ab [|xyz xyz] ab");

  // Made from its end to its start: the caret ends up at the end.
  TSearchDoc reverse("ab [|ab ab] ab");
  reverse.Run("ab", soReplaceAll | soSelectedOnly, "xyz");
  EXPECT_EQ(reverse.Marked(), "ab [xyz xyz] ab");  // caret at the end

  // Over several paragraphs, shrinking, backward: only the end paragraph's limit moves.
  TSearchDoc multi("abab [ab\nab\nab ab] ab");
  EXPECT_EQ(multi.Run("ab", soReplaceAll | soSelectedOnly | soBackward, "").Value, 4);
  EXPECT_EQ(multi.Marked(), "abab [|\n\n ] ab");
}

TEST(SearchReplaceAll, AFailingReplacementStopsTheLoopAndKeepsEarlierOnes) {
  TSearchDoc doc("|ab ab ab");  // 8 characters
  doc.list.SetParaLengthLimit(10);
  TSearchResult r = doc.Run("ab", soReplaceAll, "abcd");
  EXPECT_EQ(r.Value, ErrParaTooLong);
  EXPECT_EQ(r.Error, ErrParaTooLong);
  EXPECT_EQ(r.Count, 1);
  EXPECT_EQ(doc.Text(), "abcd ab ab");  // 10 characters: the second replacement would make 12
  EXPECT_EQ(r.Select, TSearchSelect::ssCollapse);

  TSearchDoc single("|x");
  single.list.SetParaLengthLimit(1);
  EXPECT_EQ(single.Run("x", soReplaceAll, "yy").Value, ErrParaTooLong);
  EXPECT_EQ(single.Text(), "x");
  EXPECT_EQ(single.list.UndoCount(), 0);
  EXPECT_FALSE(single.list.Modified());

  // The same limit holds at the 32767-character paragraph maximum.
  TSearchDoc full("|" + std::string(32766, 'a') + "b");
  EXPECT_EQ(full.Run("b", soReplaceAll, "cc").Value, ErrParaTooLong);
  EXPECT_EQ(full.list.ParaLength(1), 32767);
  EXPECT_EQ(full.Run("b", soReplaceAll, "c").Value, 1);

  TSearchDoc bytes("|ab\nab");  // 6 bytes with the break
  bytes.list.SetByteLimit(7);
  TSearchResult b = bytes.Run("ab", soReplaceAll, "abc");
  EXPECT_EQ(b.Value, ErrTextTooLarge);
  EXPECT_EQ(b.Count, 1);
  EXPECT_EQ(bytes.Text(), "abc\nab");
  EXPECT_EQ(bytes.list.ByteCount(), 7);
}

TEST(SearchReplaceAll, EachReplacementIsUndoneByOneStep) {
  TSearchDoc doc("|ab ab\nab");
  ASSERT_EQ(doc.Run("ab", soReplaceAll, "xyz").Value, 3);
  EXPECT_EQ(doc.Text(), "xyz xyz\nxyz");
  EXPECT_TRUE(doc.list.Modified());
  std::int32_t para = 0, pos = 0;
  ASSERT_TRUE(doc.list.Undo(para, pos));
  EXPECT_EQ(doc.Text(), "xyz xyz\nab");
  ASSERT_TRUE(doc.list.Undo(para, pos));
  EXPECT_EQ(doc.Text(), "xyz ab\nab");
  ASSERT_TRUE(doc.list.Undo(para, pos));
  EXPECT_EQ(doc.Text(), "ab ab\nab");
  EXPECT_FALSE(doc.list.Modified());
  EXPECT_FALSE(doc.list.Undo(para, pos));
  ASSERT_TRUE(doc.list.Redo(para, pos));
  EXPECT_EQ(doc.Text(), "xyz ab\nab");

  // Replacements made directly one behind the other merge into one record.
  TSearchDoc adjacent("|aaaa");
  ASSERT_EQ(adjacent.Run("a", soReplaceAll, "bc").Value, 4);
  EXPECT_EQ(adjacent.Text(), "bcbcbcbc");
  ASSERT_TRUE(adjacent.list.Undo(para, pos));
  EXPECT_EQ(adjacent.Text(), "aaaa");
}

TEST(SearchReplaceAll, ReplacementsMoveTheMarkers) {
  TSearchDoc doc("|ab ab ab");
  doc.list.SetMarkerPos(0, 1, 7);  // on the third "ab"
  doc.list.SetMarkerPos(1, 1, 4);  // the blank behind the first
  ASSERT_EQ(doc.Run("ab", soReplaceAll, "a").Value, 3);
  EXPECT_EQ(doc.Text(), "a a a");
  EXPECT_EQ(doc.list.Marker(0).Pos, 5);
  EXPECT_EQ(doc.list.Marker(1).Pos, 3);
}

TEST(SearchSelection, SelectionIsOccurrence) {
  TSearchDoc doc("\xC9t\xE9 ab\ncd");  // Été ab
  auto is = [&](TSearchPoint a, TSearchPoint b, std::string_view pattern, bool matchCase) {
    return SelectionIsOccurrence(doc.list, a, b, pattern, matchCase);
  };
  EXPECT_TRUE(is({1, 5}, {1, 7}, "ab", true));
  EXPECT_TRUE(is({1, 5}, {1, 7}, "AB", false));
  EXPECT_FALSE(is({1, 5}, {1, 7}, "AB", true));
  EXPECT_TRUE(is({1, 1}, {1, 4}, "\xE9T\xC9", false));  // éTÉ, as the case-insensitive scan matches it
  EXPECT_FALSE(is({1, 1}, {1, 4}, "\xE9T\xC9", true));
  EXPECT_FALSE(is({1, 5}, {1, 6}, "ab", true));    // length differs
  EXPECT_FALSE(is({1, 6}, {2, 2}, "b\nc", true));  // not within one paragraph
  EXPECT_FALSE(is({2, 2}, {2, 4}, "dx", true));    // beyond the paragraph's end
  EXPECT_FALSE(is({1, 1}, {1, 1}, "", true));
}

}  // namespace
}  // namespace quilmo
