// Inserting text (InsertString, paste), cutting, undo and redo through the control, and the
// change notifications of the editing commands.

#include <algorithm>
#include <string>

#include "EditingTestFixture.h"
#include "engine/EditorErrors.h"

namespace quilmo::test {
namespace {

using InsertString = EditingTest;
using ClipboardEdit = EditingTest;
using UndoRedo = EditingTest;

// Paragraphs of `text` split at CR LF, as the control shows them (joined by '\n').
std::string AsParagraphs(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') continue;
    out.push_back(text[i]);
  }
  return out;
}

TEST_F(InsertString, InsertsLinesAtTheCaretAsOneUndoStep) {
  LoadMarkedText(Editor, "a|b");
  EXPECT_EQ(Editor.InsertString("xy\r\nz"), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "axy\nz|b");
  EXPECT_EQ(Changes, 0);  // called directly: no notification
  EXPECT_EQ(Undone(), "a|b");
  EXPECT_FALSE(Editor.CanUndo());
  EXPECT_FALSE(Editor.Modified());
}

TEST_F(InsertString, CrLfAndLfGiveTheSameParagraphs) {
  LoadMarkedText(Editor, "<|>");
  Editor.InsertString("one  \r\ntwo\r\n\r\nthree");
  const std::string withCrLf = MarkedEditorText(Editor);
  LoadMarkedText(Editor, "<|>");
  Editor.InsertString("one  \ntwo\n\nthree");
  EXPECT_EQ(MarkedEditorText(Editor), withCrLf);
  // The blanks in front of a line break go; no CR reaches the text.
  EXPECT_EQ(withCrLf, "<one\ntwo\n\nthree|>");
}

TEST_F(InsertString, ReplacesTheSelection) {
  LoadMarkedText(Editor, "a[bc]d");
  Editor.InsertString("XY");
  EXPECT_EQ(MarkedEditorText(Editor), "aXY|d");
  EXPECT_EQ(Undone(), "a|bcd");
  EXPECT_FALSE(Editor.CanUndo());
  // An empty text only deletes the selection.
  LoadMarkedText(Editor, "a[b\nc]d");
  EXPECT_EQ(Editor.InsertString(""), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "a|d");
  // Without a selection an empty text does nothing.
  LoadMarkedText(Editor, "a|d");
  Editor.InsertString("");
  EXPECT_FALSE(Editor.Modified());
}

TEST_F(InsertString, ReadOnlyInsertsNothing) {
  Editor.SetReadOnly(true);
  LoadMarkedText(Editor, "a[b]c");
  EXPECT_EQ(Editor.InsertString("xyz"), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "a[b]c");
  EXPECT_FALSE(Editor.Modified());
}

TEST_F(InsertString, ReturnsTheCodeInsteadOfReportingIt) {
  Editor.SetParaLengthLimit(5);
  CatchErrors();
  LoadMarkedText(Editor, "ab|");
  EXPECT_EQ(Editor.InsertString("cdef"), ErrParaTooLong);
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(MarkedEditorText(Editor), "ab|");
}

// A text longer than two chunks: lines of 99 characters, one short line placed so that a
// CR LF straddles the first chunk boundary (CR at index 61439, so that the first chunk ends
// at 61441), a run of 5000 line feeds (more than a chunk may be extended by) right behind the
// second chunk, and more lines.
std::string LongText() {
  std::string text;
  const std::string line = std::string(99, 'x') + "\r\n";
  for (int i = 0; i < 608; ++i) text += line;
  text += std::string(31, 'y') + "\r\n";
  const std::string zLine = std::string(99, 'z') + "\r\n";
  while (text.size() + zLine.size() <= 61441 + 61440) text += zLine;
  text += std::string(61441 + 61440 - text.size(), 'z');
  text += std::string(5000, '\n');
  for (int i = 0; i < 600; ++i) text += std::to_string(i) + " abc\r\n";
  text += "end";
  return text;
}

TEST_F(InsertString, LongTextsGoInChunksWithTheSameResult) {
  const std::string text = LongText();
  ASSERT_EQ(text.substr(61439, 2), "\r\n");
  ASSERT_EQ(text.substr(122880, 2), "z\n");
  ASSERT_GT(text.size(), 2u * 61440u);
  LoadMarkedText(Editor, "<|>");
  EXPECT_EQ(Editor.InsertString(text), 0);
  EXPECT_EQ(PlainEditorText(Editor), "<" + AsParagraphs(text) + ">");
  const std::string paragraphs = AsParagraphs(text);
  EXPECT_EQ(Editor.ParaCount(), std::count(paragraphs.begin(), paragraphs.end(), '\n') + 1);
  // The caret is behind the inserted text.
  EXPECT_EQ(Editor.CaretParaPos(), (TParaPos{Editor.ParaCount(), 4}));
}

TEST_F(InsertString, StopsAtTheFirstChunkThatFails) {
  const std::string text = LongText();
  Editor.SetParaLimit(1000);  // reached in the second chunk
  LoadMarkedText(Editor, "|");
  EXPECT_EQ(Editor.InsertString(text), ErrTooManyParas);
  // An empty last paragraph does not count against the limit.
  EXPECT_GE(Editor.ParaCount(), 1000);
  EXPECT_LE(Editor.ParaCount(), 1001);
  // What was inserted is the start of the text, and the caret stands behind it.
  const std::string inserted = PlainEditorText(Editor);
  EXPECT_EQ(AsParagraphs(text).compare(0, inserted.size(), inserted), 0);
  EXPECT_EQ(Editor.CaretParaPos(),
            (TParaPos{Editor.ParaCount(), Editor.ParaList().ParaLength(Editor.ParaCount()) + 1}));
}

TEST_F(InsertString, AParagraphTooLongFails) {
  LoadMarkedText(Editor, "a|b");
  EXPECT_EQ(Editor.InsertString(std::string(70000, 'q')), ErrParaTooLong);
  EXPECT_EQ(MarkedEditorText(Editor), "a|b");
}

// ---------------------------------------------------------------- paste and cut

TEST_F(ClipboardEdit, PasteInsertsTheClipboardText) {
  Host.Clipboard = "x\r\ny";
  EXPECT_EQ(Run("a[b]c", {ccPaste}), "ax\ny|c");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Undone(), "a|bc");
  EXPECT_FALSE(Editor.CanUndo());
  // Plain text ends at its first NUL.
  Host.Clipboard = std::string("pq\0rs", 5);
  EXPECT_EQ(Run("|", {ccPaste}), "pq|");
  // No text on the clipboard: nothing happens.
  Host.Clipboard.reset();
  EXPECT_EQ(Run("a|b", {ccPaste}), "a|b");
  EXPECT_FALSE(Editor.Modified());
}

TEST_F(ClipboardEdit, APasteThatFailsIsReported) {
  Editor.SetParaLengthLimit(4);
  Host.Clipboard = "xyz";
  LoadMarkedText(Editor, "ab|");
  try {
    Editor.ProcessCommand(ccPaste, 0);
    ADD_FAILURE() << "no error raised";
  } catch (const EEditorError& e) {
    EXPECT_EQ(e.ErrorCode, ErrParaTooLong);
  }
  EXPECT_EQ(MarkedEditorText(Editor), "ab|");
}

TEST_F(ClipboardEdit, CutCopiesThenDeletes) {
  EXPECT_EQ(Run("a[b\nc]d", {ccCut}), "a|d");
  EXPECT_EQ(Host.Clipboard, "b\r\nc");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Undone(), "a|b\ncd");
  EXPECT_FALSE(Editor.CanUndo());
}

TEST_F(ClipboardEdit, ReadOnlyNeitherPastesNorCuts) {
  Editor.SetReadOnly(true);
  Host.Clipboard = "x";
  EXPECT_EQ(Run("a[b]c", {ccPaste}), "a[b]c");
  EXPECT_EQ(Run("a[b]c", {ccCut}), "a[b]c");
  EXPECT_EQ(Host.Clipboard, "x");
  EXPECT_FALSE(Editor.Modified());
}

// ---------------------------------------------------------------- undo and redo

TEST_F(UndoRedo, NothingToUndoOrRedoBeeps) {
  EXPECT_EQ(Run("a|b", {ccUndo}), "a|b");
  EXPECT_EQ(Host.BeepCount, 1);
  EXPECT_EQ(Changes, 1);
  Do({ccRedo});
  EXPECT_EQ(Host.BeepCount, 2);
}

TEST_F(UndoRedo, RedoPutsTheCaretWhereTheChangeLeavesIt) {
  EXPECT_EQ(Run("ab|c", {'x', 'y'}), "abxy|c");
  EXPECT_EQ(Undone(), "ab|c");
  EXPECT_TRUE(Editor.CanRedo());
  EXPECT_EQ(Redone(), "abxy|c");
  EXPECT_TRUE(Editor.Modified());
  EXPECT_FALSE(Editor.CanRedo());

  // Deletions: the caret stays where they happened.
  EXPECT_EQ(Run("a|bcd", {ccDel, ccDel}), "a|d");
  EXPECT_EQ(Undone(), "a|bcd");
  EXPECT_EQ(Redone(), "a|d");

  // A new line: on the new paragraph behind its indentation.
  Editor.SetAutoIndent(true);
  EXPECT_EQ(Run("  ab|c", {ccNewLine}), "  ab\n  |c");
  EXPECT_EQ(Undone(), "  ab|c");
  EXPECT_EQ(Redone(), "  ab\n  |c");
}

TEST_F(UndoRedo, UndoCollapsesTheSelectionAndANewEditDropsTheRedo) {
  LoadMarkedText(Editor, "ab|c");
  Type("x");
  Editor.SelectAll(true);
  EXPECT_EQ(Undone(), "ab|c");
  EXPECT_FALSE(Editor.HasSelection());
  Type("y");
  EXPECT_FALSE(Editor.CanRedo());
  EXPECT_EQ(Redone(), "aby|c");
  EXPECT_EQ(Host.BeepCount, 1);
}

TEST_F(UndoRedo, ReadOnlyNeitherUndoesNorRedoes) {
  LoadMarkedText(Editor, "ab|c");
  Type("x");
  Editor.SetReadOnly(true);
  EXPECT_FALSE(Editor.CanUndo());
  EXPECT_EQ(Undone(), "abx|c");
  EXPECT_EQ(Host.BeepCount, 1);
  Editor.SetReadOnly(false);
  EXPECT_TRUE(Editor.CanUndo());
  EXPECT_EQ(Undone(), "ab|c");
  Editor.SetReadOnly(true);
  EXPECT_FALSE(Editor.CanRedo());
  EXPECT_EQ(Redone(), "ab|c");
  EXPECT_EQ(Host.BeepCount, 2);
}

TEST_F(UndoRedo, ClearUndoForgetsTheHistory) {
  LoadMarkedText(Editor, "ab|c");
  Type("x");
  Editor.ClearUndo();
  EXPECT_FALSE(Editor.CanUndo());
  EXPECT_EQ(Undone(), "abx|c");
}

// ---------------------------------------------------------------- notifications

TEST_F(EditingTest, TheEditingCommandsReportAChangeEvenWhenNothingChanged) {
  Editor.SetReadOnly(true);
  Host.Clipboard = "x";
  Run("a[b]c",
      {ccBack, ccCut, ccDel, ccDelBol, ccDelEol, ccDelLine, ccDelWord, ccPaste, ccRedo, ccTab, ccUndo, 'q'});
  EXPECT_EQ(Changes, 12);
  EXPECT_FALSE(Editor.Modified());
  // Motion, new line without a change and insert-mode toggling report nothing.
  Run("a|bc\nd", {ccRight, ccLeft, ccNewLine, ccIns, ccIns});
  EXPECT_EQ(Changes, 0);
}

}  // namespace
}  // namespace quilmo::test
