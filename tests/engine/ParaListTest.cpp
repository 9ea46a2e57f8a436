// The paragraph list: counts, settings and limits, lookups, re-wrapping, `Modified`.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/EditorErrors.h"
#include "engine/ParaList.h"
#include "support/DocBuilder.h"
#include "support/RecordingView.h"

namespace quilmo {
namespace {

using test::DisplayLines;
using test::MakeParaList;
using test::NodeLines;
using test::ParaListText;
using test::TDocOptions;
using test::TRecordingView;

TDocOptions Wrapped(std::int32_t column, std::uint8_t tabSize = 8) {
  TDocOptions options;
  options.WordWrap = true;
  options.WrapColumn = column;
  options.TabSize = tabSize;
  return options;
}

TEST(ParaListTest, NewListHoldsOneEmptyParagraph) {
  TParaList list;
  EXPECT_EQ(list.ParaCount(), 1);
  EXPECT_EQ(list.LineCount(), 1);
  EXPECT_EQ(list.ByteCount(), 0);
  EXPECT_FALSE(list.Modified());
  EXPECT_TRUE(list.TrackMarkers());
  EXPECT_FALSE(list.WordWrap());
  EXPECT_EQ(list.WrapColumn(), 80);
  EXPECT_EQ(list.TabSize(), 8);
  EXPECT_EQ(list.ParaLimit(), kMaxInt32);
  EXPECT_EQ(list.ByteLimit(), kMaxInt32);
  EXPECT_EQ(list.ParaLengthLimit(), 32767);
  for (int n = 0; n < 10; ++n) EXPECT_EQ(list.Marker(n).Para, 0);
  ASSERT_NE(list.GetPara(1), nullptr);
  EXPECT_EQ(list.GetPara(0), nullptr);
  EXPECT_EQ(list.GetPara(2), nullptr);
  std::int32_t length = -1;
  EXPECT_STREQ(list.GetLine(1, length), "");
  EXPECT_EQ(length, 0);
}

TEST(ParaListTest, ByteCountCountsTwoForEveryBreak) {
  auto list = MakeParaList("ab\ncde\n");
  EXPECT_EQ(list->ParaCount(), 3);
  EXPECT_EQ(list->ByteCount(), 5 + 2 * 2);
  EXPECT_EQ(ParaListText(*list), "ab\ncde\n");
  EXPECT_FALSE(list->Modified());
}

TEST(ParaListTest, SettersIgnoreValuesOutOfRange) {
  TParaList list;
  list.SetParaLengthLimit(100);
  list.SetParaLengthLimit(0);
  EXPECT_EQ(list.ParaLengthLimit(), 100);
  list.SetParaLengthLimit(40000);
  EXPECT_EQ(list.ParaLengthLimit(), 100);
  list.SetParaLengthLimit(32767);
  EXPECT_EQ(list.ParaLengthLimit(), 32767);
  list.SetParaLimit(0);
  EXPECT_EQ(list.ParaLimit(), kMaxInt32);
  list.SetParaLimit(1);
  EXPECT_EQ(list.ParaLimit(), 1);
  list.SetByteLimit(-1);
  EXPECT_EQ(list.ByteLimit(), kMaxInt32);
  list.SetByteLimit(0);
  EXPECT_EQ(list.ByteLimit(), 0);
  list.SetWrapColumn(0);
  EXPECT_EQ(list.WrapColumn(), 80);
  list.SetTabSize(0);
  EXPECT_EQ(list.TabSize(), 8);
}

TEST(ParaListTest, EmptyLastParagraphIsNotCountedAgainstTheParagraphLimit) {
  auto list = MakeParaList("a\nb\n");
  list->SetParaLimit(3);
  EXPECT_EQ(list->CheckLimits(0, 1, 2), 0);
  EXPECT_EQ(list->InsertParaBefore(1, "x", 1), 0);
  EXPECT_EQ(list->CheckLimits(0, 1, 2), ErrTooManyParas);

  auto full = MakeParaList("a\nb\nc");
  full->SetParaLimit(3);
  EXPECT_EQ(full->CheckLimits(0, 1, 2), ErrTooManyParas);
  EXPECT_EQ(full->InsertParaBefore(1, "x", 1), ErrTooManyParas);
  EXPECT_EQ(ParaListText(*full), "a\nb\nc");
}

TEST(ParaListTest, CheckLimitsByBytesAndParagraphLength) {
  auto list = MakeParaList("abc\nde");  // 7 bytes
  list->SetByteLimit(10);
  EXPECT_EQ(list->CheckLimits(1, 0, 3), 0);
  EXPECT_EQ(list->CheckLimits(1, 0, 4), ErrTextTooLarge);
  list->SetParaLengthLimit(5);
  EXPECT_EQ(list->CheckLimits(1, 0, 2), 0);
  EXPECT_EQ(list->CheckLimits(1, 0, 4), ErrTextTooLarge);  // bytes are checked first
  list->SetByteLimit(100);
  EXPECT_EQ(list->CheckLimits(1, 0, 3), ErrParaTooLong);
  EXPECT_EQ(list->CheckLimits(2, 0, 3), 0);
  EXPECT_EQ(list->CheckLimits(0, 0, 3), 0);   // no target paragraph
  EXPECT_EQ(list->CheckLimits(9, 0, 50), 0);  // no such paragraph
  // A lowered limit keeps the text but refuses growth.
  list->SetParaLimit(1);
  EXPECT_EQ(list->ParaCount(), 2);
  EXPECT_EQ(list->CheckLimits(2, 0, 0), ErrTooManyParas);
  EXPECT_EQ(list->CheckLimits(1, 0, 0), 0);
}

TEST(ParaListTest, WordWrapOnAndOff) {
  auto list = MakeParaList("aaa bbb ccc\nabcdefghij\nx");
  EXPECT_EQ(list->LineCount(), 3);
  list->SetWrapColumn(8);
  EXPECT_EQ(list->LineCount(), 3);  // no effect while wrap is off
  list->SetWordWrap(true);
  EXPECT_EQ(DisplayLines(*list), "aaa bbb /ccc/abcdefgh/ij/x");
  EXPECT_EQ(list->LineCount(), 5);
  list->SetWrapColumn(4);
  EXPECT_EQ(DisplayLines(*list), "aaa /bbb /ccc/abcd/efgh/ij/x");
  list->SetWordWrap(false);
  EXPECT_EQ(list->LineCount(), list->ParaCount());
  EXPECT_EQ(DisplayLines(*list), "aaa bbb ccc/abcdefghij/x");
}

TEST(ParaListTest, TabSizeChangeRewrapsOnlyWithWordWrap) {
  auto list = MakeParaList("a\tbcde", Wrapped(10, 8));
  EXPECT_EQ(DisplayLines(*list), "a\t/bcde");
  list->SetTabSize(2);
  EXPECT_EQ(DisplayLines(*list), "a\tbcde");
  list->SetWordWrap(false);
  list->SetTabSize(8);
  EXPECT_EQ(list->LineCount(), 1);
  list->SetWordWrap(true);
  EXPECT_EQ(list->LineCount(), 2);
}

TEST(ParaListTest, RewrapAllTellsTheViews) {
  auto list = MakeParaList("short");
  TRecordingView owner;
  TRecordingView other;
  list->AddView(&owner);
  list->AddView(&other);
  list->SetWordWrap(true);
  EXPECT_EQ(owner.Take(), std::vector<std::string>{"TextRewrapped"});
  EXPECT_EQ(other.Take(), std::vector<std::string>{"TextRewrapped"});
  list->SetWrapColumn(list->WrapColumn());  // unchanged: nothing
  list->SetWordWrap(true);
  EXPECT_TRUE(owner.Take().empty());

  // Beyond 10000 bytes the first view shows the hourglass around the re-wrap.
  auto big = MakeParaList(std::string(10001, 'x'));
  big->AddView(&owner);
  big->AddView(&other);
  big->SetWordWrap(true);
  EXPECT_EQ(owner.Take(), (std::vector<std::string>{"BusyCursor on", "BusyCursor off", "TextRewrapped"}));
  EXPECT_EQ(other.Take(), std::vector<std::string>{"TextRewrapped"});
  EXPECT_EQ(big->LineCount(), 126);  // 10001 characters at 80
}

TEST(ParaListTest, PositionsAndDisplayLines) {
  auto list = MakeParaList("aaa bbb ccc\nx\nabcdefghij", Wrapped(8));
  ASSERT_EQ(DisplayLines(*list), "aaa bbb /ccc/x/abcdefgh/ij");
  std::int32_t line = 0;
  std::int32_t column = 0;
  list->PosToLine(1, 9, line, column);  // a line start maps to that line, column 1
  EXPECT_EQ(line, 2);
  EXPECT_EQ(column, 1);
  list->PosToLine(1, 8, line, column);
  EXPECT_EQ(line, 1);
  EXPECT_EQ(column, 8);
  list->PosToLine(3, 11, line, column);
  EXPECT_EQ(line, 5);
  EXPECT_EQ(column, 3);
  list->PosToLine(0, 1, line, column);  // paragraph clamped
  EXPECT_EQ(line, 1);
  list->PosToLine(9, 1, line, column);
  EXPECT_EQ(line, 4);

  std::int32_t para = 0;
  std::int32_t offset = -1;
  list->LineToPara(2, para, offset);
  EXPECT_EQ(para, 1);
  EXPECT_EQ(offset, 8);
  list->LineToPara(3, para, offset);
  EXPECT_EQ(para, 2);
  EXPECT_EQ(offset, 0);
  list->LineToPara(5, para, offset);
  EXPECT_EQ(para, 3);
  EXPECT_EQ(offset, 8);

  EXPECT_EQ(list->ParaLength(3), 10);
  EXPECT_EQ(list->ParaLength(4), 0);
  EXPECT_EQ(list->LineLength(4), 8);
  EXPECT_EQ(list->LineLength(6), 0);
  std::int32_t length = -1;
  EXPECT_STREQ(list->GetLine(6, length), "");
  EXPECT_EQ(length, 0);
  EXPECT_STREQ(list->GetLine(0, length), "");
}

TEST(ParaListTest, SetMarkerTakesLineAndColumn) {
  auto list = MakeParaList("aaa bbb ccc\nx", Wrapped(8));
  list->SetMarker(3, 2, 2);  // second display line, column 2: the second 'c'
  EXPECT_EQ(list->Marker(3).Para, 1);
  EXPECT_EQ(list->Marker(3).Pos, 10);
  list->SetMarker(10, 1, 1);  // no such marker: ignored
  list->SetMarkerPos(-1, 1, 1);
  list->SetMarkerPos(9, 2, 1);
  EXPECT_EQ(list->Marker(9).Para, 2);
}

// Lines read in any order, so that every way of finding them (anchors, cache, neighbours)
// is used, equal the lines read front to back.
TEST(ParaListTest, LookupsInAnyOrderAgreeWithASequentialWalk) {
  const std::uint32_t seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  std::string text;
  for (int i = 0; i < 300; ++i) {
    text += std::string(static_cast<std::size_t>(rng() % 40), static_cast<char>('a' + i % 26));
    text += (rng() % 3 == 0) ? " x y z\n" : "\n";
  }
  for (bool wrap : {false, true}) {
    TDocOptions options = Wrapped(7);
    options.WordWrap = wrap;
    auto list = MakeParaList(text, options);
    std::vector<std::string> lines;
    std::vector<std::int32_t> paraOfLine;
    std::vector<std::int32_t> firstLineOfPara{0};
    std::int32_t para = 1;
    for (TParaNode* node = list->GetPara(1); node != nullptr; node = node->Next(), ++para) {
      firstLineOfPara.push_back(static_cast<std::int32_t>(lines.size()) + 1);
      for (std::string& line : NodeLines(*node)) {
        lines.push_back(std::move(line));
        paraOfLine.push_back(para);
      }
    }
    ASSERT_EQ(static_cast<std::int32_t>(lines.size()), list->LineCount());
    for (int i = 0; i < 3000; ++i) {
      const auto n = static_cast<std::int32_t>(rng() % lines.size()) + 1;
      if (rng() % 2 == 0) {
        std::int32_t length = 0;
        const char* line = list->GetLine(n, length);
        ASSERT_EQ(std::string(line, static_cast<std::size_t>(length)),
                  lines[static_cast<std::size_t>(n - 1)]);
        std::int32_t p = 0;
        std::int32_t offset = 0;
        list->LineToPara(n, p, offset);
        ASSERT_EQ(p, paraOfLine[static_cast<std::size_t>(n - 1)]);
      } else {
        const std::int32_t p = paraOfLine[static_cast<std::size_t>(n - 1)];
        std::int32_t line = 0;
        std::int32_t column = 0;
        list->PosToLine(p, 1, line, column);
        ASSERT_EQ(line, firstLineOfPara[static_cast<std::size_t>(p)]);
      }
    }
  }
}

TEST(ParaListTest, ModifiedNotifiesOnChangeOnly) {
  TParaList list;
  TRecordingView view;
  list.AddView(&view);
  list.SetModified(false);
  EXPECT_TRUE(view.Take().empty());
  list.SetModified(true);
  EXPECT_TRUE(list.Modified());
  EXPECT_EQ(view.Take(), std::vector<std::string>{"ModifiedChanged"});
  list.SetModified(true);
  EXPECT_TRUE(view.Take().empty());
  list.RemoveView(&view);
  list.SetModified(false);
  EXPECT_TRUE(view.Take().empty());
}

}  // namespace
}  // namespace quilmo
