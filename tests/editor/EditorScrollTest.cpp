// Scrolling, the scroll bars, the wheel, paging and the layout.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/CustomEditor.h"
#include "support/EditorDoc.h"
#include "support/FakeHost.h"
#include "support/RecordingCanvas.h"

namespace quilmo::test {
namespace {

// Rows are 16 pixels; a client height of 16 × n + 8 gives n visible lines.
constexpr int RowsHeight(int rows) {
  return 16 * rows + 8;
}

void LoadLines(TCustomEditor& editor, int count) {
  editor.ClearText(false);
  for (int i = 1; i < count; ++i)
    EXPECT_EQ(editor.ParaList().AppendPara("line " + std::to_string(i), false), 0);
  const std::string last = "line " + std::to_string(count);
  EXPECT_EQ(editor.ParaList().InsertText(count, 1, last.data(), static_cast<std::int32_t>(last.size())), 0);
  editor.ParaList().ClearUndo();
  editor.RefreshLayout(false);
}

class EditorScroll : public ::testing::Test {
 protected:
  void SetUp() override {
    Host.Attach(Editor);
    Editor.OnTopLineChanged = [this](TCustomEditor&, int line) { TopLines.push_back(line); };
  }
  // Paints the whole client area (clears the pending full repaint, sends pending bars).
  void PaintAll() {
    TRecordingCanvas canvas;
    Editor.Paint(canvas, TRect{0, 0, Host.Width, Host.Height});
  }

  TFakeHost Host{400, RowsHeight(10)};
  TCustomEditor Editor;
  std::vector<int> TopLines;
};

TEST_F(EditorScroll, LayoutCountsRowsAndColumns) {
  EXPECT_EQ(Editor.CharWidth(), 8);
  EXPECT_EQ(Editor.LineHeight(), 16);
  EXPECT_EQ(Editor.VisibleLines(), 10);
  EXPECT_EQ(Editor.VisibleColumns(), (400 - 15 - 5) / 8);
  Host.ResizeTo(400, 160);  // an exact multiple of the row height counts one row less
  EXPECT_EQ(Editor.VisibleLines(), 9);
  Host.ResizeTo(400, 164);  // a partial row of a quarter row does not count
  EXPECT_EQ(Editor.VisibleLines(), 9);
  Host.ResizeTo(400, 165);
  EXPECT_EQ(Editor.VisibleLines(), 10);
  Host.ResizeTo(10, 5);
  EXPECT_EQ(Editor.VisibleColumns(), 1);
  Editor.SetShowRules(true);
  EXPECT_EQ(Editor.LineHeight(), 18);
}

TEST_F(EditorScroll, ScrollBarFiguresOfALongText) {
  Host.ResizeTo(400, RowsHeight(30));
  LoadLines(Editor, 100000);
  ASSERT_EQ(Editor.VisibleLines(), 30);
  EXPECT_EQ(Editor.VScrollDivisor(), 6);
  EXPECT_EQ(Editor.VScrollMax(), 16661);
  const TScrollBarInfo bar = *Host.VBar.Info;
  EXPECT_EQ(bar.Min, 1);
  EXPECT_EQ(bar.Max, 16666);
  EXPECT_EQ(bar.Page, 30);
  EXPECT_TRUE(bar.DisableNoScroll);
  // The thumb's lowest position stops short of the last page.
  const int lowest = bar.Max - bar.Page + 1;
  ASSERT_EQ(lowest, 16637);
  Editor.VScroll(TScrollCode::scThumbTrack, lowest);
  EXPECT_EQ(Editor.TopLine(), 16637 * 6);
  EXPECT_EQ(Host.VBar.Pos, 16637);
  EXPECT_EQ(TopLines.back(), 16637 * 6);
  // The last page is reached by scrolling on.
  Editor.VScroll(TScrollCode::scPageDown, 0);
  Editor.VScroll(TScrollCode::scPageDown, 0);
  Editor.VScroll(TScrollCode::scPageDown, 0);
  Editor.VScroll(TScrollCode::scPageDown, 0);
  Editor.VScroll(TScrollCode::scPageDown, 0);
  Editor.VScroll(TScrollCode::scPageDown, 0);
  EXPECT_EQ(Editor.TopLine(), 100000 - 30 + 1);
  Editor.VScroll(TScrollCode::scThumbTrack, 1);
  EXPECT_EQ(Editor.TopLine(), 1);
}

TEST_F(EditorScroll, ThumbAtItsLowestShowsTheLastPageWithoutDivisor) {
  Host.ResizeTo(400, RowsHeight(30));
  LoadLines(Editor, 1000);
  EXPECT_EQ(Editor.VScrollDivisor(), 1);
  EXPECT_EQ(Editor.VScrollMax(), 971);
  EXPECT_EQ(Host.VBar.Info->Max - Host.VBar.Info->Page + 1, 971);
  Editor.VScroll(TScrollCode::scThumbPosition, 971);
  EXPECT_EQ(Editor.TopLine(), 971);
  Editor.VScroll(TScrollCode::scLineUp, 0);
  EXPECT_EQ(Editor.TopLine(), 970);
  Editor.VScroll(TScrollCode::scEndScroll, 5);  // ignored
  EXPECT_EQ(Editor.TopLine(), 970);
}

TEST_F(EditorScroll, PagingKeepsTheCaretRow) {
  LoadLines(Editor, 100);
  Editor.MoveCaretTo(3, 2);
  Editor.ProcessCommand(ccNextPage, 0);  // a page is VisibleLines - 1 = 9
  EXPECT_EQ(Editor.CaretLine(), 12);
  EXPECT_EQ(Editor.TopLine(), 10);
  Editor.ProcessCommand(ccExtendPgDn, 0);
  EXPECT_EQ(Editor.CaretLine(), 21);
  EXPECT_EQ(Editor.TopLine(), 19);
  EXPECT_EQ(Editor.SelStart(), (TParaPos{12, 2}));
  Editor.ProcessCommand(ccPrevPage, 0);
  EXPECT_EQ(Editor.CaretLine(), 12);
  EXPECT_EQ(Editor.TopLine(), 10);
  EXPECT_FALSE(Editor.HasSelection());
  // Near the end the caret moves on while the view stops at the last page.
  Editor.MoveCaretTo(94, 1);
  EXPECT_EQ(Editor.TopLine(), 85);
  Editor.ProcessCommand(ccNextPage, 0);
  EXPECT_EQ(Editor.TopLine(), 91);
  EXPECT_EQ(Editor.CaretLine(), 100);
  TopLines.clear();
  Editor.ProcessCommand(ccNextPage, 0);
  EXPECT_EQ(Editor.TopLine(), 91);
  EXPECT_EQ(Editor.CaretLine(), 100);
  EXPECT_TRUE(TopLines.empty());
}

TEST_F(EditorScroll, TopAndBottomOfThePage) {
  LoadLines(Editor, 100);
  Editor.MoveCaretTo(15, 1);
  EXPECT_EQ(Editor.TopLine(), 6);
  Editor.ProcessCommand(ccTopOfPage, 0);
  EXPECT_EQ(Editor.CaretLine(), 6);
  Editor.ProcessCommand(ccExtBotOfPage, 0);
  EXPECT_EQ(Editor.CaretLine(), 15);
  EXPECT_TRUE(Editor.HasSelection());
  // With the caret out of the window, bottom of page scrolls to it.
  Editor.MoveCaretTo(3, 1);
  EXPECT_EQ(Editor.TopLine(), 3);
  Editor.ScrollView(0, 20);
  EXPECT_EQ(Editor.TopLine(), 23);
  Editor.ProcessCommand(ccExtTopOfPage, 0);  // caret not visible: nothing
  EXPECT_EQ(Editor.CaretLine(), 3);
  Editor.ProcessCommand(ccBotOfPage, 0);
  EXPECT_EQ(Editor.TopLine(), 1);
  EXPECT_EQ(Editor.CaretLine(), 3);
  Editor.ScrollView(0, 20);
  Editor.ProcessCommand(ccTopOfPage, 0);
  EXPECT_EQ(Editor.TopLine(), 3);
}

TEST_F(EditorScroll, ScrollViewMovesPixelsOrRepaints) {
  LoadLines(Editor, 100);
  PaintAll();
  Host.ClearRecords();
  Editor.ScrollView(0, 1);
  ASSERT_EQ(Host.Scrolls.size(), 2u);
  const int textRight = 15 + Editor.VisibleColumns() * 8;
  EXPECT_EQ(Host.Scrolls[0].Area, (TRect{15, 0, textRight, 160}));
  EXPECT_EQ(Host.Scrolls[0].Dy, -16);
  EXPECT_EQ(Host.Scrolls[1].Area, (TRect{0, 0, 15, 160}));  // the margin with the marker glyphs
  EXPECT_GE(Host.UpdateCount, 1);
  EXPECT_EQ(TopLines, (std::vector<int>{2}));
  EXPECT_EQ(Host.VBar.Pos, 2);

  // Both directions at once, or more than the area: repaint instead.
  PaintAll();
  Host.ClearRecords();
  Editor.ScrollView(1, 1);
  EXPECT_TRUE(Host.Scrolls.empty());
  EXPECT_GE(Host.InvalidateCount, 1);
  EXPECT_EQ(Editor.LeftColumn(), 1);
  EXPECT_EQ(Host.HBar.Pos, 1);
  PaintAll();
  Host.ClearRecords();
  Editor.ScrollView(0, 10);
  EXPECT_TRUE(Host.Scrolls.empty());

  // Nothing to scroll: no event, the caret is placed (the status follows).
  TopLines.clear();
  Host.ClearRecords();
  Editor.ScrollView(-5, 1000);
  EXPECT_EQ(Editor.TopLine(), 91);
  EXPECT_EQ(Editor.LeftColumn(), 0);
  TopLines.clear();
  Host.ClearRecords();
  Editor.ScrollView(-1, 1);
  EXPECT_TRUE(TopLines.empty());
  EXPECT_TRUE(Host.Scrolls.empty());
  EXPECT_EQ(Host.Posted.size(), 1u);
}

TEST_F(EditorScroll, TheWheelScrollsWithoutMovingTheCaret) {
  LoadLines(Editor, 50);
  Host.Focus();
  std::vector<int> seenTop;
  Editor.OnMouseWheel = [&](TCustomEditor& e, std::uint8_t, int, int, int) {
    seenTop.push_back(e.TopLine());
  };
  Editor.MouseWheel(0, -120, 50, 50);
  EXPECT_EQ(Editor.TopLine(), 2);
  EXPECT_EQ(seenTop, (std::vector<int>{1}));  // the event comes first
  EXPECT_EQ(Editor.CaretLine(), 1);
  EXPECT_EQ(Host.CaretX, kCaretHidden);  // parked out of sight
  Editor.MouseWheel(0, -600, 50, 50);    // one message, one step, whatever its size
  EXPECT_EQ(Editor.TopLine(), 3);
  Editor.SetWheelDelta(3);
  Editor.MouseWheel(0, 120, 50, 50);
  EXPECT_EQ(Editor.TopLine(), 1);
  EXPECT_NE(Host.CaretX, kCaretHidden);
}

TEST_F(EditorScroll, HorizontalBar) {
  LoadLines(Editor, 5);
  EXPECT_EQ(Editor.HScrollRange(), 512);
  EXPECT_EQ(*Host.HBar.Info, (TScrollBarInfo{0, 512, 0, 0, false}));
  Editor.HScroll(TScrollCode::scThumbTrack, 100);
  EXPECT_EQ(Editor.LeftColumn(), 100);
  EXPECT_EQ(Host.HBar.Pos, 100);
  Editor.HScroll(TScrollCode::scPageUp, 0);
  EXPECT_EQ(Editor.LeftColumn(), 100 - (Editor.VisibleColumns() - 1));
  Editor.HScroll(TScrollCode::scLineUp, 0);
  EXPECT_EQ(Editor.LeftColumn(), 100 - (Editor.VisibleColumns() - 1) - 1);
  Editor.HScroll(TScrollCode::scPageUp, 0);
  Editor.HScroll(TScrollCode::scPageUp, 0);
  EXPECT_EQ(Editor.LeftColumn(), 0);

  // A wrap narrower than the window needs no bar, unless it is always shown.
  Editor.SetWordWrap(true);
  Editor.SetWrapColumn(40);
  EXPECT_EQ(Editor.HScrollRange(), 40);
  EXPECT_EQ(Host.HBar.Info->Max, 0);
  Editor.SetScrollBarsAlways(true);
  EXPECT_EQ(Host.HBar.Info->Max, 40);
  Editor.SetScrollBars(TScrollStyle::ssNone);
  EXPECT_FALSE(Editor.ScrollBarsAlways());
  EXPECT_FALSE(Host.HBar.Exists);
  EXPECT_FALSE(Host.VBar.Exists);
}

TEST_F(EditorScroll, WrapToWindowFollowsTheWidth) {
  LoadLines(Editor, 3);
  Editor.SetWrapToWindow(true);
  Editor.SetWordWrap(true);
  EXPECT_EQ(Editor.WrapColumn(), Editor.VisibleColumns() - 2);
  Host.ResizeTo(200, RowsHeight(10));
  EXPECT_EQ(Editor.WrapColumn(), (200 - 20) / 8 - 2);
}

TEST_F(EditorScroll, AResizeThatShowsEveryLineGoesToTheTop) {
  LoadLines(Editor, 20);
  Editor.SetTopLine(11);
  TopLines.clear();
  Host.ResizeTo(400, RowsHeight(15));
  EXPECT_EQ(Editor.TopLine(), 11);
  Host.ResizeTo(400, RowsHeight(25));
  EXPECT_EQ(Editor.TopLine(), 1);
  EXPECT_EQ(TopLines, (std::vector<int>{1}));
}

TEST_F(EditorScroll, EditsMarkTheBarsForTheNextPaint) {
  LoadLines(Editor, 30);
  PaintAll();
  ASSERT_EQ(Host.VBar.Info->Max, 30);
  ASSERT_EQ(Editor.ParaList().InsertParaBefore(1, "new", 3), 0);  // an edit not made through this view
  EXPECT_EQ(Host.VBar.Info->Max, 30);
  PaintAll();
  EXPECT_EQ(Host.VBar.Info->Max, 31);
}

TEST_F(EditorScroll, TheTopKeepsItsTextWhenLinesComeAboveIt) {
  LoadLines(Editor, 40);
  Editor.SetTopLine(10);
  TopLines.clear();
  ASSERT_EQ(Editor.ParaList().InsertParaBefore(2, "new", 3), 0);
  EXPECT_EQ(Editor.TopLine(), 11);
  EXPECT_EQ(TopLines, (std::vector<int>{11}));
  Editor.ParaList().DeletePara(11);  // the top paragraph itself: the next one comes up
  EXPECT_EQ(Editor.TopLine(), 11);
  EXPECT_EQ(Editor.GetLineText(11), "line 11");
}

// Paints at once what Update asks for, as a window does.
class TPaintingHost : public TFakeHost {
 public:
  using TFakeHost::TFakeHost;
  void Update() override {
    ++UpdateCount;
    TRecordingCanvas canvas;
    Editor->Paint(canvas, TRect{0, 0, Width, Height});
  }
};

TEST(EditorScrollPaint, APageScrollIsPaintedOnceWhereItCanBe) {
  TPaintingHost host{400, RowsHeight(10)};
  TCustomEditor editor;
  host.Attach(editor);
  LoadLines(editor, 100);
  host.Update();
  host.ClearRecords();
  editor.ScrollView(0, 10);
  EXPECT_EQ(editor.TopLine(), 11);
  EXPECT_EQ(host.InvalidateCount, 1);  // the invalidation the paint at once covered
  EXPECT_FALSE(editor.FullRepaintPending());

  // A host that paints nothing at once gets everything invalidated again.
  TFakeHost quiet{400, RowsHeight(10)};
  TCustomEditor other;
  quiet.Attach(other);
  LoadLines(other, 100);
  TRecordingCanvas canvas;
  other.Paint(canvas, TRect{0, 0, quiet.Width, quiet.Height});
  quiet.ClearRecords();
  other.ScrollView(0, 10);
  EXPECT_EQ(quiet.InvalidateCount, 2);
  EXPECT_TRUE(other.FullRepaintPending());
}

TEST_F(EditorScroll, TheEditingViewInvalidatesOnlyTheRowsTheEditTouched) {
  LoadLines(Editor, 100);
  Editor.SetTopLine(11);
  Editor.SetCaretPosition(13, 3);
  PaintAll();
  Host.ClearRecords();
  Editor.ProcessCommand(ccTypeChar, 'x');
  EXPECT_EQ(Host.InvalidateCount, 0);
  ASSERT_FALSE(Host.InvalidatedRects.empty());
  // Row 3 from the cell before the typed one (its glyph may reach into the changed cell).
  const int cw = Editor.CharWidth();
  for (const TRect& r : Host.InvalidatedRects) EXPECT_EQ(r, (TRect{Editor.LeftMargin() + cw, 32, 400, 48}));
  EXPECT_EQ(Editor.GetLineText(13), "lixne 13");

  // A new paragraph moves every row below it: down to the bottom of the client area.
  PaintAll();
  Host.ClearRecords();
  Editor.ProcessCommand(ccNewLine, 0);
  EXPECT_EQ(Editor.GetLineText(14), "ne 13");
  EXPECT_EQ(Host.InvalidateCount, 0);
  bool toBottom = false;
  for (const TRect& r : Host.InvalidatedRects) {
    EXPECT_GE(r.Top, 32);
    toBottom = toBottom || (r.Top == 32 && r.Bottom == Host.Height);
  }
  EXPECT_TRUE(toBottom);

  // An edit that scrolls the view repaints everything.
  PaintAll();
  Host.ClearRecords();
  Editor.SetCaretPosition(Editor.TopLine() + 9, 1);
  ASSERT_EQ(Editor.InsertString("1\r\n2\r\n3"), 0);
  EXPECT_NE(Editor.TopLine(), 11);
  EXPECT_GE(Host.InvalidateCount, 1);
}

// Typing, also on a line with a tab (screen columns) and in overwrite mode, invalidates the
// row from the cell before the first changed one.
TEST_F(EditorScroll, TypingInvalidatesItsRowFromTheCellBeforeTheChange) {
  LoadLines(Editor, 100);
  Editor.SetTopLine(11);
  const struct {
    const char* Line;
    int From, To;  // selection columns (equal: none)
    bool Insert;
    int FirstChanged;  // screen column
  } cases[] = {{"abcdef", 3, 3, true, 3}, {"a\tbcd", 3, 3, true, 9}, {"a\tbcd", 4, 4, false, 10}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Line);
    Editor.SetSelection(13, 1, 13, static_cast<int>(Editor.GetLineText(13).size()) + 1, true);
    ASSERT_EQ(Editor.InsertString(c.Line), 0);
    Editor.SetInsertMode(c.Insert);
    Editor.SetSelection(13, c.From, 13, c.To, true);
    PaintAll();
    Host.ClearRecords();
    Editor.ProcessCommand(ccTypeChar, 'z');
    Editor.SetInsertMode(true);
    ASSERT_FALSE(Host.InvalidatedRects.empty());
    for (const TRect& r : Host.InvalidatedRects)
      EXPECT_EQ(r, (TRect{Editor.LeftMargin() + (c.FirstChanged - 2) * Editor.CharWidth(), 32, 400, 48}));
  }
}

// Another view's top, caret and selection after an edit, before it and in it, with word
// wrap off and on.
TEST(EditorTracking, PlacesAroundAnEditFollowIt) {
  for (const bool wrap : {false, true}) {
    SCOPED_TRACE(wrap ? "wrap" : "no wrap");
    TFakeHost host{400, RowsHeight(10)};
    TFakeHost otherHost{400, RowsHeight(10)};
    TCustomEditor editor;
    TCustomEditor other;
    host.Attach(editor);
    otherHost.Attach(other);
    LoadLines(editor, 60);
    editor.SetWordWrap(wrap);
    other.Attach(editor);
    std::vector<int> topLines;
    other.OnTopLineChanged = [&topLines](TCustomEditor&, int line) { topLines.push_back(line); };
    other.SetTopLine(21);
    other.SetSelection(25, 2, 30, 4, true);
    topLines.clear();

    // Two paragraphs more above: everything moves down two lines.
    editor.SetCaretPosition(5, 3);
    ASSERT_EQ(editor.InsertString("a\r\nb\r\nc"), 0);
    EXPECT_EQ(other.TopLine(), 23);
    EXPECT_EQ(other.GetLineText(23), "line 21");
    EXPECT_EQ(topLines, (std::vector<int>{22, 23}));
    EXPECT_EQ(other.CaretLine(), 32);
    EXPECT_EQ(other.CaretCol(), 4);
    EXPECT_EQ(other.CaretPara(), 32);
    EXPECT_EQ(other.SelStartLine(), 27);
    EXPECT_EQ(other.SelStartCol(), 2);
    EXPECT_EQ(other.SelEndLine(), 32);
    EXPECT_EQ(other.SelStart(), (TParaPos{27, 2}));
    EXPECT_EQ(other.SelEnd(), (TParaPos{32, 4}));

    // A join below the view's places changes none of them.
    topLines.clear();
    editor.SetCaretPosition(50, 8);
    editor.ProcessCommand(ccDel, 0);
    EXPECT_EQ(editor.GetLineText(50), "line 48line 49");
    EXPECT_EQ(other.TopLine(), 23);
    EXPECT_TRUE(topLines.empty());
    EXPECT_EQ(other.SelStartLine(), 27);
    EXPECT_EQ(other.SelEnd(), (TParaPos{32, 4}));

    // An edit inside the selection's last paragraph, before its end.
    editor.SetCaretPosition(32, 1);
    ASSERT_EQ(editor.InsertString("zz"), 0);
    EXPECT_EQ(other.SelEnd(), (TParaPos{32, 6}));
    EXPECT_EQ(other.SelEndCol(), 6);
    EXPECT_EQ(other.CaretCol(), 6);
    EXPECT_EQ(other.GetLineText(32), "zzline 30");

    // Removing paragraphs above, across the top: the top goes to the next line left.
    editor.SetSelection(20, 1, 25, 1, true);
    ASSERT_EQ(editor.DeleteSelection(), 0);
    EXPECT_EQ(other.SelStart(), (TParaPos{22, 2}));
    EXPECT_EQ(other.SelStartLine(), 22);
    EXPECT_EQ(other.CaretLine(), 27);
    EXPECT_EQ(other.GetLineText(other.TopLine()), "line 23");
  }
}

}  // namespace
}  // namespace quilmo::test
