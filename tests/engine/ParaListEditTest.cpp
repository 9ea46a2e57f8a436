// The editing primitives as before/after text, with their counts, limits and error codes.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "engine/EditorErrors.h"
#include "engine/ParaList.h"
#include "support/DocBuilder.h"

namespace quilmo {
namespace {

using test::MakeParaList;
using test::ParaListText;

// Byte count as the text says it should be.
std::int32_t ExpectedBytes(TParaList& list) {
  std::int32_t bytes = 0;
  for (TParaNode* node = list.GetPara(1); node != nullptr; node = node->Next()) bytes += node->Length() + 2;
  return bytes - 2;
}

TEST(ParaListEditTest, InsertText) {
  auto list = MakeParaList("abc\nde");
  EXPECT_EQ(list->InsertText(1, 3, "XY", 2), 0);
  EXPECT_EQ(ParaListText(*list), "abXYc\nde");
  EXPECT_EQ(list->ByteCount(), 9);
  EXPECT_TRUE(list->Modified());
  EXPECT_EQ(list->InsertText(2, 3, "!", 1), 0);  // at the end
  EXPECT_EQ(list->InsertText(2, 1, ">", 1), 0);  // at the start
  EXPECT_EQ(ParaListText(*list), "abXYc\n>de!");
  EXPECT_EQ(list->InsertText(3, 1, "x", 1), 0);  // no such paragraph: nothing
  EXPECT_EQ(list->InsertText(1, 1, "x", 0), 0);
  EXPECT_EQ(ParaListText(*list), "abXYc\n>de!");
  EXPECT_EQ(list->ByteCount(), ExpectedBytes(*list));
}

TEST(ParaListEditTest, InsertTextBehindTheEndPadsWithBlanks) {
  auto list = MakeParaList("abc");
  EXPECT_EQ(list->InsertText(1, 10, "x", 1), 0);
  EXPECT_EQ(ParaListText(*list), "abc      x");
  EXPECT_EQ(list->ByteCount(), 10);
}

TEST(ParaListEditTest, InsertTextRespectsTheLimits) {
  auto list = MakeParaList("abc\nd");
  list->SetParaLengthLimit(5);
  EXPECT_EQ(list->InsertText(1, 1, "xyz", 3), ErrParaTooLong);
  EXPECT_EQ(list->InsertText(1, 1, "xy", 2), 0);
  // The blanks that fill the gap count as well.
  EXPECT_EQ(list->InsertText(2, 6, "x", 1), ErrParaTooLong);
  list->SetByteLimit(9);
  EXPECT_EQ(list->InsertText(2, 1, "xy", 2), ErrTextTooLarge);
  EXPECT_EQ(list->InsertText(2, 1, "x", 1), 0);
  EXPECT_EQ(ParaListText(*list), "xyabc\nxd");
  // Far behind the end: refused, not wrapped around.
  list->SetByteLimit(kMaxInt32);
  list->SetParaLengthLimit(32767);
  EXPECT_EQ(list->InsertText(2, 40000, "x", 1), ErrParaTooLong);
  EXPECT_EQ(list->InsertText(2, kMaxInt32, "x", 1), ErrTextTooLarge);
  EXPECT_EQ(ParaListText(*list), "xyabc\nxd");
}

TEST(ParaListEditTest, DeleteText) {
  auto list = MakeParaList("abcdef\ng");
  EXPECT_EQ(list->DeleteText(1, 2, 2), 0);
  EXPECT_EQ(ParaListText(*list), "adef\ng");
  EXPECT_EQ(list->DeleteText(1, 3, 100), 0);  // cut to what exists
  EXPECT_EQ(ParaListText(*list), "ad\ng");
  EXPECT_EQ(list->DeleteText(1, 3, 1), 0);  // behind the end: nothing
  EXPECT_EQ(list->DeleteText(1, 0, 1), 0);
  EXPECT_EQ(ParaListText(*list), "ad\ng");
  EXPECT_EQ(list->ByteCount(), 5);
}

TEST(ParaListEditTest, ReplaceText) {
  auto list = MakeParaList("abcdef");
  EXPECT_EQ(list->ReplaceText(1, 2, 2, "XYZ", 3), 0);
  EXPECT_EQ(ParaListText(*list), "aXYZdef");
  EXPECT_EQ(list->ReplaceText(1, 2, 3, "q", 1), 0);
  EXPECT_EQ(ParaListText(*list), "aqdef");
  EXPECT_EQ(list->ReplaceText(1, 5, 1, "F", 1), 0);  // typing over
  EXPECT_EQ(ParaListText(*list), "aqdeF");
  EXPECT_EQ(list->ReplaceText(1, 5, 9, "end", 3), 0);  // old length cut at the end
  EXPECT_EQ(ParaListText(*list), "aqdeend");
  EXPECT_EQ(list->ReplaceText(1, 10, 1, "x", 1), 0);  // behind the end: blanks first
  EXPECT_EQ(ParaListText(*list), "aqdeend  x");
  EXPECT_EQ(list->ByteCount(), 10);
  // Growing replacements respect the limits like insertions.
  list->SetParaLengthLimit(11);
  EXPECT_EQ(list->ReplaceText(1, 1, 1, "123", 3), ErrParaTooLong);
  EXPECT_EQ(list->ReplaceText(1, 1, 1, "12", 2), 0);
  list->SetByteLimit(11);
  EXPECT_EQ(list->ReplaceText(1, 1, 0, "x", 1), ErrTextTooLarge);
  EXPECT_EQ(list->ReplaceText(1, 1, 2, "x", 1), 0);  // shrinking always works
  EXPECT_EQ(ParaListText(*list), "xqdeend  x");
}

TEST(ParaListEditTest, InsertAndDeleteParagraphs) {
  auto list = MakeParaList("b\nd");
  EXPECT_EQ(list->InsertParaBefore(1, "a", 1), 0);
  EXPECT_EQ(list->InsertParaAfter(2, "c", 1), 0);
  EXPECT_EQ(list->InsertParaAfter(4, "e", 1), 0);  // after the last
  EXPECT_EQ(ParaListText(*list), "a\nb\nc\nd\ne");
  EXPECT_EQ(list->ParaCount(), 5);
  EXPECT_EQ(list->ByteCount(), 13);
  EXPECT_EQ(list->InsertParaBefore(6, "x", 1), 0);  // no such paragraph
  list->DeletePara(3);
  list->DeletePara(1);
  list->DeletePara(3);
  EXPECT_EQ(ParaListText(*list), "b\nd");
  EXPECT_EQ(list->ByteCount(), 4);
  EXPECT_EQ(list->LineCount(), 2);
  list->DeletePara(2);
  list->DeletePara(1);  // the last paragraph stays
  EXPECT_EQ(ParaListText(*list), "b");
  EXPECT_EQ(list->ParaCount(), 1);
  EXPECT_EQ(list->ByteCount(), 1);
}

TEST(ParaListEditTest, NewParagraphLongerThanAllowedIsRefused) {
  auto list = MakeParaList("a");
  list->SetParaLengthLimit(3);
  EXPECT_EQ(list->InsertParaBefore(1, "abcd", 4), ErrParaTooLong);
  EXPECT_EQ(ParaListText(*list), "a");
}

TEST(ParaListEditTest, SplitPara) {
  auto split = [](std::string_view before, std::int32_t pos, bool trim, std::int32_t indent,
                  std::int32_t tab) {
    auto list = MakeParaList(before);
    EXPECT_EQ(list->SplitPara(1, pos, trim, indent, tab), 0);
    EXPECT_EQ(list->ByteCount(), ExpectedBytes(*list));
    return ParaListText(*list);
  };
  EXPECT_EQ(split("abcd", 3, false, 0, 0), "ab\ncd");
  EXPECT_EQ(split("ab   cd", 6, true, 0, 0), "ab\ncd");
  EXPECT_EQ(split("ab   cd", 6, false, 0, 0), "ab   \ncd");
  EXPECT_EQ(split("ab cd", 4, true, 6, 4), "ab\n\t  cd");
  EXPECT_EQ(split("ab cd", 4, true, 3, 0), "ab\n   cd");
  EXPECT_EQ(split("ab", 3, false, 2, 0), "ab\n  ");  // at the end: an empty, indented paragraph
  EXPECT_EQ(split("ab", 9, false, 0, 0), "ab\n");    // position cut to the end
  // At position 1 an empty paragraph goes in front, without trimming or indentation.
  EXPECT_EQ(split("  ab", 1, true, 4, 0), "\n  ab");
}

TEST(ParaListEditTest, SplitParaNeedsRoomForAParagraph) {
  auto list = MakeParaList("ab\ncd");
  list->SetParaLimit(2);
  EXPECT_EQ(list->SplitPara(1, 2, false, 0, 0), ErrTooManyParas);
  EXPECT_EQ(ParaListText(*list), "ab\ncd");
}

TEST(ParaListEditTest, MergeParas) {
  auto list = MakeParaList("ab\ncd\n\nef");
  EXPECT_EQ(list->MergeParas(1, 3), 0);
  EXPECT_EQ(ParaListText(*list), "abcd\n\nef");
  EXPECT_EQ(list->MergeParas(1, 7), 0);  // an empty paragraph adds no blanks
  EXPECT_EQ(ParaListText(*list), "abcd\nef");
  EXPECT_EQ(list->MergeParas(1, 7), 0);  // joined behind blanks
  EXPECT_EQ(ParaListText(*list), "abcd  ef");
  EXPECT_EQ(list->MergeParas(1, 11), 0);  // no successor: nothing
  EXPECT_EQ(ParaListText(*list), "abcd  ef");
  EXPECT_EQ(list->ByteCount(), ExpectedBytes(*list));

  auto empty = MakeParaList("\nxy");
  EXPECT_EQ(empty->MergeParas(1, 1), 0);  // an empty paragraph simply goes
  EXPECT_EQ(ParaListText(*empty), "xy");
}

TEST(ParaListEditTest, MergeParasTooLongChangesNothing) {
  auto list = MakeParaList("abc\ndef");
  list->SetParaLengthLimit(5);
  EXPECT_EQ(list->MergeParas(1, 4), ErrJoinTooLong);
  EXPECT_EQ(ParaListText(*list), "abc\ndef");
  EXPECT_FALSE(list->Modified());
  list->SetParaLengthLimit(6);
  EXPECT_EQ(list->MergeParas(1, 5), ErrJoinTooLong);  // the blanks count
  EXPECT_EQ(list->MergeParas(1, 4), 0);
  EXPECT_EQ(ParaListText(*list), "abcdef");
}

TEST(ParaListEditTest, DeleteRegion) {
  auto region = [](std::string_view before, std::int32_t a, std::int32_t s, std::int32_t e, std::int32_t t) {
    auto list = MakeParaList(before);
    EXPECT_EQ(list->DeleteRegion(a, s, e, t), 0);
    EXPECT_EQ(list->ByteCount(), ExpectedBytes(*list));
    EXPECT_EQ(list->LineCount(), list->ParaCount());
    return ParaListText(*list);
  };
  EXPECT_EQ(region("a\nb\nc\nd\ne", 2, 1, 4, 1), "a\nd\ne");  // whole paragraphs
  EXPECT_EQ(region("abc\ndef\nghi", 1, 2, 3, 2), "ahi");
  EXPECT_EQ(region("abc\ndef", 1, 4, 2, 1), "abcdef");  // just the break
  EXPECT_EQ(region("abc\ndef", 1, 1, 2, 4), "");
  EXPECT_EQ(region("abc\ndef", 1, 2, 1, 3), "ac\ndef");  // within one paragraph
  EXPECT_EQ(region("abc\ndef", 1, 2, 9, 1), "a");        // to beyond the end
  EXPECT_EQ(region("ab\n\n\ncd", 1, 3, 4, 1), "abcd");
  // Positions outside their paragraphs mean its start or end, even at the ends of the 32-bit range.
  EXPECT_EQ(region("abc\ndef", 1, -2147483647 - 1, 1, 2147483647), "\ndef");
  EXPECT_EQ(region("abc\ndef", 1, 2, 2, 2147483647), "a");
  EXPECT_EQ(region("abc\ndef", 1, 2147483647, 2, -5), "abcdef");
}

TEST(ParaListEditTest, DeleteRegionWhoseJoinIsTooLongKeepsTheTwoParagraphs) {
  auto list = MakeParaList("abcd\nx\nefgh");
  list->SetParaLengthLimit(5);
  EXPECT_EQ(list->DeleteRegion(1, 4, 3, 2), 0);  // not a failure
  EXPECT_EQ(ParaListText(*list), "abc\nfgh");
}

TEST(ParaListEditTest, InsertMultiLine) {
  auto insert = [](std::string_view before, std::int32_t para, std::int32_t pos, std::string_view text,
                   std::int32_t endPara, std::int32_t endPos) {
    auto list = MakeParaList(before);
    EXPECT_EQ(list->InsertMultiLine(para, pos, text), 0);
    EXPECT_EQ(para, endPara) << text;
    EXPECT_EQ(pos, endPos) << text;
    EXPECT_EQ(list->ByteCount(), ExpectedBytes(*list));
    return ParaListText(*list);
  };
  EXPECT_EQ(insert("ab", 1, 2, "xyz", 1, 5), "axyzb");
  EXPECT_EQ(insert("ab", 1, 2, "x\ny", 2, 2), "ax\nyb");
  EXPECT_EQ(insert("ab", 1, 2, "x\r\ny", 2, 2), "ax\nyb");  // CR LF = LF
  EXPECT_EQ(insert("ab", 1, 2, "x\r\ny\r", 2, 2), "ax\nyb");
  EXPECT_EQ(insert("ab", 1, 3, "\n\n", 3, 1), "ab\n\n");
  EXPECT_EQ(insert("ab", 1, 1, "x\ny\n", 3, 1), "x\ny\nab");    // at a paragraph start
  EXPECT_EQ(insert("ab", 1, 2, "x  \n  y", 2, 4), "ax\n  yb");  // blanks before a break go
  EXPECT_EQ(insert("ab", 1, 5, "x\ny", 2, 2), "ab  x\ny");      // behind the end: blanks first
  // Before the start means the start: the break goes behind the inserted characters.
  EXPECT_EQ(insert("ab", 1, 0, "xy\nz", 2, 2), "xy\nzab");
  EXPECT_EQ(insert("ab", 1, -7, "xyz", 1, 4), "xyzab");
}

TEST(ParaListEditTest, InsertMultiLineStopsAtTheFirstFailure) {
  auto list = MakeParaList("ab\ncd");
  list->SetParaLimit(3);
  std::int32_t para = 1;
  std::int32_t pos = 3;
  EXPECT_EQ(list->InsertMultiLine(para, pos, "1\n2\n3\n4"), ErrTooManyParas);
  EXPECT_EQ(ParaListText(*list), "ab1\n\ncd");
}

TEST(ParaListEditTest, AppendPara) {
  TParaList list;
  EXPECT_EQ(list.AppendPara("first", true), 0);
  EXPECT_EQ(list.AppendPara("", true), 0);
  EXPECT_EQ(list.AppendPara("trailing  \t", true), 0);
  EXPECT_EQ(list.AppendPara("kept  ", false), 0);
  EXPECT_EQ(list.AppendPara(std::string_view("nul\0gone", 8), false), 0);
  EXPECT_EQ(ParaListText(list), "first\n\ntrailing\nkept  \nnul\n");
  EXPECT_EQ(list.ParaCount(), 6);
  EXPECT_EQ(list.ByteCount(), ExpectedBytes(list));
  EXPECT_EQ(list.LineCount(), 6);
  EXPECT_FALSE(list.Modified());
}

TEST(ParaListEditTest, AppendParaSplitsLongTextAfterTheLastBlankThatFits) {
  TParaList list;
  list.SetParaLengthLimit(10);
  EXPECT_EQ(list.AppendPara("aaaa bbbb cccc dddd", false), 0);
  EXPECT_EQ(ParaListText(list), "aaaa bbbb \ncccc dddd\n");
  TParaList hard;
  hard.SetParaLengthLimit(4);
  EXPECT_EQ(hard.AppendPara("abcdefghij", false), 0);
  EXPECT_EQ(ParaListText(hard), "abcd\nefgh\nij\n");
  TParaList trimmed;
  trimmed.SetParaLengthLimit(10);
  EXPECT_EQ(trimmed.AppendPara("aaaa bbbb cccc", true), 0);
  EXPECT_EQ(ParaListText(trimmed), "aaaa bbbb\ncccc\n");
  EXPECT_EQ(trimmed.ByteCount(), ExpectedBytes(trimmed));
}

TEST(ParaListEditTest, NextPieceLengthCutsBehindTheLastBlankThatFits) {
  EXPECT_EQ(NextPieceLength("abcd", 4), 4u);      // fits exactly: whole
  EXPECT_EQ(NextPieceLength("ab cd", 4), 3u);     // the blank goes with the first piece
  EXPECT_EQ(NextPieceLength("abc d", 4), 4u);     // a blank at the limit still fits
  EXPECT_EQ(NextPieceLength("a bcd e", 4), 2u);   // a blank just beyond the limit does not
  EXPECT_EQ(NextPieceLength("ab\tcdef", 4), 3u);  // TABs are blanks too
  EXPECT_EQ(NextPieceLength(" abcdef", 4), 1u);
  EXPECT_EQ(NextPieceLength("abcdef", 4), 4u);  // no blank: a hard cut
  EXPECT_EQ(NextPieceLength("", 4), 0u);
}

TEST(ParaListEditTest, AppendParaChecksTheLimitsForEveryPiece) {
  TParaList list;
  list.SetParaLimit(2);  // with the empty last paragraph: room for two more
  list.SetParaLengthLimit(3);
  EXPECT_EQ(list.AppendPara("abcdefghi", false), ErrTooManyParas);
  EXPECT_EQ(ParaListText(list), "abc\ndef\n");
  TParaList bytes;
  bytes.SetByteLimit(4);
  EXPECT_EQ(bytes.AppendPara("abc", false), ErrTextTooLarge);
  EXPECT_EQ(bytes.AppendPara("ab", false), 0);
  EXPECT_EQ(ParaListText(bytes), "ab\n");
}

}  // namespace
}  // namespace quilmo
