// The undo buffer on its own: record sizes, merging, groups, dropping and overflow.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/UndoBuffer.h"

namespace quilmo {
namespace {

std::string DataOf(const TUndoStep& step) {
  return std::string(step.Data, static_cast<std::size_t>(step.Length));
}
std::string NewDataOf(const TUndoStep& step) {
  return std::string(step.NewData, static_cast<std::size_t>(step.NewLength));
}

bool AddText(TUndoBuffer& buffer, TUndoKind kind, const std::string& text, std::int32_t pos,
             std::int32_t para = 1, bool modified = false) {
  return buffer.AddRecord(kind, modified, text.data(), static_cast<std::int32_t>(text.size()), pos, para);
}

bool AddReplace(TUndoBuffer& buffer, std::int32_t pos, const std::string& oldText, const std::string& newText,
                std::int32_t para = 1) {
  return buffer.AddReplaceRecord(false, para, pos, oldText.data(), static_cast<std::int32_t>(oldText.size()),
                                 newText.data(), static_cast<std::int32_t>(newText.size()));
}

bool AddCaret(TUndoBuffer& buffer, std::int32_t pos, std::int32_t para = 1) {
  return buffer.AddRecord(ukCaret, false, nullptr, 0, pos, para);
}

// Takes every undoable record, newest first, and hands back their positions.
std::vector<std::int32_t> UndoAllPositions(TUndoBuffer& buffer) {
  std::vector<std::int32_t> positions;
  while (buffer.UndoCount() > 0) positions.push_back(buffer.TakeUndo().Pos);
  return positions;
}

TEST(UndoBufferTest, RecordsCostTheHeaderPlusTheirData) {
  TUndoBuffer buffer(1000);
  ASSERT_EQ(buffer.Size(), 1000);
  EXPECT_EQ(buffer.Free(), 1000);

  ASSERT_TRUE(AddCaret(buffer, 3));
  EXPECT_EQ(buffer.Free(), 1000 - 14);
  ASSERT_TRUE(AddText(buffer, ukInsertText, "hello", 1, 2));
  EXPECT_EQ(buffer.Free(), 1000 - 14 - 19);
  ASSERT_TRUE(AddReplace(buffer, 1, "ab", "xyz", 3));
  EXPECT_EQ(buffer.Free(), 1000 - 14 - 19 - (16 + 5));
  ASSERT_TRUE(buffer.AddRecord(ukDeletePara, false, nullptr, 0, 1, 4, nullptr));
  EXPECT_EQ(buffer.Free(), 1000 - 14 - 19 - 21 - (14 + static_cast<int>(sizeof(TParaNode*))));
  EXPECT_EQ(buffer.UndoCount(), 4);
  EXPECT_EQ(buffer.RedoCount(), 0);
}

TEST(UndoBufferTest, StepsCarryTheRecordedFields) {
  TUndoBuffer buffer(1000);
  ASSERT_TRUE(AddText(buffer, ukDeleteText, "abc", 7, 42, true));
  // Texts may hold NUL characters; a replace record keeps both texts apart regardless.
  const std::string oldText("a\0b", 3);
  const std::string newText("\0\0", 2);
  ASSERT_TRUE(AddReplace(buffer, 5, oldText, newText, 9));

  TUndoStep replace = buffer.TakeUndo();
  EXPECT_EQ(replace.Kind, ukReplaceText);
  EXPECT_EQ(replace.Para, 9);
  EXPECT_EQ(replace.Pos, 5);
  EXPECT_FALSE(replace.Modified);
  EXPECT_EQ(DataOf(replace), oldText);
  EXPECT_EQ(NewDataOf(replace), newText);

  TUndoStep deletion = buffer.TakeUndo();
  EXPECT_EQ(deletion.Kind, ukDeleteText);
  EXPECT_EQ(deletion.Para, 42);
  EXPECT_EQ(deletion.Pos, 7);
  EXPECT_TRUE(deletion.Modified);
  EXPECT_EQ(DataOf(deletion), "abc");
  EXPECT_EQ(buffer.UndoCount(), 0);
  EXPECT_EQ(buffer.RedoCount(), 2);
  EXPECT_EQ(buffer.Free(), 1000);

  // Redo walks forward again.
  EXPECT_EQ(DataOf(buffer.TakeRedo(false)), "abc");
  EXPECT_EQ(NewDataOf(buffer.TakeRedo(false)), newText);
  EXPECT_EQ(buffer.RedoCount(), 0);
  EXPECT_EQ(buffer.UndoCount(), 2);
}

TEST(UndoBufferTest, TypingMergesIntoOneRecord) {
  TUndoBuffer buffer(1000);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(AddText(buffer, ukInsertText, std::string(1, 'a' + i), 3 + i));
  EXPECT_EQ(buffer.UndoCount(), 1);
  EXPECT_EQ(buffer.Free(), 1000 - 14 - 5);
  const TUndoStep step = buffer.PeekUndo();
  EXPECT_EQ(step.Pos, 3);
  EXPECT_EQ(DataOf(step), "abcde");

  // Not at the end of the run, another paragraph, another kind: new records.
  ASSERT_TRUE(AddText(buffer, ukInsertText, "x", 3));
  ASSERT_TRUE(AddText(buffer, ukInsertText, "y", 4, 2));
  ASSERT_TRUE(AddText(buffer, ukDeleteText, "z", 5, 2));
  EXPECT_EQ(buffer.UndoCount(), 4);
}

TEST(UndoBufferTest, ForwardDeletesAppendAndBackspacesPrepend) {
  TUndoBuffer buffer(1000);
  // Forward delete at position 2 of "abcdef" three times.
  ASSERT_TRUE(AddText(buffer, ukDeleteText, "b", 2));
  ASSERT_TRUE(AddText(buffer, ukDeleteText, "c", 2));
  ASSERT_TRUE(AddText(buffer, ukDeleteText, "d", 2));
  ASSERT_EQ(buffer.UndoCount(), 1);
  EXPECT_EQ(buffer.PeekUndo().Pos, 2);
  EXPECT_EQ(DataOf(buffer.PeekUndo()), "bcd");

  // Backspaces behind "uvw" at positions 3, 2, 1 of paragraph 2.
  ASSERT_TRUE(AddText(buffer, ukDeleteText, "w", 3, 2));
  ASSERT_TRUE(AddText(buffer, ukDeleteText, "v", 2, 2));
  ASSERT_TRUE(AddText(buffer, ukDeleteText, "u", 1, 2));
  ASSERT_EQ(buffer.UndoCount(), 2);
  EXPECT_EQ(buffer.PeekUndo().Pos, 1);
  EXPECT_EQ(DataOf(buffer.PeekUndo()), "uvw");
  EXPECT_EQ(buffer.Free(), 1000 - 2 * 14 - 6);
}

TEST(UndoBufferTest, OverwritesMergeBothTexts) {
  TUndoBuffer buffer(1000);
  ASSERT_TRUE(AddReplace(buffer, 4, "a", "X"));
  ASSERT_TRUE(AddReplace(buffer, 5, "b", "Y"));
  ASSERT_EQ(buffer.UndoCount(), 1);
  EXPECT_EQ(DataOf(buffer.PeekUndo()), "ab");
  EXPECT_EQ(NewDataOf(buffer.PeekUndo()), "XY");
  EXPECT_EQ(buffer.Free(), 1000 - 16 - 4);
}

TEST(UndoBufferTest, ReplacementsOfOtherLengthsMergeBehindTheNewText) {
  // "abcd": "ab" -> "xyz" gives "xyzcd"; the next replacement behind the new text ("c" at 4)
  // continues the run, so undoing the merged record restores "abcd" from "xyzQd".
  TUndoBuffer buffer(1000);
  ASSERT_TRUE(AddReplace(buffer, 1, "ab", "xyz"));
  ASSERT_TRUE(AddReplace(buffer, 4, "c", "Q"));
  ASSERT_EQ(buffer.UndoCount(), 1);
  EXPECT_EQ(DataOf(buffer.PeekUndo()), "abc");
  EXPECT_EQ(NewDataOf(buffer.PeekUndo()), "xyzQ");
  // Position 3 lies inside the replaced text and starts a record of its own.
  ASSERT_TRUE(AddReplace(buffer, 6, "d", "R"));
  ASSERT_TRUE(AddReplace(buffer, 6, "R", "S"));
  EXPECT_EQ(buffer.UndoCount(), 3);
}

TEST(UndoBufferTest, NoMergingInsideGroupsOrAfterEverythingWasUndone) {
  TUndoBuffer buffer(1000);
  ASSERT_TRUE(AddText(buffer, ukInsertText, "a", 1));
  const bool was = buffer.BeginGroup();
  EXPECT_FALSE(was);
  EXPECT_TRUE(buffer.InGroup());
  ASSERT_TRUE(AddText(buffer, ukInsertText, "b", 2));
  ASSERT_TRUE(AddText(buffer, ukInsertText, "c", 3));
  buffer.EndGroup(was);
  EXPECT_FALSE(buffer.InGroup());
  EXPECT_EQ(buffer.UndoCount(), 3);

  // One undo step takes the whole group.
  const std::uint8_t group = buffer.CurrentGroup();
  EXPECT_EQ(buffer.TakeUndo().Pos, 3);
  EXPECT_EQ(buffer.CurrentGroup(), group);
  EXPECT_EQ(buffer.TakeUndo().Pos, 2);
  EXPECT_NE(buffer.CurrentGroup(), group);
  EXPECT_EQ(buffer.TakeUndo().Pos, 1);

  // With nothing undoable, typing at the old run's end starts a new record and drops redo.
  ASSERT_EQ(buffer.RedoCount(), 3);
  ASSERT_TRUE(AddText(buffer, ukInsertText, "z", 2));
  EXPECT_EQ(buffer.UndoCount(), 1);
  EXPECT_EQ(buffer.RedoCount(), 0);
  EXPECT_EQ(DataOf(buffer.PeekUndo()), "z");
}

TEST(UndoBufferTest, NestedGroupsShareOneNumber) {
  TUndoBuffer buffer(1000);
  const bool outer = buffer.BeginGroup();
  ASSERT_TRUE(AddCaret(buffer, 1));
  const bool inner = buffer.BeginGroup();
  EXPECT_TRUE(inner);
  ASSERT_TRUE(AddCaret(buffer, 2));
  buffer.EndGroup(inner);
  EXPECT_TRUE(buffer.InGroup());
  ASSERT_TRUE(AddCaret(buffer, 3));
  buffer.EndGroup(outer);
  const std::uint8_t group = buffer.CurrentGroup();
  std::vector<std::uint8_t> groups;
  while (buffer.UndoCount() > 0) groups.push_back(buffer.TakeUndo().Group);
  EXPECT_EQ(groups, std::vector<std::uint8_t>(3, group));
}

TEST(UndoBufferTest, MergingDiscardsRedoableRecords) {
  TUndoBuffer buffer(1000);
  ASSERT_TRUE(AddText(buffer, ukInsertText, "ab", 1));
  ASSERT_TRUE(AddCaret(buffer, 9));
  buffer.TakeUndo();
  ASSERT_EQ(buffer.RedoCount(), 1);
  ASSERT_TRUE(AddText(buffer, ukInsertText, "c", 3));
  EXPECT_EQ(buffer.UndoCount(), 1);
  EXPECT_EQ(buffer.RedoCount(), 0);
  EXPECT_EQ(DataOf(buffer.PeekUndo()), "abc");
}

TEST(UndoBufferTest, NewRecordOverwritesRedoableRecords) {
  TUndoBuffer buffer(1000);
  ASSERT_TRUE(AddText(buffer, ukInsertText, "one", 1, 1));
  ASSERT_TRUE(AddText(buffer, ukInsertText, "two", 1, 2));
  ASSERT_TRUE(AddText(buffer, ukInsertText, "three", 1, 3));
  buffer.TakeUndo();
  buffer.TakeUndo();
  EXPECT_EQ(buffer.Free(), 1000 - 17);
  ASSERT_TRUE(AddText(buffer, ukDeleteText, "x", 1, 5));
  EXPECT_EQ(buffer.UndoCount(), 2);
  EXPECT_EQ(buffer.RedoCount(), 0);
  EXPECT_EQ(buffer.Free(), 1000 - 17 - 15);
  EXPECT_EQ(DataOf(buffer.TakeUndo()), "x");
  EXPECT_EQ(DataOf(buffer.TakeUndo()), "one");
}

TEST(UndoBufferTest, FullBufferDropsWholeOldestGroups) {
  // 320 bytes: groups of two caret records (28 bytes each) fill it after 11 groups.
  TUndoBuffer buffer(320);
  for (int g = 0; g < 11; ++g) {
    const bool was = buffer.BeginGroup();
    ASSERT_TRUE(AddCaret(buffer, 2 * g + 1));
    ASSERT_TRUE(AddCaret(buffer, 2 * g + 2));
    buffer.EndGroup(was);
  }
  ASSERT_EQ(buffer.UndoCount(), 22);
  ASSERT_EQ(buffer.Free(), 320 - 22 * 14);  // 12 bytes left

  // A 14-byte record needs max(320 div 16, 14) = 20 free bytes: one whole group goes.
  ASSERT_TRUE(AddCaret(buffer, 100));
  EXPECT_EQ(buffer.UndoCount(), 21);
  EXPECT_EQ(buffer.Free(), 320 - 21 * 14);

  std::vector<std::int32_t> expected{100};
  for (int pos = 22; pos >= 3; --pos) expected.push_back(pos);
  EXPECT_EQ(UndoAllPositions(buffer), expected);
  EXPECT_EQ(buffer.Free(), 320);
}

TEST(UndoBufferTest, DroppingKeepsAtLeastASixteenthFree) {
  // Records of 64 bytes in a 1024-byte block; a 20-byte record when 0 bytes are free must
  // free max(64, 20) bytes, i.e. one record here.
  TUndoBuffer buffer(1024);
  const std::string text(50, 't');
  for (int i = 0; i < 16; ++i) ASSERT_TRUE(AddText(buffer, ukInsertText, text, 1, i + 1));
  ASSERT_EQ(buffer.Free(), 0);
  ASSERT_TRUE(AddText(buffer, ukInsertText, "123456", 1, 99));
  EXPECT_EQ(buffer.UndoCount(), 16);
  EXPECT_EQ(buffer.Free(), 64 - 20);
  EXPECT_EQ(DataOf(buffer.TakeUndo()), "123456");
  // The oldest remaining record is now paragraph 2's, at the block start.
  TUndoStep last;
  while (buffer.UndoCount() > 0) last = buffer.TakeUndo();
  EXPECT_EQ(last.Para, 2);
}

TEST(UndoBufferTest, RecordLargerThanTheCeilingEmptiesIt) {
  TUndoBuffer buffer(8192);
  buffer.SetCeiling(8192);
  ASSERT_TRUE(AddText(buffer, ukInsertText, "abc", 1));
  ASSERT_TRUE(AddCaret(buffer, 5));
  buffer.TakeUndo();
  EXPECT_FALSE(AddText(buffer, ukDeleteText, std::string(9000, 'x'), 1, 2));
  EXPECT_EQ(buffer.UndoCount(), 0);
  EXPECT_EQ(buffer.RedoCount(), 0);
  EXPECT_EQ(buffer.Free(), 8192);
  // The buffer works on afterwards.
  EXPECT_TRUE(AddText(buffer, ukInsertText, "d", 1));
  EXPECT_EQ(buffer.UndoCount(), 1);
}

TEST(UndoBufferTest, MergeBeyondTheCeilingEmptiesTheBuffer) {
  TUndoBuffer buffer(256);
  buffer.SetCeiling(256);
  ASSERT_TRUE(AddText(buffer, ukInsertText, "ab", 1));
  EXPECT_FALSE(AddText(buffer, ukInsertText, std::string(300, 'c'), 3));
  EXPECT_EQ(buffer.UndoCount(), 0);
  EXPECT_EQ(buffer.Free(), 256);
}

TEST(UndoBufferTest, MergeBeyondTheCeilingStartsANewRecord) {
  // A run of 200 characters leaves 42 bytes; 60 more would take the run beyond the ceiling,
  // so the 60 characters are recorded alone (dropping the run) and undo removes just those.
  TUndoBuffer buffer(256);
  buffer.SetCeiling(256);
  ASSERT_TRUE(AddText(buffer, ukInsertText, std::string(200, 'a'), 1));
  ASSERT_TRUE(AddText(buffer, ukInsertText, std::string(60, 'b'), 201));
  ASSERT_EQ(buffer.UndoCount(), 1);
  const TUndoStep step = buffer.PeekUndo();
  EXPECT_EQ(step.Pos, 201);
  EXPECT_EQ(DataOf(step), std::string(60, 'b'));
  EXPECT_EQ(buffer.Free(), 256 - 74);

  // The same for a backspace run: the new record sits at the new characters' position.
  TUndoBuffer backspaces(256);
  backspaces.SetCeiling(256);
  ASSERT_TRUE(AddText(backspaces, ukDeleteText, std::string(200, 'a'), 101));
  ASSERT_TRUE(AddText(backspaces, ukDeleteText, std::string(60, 'b'), 41));
  ASSERT_EQ(backspaces.UndoCount(), 1);
  EXPECT_EQ(backspaces.PeekUndo().Pos, 41);
  EXPECT_EQ(DataOf(backspaces.PeekUndo()), std::string(60, 'b'));

  // Below the ceiling the block grows and the run stays one record.
  TUndoBuffer growing(256);
  ASSERT_TRUE(AddText(growing, ukInsertText, std::string(200, 'a'), 1));
  ASSERT_TRUE(AddText(growing, ukInsertText, std::string(60, 'b'), 201));
  ASSERT_EQ(growing.UndoCount(), 1);
  EXPECT_EQ(DataOf(growing.PeekUndo()), std::string(200, 'a') + std::string(60, 'b'));
}

TEST(UndoBufferTest, OverflowInsideAGroupRefusesTheRestOfTheGroup) {
  TUndoBuffer buffer(200);
  buffer.SetCeiling(200);
  ASSERT_TRUE(AddText(buffer, ukInsertText, "before", 1, 1));
  const bool was = buffer.BeginGroup();
  int stored = 0;
  for (int i = 0; i < 20; ++i)
    stored += AddText(buffer, ukInsertText, std::string(10, 'x'), 1, i + 2) ? 1 : 0;
  // Records of 24 bytes: the eighth drops the older record, the ninth would need the group's own
  // records, so the block is emptied and the group's changes cannot be undone.
  EXPECT_EQ(stored, 8);
  EXPECT_EQ(buffer.UndoCount(), 0);
  EXPECT_FALSE(AddCaret(buffer, 1));
  const bool inner = buffer.BeginGroup();
  EXPECT_FALSE(AddCaret(buffer, 1));
  buffer.EndGroup(inner);
  EXPECT_FALSE(AddCaret(buffer, 1));  // still inside the outer group
  buffer.EndGroup(was);
  EXPECT_EQ(buffer.UndoCount(), 0);
  EXPECT_EQ(buffer.Free(), 200);

  EXPECT_TRUE(AddCaret(buffer, 7));
  EXPECT_EQ(buffer.UndoCount(), 1);
}

TEST(UndoBufferTest, GroupThatFitsAfterDroppingOlderGroupsIsKeptWhole) {
  TUndoBuffer buffer(200);
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(AddText(buffer, ukInsertText, std::string(10, 'o'), 1, i + 1));
  const bool was = buffer.BeginGroup();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(AddText(buffer, ukInsertText, std::string(10, 'g'), 1, i + 10));
  buffer.EndGroup(was);
  const std::uint8_t group = buffer.CurrentGroup();
  int inGroup = 0;
  while (buffer.UndoCount() > 0 && buffer.CurrentGroup() == group) {
    buffer.TakeUndo();
    ++inGroup;
  }
  EXPECT_EQ(inGroup, 3);
  EXPECT_GT(buffer.UndoCount(), 0);
}

TEST(UndoBufferTest, GroupCounterWrapsAndNeighboursStayApart) {
  TUndoBuffer buffer(8192);
  ASSERT_TRUE(AddCaret(buffer, 1));
  const std::uint8_t first = buffer.CurrentGroup();
  for (int i = 2; i <= 257; ++i) ASSERT_TRUE(AddCaret(buffer, i));
  // 256 groups later the number comes round again.
  EXPECT_EQ(buffer.CurrentGroup(), first);
  std::uint8_t previous = buffer.CurrentGroup();
  buffer.TakeUndo();
  for (int i = 256; i >= 1; --i) {
    EXPECT_NE(buffer.CurrentGroup(), previous);
    previous = buffer.CurrentGroup();
    EXPECT_EQ(buffer.TakeUndo().Pos, i);
  }

  // 255 empty groups between two records would bring the counter back to the first record's
  // number; the second record still gets a number of its own.
  buffer.Clear();
  ASSERT_TRUE(AddCaret(buffer, 1));
  const std::uint8_t a = buffer.CurrentGroup();
  for (int i = 0; i < 255; ++i) buffer.EndGroup(buffer.BeginGroup());
  ASSERT_TRUE(AddCaret(buffer, 2));
  EXPECT_NE(buffer.CurrentGroup(), a);
  buffer.TakeUndo();
  EXPECT_EQ(buffer.UndoCount(), 1);
  EXPECT_EQ(buffer.CurrentGroup(), a);
}

TEST(UndoBufferTest, MarkModifiedSetsTheFlagOfUndoableAndRedoableRecords) {
  TUndoBuffer buffer(1000);
  ASSERT_TRUE(AddText(buffer, ukInsertText, "a", 1, 1, false));
  ASSERT_TRUE(AddText(buffer, ukInsertText, "b", 1, 2, false));
  ASSERT_TRUE(AddText(buffer, ukInsertText, "c", 1, 3, true));
  buffer.TakeUndo();
  buffer.MarkModified();
  ASSERT_TRUE(AddText(buffer, ukInsertText, "d", 1, 4, false));  // after the save point: not marked
  buffer.TakeUndo();
  EXPECT_TRUE(buffer.TakeUndo().Modified);
  EXPECT_TRUE(buffer.TakeUndo().Modified);

  // Redo stores the list's flag in each record it takes.
  EXPECT_FALSE(buffer.TakeRedo(false).Modified);
  EXPECT_TRUE(buffer.TakeRedo(true).Modified);
  EXPECT_FALSE(buffer.PeekRedo().Modified);
  buffer.TakeUndo();
  buffer.TakeUndo();
  buffer.MarkModified();
  EXPECT_TRUE(buffer.PeekRedo().Modified);
}

TEST(UndoBufferTest, RecordsLongerThan32767BytesStillChain) {
  TUndoBuffer buffer(65535);
  ASSERT_EQ(buffer.Size(), 65535);
  ASSERT_TRUE(AddText(buffer, ukDeleteText, std::string(40000, 'x'), 1, 1));
  ASSERT_TRUE(AddCaret(buffer, 5, 2));
  ASSERT_TRUE(AddCaret(buffer, 6, 3));
  EXPECT_EQ(buffer.TakeUndo().Para, 3);
  EXPECT_EQ(buffer.TakeUndo().Para, 2);
  const TUndoStep big = buffer.TakeUndo();
  EXPECT_EQ(big.Para, 1);
  EXPECT_EQ(big.Length, 40000);
  EXPECT_EQ(buffer.TakeRedo(false).Length, 40000);
  EXPECT_EQ(buffer.TakeRedo(false).Para, 2);
  EXPECT_EQ(buffer.TakeRedo(false).Para, 3);
  EXPECT_EQ(buffer.TakeUndo().Para, 3);
}

TEST(UndoBufferTest, TakingFromAnEmptySideChangesNothing) {
  TUndoBuffer buffer(100);
  EXPECT_EQ(buffer.TakeUndo().Kind, ukCaret);
  EXPECT_EQ(buffer.TakeRedo(true).Kind, ukCaret);
  EXPECT_EQ(buffer.UndoCount(), 0);
  EXPECT_EQ(buffer.RedoCount(), 0);
  EXPECT_EQ(buffer.Free(), 100);
}

char* FailAbove4096(std::size_t size) {
  return size > 4096 ? nullptr : new char[size];
}
char* AlwaysFail(std::size_t) {
  return nullptr;
}

TEST(UndoBufferTest, AllocationHalvesUntilItSucceeds) {
  EXPECT_EQ(TUndoBuffer(65535, FailAbove4096).Size(), 4096);
  EXPECT_EQ(TUndoBuffer(8192, FailAbove4096).Size(), 4096);
  EXPECT_EQ(TUndoBuffer(5000, FailAbove4096).Size(), 2500);

  TUndoBuffer none(8192, AlwaysFail);
  EXPECT_EQ(none.Size(), 0);
  EXPECT_FALSE(AddCaret(none, 1));
  EXPECT_FALSE(AddText(none, ukInsertText, "a", 1));
  EXPECT_EQ(none.UndoCount(), 0);
  none.MarkModified();
  none.Clear();
}

}  // namespace
}  // namespace quilmo
