// Deleting to the line's start or end, whole lines and words; new line with its indentation.

#include "EditingTestFixture.h"
#include "engine/EditorErrors.h"

namespace quilmo::test {
namespace {

using DeleteFamily = EditingTest;
using NewLine = EditingTest;

TEST_F(DeleteFamily, DelBolDeletesFromTheLineStartToTheCaret) {
  EXPECT_EQ(Run("xy\nabc|def", {ccDelBol}), "xy\n|def");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Undone(), "xy\n|abcdef");
  EXPECT_FALSE(Editor.CanUndo());
  // At column 1 the selection is empty and the character under the caret goes.
  EXPECT_EQ(Run("|abc", {ccDelBol}), "|bc");
  EXPECT_EQ(Undone(), "|abc");
  // On an empty line it only collapses the selection.
  EXPECT_EQ(Run("a[b\n]\nc", {ccDelBol}), "ab\n|\nc");
  EXPECT_FALSE(Editor.Modified());
  // An existing selection is replaced by the one to the line start.
  EXPECT_EQ(Run("ab[c]d", {ccDelBol}), "|d");
}

TEST_F(DeleteFamily, DelEolDeletesFromTheCaretToTheLineEnd) {
  EXPECT_EQ(Run("abc|def\nxy", {ccDelEol}), "abc|\nxy");
  EXPECT_EQ(Undone(), "abc|def\nxy");
  // At the end of the line (not on a character) it only collapses the selection.
  EXPECT_EQ(Run("[abc]\nxy", {ccDelEol}), "abc|\nxy");
  EXPECT_FALSE(Editor.Modified());
}

TEST_F(DeleteFamily, DelBolAndDelEolActOnTheDisplayLine) {
  Editor.SetWordWrap(true);
  Editor.SetWrapColumn(8);
  EXPECT_EQ(Run("aaa bbb cc|c ddd", {ccDelBol}), "aaa bbb |c ddd");
  EXPECT_EQ(Undone(), "aaa bbb |ccc ddd");
  EXPECT_EQ(Run("aa|a bbb ccc ddd", {ccDelEol}), "aa|ccc ddd");
  EXPECT_EQ(Undone(), "aa|a bbb ccc ddd");
}

TEST_F(DeleteFamily, DelLineTakesTheLineWithItsBreak) {
  EXPECT_EQ(Run("ab\nc|d\nef", {ccDelLine}), "ab\n|ef");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Undone(), "ab\n|cd\nef");
  EXPECT_FALSE(Editor.CanUndo());
  EXPECT_EQ(Run("|\nab", {ccDelLine}), "|ab");
  EXPECT_EQ(Undone(), "|\nab");
  // The last line loses its characters only; an empty last line is left alone.
  EXPECT_EQ(Run("ab\nc|d", {ccDelLine}), "ab\n|");
  EXPECT_EQ(Undone(), "ab\n|cd");
  EXPECT_EQ(Run("ab\n|", {ccDelLine}), "ab\n|");
  EXPECT_EQ(Run("[ab\n]", {ccDelLine}), "ab\n|");
  EXPECT_FALSE(Editor.Modified());
  EXPECT_EQ(Run("a|b", {ccDelLine}), "|");
}

TEST_F(DeleteFamily, DelLineOnAWrappedParagraphTakesOneDisplayLine) {
  Editor.SetWordWrap(true);
  Editor.SetWrapColumn(8);
  // The paragraph's last display line reaches up to the next paragraph, whose break goes too.
  EXPECT_EQ(Run("aaa bbb c|cc ddd\nx", {ccDelLine}), "aaa bbb |x");
  EXPECT_EQ(Undone(), "aaa bbb |ccc ddd\nx");
  // Two delete-line commands are two undo steps.
  EXPECT_EQ(Run("a|b\ncd\nef", {ccDelLine, ccDelLine}), "|ef");
  EXPECT_EQ(Undone(), "|cd\nef");
  EXPECT_EQ(Undone(), "|ab\ncd\nef");
}

TEST_F(DeleteFamily, DelWord) {
  // The rest of the word and the blanks behind it.
  EXPECT_EQ(Run("x f|oo  bar", {ccDelWord}), "x f|bar");
  EXPECT_EQ(Undone(), "x f|oo  bar");
  // A comma is a delimiter, not a blank: the word goes alone, then the comma alone.
  EXPECT_EQ(Run("|foo, bar", {ccDelWord}), "|, bar");
  EXPECT_EQ(Undone(), "|foo, bar");
  EXPECT_EQ(Run("foo|, bar", {ccDelWord}), "foo| bar");
  EXPECT_EQ(Undone(), "foo|, bar");
  // A run of blanks (TABs included).
  EXPECT_EQ(Run("foo| \t bar", {ccDelWord}), "foo|bar");
  // Behind the end: joins the next paragraph.
  EXPECT_EQ(Run("foo|\nbar", {ccDelWord}), "foo|bar");
  EXPECT_EQ(Undone(), "foo|\nbar");
  // A selection is deleted.
  EXPECT_EQ(Run("f[oo b]ar", {ccDelWord}), "f|ar");
  EXPECT_EQ(Undone(), "f|oo bar");
  // Two words deleted one after the other are two undo steps.
  EXPECT_EQ(Run("|one two three", {ccDelWord, ccDelWord}), "|three");
  EXPECT_EQ(Undone(), "|two three");
}

// ---------------------------------------------------------------- new line

TEST_F(NewLine, SplitsTheParagraphAndTrimsTheBlanksBeforeTheSplit) {
  EXPECT_EQ(Run("abc   |def", {ccNewLine}), "abc\n|def");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Undone(), "abc   |def");
  EXPECT_FALSE(Editor.CanUndo());
  EXPECT_EQ(Redone(), "abc\n|def");
  EXPECT_EQ(Run("abc|", {ccNewLine}), "abc\n|");
  EXPECT_EQ(Undone(), "abc|");
}

TEST_F(NewLine, AtThePositionOneInsertsAnEmptyParagraphInFront) {
  EXPECT_EQ(Run("x\n|abc", {ccNewLine}), "x\n\n|abc");
  EXPECT_EQ(Undone(), "x\n|abc");
  EXPECT_FALSE(Editor.CanUndo());
  Editor.SetAutoIndent(true);
  EXPECT_EQ(Run("|  abc", {ccNewLine}), "\n|  abc");
}

TEST_F(NewLine, ReplacesTheSelection) {
  EXPECT_EQ(Run("a[bc]d", {ccNewLine}), "a\n|d");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Undone(), "a|bcd");
  EXPECT_FALSE(Editor.CanUndo());
}

TEST_F(NewLine, AutoIndentCopiesTheLeadingBlanksBeforeTheCaret) {
  Editor.SetAutoIndent(true);
  EXPECT_EQ(Run("  ab|c", {ccNewLine}), "  ab\n  |c");
  EXPECT_EQ(Undone(), "  ab|c");
  EXPECT_FALSE(Editor.CanUndo());
  // Only the blanks before the caret count.
  EXPECT_EQ(Run(" | ab", {ccNewLine}), "\n | ab");
  EXPECT_EQ(Undone(), " | ab");
  // Without AutoIndent no indentation.
  Editor.SetAutoIndent(false);
  EXPECT_EQ(Run("  ab|c", {ccNewLine}), "  ab\n|c");
}

TEST_F(NewLine, AutoIndentWithTabs) {
  Editor.SetAutoIndent(true);
  Editor.SetTabSize(4);
  // One TAB and two blanks: width 6.
  EXPECT_EQ(Run("\t  ab|c", {ccNewLine}), "\t  ab\n\t  |c");
  EXPECT_EQ(Undone(), "\t  ab|c");
  Editor.SetTabType(TTabType::ttFixed);
  EXPECT_EQ(Run("\t  ab|c", {ccNewLine}), "\t  ab\n      |c");
  Editor.SetTabType(TTabType::ttSmart);
  EXPECT_EQ(Run(" \t|ab", {ccNewLine}), "\n    |ab");
  Editor.SetTabType(TTabType::ttReal);
  // Three blanks, two TABs and a blank reach width 9: two TABs and one blank.
  EXPECT_EQ(Run("   \t\t |ab", {ccNewLine}), "\n\t\t |ab");
}

TEST_F(NewLine, NewStyleIndentTakesTheParagraphsFirstDisplayLine) {
  Editor.SetWordWrap(true);
  Editor.SetWrapColumn(8);
  Editor.SetAutoIndent(true);
  // Display lines "  aaa " / "bbb ccc " / "ddd".
  LoadMarkedText(Editor, "  aaa bbb ccc dd|d");
  ASSERT_EQ(Editor.LineCount(), 3);
  ASSERT_EQ(Editor.CaretLine(), 3);
  // Old style: the caret's own display line, which starts with no blank.
  EXPECT_EQ(Do({ccNewLine}), "  aaa bbb ccc dd\n|d");
  Editor.SetNewStyleIndent(true);
  EXPECT_TRUE(Editor.AutoIndent());
  EXPECT_EQ(Run("  aaa bbb ccc dd|d", {ccNewLine}), "  aaa bbb ccc dd\n  |d");
  EXPECT_EQ(Undone(), "  aaa bbb ccc dd|d");
  // The caret on a middle display line: still the paragraph's first display line.
  EXPECT_EQ(Run("  aaa bbb c|cc ddd", {ccNewLine}), "  aaa bbb c\n  |cc ddd");
  EXPECT_EQ(Undone(), "  aaa bbb c|cc ddd");
}

TEST_F(NewLine, OverwriteModeOnlyMovesToTheNextParagraph) {
  Editor.SetInsertMode(false);
  EXPECT_EQ(Run("a|bc\nde", {ccNewLine}), "abc\n|de");
  EXPECT_EQ(Changes, 0);
  EXPECT_FALSE(Editor.Modified());
  // In the last paragraph: to the end of the last line.
  EXPECT_EQ(Run("de\na|bc", {ccNewLine}), "de\nabc|");
  // A selection is still deleted.
  EXPECT_EQ(Run("a[b]c\nde", {ccNewLine}), "ac\n|de");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Undone(), "a|bc\nde");
}

TEST_F(NewLine, ReadOnlyOnlyMoves) {
  Editor.SetReadOnly(true);
  EXPECT_EQ(Run("a|bc\nde", {ccNewLine}), "abc\n|de");
  EXPECT_EQ(Run("a[b]c\nde", {ccNewLine}), "abc\n|de");
  EXPECT_EQ(Changes, 0);
  EXPECT_FALSE(Editor.Modified());
}

TEST_F(NewLine, TooManyParagraphsIsReported) {
  Editor.SetParaLimit(2);
  CatchErrors();
  EXPECT_EQ(Run("ab\nc|d", {ccNewLine}), "ab\nc|d");
  EXPECT_EQ(Errors, std::vector<std::uint16_t>{ErrTooManyParas});
  EXPECT_EQ(Changes, 0);
  // The selection deleted before the failed split stays deleted; one undo restores it.
  EXPECT_EQ(Run("ab\nc[d]e", {ccNewLine}), "ab\nc|e");
  EXPECT_EQ(Errors.size(), 2u);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Undone(), "ab\nc|de");
}

}  // namespace
}  // namespace quilmo::test
