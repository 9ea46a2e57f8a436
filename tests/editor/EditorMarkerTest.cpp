// The ten markers, and views sharing one text following each other's edits.

#include <gtest/gtest.h>

#include <memory>

#include "editor/CustomEditor.h"
#include "engine/EditorErrors.h"
#include "support/EditorDoc.h"
#include "support/FakeHost.h"
#include "support/RecordingCanvas.h"

namespace quilmo::test {
namespace {

class EditorMarkers : public ::testing::Test {
 protected:
  void SetUp() override { Host.Attach(Editor); }
  std::string MarkerAt(std::uint8_t n) {
    std::int32_t column = 0;
    const std::int32_t line = Editor.GetMarkerPosition(n, column);
    return line < 0 ? "unset" : std::to_string(line) + ":" + std::to_string(column);
  }
  void Type(std::string_view text) {
    for (char c : text) Editor.ProcessCommand(ccTypeChar, static_cast<unsigned char>(c));
  }

  TFakeHost Host;
  TCustomEditor Editor;
};

TEST_F(EditorMarkers, SetGoAndClear) {
  LoadMarkedText(Editor, "abc\nde|f\nghi");
  Editor.SetMarker(3);
  EXPECT_EQ(MarkerAt(3), "2:3");
  EXPECT_EQ(MarkerAt(4), "unset");
  EXPECT_EQ(MarkerAt(10), "unset");
  Editor.ProcessCommand(ccFirstPage, 0);
  Editor.GotoMarker(3);
  EXPECT_EQ(MarkedEditorText(Editor), "abc\nde|f\nghi");
  Editor.ClearMarker(3);
  EXPECT_EQ(MarkerAt(3), "unset");
  Editor.ProcessCommand(ccFirstPage, 0);
  Editor.GotoMarker(3);  // unset: nothing
  EXPECT_EQ(Editor.CaretLine(), 1);

  Editor.SetMarkerAt(12, 1, 1);  // no such marker: nothing
  EXPECT_THROW(Editor.SetMarkerAt(2, 0, 1), EInvalidLineOrCol);
  EXPECT_THROW(Editor.SetMarkerAt(2, 4, 1), EInvalidLineOrCol);
  EXPECT_THROW(Editor.SetMarkerAt(2, 1, 0), EInvalidLineOrCol);
  Editor.SetMarkerAt(2, 3, 10);  // not clamped to the line
  EXPECT_EQ(MarkerAt(2), "3:10");
  Editor.GotoMarker(2);
  EXPECT_EQ(MarkedEditorText(Editor), "abc\ndef\nghi|");
}

TEST_F(EditorMarkers, AMarkerBeyondTheTextRaisesOnQueryButNotInAPaint) {
  LoadMarkedText(Editor, "abc");
  Editor.ParaList().SetMarkerPos(5, 9, 1);  // as no edit of this program leaves it
  std::int32_t column = 0;
  EXPECT_THROW(Editor.GetMarkerPosition(5, column), EInvalidLineOrPara);
  TRecordingCanvas canvas;
  Editor.Paint(canvas, TRect{0, 0, Host.Width, Host.Height});
  EXPECT_TRUE(canvas.Glyphs().empty());
}

TEST_F(EditorMarkers, MarkerCommandsTakeTheNumberFromTheKey) {
  LoadMarkedText(Editor, "ab|c\ndef");
  EXPECT_TRUE(Editor.ProcessCommand(ccSetMarker0 + 7, '7'));
  EXPECT_EQ(MarkerAt(7), "1:3");
  EXPECT_TRUE(Editor.ProcessCommand(ccSetMarker0 + 5, 'A'));  // not a digit: nothing
  for (int n = 0; n < 10; ++n) {
    if (n == 7) continue;
    EXPECT_EQ(MarkerAt(static_cast<std::uint8_t>(n)), "unset");
  }
  Editor.ProcessCommand(ccLastPage, 0);
  EXPECT_TRUE(Editor.ProcessCommand(ccGotoMarker0, '7'));
  EXPECT_EQ(MarkedEditorText(Editor), "ab|c\ndef");
}

TEST_F(EditorMarkers, MarkersFollowEdits) {
  LoadMarkedText(Editor, "abcdefgh");
  Editor.SetMarkerAt(3, 1, 5);  // on 'e'
  LoadMarkedText(Editor, "abcdefgh");
  EXPECT_EQ(MarkerAt(3), "unset");  // a new text has no markers

  Editor.SetMarkerAt(3, 1, 5);
  Editor.SetSelection(1, 2, 1, 4, true);  // "bc", before the marker
  Editor.ProcessCommand(ccDel, 0);
  EXPECT_EQ(PlainEditorText(Editor), "adefgh");
  EXPECT_EQ(MarkerAt(3), "1:3");
  Editor.MoveCaretTo(1, 2);
  Editor.ProcessCommand(ccNewLine, 0);  // split before it
  EXPECT_EQ(PlainEditorText(Editor), "a\ndefgh");
  EXPECT_EQ(MarkerAt(3), "2:2");
  Editor.SetSelection(2, 1, 2, 4, true);  // the characters around it
  Editor.ProcessCommand(ccDel, 0);
  EXPECT_EQ(MarkerAt(3), "unset");
}

TEST_F(EditorMarkers, ASecondViewFollowsTheEdits) {
  LoadMarkedText(Editor, "hello world\nsecond line\nthird");
  TFakeHost hostB;
  TCustomEditor viewB;
  hostB.Attach(viewB);
  viewB.Attach(Editor);
  EXPECT_EQ(PlainEditorText(viewB), "hello world\nsecond line\nthird");
  EXPECT_EQ(&Editor.NextView(), &viewB);
  EXPECT_EQ(&viewB.NextView(), &Editor);

  viewB.SetSelection(1, 7, 1, 12, true);  // "world", caret at its end
  Editor.MoveCaretTo(1, 1);
  hostB.ClearRecords();
  Type("Oh, ");
  EXPECT_EQ(MarkedEditorText(viewB), "Oh, hello [world]\nsecond line\nthird");
  EXPECT_EQ(MarkedEditorText(Editor), "Oh, |hello world\nsecond line\nthird");
  EXPECT_GT(hostB.InvalidateCount, 0);

  // Deleting the paragraph that holds the other view's caret.
  viewB.MoveCaretTo(2, 5);
  Editor.SetSelection(1, 5, 2, 8, true);
  Editor.ProcessCommand(ccDel, 0);
  EXPECT_EQ(PlainEditorText(Editor), "Oh, line\nthird");
  EXPECT_EQ(MarkedEditorText(viewB), "Oh, |line\nthird");

  // A selection lying wholly in a deleted paragraph collapses at the caret.
  viewB.SetSelection(2, 2, 2, 4, true);
  Editor.ParaList().DeletePara(2);
  EXPECT_FALSE(viewB.HasSelection());
  EXPECT_EQ(MarkedEditorText(viewB), "|Oh, line");  // position 1 of the paragraph now at its index

  // Rewrapping re-derives the other view's lines. (Loading clears the text, which leaves the ring.)
  LoadMarkedText(Editor, "aaa bbb ccc");
  EXPECT_EQ(PlainEditorText(viewB), "Oh, line");
  viewB.Attach(Editor);
  viewB.MoveCaretToPara(1, 10);
  Editor.SetWrapColumn(8);
  Editor.SetWordWrap(true);
  EXPECT_EQ(viewB.CaretLine(), 2);
  EXPECT_EQ(viewB.CaretCol(), 2);
  EXPECT_TRUE(viewB.WordWrap());
}

TEST_F(EditorMarkers, TheTextOutlivesTheViewThatCreatedIt) {
  auto first = std::make_unique<TCustomEditor>();
  LoadMarkedText(*first, "shared");
  TCustomEditor second;
  second.Attach(*first);
  first.reset();
  EXPECT_EQ(PlainEditorText(second), "shared");
  EXPECT_EQ(&second.NextView(), &second);
  second.MoveCaretTo(1, 7);
  second.ProcessCommand(ccTypeChar, '!');
  EXPECT_EQ(PlainEditorText(second), "shared!");

  // Clearing leaves the ring; the other view keeps the text.
  TCustomEditor third;
  third.Attach(second);
  third.ClearText(false);
  EXPECT_EQ(PlainEditorText(third), "");
  EXPECT_EQ(PlainEditorText(second), "shared!");
  EXPECT_EQ(&second.NextView(), &second);
}

}  // namespace
}  // namespace quilmo::test
