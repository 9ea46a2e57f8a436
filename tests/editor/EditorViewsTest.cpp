// Views in step with their text: after scrolls that change the layout, edits made through
// another view of the same text, and resizes, each view's line forms (caret line and column,
// selection ends, top line) agree with its paragraph forms.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/CustomEditor.h"
#include "engine/Search.h"
#include "support/EditorDoc.h"
#include "support/FakeHost.h"

namespace quilmo::test {
namespace {

constexpr int RowsHeight(int rows) {
  return 16 * rows + 8;
}

// Checks every line form of `e` against its paragraph form.
void ExpectInStep(TCustomEditor& e, const std::string& where) {
  SCOPED_TRACE(where);
  TParaList& list = e.ParaList();
  ASSERT_GE(e.CaretLine(), 1);
  ASSERT_LE(e.CaretLine(), e.LineCount());
  std::int32_t para = 0;
  std::int32_t offset = 0;
  list.LineToPara(e.CaretLine(), para, offset);
  EXPECT_EQ(para, e.CaretPara());
  EXPECT_EQ(offset, e.LineOffset());
  EXPECT_GE(e.CaretCol(), 1);
  if (!e.ScrollPastEnd()) {
    EXPECT_LE(e.CaretCol(), list.LineLength(e.CaretLine()) + 1);
  }

  const TParaPos start = e.SelStart();
  const TParaPos end = e.SelEnd();
  EXPECT_LE(start, end);
  EXPECT_LE(end.Para, e.ParaCount());
  EXPECT_LE(start.Pos, list.ParaLength(start.Para) + 1);
  EXPECT_LE(end.Pos, list.ParaLength(end.Para) + 1);
  std::int32_t line = 0;
  std::int32_t column = 0;
  list.PosToLine(start.Para, start.Pos, line, column);
  EXPECT_EQ(line, e.SelStartLine());
  EXPECT_EQ(column, e.SelStartCol());
  list.PosToLine(end.Para, end.Pos, line, column);
  EXPECT_EQ(line, e.SelEndLine());
  EXPECT_EQ(column, e.SelEndCol());
  if (e.HasSelection()) {
    const TParaPos caret = e.CaretParaPos();
    EXPECT_EQ(TParaPos({caret.Para, std::min(caret.Pos, list.ParaLength(caret.Para) + 1)}), e.SelCaretEnd());
  }
  EXPECT_GE(e.TopLine(), 1);
  EXPECT_LE(e.TopLine(), e.LineCount());
  EXPECT_GE(e.LeftColumn(), 0);
}

void LoadLines(TCustomEditor& editor, int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? "\nline " : "line ") + std::to_string(i);
  LoadMarkedText(editor, text);
}

TEST(EditorViews, AScrollThatWidensTheLineNumbersKeepsItsTopLine) {
  TFakeHost host{400, RowsHeight(10)};
  TCustomEditor editor;
  host.Attach(editor);
  std::vector<int> tops;
  editor.OnTopLineChanged = [&](TCustomEditor&, int line) { tops.push_back(line); };
  editor.SetShowLineNumbers(true);
  editor.SetWordWrap(true);
  editor.SetWrapToWindow(true);
  LoadLines(editor, 200);
  const std::int32_t margin = editor.LeftMargin();
  editor.SetTopLine(95);  // numbers of three digits: a wider margin, the text wrapped anew
  EXPECT_GT(editor.LeftMargin(), margin);
  EXPECT_EQ(editor.TopLine(), 95);
  EXPECT_EQ(tops, std::vector<int>{95});
  ExpectInStep(editor, "after the scroll");
  editor.ProcessCommand(ccDown, 0);  // from line 1, out of sight: the view comes to the caret
  EXPECT_EQ(editor.CaretLine(), 2);
  EXPECT_LE(editor.TopLine(), 2);
  EXPECT_GT(editor.TopLine() + editor.VisibleLines(), 2);
  ExpectInStep(editor, "after Down");
}

class TwoViews : public ::testing::Test {
 protected:
  void SetUp() override {
    HostA.Attach(A);
    HostB.Attach(B);
    B.Attach(A);
  }
  TFakeHost HostA{400, RowsHeight(10)};
  TFakeHost HostB{400, RowsHeight(10)};
  TCustomEditor A;
  TCustomEditor B;
};

TEST_F(TwoViews, AReplacementOfTheSameLengthThatWrapsAnewMovesTheOtherView) {
  // Overwriting the blank behind "bbb" joins two words: the paragraph breaks differently.
  for (bool overwrite : {true, false}) {
    SCOPED_TRACE(overwrite ? "overwrite" : "replace");
    A.SetWordWrap(true);
    A.SetWrapColumn(8);
    LoadMarkedText(A, "aaa bbb ccc ddd eee fff");
    B.Attach(A);
    B.MoveCaretToPara(1, 21);  // before "fff"
    B.SetSelection(B.CaretLine(), B.CaretCol(), B.CaretLine(), B.CaretCol() + 2, true);
    ASSERT_EQ(B.CaretLine(), 3);
    if (overwrite) {
      A.SetInsertMode(false);
      A.MoveCaretToPara(1, 8);
      A.ProcessCommand(ccTypeChar, 'x');
    } else {
      A.MoveCaretToPara(1, 1);
      ASSERT_EQ(A.Replace(" c", "xc", soEntireScope | soReplaceAll), 1);
    }
    ExpectInStep(B, "the other view");
    EXPECT_EQ(B.SelStart(), (TParaPos{1, 21}));
    EXPECT_EQ(B.CaretLine(), 4);
    B.ProcessCommand(ccTypeChar, 'Z');
    EXPECT_EQ(PlainEditorText(B), "aaa bbbxccc ddd eee Zf");
    A.SetInsertMode(true);
  }
}

TEST_F(TwoViews, AJoinWithAnEmptyParagraphBehindTheEndKeepsPlacesAtTheEnd) {
  A.SetScrollPastEnd(true);
  LoadMarkedText(A, "abc\n\nxyz");
  B.Attach(A);
  B.MoveCaretToPara(2, 1);
  A.ParaList().SetMarkerPos(4, 2, 1);
  A.MoveCaretToPara(1, 10);  // behind the end of "abc"
  A.ProcessCommand(ccDel, 0);
  EXPECT_EQ(PlainEditorText(A), "abc\nxyz");
  EXPECT_EQ(B.CaretParaPos(), (TParaPos{1, 4}));
  EXPECT_EQ(A.ParaList().Marker(4).Para, 1);
  EXPECT_EQ(A.ParaList().Marker(4).Pos, 4);
  ExpectInStep(B, "the other view");
}

TEST(EditorViews, AWiderWindowWithoutAHorizontalRangeShowsTheFirstColumn) {
  TFakeHost host{400, RowsHeight(10)};  // 47 columns
  TCustomEditor editor;
  host.Attach(editor);
  editor.SetWordWrap(true);
  editor.SetWrapColumn(60);
  LoadMarkedText(editor, std::string(58, 'a') + "|");
  ASSERT_GT(editor.LeftColumn(), 0);
  host.ResizeTo(600, RowsHeight(10));  // 72 columns: the bar disappears
  ASSERT_FALSE(host.HBar.Info && host.HBar.Info->Max > 0);
  EXPECT_EQ(editor.LeftColumn(), 0);
  // With the bar kept, it still scrolls back: nothing changes.
  host.ResizeTo(400, RowsHeight(10));
  editor.SetScrollBarsAlways(true);
  editor.MoveCaretToPara(1, 59);
  const std::int32_t left = editor.LeftColumn();
  ASSERT_GT(left, 0);
  host.ResizeTo(600, RowsHeight(10));
  EXPECT_EQ(editor.LeftColumn(), left);
}

// Random edits, moves and resizes in two views of one wrapped text: after every step each
// view's line forms agree with its paragraph forms.
TEST_F(TwoViews, RandomStepsKeepBothViewsInStep) {
  const TEditorCommand moves[] = {ccLeft,       ccRight,     ccUp,       ccDown,     ccHome,       ccEnd,
                                  ccWordLeft,   ccWordRight, ccNextPage, ccPrevPage, ccExtendLeft, ccExtendUp,
                                  ccExtendDown, ccExtendEnd, ccLastPage, ccFirstPage};
  const TEditorCommand edits[] = {ccDel, ccBack, ccDelWord, ccDelLine, ccDelEol, ccUndo, ccRedo};
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    A.ClearText(true);
    B.Attach(A);
    A.SetWordWrap(true);
    A.SetWrapToWindow(true);
    B.SetWordWrap(true);
    B.SetWrapToWindow(true);
    A.SetShowLineNumbers(seed % 2 == 0);
    B.SetShowLineNumbers(true);
    bool scrolled = false;  // the text was once longer than the window
    for (int step = 0; step < 400; ++step) {
      TCustomEditor& view = pick(2) == 0 ? A : B;
      TFakeHost& host = &view == &A ? HostA : HostB;
      const int what = pick(24);
      std::string done;
      if (what < 10) {
        const char c = pick(5) == 0 ? ' ' : static_cast<char>('a' + pick(6));
        view.ProcessCommand(ccTypeChar, static_cast<unsigned char>(c));
        done = "type";
      } else if (what < 12) {
        view.ProcessCommand(ccNewLine, 0);
        done = "new line";
      } else if (what < 17) {
        view.ProcessCommand(moves[pick(static_cast<int>(std::size(moves)))], 0);
        done = "move";
      } else if (what < 19) {
        view.ProcessCommand(edits[pick(static_cast<int>(std::size(edits)))], 0);
        done = "edit";
      } else if (what == 19) {
        view.ProcessCommand(ccIns, 0);
        done = "insert mode";
      } else if (what == 20) {
        host.ResizeTo(100 + pick(400), RowsHeight(2 + pick(10)));
        done = "resize";
      } else if (what == 21) {
        view.SetTopLine(1 + pick(view.LineCount()));
        done = "top line";
      } else if (what == 22) {
        view.ScrollView(pick(7) - 3, pick(7) - 3);
        done = "scroll";
      } else {
        view.SetShowLineNumbers(!view.ShowLineNumbers());
        done = "line numbers";
      }
      const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step) + " " + done;
      ExpectInStep(A, where + " view A");
      ExpectInStep(B, where + " view B");
      if (::testing::Test::HasFailure()) return;
      scrolled = scrolled || A.TopLine() > 1 || B.TopLine() > 1;
    }
    EXPECT_TRUE(scrolled) << "seed " << seed;
  }
}

}  // namespace
}  // namespace quilmo::test
