// What follows an edit: the markers, the views' notifications and the repaint range.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "engine/EditorErrors.h"
#include "engine/ParaList.h"
#include "support/DocBuilder.h"
#include "support/RecordingView.h"

namespace quilmo {
namespace {

using test::MakeParaList;
using test::ParaListText;
using test::TDocOptions;
using test::TRecordingView;
using TCalls = std::vector<std::string>;
using TPoints = std::vector<std::pair<std::int32_t, std::int32_t>>;

void SetMarkers(TParaList& list, const TPoints& points) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    list.SetMarkerPos(static_cast<int>(i), points[i].first, points[i].second);
  }
}

TPoints Markers(TParaList& list, std::size_t count) {
  TPoints points;
  for (std::size_t i = 0; i < count; ++i) {
    points.emplace_back(list.Marker(static_cast<int>(i)).Para, list.Marker(static_cast<int>(i)).Pos);
  }
  return points;
}

TEST(MarkerRulesTest, CharactersInsertedAndDeleted) {
  auto list = MakeParaList("abcdefgh\nxyz");
  SetMarkers(*list, {{1, 3}, {1, 2}, {2, 3}, {1, 20}});
  ASSERT_EQ(list->InsertText(1, 3, "XY", 2), 0);
  EXPECT_EQ(Markers(*list, 4), (TPoints{{1, 5}, {1, 2}, {2, 3}, {1, 22}}));

  SetMarkers(*list, {{1, 1}, {1, 2}, {1, 4}, {1, 5}, {1, 7}});
  ASSERT_EQ(list->DeleteText(1, 2, 3), 0);  // positions 2 to 4 go
  EXPECT_EQ(Markers(*list, 5), (TPoints{{1, 1}, {0, 0}, {0, 0}, {1, 2}, {1, 4}}));
}

TEST(MarkerRulesTest, ParagraphsInsertedAndDeleted) {
  auto list = MakeParaList("a\nb\nc");
  SetMarkers(*list, {{1, 1}, {2, 3}, {3, 1}});
  ASSERT_EQ(list->InsertParaBefore(2, "new", 3), 0);
  EXPECT_EQ(Markers(*list, 3), (TPoints{{1, 1}, {3, 3}, {4, 1}}));
  ASSERT_EQ(list->InsertParaAfter(1, "new", 3), 0);
  EXPECT_EQ(Markers(*list, 3), (TPoints{{1, 1}, {4, 3}, {5, 1}}));
  list->DeletePara(4);
  EXPECT_EQ(Markers(*list, 3), (TPoints{{1, 1}, {0, 0}, {4, 1}}));
}

TEST(MarkerRulesTest, SplitMovesTheTailWithItsIndentation) {
  auto list = MakeParaList("abcdef\nz");
  SetMarkers(*list, {{1, 2}, {1, 4}, {1, 6}, {2, 1}});
  ASSERT_EQ(list->SplitPara(1, 4, false, 2, 0), 0);
  ASSERT_EQ(ParaListText(*list), "abc\n  def\nz");
  EXPECT_EQ(Markers(*list, 4), (TPoints{{1, 2}, {2, 3}, {2, 5}, {3, 1}}));
}

TEST(MarkerRulesTest, JoinAndReplace) {
  auto list = MakeParaList("abc\ndef\ng");
  SetMarkers(*list, {{2, 2}, {3, 1}, {1, 2}});
  ASSERT_EQ(list->MergeParas(1, 4), 0);
  EXPECT_EQ(Markers(*list, 3), (TPoints{{1, 5}, {2, 1}, {1, 2}}));

  SetMarkers(*list, {{1, 2}, {1, 3}, {1, 4}, {1, 6}});
  ASSERT_EQ(list->ReplaceText(1, 2, 2, "XYZ", 3), 0);  // "bc" -> "XYZ"
  EXPECT_EQ(Markers(*list, 4), (TPoints{{1, 2}, {1, 3}, {1, 5}, {1, 7}}));
}

TEST(MarkerRulesTest, UntrackedEditsLeaveMarkersAndViewsAlone) {
  auto list = MakeParaList("abc\ndef");
  TRecordingView view;
  list->AddView(&view);
  SetMarkers(*list, {{1, 3}, {2, 1}});
  list->SetTrackMarkers(false);
  ASSERT_EQ(list->InsertText(1, 1, "xx", 2), 0);
  list->DeletePara(1);
  list->SetTrackMarkers(true);
  EXPECT_EQ(ParaListText(*list), "def");
  EXPECT_EQ(Markers(*list, 2), (TPoints{{1, 3}, {2, 1}}));
  EXPECT_EQ(view.Take(), TCalls{"ModifiedChanged"});
}

TEST(ViewNotificationTest, CharacterEditsReachEveryView) {
  auto list = MakeParaList("abcdef");
  TRecordingView owner;
  TRecordingView other;
  list->AddView(&owner);
  list->AddView(&other);
  ASSERT_EQ(list->InsertText(1, 3, "XY", 2, &owner), 0);
  EXPECT_EQ(owner.Take(), (TCalls{"ModifiedChanged", "CharsInserted 1 3 2 sender"}));
  EXPECT_EQ(other.Take(), (TCalls{"ModifiedChanged", "CharsInserted 1 3 2"}));
  ASSERT_EQ(list->DeleteText(1, 1, 2, &other), 0);
  EXPECT_EQ(owner.Take(), TCalls{"CharsDeleted 1 1 2"});
  EXPECT_EQ(other.Take(), TCalls{"CharsDeleted 1 1 2 sender"});
  // A replacement reaches the views as the change in length behind the replaced run.
  ASSERT_EQ(list->ReplaceText(1, 2, 1, "123", 3, &owner), 0);
  EXPECT_EQ(owner.Take(), TCalls{"CharsInserted 1 3 2 sender"});
  ASSERT_EQ(list->ReplaceText(1, 2, 3, "a", 1, &owner), 0);
  EXPECT_EQ(owner.Take(), TCalls{"CharsDeleted 1 3 2 sender"});
  // The same length moves nothing, but the paragraph may wrap anew: an insertion of nothing.
  ASSERT_EQ(list->ReplaceText(1, 2, 1, "b", 1, &owner), 0);
  EXPECT_EQ(owner.Take(), TCalls{"CharsInserted 1 3 0 sender"});
  EXPECT_EQ(other.Take(), (TCalls{"CharsInserted 1 3 2", "CharsDeleted 1 3 2", "CharsInserted 1 3 0"}));
  // A refused edit tells nobody.
  list->SetParaLengthLimit(list->ParaLength(1));
  EXPECT_EQ(list->InsertText(1, 1, "x", 1, &owner), ErrParaTooLong);
  EXPECT_TRUE(owner.Take().empty());
}

TEST(ViewNotificationTest, CompoundEditsReachTheViewsOnce) {
  auto list = MakeParaList("ab  cd\nef\n\ngh");
  TRecordingView view;
  list->AddView(&view);
  list->SetModified(true);
  view.Take();
  ASSERT_EQ(list->SplitPara(1, 5, true, 2, 0, &view), 0);
  EXPECT_EQ(view.Take(), TCalls{"ParaInserted 1 5 2 sender"});
  ASSERT_EQ(list->SplitPara(1, 1, true, 2, 0, &view), 0);
  EXPECT_EQ(view.Take(), TCalls{"ParaInserted 1 1 0 sender"});
  ASSERT_EQ(list->InsertParaAfter(1, "x", 1), 0);
  EXPECT_EQ(view.Take(), TCalls{"ParaInserted 2 1 0"});
  ASSERT_EQ(ParaListText(*list), "\nx\nab\n  cd\nef\n\ngh");
  ASSERT_EQ(list->MergeParas(3, 3), 0);
  EXPECT_EQ(view.Take(), TCalls{"ParasJoined 3 3"});
  ASSERT_EQ(list->MergeParas(1, 1), 0);  // empty paragraph
  EXPECT_EQ(view.Take(), TCalls{"ParasJoined 1 1"});
  list->DeletePara(1);
  EXPECT_EQ(view.Take(), TCalls{"ParaDeleted 1"});
  ASSERT_EQ(ParaListText(*list), "ab  cd\nef\n\ngh");
  ASSERT_EQ(list->DeleteRegion(1, 2, 3, 1, &view), 0);
  EXPECT_EQ(view.Take(),
            (TCalls{"CharsDeleted 1 2 5 sender", "ParaDeleted 2 sender", "ParasJoined 1 2 sender"}));
  EXPECT_EQ(ParaListText(*list), "a\ngh");
}

TDocOptions Wrap8() {
  TDocOptions options;
  options.WordWrap = true;
  options.WrapColumn = 8;
  return options;
}

TEST(RepaintRangeTest, OneLineParagraphs) {
  auto list = MakeParaList("a\nb\nc\nd");
  ASSERT_EQ(list->InsertText(3, 1, "x", 1), 0);
  EXPECT_EQ(list->RepaintFirst(), 3);
  EXPECT_EQ(list->RepaintLast(), 3);
  list->DeletePara(2);
  EXPECT_EQ(list->RepaintFirst(), 2);
  EXPECT_EQ(list->RepaintLast(), kMaxInt32);
  ASSERT_EQ(list->InsertParaBefore(3, "y", 1), 0);
  EXPECT_EQ(list->RepaintFirst(), 3);
  EXPECT_EQ(list->RepaintLast(), kMaxInt32);
  ASSERT_EQ(list->SplitPara(2, 2, false, 0, 0), 0);
  EXPECT_EQ(list->RepaintFirst(), 2);
  EXPECT_EQ(list->RepaintLast(), kMaxInt32);
  // A refused edit leaves the last range as it was.
  ASSERT_EQ(list->DeleteText(1, 1, 1), 0);
  list->SetParaLengthLimit(1);
  EXPECT_EQ(list->InsertText(4, 1, "zz", 2), ErrParaTooLong);
  EXPECT_EQ(list->RepaintFirst(), 1);
  EXPECT_EQ(list->RepaintLast(), 1);
}

TEST(RepaintRangeTest, WrappedParagraphs) {
  auto list = MakeParaList("x\naaa bbb ccc ddd\ny", Wrap8());
  ASSERT_EQ(test::DisplayLines(*list), "x/aaa bbb /ccc ddd/y");
  // Typing at the end of the second display line of paragraph 2: no line start moves, so
  // the range is that line and the one before it.
  ASSERT_EQ(list->InsertText(2, 16, "x", 1), 0);
  EXPECT_EQ(list->RepaintFirst(), 2);
  EXPECT_EQ(list->RepaintLast(), 3);
  // The paragraph grows a line: from the line whose end moved to the end of the text.
  ASSERT_EQ(list->InsertText(2, 17, "yy", 2), 0);
  ASSERT_EQ(test::DisplayLines(*list), "x/aaa bbb /ccc /dddxyy/y");
  EXPECT_EQ(list->RepaintFirst(), 3);
  EXPECT_EQ(list->RepaintLast(), kMaxInt32);
  // A display line disappears: from the paragraph's first line to the end.
  ASSERT_EQ(list->DeleteText(2, 9, 4), 0);
  ASSERT_EQ(test::DisplayLines(*list), "x/aaa bbb /dddxyy/y");
  EXPECT_EQ(list->RepaintFirst(), 2);
  EXPECT_EQ(list->RepaintLast(), kMaxInt32);
}

TEST(RepaintRangeTest, MultiLineInsertionFromTheLineBefore) {
  auto list = MakeParaList("a\nb\nc\nd");
  std::int32_t para = 3;
  std::int32_t pos = 2;
  ASSERT_EQ(list->InsertMultiLine(para, pos, "1\n2"), 0);
  EXPECT_EQ(list->RepaintFirst(), 2);
  EXPECT_EQ(list->RepaintLast(), kMaxInt32);
  para = 1;
  pos = 1;
  ASSERT_EQ(list->InsertMultiLine(para, pos, "no break"), 0);  // a plain insertion
  EXPECT_EQ(list->RepaintFirst(), 1);
  EXPECT_EQ(list->RepaintLast(), 1);
}

TEST(RepaintRangeTest, RelinkedParagraphRepaintsToTheEnd) {
  auto list = MakeParaList("a\nb\nc");
  auto* node = new TParaNode("new", 3, 32767, 8);
  list->LinkParaAt(node, 2);
  EXPECT_EQ(ParaListText(*list), "a\nnew\nb\nc");
  EXPECT_EQ(list->RepaintFirst(), 2);
  EXPECT_EQ(list->RepaintLast(), kMaxInt32);
  EXPECT_EQ(list->ByteCount(), 12);
  EXPECT_TRUE(list->Modified());
}

}  // namespace
}  // namespace quilmo
