// The Tab command with each tab type.

#include "EditingTestFixture.h"
#include "engine/EditorErrors.h"

namespace quilmo::test {
namespace {

class Tab : public EditingTest {
 protected:
  void SetUp() override {
    EditingTest::SetUp();
    Editor.SetTabSize(4);
  }
};

TEST_F(Tab, RealTabsTypeATabCharacter) {
  EXPECT_EQ(Run("ab|c", {ccTab}), "ab\t|c");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Undone(), "ab|c");
  EXPECT_EQ(Run("a[b]c", {ccTab}), "a\t|c");
  EXPECT_EQ(Undone(), "a|bc");
  // Overwrite mode replaces the character under the caret, as typing does.
  Editor.SetInsertMode(false);
  EXPECT_EQ(Run("ab|cd", {ccTab}), "ab\t|d");
  EXPECT_EQ(Undone(), "ab|cd");
}

TEST_F(Tab, FixedTabsInsertBlanksToTheNextStop) {
  Editor.SetTabType(TTabType::ttFixed);
  EXPECT_EQ(Run("abcde|", {ccTab}), "abcde   |");
  EXPECT_EQ(Editor.CaretCol(), 9);
  EXPECT_EQ(Undone(), "abcde|");
  EXPECT_FALSE(Editor.CanUndo());
  EXPECT_EQ(Run("|x", {ccTab}), "    |x");
  EXPECT_EQ(Run("abc|x", {ccTab}), "abc |x");
  // Columns count on the screen: behind a TAB the next stop is 4 further.
  EXPECT_EQ(Run("\t|x", {ccTab}), "\t    |x");
  // Two tabs are two undo steps.
  EXPECT_EQ(Run("|x", {ccTab, ccTab}), "        |x");
  EXPECT_EQ(Undone(), "    |x");
}

TEST_F(Tab, FixedTabsOverASelectionMeasureFromItsStart) {
  Editor.SetTabType(TTabType::ttFixed);
  EXPECT_EQ(Run("ab[cd]ef", {ccTab}), "ab  |ef");
  EXPECT_EQ(Undone(), "ab|cdef");
  EXPECT_FALSE(Editor.CanUndo());
  // Overwrite mode does not take further characters after a selection.
  Editor.SetInsertMode(false);
  EXPECT_EQ(Run("[a\nbcd]efghij", {ccTab}), "    |efghij");
}

TEST_F(Tab, BlanksOverwriteAsManyCharactersInOverwriteMode) {
  Editor.SetTabType(TTabType::ttFixed);
  Editor.SetInsertMode(false);
  EXPECT_EQ(Run("|abcdef", {ccTab}), "    |ef");
  EXPECT_EQ(Undone(), "|abcdef");
  EXPECT_FALSE(Editor.CanUndo());
  // Near the end only the characters that exist go.
  EXPECT_EQ(Run("ab|c\nd", {ccTab}), "ab  |\nd");
  EXPECT_EQ(Undone(), "ab|c\nd");
  EXPECT_EQ(Run("ab|\nd", {ccTab}), "ab  |\nd");
}

TEST_F(Tab, FixedTabsBehindTheEndFillTheGap) {
  Editor.SetTabType(TTabType::ttFixed);
  Editor.SetScrollPastEnd(true);
  LoadMarkedText(Editor, "ab");
  Editor.MoveCaretToPara(1, 6);
  EXPECT_EQ(Do({ccTab}), "ab      |");  // to column 9
  EXPECT_EQ(Undone(), "ab|");
}

TEST_F(Tab, SmartTabsGoToTheNextWordOfTheLineAbove) {
  Editor.SetTabType(TTabType::ttSmart);
  EXPECT_EQ(Run("abc  defgh\n|", {ccTab}), "abc  defgh\n     |");
  EXPECT_EQ(Undone(), "abc  defgh\n|");
  // Inside the last word: to behind the end of the line above.
  EXPECT_EQ(Run("abc  defgh\n1234567|", {ccTab}), "abc  defgh\n1234567   |");
  EXPECT_EQ(Editor.CaretCol(), 11);
  // On blanks of the line above: over them only.
  EXPECT_EQ(Run("abc  defgh\n123|", {ccTab}), "abc  defgh\n123  |");
  // TABs of the line above count expanded.
  EXPECT_EQ(Run("\tab cd\n|", {ccTab}), "\tab cd\n    |");
  EXPECT_EQ(Run("\tab cd\nx|", {ccTab}), "\tab cd\nx   |");
}

TEST_F(Tab, SmartTabsWithoutAUsableReferenceActAsFixed) {
  Editor.SetTabType(TTabType::ttSmart);
  // The first paragraph has no reference.
  EXPECT_EQ(Run("ab|", {ccTab}), "ab  |");
  // The line above is too short.
  EXPECT_EQ(Run("ab\nxyz|", {ccTab}), "ab\nxyz |");
  // Behind the end of the line above.
  EXPECT_EQ(Run("abc  defgh\n123456789A|", {ccTab}), "abc  defgh\n123456789A  |");
}

TEST_F(Tab, SmartTabsTryTheLineBelowWhenTheLineAboveIsEmpty) {
  Editor.SetTabType(TTabType::ttSmart);
  EXPECT_EQ(Run("x\n\n|\nabc   def", {ccTab}), "x\n\n      |\nabc   def");
  // On the last line there is no line below.
  EXPECT_EQ(Run("x\n\n|", {ccTab}), "x\n\n    |");
}

TEST_F(Tab, ReadOnlyDoesNothing) {
  Editor.SetReadOnly(true);
  EXPECT_EQ(Run("a|b", {ccTab}), "a|b");
  EXPECT_EQ(Changes, 1);
  EXPECT_FALSE(Editor.Modified());
}

TEST_F(Tab, TabBlanksThatDoNotFitAreReported) {
  Editor.SetTabType(TTabType::ttFixed);
  Editor.SetParaLengthLimit(6);
  CatchErrors();
  EXPECT_EQ(Run("abcd|", {ccTab}), "abcd|");
  EXPECT_EQ(Errors, std::vector<std::uint16_t>{ErrParaTooLong});
  EXPECT_FALSE(Editor.Modified());
}

TEST_F(Tab, TabKeyWithWantTab) {
  Editor.SetTabType(TTabType::ttFixed);
  Editor.SetWantTab(true);
  LoadMarkedText(Editor, "a|b");
  std::uint16_t key = 9;
  Changes = 0;
  EXPECT_TRUE(Editor.KeyDown(key, 0));
  EXPECT_EQ(MarkedEditorText(Editor), "a   |b");
  EXPECT_EQ(Changes, 1);
}

}  // namespace
}  // namespace quilmo::test
