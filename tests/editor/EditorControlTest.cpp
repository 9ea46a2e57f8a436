// The control as a component: properties and their side effects, clearing the text, the
// clipboard, undo and redo, the caret's place on screen and what a paint shows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/CustomEditor.h"
#include "support/EditorDoc.h"
#include "support/FakeHost.h"
#include "support/RecordingCanvas.h"

namespace quilmo::test {
namespace {

class EditorControl : public ::testing::Test {
 protected:
  void SetUp() override {
    Host.Attach(Editor);
    Editor.OnChange = [this](TCustomEditor&) { ++Changes; };
  }
  TRecordingCanvas PaintAll() {
    TRecordingCanvas canvas;
    Editor.Paint(canvas, TRect{0, 0, Host.Width, Host.Height});
    return canvas;
  }

  TFakeHost Host;
  TCustomEditor Editor;
  int Changes = 0;
};

TEST_F(EditorControl, Defaults) {
  EXPECT_FALSE(Editor.AutoIndent());
  EXPECT_EQ(Editor.ByteLimit(), 2147483647);
  EXPECT_EQ(Editor.ParaLimit(), 2147483647);
  EXPECT_EQ(Editor.ParaLengthLimit(), 32767);
  EXPECT_EQ(Editor.BorderStyle(), TEditorBorderStyle::bsSingle);
  EXPECT_TRUE(Editor.HideSelection());
  EXPECT_TRUE(Editor.InsertMode());
  EXPECT_EQ(Editor.LeftMargin(), 15);
  EXPECT_EQ(Editor.RightMargin(), 5);
  EXPECT_FALSE(Editor.ReadOnly());
  EXPECT_EQ(Editor.RuleColor(), TColor{8388608});
  EXPECT_EQ(Editor.ScrollBars(), TScrollStyle::ssBoth);
  EXPECT_FALSE(Editor.ScrollBarsAlways());
  EXPECT_FALSE(Editor.ScrollPastEnd());
  EXPECT_TRUE(Editor.ShowBookmarks());
  EXPECT_FALSE(Editor.ShowLineNumbers());
  EXPECT_EQ(Editor.TabSize(), 8);
  EXPECT_EQ(Editor.TabType(), TTabType::ttReal);
  EXPECT_EQ(Editor.UndoBufferSize(), 8192);
  EXPECT_TRUE(Editor.WantEnter());
  EXPECT_FALSE(Editor.WantTab());
  EXPECT_EQ(Editor.WheelDelta(), 1);
  EXPECT_FALSE(Editor.WordWrap());
  EXPECT_TRUE(Editor.WrapAtLeft());
  EXPECT_EQ(Editor.WrapColumn(), 80);
  EXPECT_FALSE(Editor.WrapToWindow());
  EXPECT_EQ(Editor.Controller(), nullptr);
  EXPECT_EQ(Editor.FixedFont().Color(), clWindowText);
  EXPECT_EQ(Editor.CaretOvr()->Shape(), TCaretShape::csBlock);
}

TEST_F(EditorControl, PropertySideEffects) {
  Editor.SetScrollPastEnd(true);
  Editor.SetWordWrap(true);
  EXPECT_FALSE(Editor.ScrollPastEnd());
  Editor.SetWrapAtLeft(false);  // stays on while wrapping
  EXPECT_TRUE(Editor.WrapAtLeft());
  Editor.SetScrollPastEnd(true);
  EXPECT_FALSE(Editor.WordWrap());
  Editor.SetWrapAtLeft(false);
  EXPECT_FALSE(Editor.WrapAtLeft());
  Editor.SetWordWrap(true);
  EXPECT_TRUE(Editor.WrapAtLeft());

  Editor.SetParaLengthLimit(0);
  Editor.SetParaLengthLimit(40000);
  EXPECT_EQ(Editor.ParaLengthLimit(), 32767);
  Editor.SetTabSize(0);
  EXPECT_EQ(Editor.TabSize(), 8);
  Editor.SetWrapColumn(0);
  EXPECT_EQ(Editor.WrapColumn(), 80);
  Editor.SetByteLimit(-1);
  EXPECT_EQ(Editor.ByteLimit(), 2147483647);
  Editor.SetParaLimit(0);
  EXPECT_EQ(Editor.ParaLimit(), 2147483647);
  Editor.SetNewStyleIndent(true);
  EXPECT_TRUE(Editor.AutoIndent());
  Editor.SetUndoBufferSize(65535);
  EXPECT_EQ(Editor.UndoBufferSize(), 65535);

  Editor.SetScrollBarsAlways(true);
  EXPECT_TRUE(Editor.ScrollBarsAlways());
  Editor.SetScrollBars(TScrollStyle::ssVertical);
  EXPECT_TRUE(Host.VBar.Exists);
  EXPECT_FALSE(Host.HBar.Exists);
  Editor.SetScrollBars(TScrollStyle::ssNone);
  Editor.SetScrollBarsAlways(true);
  EXPECT_FALSE(Editor.ScrollBarsAlways());

  Editor.Borders().TopBorder().SetEnabled(true);
  EXPECT_EQ(Editor.BorderStyle(), TEditorBorderStyle::bsNone);
  EXPECT_FALSE(Editor.Ctl3D());
}

TEST_F(EditorControl, ScrollPastEndOffBringsTheCaretBack) {
  Editor.SetScrollPastEnd(true);
  LoadMarkedText(Editor, "ab|");
  Editor.MoveCaretTo(1, 10);
  EXPECT_EQ(Editor.CaretCol(), 10);
  Editor.SetScrollPastEnd(false);
  EXPECT_EQ(Editor.CaretCol(), 3);
}

TEST_F(EditorControl, MarginsAndLineNumbersMoveTheText) {
  Editor.SetLeftMargin(31);
  EXPECT_EQ(Editor.VisibleColumns(), (400 - 31 - 5) / 8);
  Editor.SetShowLineNumbers(true);  // "1".."11": two digits of 8 pixels, plus 5
  EXPECT_EQ(Editor.LineNumberWidth(), 16);
  EXPECT_EQ(Editor.LeftMargin(), 31 + 16 + 5);
  Editor.SetShowLineNumbers(false);
  EXPECT_EQ(Editor.LeftMargin(), 31);
}

TEST_F(EditorControl, ClearTextKeepsTheSettingsAndResetsTheView) {
  Editor.SetWordWrap(true);
  Editor.SetWrapColumn(20);
  Editor.SetTabSize(4);
  Editor.SetParaLengthLimit(100);
  Editor.SetUndoBufferSize(1000);
  std::string text;
  for (int i = 0; i < 40; ++i) text += "line\n";
  LoadMarkedText(Editor, text + "[last]");
  Editor.SetMarker(1);
  Editor.SetTopLine(20);
  std::vector<int> tops;
  Editor.OnTopLineChanged = [&](TCustomEditor&, int line) { tops.push_back(line); };
  Editor.ClearText(true);
  EXPECT_EQ(tops, (std::vector<int>{1}));
  EXPECT_EQ(PlainEditorText(Editor), "");
  EXPECT_EQ(Editor.CaretLine(), 1);
  EXPECT_FALSE(Editor.HasSelection());
  std::int32_t column = 0;
  EXPECT_EQ(Editor.GetMarkerPosition(1, column), -1);
  EXPECT_TRUE(Editor.WordWrap());
  EXPECT_EQ(Editor.WrapColumn(), 20);
  EXPECT_EQ(Editor.TabSize(), 4);
  EXPECT_EQ(Editor.ParaLengthLimit(), 100);
  EXPECT_EQ(Editor.UndoBufferSize(), 1000);
  EXPECT_FALSE(Editor.Modified());
}

TEST_F(EditorControl, CopyPutsBlanksForTabsAndCrLfBetweenParagraphs) {
  LoadMarkedText(Editor, "a[b\tc\nde]f");
  Editor.ProcessCommand(ccCopy, 0);
  EXPECT_EQ(Host.Clipboard, "b c\r\nde");
  LoadMarkedText(Editor, "x[yz\n]next");
  Editor.CopyToClipboard();
  EXPECT_EQ(Host.Clipboard, "yz\r\n");
  LoadMarkedText(Editor, "no| selection");
  Editor.CopyToClipboard();
  EXPECT_EQ(Host.Clipboard, "yz\r\n");
  EXPECT_EQ(Changes, 0);
}

TEST_F(EditorControl, CutAndPaste) {
  LoadMarkedText(Editor, "one [two] three");
  Editor.ProcessCommand(ccCut, 0);
  EXPECT_EQ(Host.Clipboard, "two");
  EXPECT_EQ(MarkedEditorText(Editor), "one | three");
  EXPECT_EQ(Changes, 1);

  Host.Clipboard = "A\r\nB\r\nC";
  Editor.ProcessCommand(ccPaste, 0);
  EXPECT_EQ(MarkedEditorText(Editor), "one A\nB\nC| three");
  Editor.ProcessCommand(ccUndo, 0);  // one step
  EXPECT_EQ(MarkedEditorText(Editor), "one | three");
  Editor.ProcessCommand(ccRedo, 0);
  EXPECT_EQ(PlainEditorText(Editor), "one A\nB\nC three");

  // LF line ends give the same paragraphs; a paste replaces the selection; text ends at NUL.
  LoadMarkedText(Editor, "x[sel]y");
  Host.Clipboard = std::string("A\nB\nC\0tail", 10);
  Editor.PasteFromClipboard();
  EXPECT_EQ(MarkedEditorText(Editor), "xA\nB\nC|y");

  Editor.SetReadOnly(true);
  Editor.SelectAll(true);
  Editor.ProcessCommand(ccCut, 0);
  Editor.ProcessCommand(ccPaste, 0);
  EXPECT_EQ(PlainEditorText(Editor), "xA\nB\nCy");
  Editor.SetReadOnly(false);

  Host.Clipboard.reset();  // no text: nothing but the scroll range and the status
  Editor.CollapseSelection(false);
  Host.ClearRecords();
  Editor.PasteFromClipboard();
  EXPECT_EQ(PlainEditorText(Editor), "xA\nB\nCy");
  EXPECT_FALSE(Host.Posted.empty());
}

TEST_F(EditorControl, UndoAndRedoPlaceTheCaret) {
  LoadMarkedText(Editor, "abc|");
  Editor.ProcessCommand(ccUndo, 0);
  EXPECT_EQ(Host.BeepCount, 1);
  for (char c : std::string("def")) Editor.ProcessCommand(ccTypeChar, static_cast<unsigned char>(c));
  Editor.ProcessCommand(ccHome, 0);
  Editor.ProcessCommand(ccUndo, 0);
  EXPECT_EQ(MarkedEditorText(Editor), "abc|");
  EXPECT_TRUE(Editor.CanRedo());
  Editor.ProcessCommand(ccRedo, 0);
  EXPECT_EQ(MarkedEditorText(Editor), "abcdef|");
  Editor.ProcessCommand(ccRedo, 0);
  EXPECT_EQ(Host.BeepCount, 2);
  Editor.ClearUndo();
  EXPECT_FALSE(Editor.CanUndo());
}

TEST_F(EditorControl, TheCaretSitsOnItsCell) {
  LoadMarkedText(Editor, "\tab|cd\nx");
  Host.Focus();
  EXPECT_TRUE(Host.CaretCreated);
  EXPECT_TRUE(Host.CaretShown);
  EXPECT_EQ(Host.CaretWidth, 2);
  EXPECT_EQ(Host.CaretHeight, 16);
  // Screen column 11 (the tab covers 8): x = 15 + 10 × 8, one pixel left for a thin caret.
  EXPECT_EQ(Host.CaretX, 15 + 80 - 1);
  EXPECT_EQ(Host.CaretY, 0);
  Editor.ProcessCommand(ccDown, 0);
  EXPECT_EQ(Host.CaretY, 16);
  Editor.MarginOptions().Left().SetEnabled(true);  // the margin line moves the text 5 pixels
  Editor.ProcessCommand(ccUp, 0);                  // no goal column: screen column 2 falls on the tab
  EXPECT_EQ(Editor.CaretCol(), 1);
  EXPECT_EQ(Host.CaretX, 15 + 5 - 1);
  Host.Unfocus();
  EXPECT_FALSE(Host.CaretCreated);
}

TEST_F(EditorControl, ThePaintShowsTheSelectionOnlyWithTheFocus) {
  LoadMarkedText(Editor, "ab[cd]ef");
  auto highlighted = [](const TRecordingCanvas& canvas) {
    std::string chars;
    for (const TCanvasOp& run : canvas.Runs())
      if (run.Back == clHighlight) chars += run.Chars;
    return chars;
  };
  EXPECT_EQ(highlighted(PaintAll()), "");  // HideSelection and no focus
  Host.Focus();
  EXPECT_EQ(highlighted(PaintAll()), "cd");
  Host.Unfocus();
  Editor.SetHideSelection(false);
  EXPECT_EQ(highlighted(PaintAll()), "cd");
  EXPECT_FALSE(Editor.FullRepaintPending());
}

TEST_F(EditorControl, OnDrawLineSeesEveryRow) {
  LoadMarkedText(Editor, "one\ntwo");
  std::vector<std::pair<int, std::string>> rows;
  Editor.OnDrawLine = [&](TCustomEditor&, TEditorCanvas&, const TRect&, const char* s, int len, int line, int,
                          int, int, int, int, int, bool& wasDrawn) {
    rows.emplace_back(line, std::string(s, static_cast<std::size_t>(len)));
    wasDrawn = line == 1;
  };
  const TRecordingCanvas canvas = PaintAll();
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[0], (std::pair<int, std::string>{1, "one"}));
  EXPECT_EQ(rows[1], (std::pair<int, std::string>{2, "two"}));
  EXPECT_EQ(rows[2], (std::pair<int, std::string>{3, ""}));
  for (const TCanvasOp& run : canvas.Runs()) EXPECT_NE(run.Chars, "one");  // drawn by the handler
}

TEST_F(EditorControl, TheMarkerGlyphsFollowTheirLines) {
  LoadMarkedText(Editor, "a\nb\nc");
  Editor.SetMarkerAt(4, 3, 1);
  Editor.SetMarkerAt(2, 3, 1);
  const TRecordingCanvas canvas = PaintAll();
  ASSERT_EQ(canvas.Glyphs().size(), 1u);
  EXPECT_EQ(canvas.Glyphs()[0].Index, 2);  // the lowest number on the line
  EXPECT_EQ(canvas.Glyphs()[0].Y, 32 + 2);
}

}  // namespace
}  // namespace quilmo::test
