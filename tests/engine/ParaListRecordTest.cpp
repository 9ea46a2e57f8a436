// The undo records the primitives write, their groups, and paragraphs owned by records.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ParaList.h"
#include "engine/UndoBuffer.h"
#include "support/DocBuilder.h"

namespace quilmo {
namespace {

using test::MakeParaList;
using test::ParaListText;
using TRecords = std::vector<std::string>;

std::string Describe(const TUndoStep& step) {
  static const char* const kNames[] = {"Caret",      "InsertText", "InsertParaBefore", "InsertParaAfter",
                                       "DeleteText", "DeletePara", "ReplaceText"};
  std::string text =
      std::string(kNames[step.Kind]) + ' ' + std::to_string(step.Para) + ' ' + std::to_string(step.Pos);
  if (step.Kind == ukInsertText || step.Kind == ukDeleteText || step.Kind == ukReplaceText) {
    text += ' ' + std::string(step.Data, static_cast<std::size_t>(step.Length));
  }
  if (step.Kind == ukReplaceText)
    text += '>' + std::string(step.NewData, static_cast<std::size_t>(step.NewLength));
  return text;
}

// The records of the newest group, newest first. They are taken out of the buffer and put
// back, so that the paragraphs they refer to stay owned by the list.
TRecords NewestGroup(TParaList& list) {
  TUndoBuffer& buffer = list.UndoBuffer();
  TRecords records;
  if (buffer.UndoCount() == 0) return records;
  const std::uint8_t group = buffer.CurrentGroup();
  do {
    records.push_back(Describe(buffer.TakeUndo()));
  } while (buffer.UndoCount() > 0 && buffer.CurrentGroup() == group);
  for (std::size_t i = 0; i < records.size(); ++i) buffer.TakeRedo(list.Modified());
  return records;
}

TEST(ParaListRecordTest, CharacterEdits) {
  auto list = MakeParaList("abcdef");
  ASSERT_EQ(list->InsertText(1, 3, "XY", 2), 0);
  EXPECT_EQ(NewestGroup(*list), TRecords{"InsertText 1 3 XY"});
  ASSERT_EQ(list->DeleteText(1, 2, 3), 0);
  EXPECT_EQ(NewestGroup(*list), TRecords{"DeleteText 1 2 bXY"});
  ASSERT_EQ(list->ReplaceText(1, 2, 2, "123", 3), 0);
  EXPECT_EQ(NewestGroup(*list), TRecords{"ReplaceText 1 2 cd>123"});
  EXPECT_EQ(ParaListText(*list), "a123ef");
}

TEST(ParaListRecordTest, InsertionBehindTheEndRecordsTheBlanks) {
  auto list = MakeParaList("abc");
  ASSERT_EQ(list->InsertText(1, 10, "x", 1), 0);
  EXPECT_EQ(NewestGroup(*list), TRecords{"InsertText 1 4       x"});
  ASSERT_EQ(list->ReplaceText(1, 13, 0, "y", 1), 0);
  EXPECT_EQ(NewestGroup(*list), TRecords{"ReplaceText 1 11 >  y"});
}

TEST(ParaListRecordTest, ParagraphRecordsReferToTheNode) {
  auto list = MakeParaList("a\nb");
  ASSERT_EQ(list->InsertParaBefore(2, "new", 3), 0);
  TUndoStep step = list->UndoBuffer().PeekUndo();
  EXPECT_EQ(step.Kind, ukInsertParaBefore);
  EXPECT_EQ(step.Para, 2);
  EXPECT_EQ(step.Node, list->GetPara(2));
  ASSERT_EQ(list->InsertParaAfter(3, "end", 3), 0);
  step = list->UndoBuffer().PeekUndo();
  EXPECT_EQ(step.Kind, ukInsertParaAfter);
  EXPECT_EQ(step.Para, 3);
  EXPECT_EQ(step.Node, list->GetPara(4));
  // A deleted paragraph now belongs to its record (the buffer frees it).
  TParaNode* removed = list->GetPara(2);
  list->DeletePara(2);
  step = list->UndoBuffer().PeekUndo();
  EXPECT_EQ(step.Kind, ukDeletePara);
  EXPECT_EQ(step.Node, removed);
  EXPECT_EQ(std::string(removed->Text()), "new");
  EXPECT_EQ(removed->Next(), nullptr);
  EXPECT_EQ(ParaListText(*list), "a\nb\nend");
}

TEST(ParaListRecordTest, SplitIsOneGroup) {
  auto list = MakeParaList("ab  cd");
  ASSERT_EQ(list->SplitPara(1, 5, true, 2, 0), 0);
  EXPECT_EQ(ParaListText(*list), "ab\n  cd");
  EXPECT_EQ(NewestGroup(*list), (TRecords{"Caret 2 3", "InsertText 2 1   ", "DeleteText 1 3   cd",
                                          "InsertParaAfter 1 1", "Caret 1 5"}));
  EXPECT_EQ(list->UndoCount(), 5);
}

TEST(ParaListRecordTest, JoinIsOneGroup) {
  auto list = MakeParaList("abc\ndef");
  ASSERT_EQ(list->MergeParas(1, 4), 0);
  EXPECT_EQ(NewestGroup(*list), (TRecords{"Caret 1 4", "DeletePara 2 1", "InsertText 1 4 def"}));
  // A refused join records nothing.
  auto full = MakeParaList("abc\ndef");
  full->SetParaLengthLimit(4);
  EXPECT_NE(full->MergeParas(1, 4), 0);
  EXPECT_EQ(full->UndoCount(), 0);
}

TEST(ParaListRecordTest, RecordsCarryTheFlagFromBeforeTheChange) {
  auto list = MakeParaList("abc");
  ASSERT_EQ(list->InsertText(1, 1, "x", 1), 0);
  EXPECT_FALSE(list->UndoBuffer().PeekUndo().Modified);
  ASSERT_EQ(list->DeleteText(1, 3, 1), 0);
  EXPECT_TRUE(list->UndoBuffer().PeekUndo().Modified);
  // A save point: every record is marked, so that undoing to it leaves the text modified.
  list->SetModified(false);
  EXPECT_TRUE(list->UndoBuffer().PeekUndo().Modified);
  list->UndoBuffer().TakeUndo();
  EXPECT_TRUE(list->UndoBuffer().PeekUndo().Modified);
  list->UndoBuffer().TakeRedo(false);
}

TEST(ParaListRecordTest, LoadingWritesNoRecords) {
  TParaList list;
  ASSERT_EQ(list.AppendPara("one", true), 0);
  ASSERT_EQ(list.AppendPara("two", true), 0);
  EXPECT_EQ(list.UndoCount(), 0);
}

TEST(ParaListRecordTest, ReplayRelinksTheSameParagraph) {
  auto list = MakeParaList("a\nb\nc");
  TParaNode* node = list->GetPara(2);
  list->DeletePara(2);
  std::int32_t para = 0;
  std::int32_t pos = 0;
  ASSERT_TRUE(list->Undo(para, pos));
  EXPECT_EQ(ParaListText(*list), "a\nb\nc");
  EXPECT_EQ(list->GetPara(2), node);
  // Undoing an insertion keeps the paragraph for the redo, which links it in again.
  ASSERT_EQ(list->InsertParaBefore(1, "new", 3), 0);
  TParaNode* inserted = list->GetPara(1);
  ASSERT_TRUE(list->Undo(para, pos));
  EXPECT_EQ(ParaListText(*list), "a\nb\nc");
  ASSERT_TRUE(list->Redo(para, pos));
  EXPECT_EQ(ParaListText(*list), "new\na\nb\nc");
  EXPECT_EQ(list->GetPara(1), inserted);
  EXPECT_EQ(list->ByteCount(), 12);
}

}  // namespace
}  // namespace quilmo
