// Undo and redo through the paragraph list: what one step takes back, where the caret goes,
// the Modified flag around a save point, and the paragraphs owned by records.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/EditorErrors.h"
#include "engine/ParaList.h"
#include "engine/UndoBuffer.h"
#include "support/DocBuilder.h"
#include "support/RecordingView.h"

namespace quilmo {
namespace {

using test::MakeParaList;
using test::ParaListText;
using test::TDocOptions;

std::uint16_t Type(TParaList& list, std::int32_t para, std::int32_t pos, const std::string& text) {
  return list.InsertText(para, pos, text.data(), static_cast<std::int32_t>(text.size()));
}

// The text after one undo (redo) step, with the caret where the step puts it.
std::string Undo(TParaList& list) {
  std::int32_t para = 0;
  std::int32_t pos = 0;
  if (!list.Undo(para, pos)) return "nothing to undo";
  return ParaListText(list, {para, pos});
}

std::string Redo(TParaList& list) {
  std::int32_t para = 0;
  std::int32_t pos = 0;
  if (!list.Redo(para, pos)) return "nothing to redo";
  return ParaListText(list, {para, pos});
}

TEST(UndoReplayTest, TypedRunIsOneRecordAndOneUndo) {
  auto list = MakeParaList("xy");
  for (int i = 0; i < 5; ++i) ASSERT_EQ(Type(*list, 1, 2 + i, std::string(1, 'a' + i)), 0);
  EXPECT_EQ(ParaListText(*list), "xabcdey");
  EXPECT_EQ(list->UndoCount(), 1);

  EXPECT_EQ(Undo(*list), "x|y");
  EXPECT_EQ(list->UndoCount(), 0);
  EXPECT_EQ(list->RedoCount(), 1);
  EXPECT_EQ(Redo(*list), "xabcde|y");

  // The caret moving away and back writes nothing: typing at the run's end still merges.
  ASSERT_EQ(Type(*list, 1, 7, "f"), 0);
  EXPECT_EQ(list->UndoCount(), 1);
  // Typing elsewhere starts a new record.
  ASSERT_EQ(Type(*list, 1, 1, "z"), 0);
  EXPECT_EQ(list->UndoCount(), 2);
  EXPECT_EQ(Undo(*list), "|xabcdefy");
  EXPECT_EQ(Undo(*list), "x|y");
  EXPECT_EQ(Undo(*list), "nothing to undo");
}

TEST(UndoReplayTest, BackspacesMergeAndUndoRestoresTheirOrder) {
  auto list = MakeParaList("abcdef");
  ASSERT_EQ(list->DeleteText(1, 6, 1), 0);
  ASSERT_EQ(list->DeleteText(1, 5, 1), 0);
  ASSERT_EQ(list->DeleteText(1, 4, 1), 0);
  EXPECT_EQ(ParaListText(*list), "abc");
  ASSERT_EQ(list->UndoCount(), 1);
  const TUndoStep step = list->UndoBuffer().PeekUndo();
  EXPECT_EQ(step.Kind, ukDeleteText);
  EXPECT_EQ(step.Pos, 4);
  EXPECT_EQ(std::string(step.Data, static_cast<std::size_t>(step.Length)), "def");

  EXPECT_EQ(Undo(*list), "abc|def");
  EXPECT_EQ(Redo(*list), "abc|");
}

TEST(UndoReplayTest, ForwardDeletesAndOverwritesMergeToo) {
  auto list = MakeParaList("abcdef");
  ASSERT_EQ(list->DeleteText(1, 2, 1), 0);
  ASSERT_EQ(list->DeleteText(1, 2, 1), 0);
  ASSERT_EQ(list->ReplaceText(1, 3, 1, "X", 1), 0);
  ASSERT_EQ(list->ReplaceText(1, 4, 1, "YZ", 2), 0);
  EXPECT_EQ(ParaListText(*list), "adXYZ");
  EXPECT_EQ(list->UndoCount(), 2);
  EXPECT_EQ(Undo(*list), "ad|ef");
  EXPECT_EQ(Undo(*list), "a|bcdef");
  EXPECT_EQ(Redo(*list), "a|def");
  EXPECT_EQ(Redo(*list), "adXYZ|");
}

TEST(UndoReplayTest, InsertionBehindTheEndTakesItsBlanksAlong) {
  auto list = MakeParaList("abc");
  ASSERT_EQ(Type(*list, 1, 10, "x"), 0);
  EXPECT_EQ(ParaListText(*list), "abc      x");
  EXPECT_EQ(list->ByteCount(), 10);
  EXPECT_EQ(Undo(*list), "abc|");
  EXPECT_EQ(list->ByteCount(), 3);
  EXPECT_EQ(Redo(*list), "abc      x|");
}

TEST(UndoReplayTest, NewLineIsOneGroupUndoneInOneStep) {
  auto list = MakeParaList("first\nabc  def\nlast");
  ASSERT_EQ(list->SplitPara(2, 6, true, 2, 0), 0);
  EXPECT_EQ(ParaListText(*list), "first\nabc\n  def\nlast");
  EXPECT_EQ(list->ByteCount(), 5 + 3 + 5 + 4 + 6);
  // Caret, new paragraph, deletion of the tail and the blanks, indentation, caret.
  EXPECT_EQ(list->UndoCount(), 5);

  EXPECT_EQ(Undo(*list), "first\nabc  |def\nlast");
  EXPECT_EQ(list->ParaCount(), 3);
  EXPECT_EQ(list->ByteCount(), 5 + 8 + 4 + 4);
  EXPECT_EQ(list->UndoCount(), 0);
  EXPECT_FALSE(list->Modified());

  EXPECT_EQ(Redo(*list), "first\nabc\n  |def\nlast");
  EXPECT_TRUE(list->Modified());
}

TEST(UndoReplayTest, JoinAndRegionDeletionComeBackWhole) {
  auto list = MakeParaList("one\ntwo\nthree\nfour", TDocOptions{true, 4, 8, 8192});
  ASSERT_EQ(list->MergeParas(1, 6), 0);
  EXPECT_EQ(ParaListText(*list), "one  two\nthree\nfour");
  ASSERT_EQ(list->DeleteRegion(1, 3, 3, 3), 0);
  EXPECT_EQ(ParaListText(*list), "onur");

  EXPECT_EQ(Undo(*list), "on|e  two\nthree\nfour");
  EXPECT_EQ(Undo(*list), "one|\ntwo\nthree\nfour");
  EXPECT_EQ(list->ByteCount(), 3 + 3 + 5 + 4 + 6);
  // Wrapped at 4 columns: "three" breaks hard after four letters.
  EXPECT_EQ(test::DisplayLines(*list), "one/two/thre/e/four");
  EXPECT_EQ(list->LineCount(), 5);
  Redo(*list);
  Redo(*list);
  EXPECT_EQ(ParaListText(*list), "onur");
  EXPECT_EQ(list->ParaCount(), 1);
}

TEST(UndoReplayTest, ParagraphCaretsOfUndoAndRedo) {
  auto list = MakeParaList("a\nb");
  ASSERT_EQ(list->InsertParaBefore(2, "new", 3), 0);
  EXPECT_EQ(Undo(*list), "a\n|b");
  EXPECT_EQ(Redo(*list), "a\nnew\n|b");

  ASSERT_EQ(list->InsertParaAfter(3, "end", 3), 0);
  EXPECT_EQ(Undo(*list), "a\nnew\n|b");
  EXPECT_EQ(Redo(*list), "a\nnew\nb\n|end");

  list->DeletePara(4);
  EXPECT_EQ(ParaListText(*list), "a\nnew\nb");
  EXPECT_EQ(Undo(*list), "a\nnew\nb\n|end");
  // The deleted paragraph was the last one: the caret stays inside the text.
  EXPECT_EQ(Redo(*list), "a\nnew\n|b");

  ASSERT_EQ(list->ReplaceText(2, 2, 1, "EEE", 3), 0);
  EXPECT_EQ(Undo(*list), "a\nn|ew\nb");
  EXPECT_EQ(Redo(*list), "a\nnEEE|w\nb");
}

TEST(UndoReplayTest, DeletionLargerThanTheBufferIsUndone) {
  auto list = MakeParaList(std::string(9500, 'x'));
  ASSERT_EQ(list->UndoBufferSize(), 8192);
  ASSERT_EQ(Type(*list, 1, 1, "abc"), 0);
  ASSERT_EQ(list->DeleteText(1, 1, 9000), 0);
  EXPECT_EQ(list->ParaLength(1), 503);
  EXPECT_EQ(list->UndoCount(), 2);
  EXPECT_EQ(Undo(*list), "|abc" + std::string(9500, 'x'));
  EXPECT_EQ(Undo(*list), "|" + std::string(9500, 'x'));
}

TEST(UndoReplayTest, DeletionLargerThanTheCeilingCannotBeUndone) {
  auto list = MakeParaList(std::string(9500, 'x'));
  list->UndoBuffer().SetCeiling(8192);
  ASSERT_EQ(Type(*list, 1, 1, "abc"), 0);
  ASSERT_EQ(list->UndoCount(), 1);
  ASSERT_EQ(list->DeleteText(1, 1, 9000), 0);
  EXPECT_EQ(list->ParaLength(1), 503);
  EXPECT_EQ(list->UndoCount(), 0);
  EXPECT_EQ(Undo(*list), "nothing to undo");
  EXPECT_EQ(list->ParaLength(1), 503);
}

TEST(UndoReplayTest, SavePointDecidesTheModifiedFlag) {
  auto list = MakeParaList("text");
  test::TRecordingView view;
  list->AddView(&view);
  ASSERT_EQ(Type(*list, 1, 5, "!"), 0);
  EXPECT_TRUE(list->Modified());
  list->SetModified(false);  // saved

  // Undoing past the save point: the text differs from the file.
  Undo(*list);
  EXPECT_EQ(ParaListText(*list), "text");
  EXPECT_TRUE(list->Modified());
  Redo(*list);
  EXPECT_EQ(ParaListText(*list), "text!");
  EXPECT_TRUE(list->Modified());

  list->SetModified(false);  // saved again
  ASSERT_EQ(list->InsertParaAfter(1, "more", 4), 0);
  EXPECT_TRUE(list->Modified());
  view.Take();
  Undo(*list);
  EXPECT_FALSE(list->Modified());
  // The views hear that the flag went back.
  const std::vector<std::string> calls = view.Take();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back(), "ModifiedChanged");
  Redo(*list);
  EXPECT_TRUE(list->Modified());
  Undo(*list);
  EXPECT_FALSE(list->Modified());
  list->RemoveView(&view);
}

TEST(UndoReplayTest, SavingBetweenUndoAndRedoMovesTheSavePoint) {
  auto list = MakeParaList("text");
  ASSERT_EQ(Type(*list, 1, 5, "!"), 0);
  ASSERT_EQ(list->InsertParaAfter(1, "more", 4), 0);
  Undo(*list);
  EXPECT_TRUE(list->Modified());
  list->SetModified(false);  // saved with one paragraph
  Redo(*list);
  EXPECT_TRUE(list->Modified());
  // Back at the saved text.
  EXPECT_EQ(Undo(*list), "|text!");
  EXPECT_FALSE(list->Modified());
  Undo(*list);
  EXPECT_TRUE(list->Modified());
}

TEST(UndoReplayTest, NewEditAfterUndoDiscardsRedo) {
  auto list = MakeParaList("abc\ndef");
  ASSERT_EQ(list->DeleteText(1, 1, 2), 0);
  list->DeletePara(2);
  Undo(*list);
  Undo(*list);
  EXPECT_EQ(list->RedoCount(), 2);
  ASSERT_EQ(Type(*list, 2, 1, "x"), 0);
  EXPECT_EQ(list->RedoCount(), 0);
  EXPECT_EQ(Redo(*list), "nothing to redo");
  EXPECT_EQ(ParaListText(*list), "abc\nxdef");
}

TEST(UndoReplayTest, BufferSizeIsReplacedWithItsHistory) {
  TParaList list;
  EXPECT_EQ(list.UndoBufferSize(), 8192);
  list.SetUndoBufferSize(65535);
  EXPECT_EQ(list.UndoBufferSize(), 65535);
  ASSERT_EQ(Type(list, 1, 1, "abc"), 0);
  EXPECT_EQ(list.UndoCount(), 1);
  list.SetUndoBufferSize(100);
  EXPECT_EQ(list.UndoBufferSize(), 100);
  EXPECT_EQ(list.UndoCount(), 0);
  list.SetUndoBufferSize(0);
  ASSERT_EQ(Type(list, 1, 1, "x"), 0);
  EXPECT_EQ(list.UndoCount(), 0);
  EXPECT_EQ(ParaListText(list), "xabc");
}

TEST(UndoReplayTest, LimitsLoweredLaterDoNotStopTheReplay) {
  auto list = MakeParaList("abcdef\nghi");
  ASSERT_EQ(list->DeleteText(1, 2, 4), 0);
  list->SetByteLimit(5);
  list->SetParaLengthLimit(2);
  EXPECT_EQ(Undo(*list), "a|bcdef\nghi");
  EXPECT_EQ(list->ByteLimit(), 5);
  EXPECT_EQ(list->ParaLengthLimit(), 2);
  // Growth beyond the limits is still refused outside the replay.
  EXPECT_EQ(Type(*list, 2, 1, "x"), ErrTextTooLarge);
}

TEST(UndoReplayTest, StepsThatNoLongerFitTheTextAreDropped) {
  // AppendPara writes no records; a paragraph record that then finds another paragraph in
  // its place is not replayed, and the history is forgotten.
  auto list = MakeParaList("a\nb");
  ASSERT_EQ(list->InsertParaAfter(2, "c", 1), 0);
  ASSERT_EQ(list->AppendPara("loaded", false), 0);
  EXPECT_EQ(ParaListText(*list), "a\nb\nloaded\nc");
  EXPECT_EQ(Undo(*list), "nothing to undo");
  EXPECT_EQ(list->UndoCount(), 0);
  EXPECT_EQ(ParaListText(*list), "a\nb\nloaded\nc");
}

// Paragraphs removed from the list live in their records; the sanitizer build reports any
// that are lost or destroyed twice.
TEST(UndoReplayTest, RemovedParagraphsBelongToTheirRecords) {
  {
    auto list = MakeParaList("a\nb\nc\nd");
    list->DeletePara(2);
    list->DeletePara(2);
    Undo(*list);
    Redo(*list);
    EXPECT_EQ(Undo(*list), "a\n|c\nd");
    // One deleted paragraph is in the list again, the other one in its record.
  }
  {
    auto list = MakeParaList("a");
    ASSERT_EQ(list->InsertParaAfter(1, "b", 1), 0);
    ASSERT_EQ(list->InsertParaBefore(1, "c", 1), 0);
    Undo(*list);
    Undo(*list);
    EXPECT_EQ(ParaListText(*list), "a");
    // A new edit overwrites the redoable insertions, which own their paragraphs.
    ASSERT_EQ(Type(*list, 1, 1, "x"), 0);
    EXPECT_EQ(list->RedoCount(), 0);
  }
  {
    auto list = MakeParaList("a\nb\nc");
    list->DeletePara(1);
    list->ClearUndo();
    EXPECT_EQ(ParaListText(*list), "b\nc");
  }
  {
    // Deleting many paragraphs in a small buffer: the group overflows, and the paragraphs
    // no record could take are destroyed at once.
    std::string text = "line 0";
    for (int i = 1; i < 30; ++i) text += "\nline " + std::to_string(i);
    auto list = MakeParaList(text, TDocOptions{false, 80, 8, 200});
    list->UndoBuffer().SetCeiling(200);
    ASSERT_EQ(list->DeleteRegion(2, 1, 28, 1), 0);
    EXPECT_EQ(ParaListText(*list), "line 0\nline 27\nline 28\nline 29");
    EXPECT_EQ(list->UndoCount(), 0);
    EXPECT_EQ(Undo(*list), "nothing to undo");
    ASSERT_EQ(Type(*list, 1, 1, "x"), 0);
    EXPECT_EQ(list->UndoCount(), 1);
  }
  {
    // Dropping the oldest steps destroys the paragraphs their deletions held.
    auto list = MakeParaList("p\np\np\np\np\np\np\np\np\np\np\np\np\np\np\np\np\np\np\np",
                             TDocOptions{false, 80, 8, 256});
    for (int i = 0; i < 15; ++i) list->DeletePara(1);
    EXPECT_EQ(list->ParaCount(), 5);
    EXPECT_EQ(list->UndoCount(), 11);
    while (list->UndoCount() > 0) Undo(*list);
    EXPECT_EQ(list->ParaCount(), 16);
  }
}

}  // namespace
}  // namespace quilmo
