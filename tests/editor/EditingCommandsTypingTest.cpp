// Typing, Delete and Backspace as before/after text, each followed by one undo.

#include "EditingTestFixture.h"
#include "engine/EditorErrors.h"

namespace quilmo::test {
namespace {

using Typing = EditingTest;
using Deleting = EditingTest;

TEST_F(Typing, InsertModeInsertsAtTheCaret) {
  EXPECT_EQ(Run("ab|c", {'x'}), "abx|c");
  EXPECT_EQ(Changes, 1);
  EXPECT_TRUE(Editor.Modified());
  EXPECT_EQ(Undone(), "ab|c");
  EXPECT_FALSE(Editor.Modified());
}

TEST_F(Typing, ARunOfTypingIsOneUndoStep) {
  LoadMarkedText(Editor, "<|>");
  EXPECT_EQ(Type("hello"), "<hello|>");
  EXPECT_EQ(Editor.ParaList().UndoCount(), 1);
  EXPECT_EQ(Undone(), "<|>");
  EXPECT_FALSE(Editor.CanUndo());
}

TEST_F(Typing, ACharacterReplacesTheSelectionInEitherMode) {
  EXPECT_EQ(Run("a[bc]d\ne", {'x'}), "ax|d\ne");
  EXPECT_EQ(Undone(), "a|bcd\ne");
  EXPECT_FALSE(Editor.CanUndo());

  Editor.SetInsertMode(false);
  EXPECT_EQ(Run("a[b\nc]d", {'x'}), "ax|d");
  EXPECT_EQ(Undone(), "a|b\ncd");
  EXPECT_FALSE(Editor.CanUndo());
}

TEST_F(Typing, OverwriteReplacesUpToTheEndThenInserts) {
  Editor.SetInsertMode(false);
  EXPECT_EQ(Run("ab|c", {'x'}), "abx|");
  EXPECT_EQ(Undone(), "ab|c");
  EXPECT_EQ(Run("abc|", {'x'}), "abcx|");
  EXPECT_EQ(Undone(), "abc|");
  // A run of overwriting is one step too.
  EXPECT_EQ(Run("|abcd", {'x', 'y', 'z'}), "xyz|d");
  EXPECT_EQ(Undone(), "|abcd");
  EXPECT_FALSE(Editor.CanUndo());
  // Crossing the end: the last character is replaced, the next one inserted (two records
  // of different kinds, so two steps).
  EXPECT_EQ(Run("a|b", {'x', 'y'}), "axy|");
  EXPECT_EQ(Undone(), "ax|");
  EXPECT_EQ(Undone(), "a|b");
  EXPECT_EQ(Undone(), "a|b");  // nothing left: beeps
  EXPECT_EQ(Host.BeepCount, 1);
}

TEST_F(Typing, TypingBehindTheEndFillsWithBlanks) {
  Editor.SetScrollPastEnd(true);
  LoadMarkedText(Editor, "abc\nd");
  Editor.MoveCaretToPara(1, 10);
  EXPECT_EQ(Do({'x'}), "abc      x|\nd");
  // The one record takes the blanks with it; the caret goes to where they started.
  EXPECT_EQ(Undone(), "abc|\nd");
  EXPECT_FALSE(Editor.CanUndo());

  Editor.SetInsertMode(false);
  Editor.MoveCaretToPara(1, 6);
  EXPECT_EQ(Do({'x'}), "abc  x|\nd");
}

TEST_F(Typing, AWrappedWordTakesTheCaretToTheNextLineAndTheViewBackToColumnOne) {
  Editor.SetWordWrap(true);
  Editor.SetWrapColumn(60);  // wider than the window (47 columns)
  LoadMarkedText(Editor, std::string(50, 'a') + " bbbbbbbb|");
  ASSERT_EQ(Editor.LineCount(), 1);
  ASSERT_GT(Editor.LeftColumn(), 0);
  Type("bb");
  EXPECT_EQ(Editor.LineCount(), 2);
  EXPECT_EQ(Editor.CaretLine(), 2);
  EXPECT_EQ(Editor.CaretCol(), 11);
  EXPECT_EQ(Editor.LeftColumn(), 0);
}

TEST_F(Typing, AFullParagraphRaisesTheLimitError) {
  Editor.SetParaLengthLimit(5);
  LoadMarkedText(Editor, "abc|de");
  try {
    Editor.ProcessCommand(ccTypeChar, 'x');
    ADD_FAILURE() << "no error raised";
  } catch (const EEditorError& e) {
    EXPECT_EQ(e.ErrorCode, ErrParaTooLong);
    EXPECT_STREQ(e.what(), "Current operation will exceed the maximum paragraph size");
  }
  EXPECT_EQ(MarkedEditorText(Editor), "abc|de");
  EXPECT_FALSE(Editor.CanUndo());

  // With a handler the code goes there and nothing is raised; overwriting still works.
  CatchErrors();
  EXPECT_EQ(Run("abcde|", {'x'}), "abcde|");
  EXPECT_EQ(Errors, std::vector<std::uint16_t>{ErrParaTooLong});
  Editor.SetInsertMode(false);
  EXPECT_EQ(Run("ab|cde", {'x'}), "abx|de");
  EXPECT_EQ(Errors.size(), 1u);
}

TEST_F(Typing, ARunContinuedAfterASaveIsUndoneBackToTheSavedText) {
  // Keys before the save, keys after it, and what each undo shows. The second run would
  // merge into the first one's record if no save lay between them.
  struct Case {
    const char* Before;
    std::initializer_list<TStep> First;
    bool Overwrite;
    std::initializer_list<TStep> Second;
    const char* Saved;
    const char* Original;
  };
  const Case cases[] = {
      {"|", {'a', 'b', 'c'}, false, {'d'}, "abc", ""},
      {"|abcdef", {ccDel, ccDel}, false, {ccDel}, "cdef", "abcdef"},
      {"abcdef|", {ccBack, ccBack}, false, {ccBack}, "abcd", "abcdef"},
      {"|abcdef", {'x', 'y'}, true, {'z'}, "xycdef", "abcdef"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Before);
    Editor.SetInsertMode(!c.Overwrite);
    Run(c.Before, c.First);
    ASSERT_EQ(PlainEditorText(Editor), c.Saved);
    Editor.SetModified(false);  // what saving does
    Do(c.Second);
    EXPECT_TRUE(Editor.Modified());
    Undone();
    EXPECT_EQ(PlainEditorText(Editor), c.Saved);
    EXPECT_FALSE(Editor.Modified());
    // Undoing past the save point modifies the text again.
    Undone();
    EXPECT_EQ(PlainEditorText(Editor), c.Original);
    EXPECT_TRUE(Editor.Modified());
  }
}

TEST_F(Typing, ReadOnlyChangesNothingButStillReportsTheChange) {
  Editor.SetReadOnly(true);
  EXPECT_EQ(Run("a[b]c", {'x'}), "a[b]c");
  EXPECT_EQ(Changes, 1);
  EXPECT_FALSE(Editor.Modified());
  EXPECT_FALSE(Editor.CanUndo());
}

// ---------------------------------------------------------------- Delete

TEST_F(Deleting, DeleteTakesTheCharacterUnderTheCaret) {
  EXPECT_EQ(Run("a|bc", {ccDel}), "a|c");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Undone(), "a|bc");
  // A run of deletes is one step.
  EXPECT_EQ(Run("|abcd", {ccDel, ccDel, ccDel}), "|d");
  EXPECT_EQ(Undone(), "|abcd");
  EXPECT_FALSE(Editor.CanUndo());
}

TEST_F(Deleting, DeleteTakesTheSelection) {
  EXPECT_EQ(Run("a[bc]d", {ccDel}), "a|d");
  EXPECT_EQ(Undone(), "a|bcd");
  EXPECT_EQ(Run("a[|b\ncd\ne]f\ng", {ccDel}), "a|f\ng");
  EXPECT_EQ(Undone(), "a|b\ncd\nef\ng");
  EXPECT_FALSE(Editor.CanUndo());
  EXPECT_EQ(Run("[ab\n]cd", {ccDel}), "|cd");
  EXPECT_EQ(Undone(), "|ab\ncd");
}

TEST_F(Deleting, DeleteAtTheEndJoinsTheNextParagraph) {
  EXPECT_EQ(Run("ab|\ncd\ne", {ccDel}), "ab|cd\ne");
  EXPECT_EQ(Undone(), "ab|\ncd\ne");
  EXPECT_FALSE(Editor.CanUndo());
  // Nothing follows the last paragraph.
  EXPECT_EQ(Run("ab\ncd|", {ccDel}), "ab\ncd|");
  EXPECT_FALSE(Editor.Modified());
  EXPECT_EQ(Changes, 1);
  // An empty paragraph simply goes.
  EXPECT_EQ(Run("|\ncd", {ccDel}), "|cd");
  EXPECT_EQ(Undone(), "|\ncd");
}

TEST_F(Deleting, DeleteBehindTheEndJoinsWithBlanksBetween) {
  Editor.SetScrollPastEnd(true);
  LoadMarkedText(Editor, "ab\ncd");
  Editor.MoveCaretToPara(1, 5);
  EXPECT_EQ(Do({ccDel}), "ab  |cd");
  EXPECT_EQ(Undone(), "ab|\ncd");
  EXPECT_FALSE(Editor.CanUndo());
}

TEST_F(Deleting, AJoinTooLongIsReportedAndChangesNothing) {
  Editor.SetParaLengthLimit(6);
  LoadMarkedText(Editor, "abcd|\nefg");
  try {
    Editor.ProcessCommand(ccDel, 0);
    ADD_FAILURE() << "no error raised";
  } catch (const EEditorError& e) {
    EXPECT_EQ(e.ErrorCode, ErrJoinTooLong);
    EXPECT_STREQ(e.what(), "Cannot join paragraphs. New paragraph size exceeds maximum paragraph size");
  }
  EXPECT_EQ(MarkedEditorText(Editor), "abcd|\nefg");
  EXPECT_FALSE(Editor.Modified());

  CatchErrors();
  EXPECT_EQ(Run("abcd\n|efg", {ccBack}), "abcd|\nefg");
  EXPECT_EQ(Errors, std::vector<std::uint16_t>{ErrJoinTooLong});
  EXPECT_FALSE(Editor.CanUndo());
  // A join that just fits.
  EXPECT_EQ(Run("abc|\nefg", {ccDel}), "abc|efg");
}

// ---------------------------------------------------------------- Backspace

TEST_F(Deleting, BackspaceTakesTheCharacterBeforeTheCaret) {
  EXPECT_EQ(Run("ab|c", {ccBack}), "a|c");
  EXPECT_EQ(Changes, 1);
  // Undo puts the caret where the record starts: in front of the restored character.
  EXPECT_EQ(Undone(), "a|bc");
  // Three backspaces are one record at the place of the last character removed.
  EXPECT_EQ(Run("abc|d", {ccBack, ccBack, ccBack}), "|d");
  EXPECT_EQ(Editor.ParaList().UndoCount(), 1);
  EXPECT_EQ(Undone(), "|abcd");
  EXPECT_EQ(Run("a[bc]d", {ccBack}), "a|d");
  EXPECT_EQ(Undone(), "a|bcd");
}

TEST_F(Deleting, BackspaceAtAParagraphStart) {
  EXPECT_EQ(Run("ab\n|cd", {ccBack}), "ab|cd");
  EXPECT_EQ(Undone(), "ab|\ncd");
  EXPECT_FALSE(Editor.CanUndo());
  // At the very start nothing happens.
  EXPECT_EQ(Run("|ab", {ccBack}), "|ab");
  EXPECT_FALSE(Editor.Modified());
  // Without WrapAtLeft the caret cannot go left, and nothing is deleted.
  Editor.SetWrapAtLeft(false);
  EXPECT_EQ(Run("ab\n|cd", {ccBack}), "ab\n|cd");
  EXPECT_FALSE(Editor.Modified());
  EXPECT_EQ(Changes, 1);
}

TEST_F(Deleting, BackspaceInAWrappedParagraph) {
  Editor.SetWordWrap(true);
  Editor.SetWrapColumn(8);
  // At column 1 of the second display line: the blank at the end of the first one goes.
  EXPECT_EQ(Run("aaa bbb |ccc", {ccBack}), "aaa bbb|ccc");
  EXPECT_EQ(Undone(), "aaa bbb| ccc");
}

TEST_F(Deleting, BackspaceBehindTheEndOnlyMoves) {
  Editor.SetScrollPastEnd(true);
  LoadMarkedText(Editor, "ab\ncd");
  Editor.MoveCaretToPara(1, 5);
  Editor.ProcessCommand(ccBack, 0);
  EXPECT_EQ(Editor.CaretParaPos(), (TParaPos{1, 4}));
  Editor.ProcessCommand(ccBack, 0);
  EXPECT_EQ(Editor.CaretParaPos(), (TParaPos{1, 3}));
  EXPECT_EQ(PlainEditorText(Editor), "ab\ncd");
  EXPECT_FALSE(Editor.Modified());
  Editor.ProcessCommand(ccBack, 0);
  EXPECT_EQ(MarkedEditorText(Editor), "a|\ncd");
}

TEST_F(Deleting, ReadOnlyBackspaceOnlyMovesAndDeleteDoesNothing) {
  Editor.SetReadOnly(true);
  EXPECT_EQ(Run("ab|c", {ccBack}), "a|bc");
  EXPECT_EQ(Run("ab\n|c", {ccBack}), "ab|\nc");
  EXPECT_EQ(Run("a[bc]d", {ccDel, ccDelBol, ccDelEol, ccDelLine, ccDelWord}), "a[bc]d");
  EXPECT_EQ(Changes, 5);
  EXPECT_FALSE(Editor.Modified());
}

}  // namespace
}  // namespace quilmo::test
