// Wrapping of one paragraph and the column arithmetic on runs of characters.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine/ParaNode.h"
#include "support/DocBuilder.h"

namespace quilmo {
namespace {

using test::NodeLines;

std::vector<std::string> Wrapped(std::string_view text, std::int32_t wrapColumn, std::uint8_t tabSize = 8) {
  TParaNode node(text.data(), static_cast<std::int32_t>(text.size()), wrapColumn, tabSize);
  return NodeLines(node);
}

using V = std::vector<std::string>;

TEST(WrapTest, BlankAtTheWrapColumnStaysOnTheFirstLine) {
  EXPECT_EQ(Wrapped("aaa bbb ccc", 8), (V{"aaa bbb ", "ccc"}));
  // A blank run stays at the end of its line even where it reaches beyond the wrap column.
  EXPECT_EQ(Wrapped("aaaa    bbbb", 6), (V{"aaaa    ", "bbbb"}));
}

TEST(WrapTest, WordLongerThanTheColumnBreaksHard) {
  EXPECT_EQ(Wrapped("abcdefghij", 4), (V{"abcd", "efgh", "ij"}));
  EXPECT_EQ(Wrapped("abcdefgh", 4), (V{"abcd", "efgh"}));
  EXPECT_EQ(Wrapped("abcdefghij", 1), (V{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}));
}

TEST(WrapTest, BreaksBehindAHyphen) {
  EXPECT_EQ(Wrapped("abcd-efghi", 6), (V{"abcd-", "efghi"}));
  // Blanks behind the hyphen stay on the first line too.
  EXPECT_EQ(Wrapped("ab- cd", 3), (V{"ab- ", "cd"}));
}

TEST(WrapTest, TrailingBlanksNeverMakeAnEmptyLine) {
  EXPECT_EQ(Wrapped("abc      ", 4), (V{"abc      "}));
  EXPECT_EQ(Wrapped("abcd    ", 4), (V{"abcd    "}));
  EXPECT_EQ(Wrapped("ab cd    ", 4), (V{"ab ", "cd    "}));
}

TEST(WrapTest, LeadingBlanksMakeALineOfTheirOwn) {
  EXPECT_EQ(Wrapped("    abcdefgh", 4), (V{"    ", "abcd", "efgh"}));
}

TEST(WrapTest, TabsWidenTheLineFromItsOwnStart) {
  // Letter + TAB reach column 8, two more letters reach 10: the break falls behind the TAB.
  EXPECT_EQ(Wrapped("a\tbcde", 10, 8), (V{"a\t", "bcde"}));
  // On the continuation line the TAB is measured from that line's start: 7 letters, TAB to 8,
  // two letters to 10, so the rest fits.
  EXPECT_EQ(Wrapped("a\tbcdefgh\tij", 10, 8), (V{"a\t", "bcdefgh\tij"}));
  // A TAB that crosses the wrap column counts as fitting.
  EXPECT_EQ(Wrapped("abcdefg\tx", 8, 4), (V{"abcdefg\t", "x"}));
}

TEST(WrapTest, NoWrapColumnGivesOneLine) {
  const std::string text(200, 'x');
  EXPECT_EQ(Wrapped(text, 32767).size(), 1u);
  EXPECT_EQ(Wrapped(text, 0).size(), 1u);
  EXPECT_EQ(Wrapped("", 4), (V{""}));
}

TEST(WrapTest, FindWrapPointOnTheRawText) {
  const std::string text = "aaa bbb ccc";
  const auto n = static_cast<std::int32_t>(text.size());
  EXPECT_EQ(FindWrapPoint(text.c_str(), n, 0, 8), 8);
  EXPECT_EQ(FindWrapPoint(text.c_str(), n, 8, 3), n);  // the rest fits: the end
  EXPECT_EQ(FindWrapPoint("abcdefgh", 8, 0, 5), 5);    // hard break
  EXPECT_EQ(FindWrapPoint("ab  cdef", 8, 0, 2), 4);    // blank at the limit, run skipped
}

TEST(WrapTest, LineStartTableFollowsTheSizeRules) {
  // Wrap off: no table beyond the implicit first entry.
  TParaNode flat(std::string(100, 'x').c_str(), 100, 32767, 8);
  EXPECT_EQ(flat.LineStartCapacity(), 1);
  // 100 characters at 10: q = 10, q + q div 5 = 12, rounded up to 16 entries.
  TParaNode wrapped(std::string(100, 'x').c_str(), 100, 10, 8);
  EXPECT_EQ(wrapped.LineCount(), 10);
  EXPECT_EQ(wrapped.LineStartCapacity(), 16);
  EXPECT_EQ(wrapped.LineStart(0), 0);
  EXPECT_EQ(wrapped.LineStart(9), 90);
  EXPECT_EQ(wrapped.LineStart(10), 0);  // behind the last line
  // One line per character: 20 lines, q + q div 5 = 24 entries.
  TParaNode narrow(std::string(20, 'x').c_str(), 20, 1, 8);
  EXPECT_EQ(narrow.LineCount(), 20);
  EXPECT_EQ(narrow.LineStartCapacity(), 24);
}

TEST(WrapTest, PositionAtALineStartBelongsToThatLine) {
  TParaNode node("aaa bbb ccc", 11, 8, 8);
  std::int32_t line = -1;
  std::int32_t column = -1;
  node.PosToLineIndex(9, line, column);  // the first 'c'
  EXPECT_EQ(line, 1);
  EXPECT_EQ(column, 1);
  node.PosToLineIndex(8, line, column);  // the blank before it
  EXPECT_EQ(line, 0);
  EXPECT_EQ(column, 8);
  node.PosToLineIndex(12, line, column);  // behind the end
  EXPECT_EQ(line, 1);
  EXPECT_EQ(column, 4);
  node.PosToLineIndex(20, line, column);  // virtual space
  EXPECT_EQ(line, 1);
  EXPECT_EQ(column, 12);
  node.PosToLineIndex(1, line, column);
  EXPECT_EQ(line, 0);
  EXPECT_EQ(column, 1);
}

TEST(ColumnTest, TextWidthExpandsTabs) {
  EXPECT_EQ(TextWidth("abc", 3, 8), 3);
  EXPECT_EQ(TextWidth("\tab", 3, 4), 6);
  EXPECT_EQ(TextWidth("ab\t", 3, 4), 4);
  EXPECT_EQ(TextWidth("abcd\t", 5, 4), 8);  // a TAB at a stop goes to the next one
  EXPECT_EQ(TextWidth("\t\t", 2, 8), 16);
  EXPECT_EQ(TextWidth("\tab", 2, 4), 5);  // only the first n characters
}

TEST(ColumnTest, PosToColumnAndBack) {
  const char* line = "\tab";  // TAB covers columns 1-4, 'a' 5, 'b' 6
  EXPECT_EQ(PosToColumn(line, 3, 0, 4), 1);
  EXPECT_EQ(PosToColumn(line, 3, 1, 4), 1);
  EXPECT_EQ(PosToColumn(line, 3, 2, 4), 5);
  EXPECT_EQ(PosToColumn(line, 3, 4, 4), 7);  // just behind the end
  EXPECT_EQ(PosToColumn(line, 3, 6, 4), 9);  // virtual space
  EXPECT_EQ(ColumnToPos(line, 3, 1, 4), 1);
  EXPECT_EQ(ColumnToPos(line, 3, 3, 4), 1);  // inside the TAB
  EXPECT_EQ(ColumnToPos(line, 3, 4, 4), 1);
  EXPECT_EQ(ColumnToPos(line, 3, 5, 4), 2);
  EXPECT_EQ(ColumnToPos(line, 3, 7, 4), 4);
  EXPECT_EQ(ColumnToPos(line, 3, 9, 4), 6);
  EXPECT_EQ(ColumnToPos(line, 3, -2, 4), -2);
}

TEST(ColumnTest, EmptyLineMapsColumnsToPositionsOneToOne) {
  for (std::int32_t pos = 1; pos < 6; ++pos) {
    EXPECT_EQ(PosToColumn("", 0, pos, 8), pos);
    EXPECT_EQ(ColumnToPos("", 0, pos, 8), pos);
  }
}

TEST(ColumnTest, ColumnOfAPositionMapsBackToIt) {
  const std::string lines[] = {"plain text", "\t\tx", "a\tb\tc\t", "  \t \t", "x"};
  for (const std::string& line : lines) {
    const auto length = static_cast<std::int32_t>(line.size());
    for (std::uint8_t tab : {1, 3, 4, 8}) {
      for (std::int32_t pos = 1; pos <= length + 5; ++pos) {
        const std::int32_t column = PosToColumn(line.c_str(), length, pos, tab);
        EXPECT_EQ(ColumnToPos(line.c_str(), length, column, tab), pos)
            << '"' << line << "\" tab " << int{tab};
      }
    }
  }
}

}  // namespace
}  // namespace quilmo
