// Caret motion and selection extension, as before/after text.

#include <gtest/gtest.h>

#include "editor/CustomEditor.h"
#include "engine/EditorErrors.h"
#include "support/EditorDoc.h"
#include "support/FakeHost.h"

namespace quilmo::test {
namespace {

class EditorMotion : public ::testing::Test {
 protected:
  void SetUp() override { Host.Attach(Editor); }
  // Loads `before`, runs the commands and returns the marked text.
  std::string Run(std::string_view before, std::initializer_list<TEditorCommand> commands) {
    LoadMarkedText(Editor, before);
    for (TEditorCommand c : commands) Editor.ProcessCommand(c, 0);
    return MarkedEditorText(Editor);
  }

  TFakeHost Host;
  TCustomEditor Editor;
};

TEST_F(EditorMotion, DownOnTheLastLineChangesNothingNotEvenTheSelection) {
  EXPECT_EQ(Run("one\nt[wo]", {ccDown}), "one\nt[wo]");
  EXPECT_EQ(Run("one\nt[wo]", {ccExtendDown}), "one\nt[wo]");
  EXPECT_EQ(Run("one\nt[|wo]", {ccExtendDown}), "one\nt[|wo]");
}

TEST_F(EditorMotion, UpOnTheFirstLineKeepsTheCaretButCollapsesTheSelection) {
  EXPECT_EQ(Run("o[ne]\ntwo", {ccUp}), "one|\ntwo");
}

TEST_F(EditorMotion, NoGoalColumnThroughAShortLine) {
  const char* text = "0123456789012345678|9xx\nabcde\n0123456789012345678901234";
  EXPECT_EQ(Run(text, {ccDown, ccDown}), "01234567890123456789xx\nabcde\n01234|56789012345678901234");
  Editor.SetScrollPastEnd(true);
  EXPECT_EQ(Run(text, {ccDown, ccDown}), "01234567890123456789xx\nabcde\n0123456789012345678|901234");
  EXPECT_EQ(Editor.CaretCol(), 20);
}

TEST_F(EditorMotion, UpAndDownKeepTheScreenColumnOverTabs) {
  // "\tx": x sits at screen column 9; on the line below screen column 9 is the 9th character.
  EXPECT_EQ(Run("\t|x\nabcdefghijk", {ccDown}), "\tx\nabcdefgh|ijk");
  EXPECT_EQ(Run("\tx\nabcd|efghijk", {ccUp}), "|\tx\nabcdefghijk");
}

TEST_F(EditorMotion, RightAtTheEndOfAParagraphGoesToTheNextLine) {
  EXPECT_EQ(Run("ab|\ncd", {ccRight}), "ab\n|cd");
  EXPECT_EQ(Run("ab\ncd|", {ccRight}), "ab\ncd|");
}

TEST_F(EditorMotion, RightWithScrollPastEndStopsAtTheLengthLimit) {
  Editor.SetScrollPastEnd(true);
  Editor.SetParaLengthLimit(6);
  LoadMarkedText(Editor, "ab|\ncd");
  for (int i = 0; i < 10; ++i) Editor.ProcessCommand(ccRight, 0);
  EXPECT_EQ(Editor.CaretLine(), 1);
  EXPECT_EQ(Editor.CaretCol(), 7);
  // Extending from virtual space stores the selection end at the paragraph's end.
  Editor.ProcessCommand(ccExtendLeft, 0);
  EXPECT_EQ(Editor.CaretCol(), 6);
  EXPECT_FALSE(Editor.HasSelection());
  Editor.ProcessCommand(ccExtendHome, 0);
  EXPECT_EQ(MarkedEditorText(Editor), "[|ab]\ncd");
}

TEST_F(EditorMotion, LeftAtTheStartOfAParagraph) {
  EXPECT_EQ(Run("ab\n|cd", {ccLeft}), "ab|\ncd");
  Editor.SetWrapAtLeft(false);
  EXPECT_EQ(Run("ab\n[|c]d", {ccLeft}), "ab\n[|c]d");
  EXPECT_EQ(Run("ab\n|cd", {ccWordLeft}), "ab|\ncd");
}

TEST_F(EditorMotion, WordMotionTreatsPunctuationAsSpace) {
  EXPECT_EQ(Run("|foo, bar", {ccWordRight}), "foo, |bar");
  EXPECT_EQ(Run("|foo, bar", {ccWordRight, ccWordRight}), "foo, bar|");
  EXPECT_EQ(Run("foo, bar|", {ccWordLeft}), "foo, |bar");
  EXPECT_EQ(Run("foo, bar|", {ccWordLeft, ccWordLeft}), "|foo, bar");
  EXPECT_EQ(Run("foo, bar|\nnext", {ccWordRight}), "foo, bar\n|next");
  EXPECT_EQ(Run("|first\nx", {ccWordLeft}), "|first\nx");
  EXPECT_EQ(Run("a|b cd", {ccExtWordRight, ccExtWordRight}), "a[b cd]");
}

TEST_F(EditorMotion, ExtensionKeepsItsAnchor) {
  EXPECT_EQ(Run("ab|cdef", {ccExtendRight, ccExtendRight}), "ab[cd]ef");
  EXPECT_EQ(Run("ab|cdef", {ccExtendRight, ccExtendRight, ccExtendLeft, ccExtendLeft, ccExtendLeft}),
            "a[|b]cdef");
  EXPECT_EQ(Run("ab|cdef\nxyz", {ccExtendDown}), "ab[cdef\nxy]z");
  EXPECT_EQ(Run("ab[cd]ef", {ccRight}), "abcde|f");
  EXPECT_EQ(Run("ab|cd\nef", {ccExtLastPage}), "ab[cd\nef]");
  EXPECT_EQ(Run("ab\ncd|ef", {ccExtFirstPage}), "[|ab\ncd]ef");
  EXPECT_EQ(Run("ab|cd", {ccExtendEnd, ccExtendHome}), "[|ab]cd");
}

TEST_F(EditorMotion, LeftAndRightStepThroughAWrappedParagraph) {
  Editor.SetWordWrap(true);
  Editor.SetWrapColumn(8);
  LoadMarkedText(Editor, "aaa bbb |ccc");
  EXPECT_EQ(Editor.CaretLine(), 2);
  EXPECT_EQ(Editor.CaretCol(), 1);
  Editor.ProcessCommand(ccLeft, 0);
  EXPECT_EQ(Editor.CaretLine(), 1);
  EXPECT_EQ(Editor.CaretCol(), 8);
  EXPECT_EQ(Editor.CaretParaPos(), (TParaPos{1, 8}));
  Editor.ProcessCommand(ccRight, 0);
  Editor.ProcessCommand(ccEnd, 0);
  EXPECT_EQ(MarkedEditorText(Editor), "aaa bbb ccc|");
  Editor.ProcessCommand(ccHome, 0);
  EXPECT_EQ(MarkedEditorText(Editor), "aaa bbb |ccc");
}

TEST_F(EditorMotion, SelectionOperations) {
  LoadMarkedText(Editor, "one\ntwo\nthree");
  Editor.SetSelection(3, 99, 0, 2, true);  // clamped to the text; the caret ends at the second place
  EXPECT_EQ(MarkedEditorText(Editor), "o[|ne\ntwo\nthree]");
  Editor.SetSelection(1, 2, 2, 2, false);
  EXPECT_EQ(MarkedEditorText(Editor), "o[|ne\nt]wo\nthree");
  std::int32_t l1 = 0, c1 = 0, l2 = 0, c2 = 0;
  ASSERT_TRUE(Editor.GetSelection(l1, c1, l2, c2));
  EXPECT_EQ((std::array{l1, c1, l2, c2}), (std::array{1, 2, 2, 2}));
  Editor.CollapseSelection(true);
  EXPECT_EQ(MarkedEditorText(Editor), "one\nt|wo\nthree");
  EXPECT_FALSE(Editor.GetSelection(l1, c1, l2, c2));
  Editor.SelectAll(false);
  EXPECT_EQ(MarkedEditorText(Editor), "[|one\ntwo\nthree]");
  EXPECT_EQ(Editor.CaretLine(), 1);
  Editor.SelectAll(true);
  EXPECT_EQ(MarkedEditorText(Editor), "[one\ntwo\nthree]");
}

TEST_F(EditorMotion, SetSelectionOnAnEmptyTextDoesNothing) {
  Editor.SetSelection(1, 1, 1, 5, true);
  EXPECT_FALSE(Editor.HasSelection());
}

TEST_F(EditorMotion, PublicIndexChecks) {
  LoadMarkedText(Editor, "one\ntwo");
  EXPECT_THROW(Editor.SetCaretPosition(3, 1), EInvalidLineOrPara);
  EXPECT_THROW(Editor.SetCaretPosition(1, 0), EInvalidLineOrPara);
  EXPECT_THROW(Editor.SetTopLine(0), EInvalidLineOrPara);
  EXPECT_THROW(Editor.GetLineText(3), EInvalidLineOrPara);
  Editor.SetCaretPosition(2, 50);  // the column is clamped by the move
  EXPECT_EQ(MarkedEditorText(Editor), "one\ntwo|");
}

TEST_F(EditorMotion, WordsAndLines) {
  LoadMarkedText(Editor, "say h|ello, world");
  EXPECT_EQ(Editor.GetWordAtCaret(), "hello");
  LoadMarkedText(Editor, "say hello|, world");
  EXPECT_EQ(Editor.GetWordAtCaret(), "");
  LoadMarkedText(Editor, "say hello, world|");
  EXPECT_EQ(Editor.GetWordAtCaret(), "");
  LoadMarkedText(Editor, "|say");
  EXPECT_EQ(Editor.GetWordAtCaret(), "say");

  Editor.SetTabSize(4);
  LoadMarkedText(Editor, "a\tb\tc");
  EXPECT_EQ(Editor.GetLineText(1), "a   b   c");
  char buffer[6] = {'#', '#', '#', '#', '#', '#'};
  EXPECT_EQ(Editor.GetExpandedLine(1, buffer, 5), 5);
  EXPECT_EQ(std::string(buffer, 6), "a   b#");
}

}  // namespace
}  // namespace quilmo::test
