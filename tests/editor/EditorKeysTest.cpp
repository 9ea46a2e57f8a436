// Key entry: translation, Tab/Enter, suppressed characters, the system-key path; the
// command results; the queued status call; error reporting.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editor/Controller.h"
#include "editor/CustomEditor.h"
#include "editor/KeyBinding.h"
#include "engine/EditorErrors.h"
#include "support/EditorDoc.h"
#include "support/FakeHost.h"

namespace quilmo::test {
namespace {

class EditorKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    Editor.SetController(&Controller);
    Host.Attach(Editor);
    Editor.OnChange = [this](TCustomEditor&) { ++Changes; };
  }
  // One keystroke: key-down, then its character unless the key was consumed.
  bool Key(std::uint8_t vk, std::uint8_t shift = 0, unsigned char ch = 0) {
    std::uint16_t key = vk;
    const bool consumed = Editor.KeyDown(key, shift);
    if (!consumed && ch != 0) Editor.KeyPress(ch);
    return consumed;
  }
  void RemoveBinding(std::uint8_t vk, std::uint8_t shift) {
    TCommandTable& table = *Controller.EntryCommands().FindTable("Default");
    const int index = table.IndexOfKeys(Bind(vk, shift, ccNone));
    ASSERT_GE(index, 0);
    table.Delete(index);
  }

  TController Controller;
  TFakeHost Host;
  TCustomEditor Editor;
  int Changes = 0;
};

TEST_F(EditorKeys, TypingAndBoundKeys) {
  LoadMarkedText(Editor, "ab|");
  EXPECT_FALSE(Key(vkLetter('X'), sfShift, 'X'));
  EXPECT_TRUE(Key(vkLeft));
  EXPECT_TRUE(Key(vkLeft, sfShift));
  EXPECT_EQ(MarkedEditorText(Editor), "a[|b]X");
  EXPECT_EQ(Changes, 1);
  unsigned char control = 7;
  Editor.KeyPress(control);  // control characters never insert text
  EXPECT_EQ(PlainEditorText(Editor), "abX");
}

TEST_F(EditorKeys, ATwoKeySequenceTypesNeitherKey) {
  Controller.EntryCommands().FindTable("WordStar")->SetActive(true);
  LoadMarkedText(Editor, "abc|");
  EXPECT_FALSE(Key(vkLetter('Q'), sfCtrl, 17));
  EXPECT_TRUE(Editor.SuppressChar());
  EXPECT_TRUE(Key(vkLetter('S'), 0));
  unsigned char s = 's';
  Editor.KeyPress(s);  // the character of the completing key is ignored
  EXPECT_EQ(MarkedEditorText(Editor), "|abc");
  EXPECT_FALSE(Key(vkLetter('X'), 0, 'x'));  // not acted on: typing resumes
  EXPECT_EQ(MarkedEditorText(Editor), "x|abc");
  // A broken sequence types its second key.
  Key(vkLetter('Q'), sfCtrl, 17);
  EXPECT_FALSE(Key(vkLetter('Z'), 0, 'z'));
  EXPECT_EQ(PlainEditorText(Editor), "xzabc");
}

TEST_F(EditorKeys, AKeyZeroedByOnKeyDownRunsNoCommandButItsCharacterIsTyped) {
  Controller.EntryCommands().FindTable("WordStar")->SetActive(true);
  LoadMarkedText(Editor, "abc|");
  Key(vkLetter('Q'), sfCtrl, 17);
  Editor.OnKeyDown = [](TCustomEditor&, std::uint16_t& key, std::uint8_t) { key = 0; };
  EXPECT_FALSE(Key(vkLetter('S'), 0, 's'));  // breaks the sequence instead of Home
  EXPECT_EQ(MarkedEditorText(Editor), "abcs|");
  EXPECT_FALSE(Key(vkLeft));
  EXPECT_EQ(Editor.CaretCol(), 5);
}

TEST_F(EditorKeys, AnUnboundBackspaceSuppressesTheNextCharacter) {
  RemoveBinding(vkBack, 0);
  LoadMarkedText(Editor, "abc|");
  EXPECT_FALSE(Key(vkBack));
  EXPECT_TRUE(Editor.SuppressChar());
  unsigned char a = 'a';
  Editor.KeyPress(a);
  EXPECT_EQ(PlainEditorText(Editor), "abc");
}

TEST_F(EditorKeys, EnterAndTabWhenTheTablesLeaveThemUnbound) {
  LoadMarkedText(Editor, "ab|cd");
  EXPECT_TRUE(Key(vkReturn, 0, '\r'));  // Enter is not in the table: WantEnter breaks the line
  EXPECT_EQ(MarkedEditorText(Editor), "ab\n|cd");
  EXPECT_EQ(Changes, 1);
  Editor.SetWantEnter(false);
  EXPECT_FALSE(Key(vkReturn, 0, '\r'));
  EXPECT_EQ(PlainEditorText(Editor), "ab\ncd");

  RemoveBinding(vkTab, 0);
  EXPECT_FALSE(Key(vkTab, 0, '\t'));  // WantTab off
  EXPECT_EQ(PlainEditorText(Editor), "ab\ncd");
  Editor.SetWantTab(true);
  EXPECT_TRUE(Key(vkTab, 0, '\t'));
  EXPECT_EQ(MarkedEditorText(Editor), "ab\n\t|cd");
}

TEST_F(EditorKeys, OverwriteModeEnterOnlyMovesToTheNextParagraph) {
  LoadMarkedText(Editor, "ab|cd\nef");
  Key(vkInsert);
  EXPECT_FALSE(Editor.InsertMode());
  Key(vkReturn);
  EXPECT_EQ(MarkedEditorText(Editor), "abcd\n|ef");
  Key(vkReturn);
  EXPECT_EQ(MarkedEditorText(Editor), "abcd\nef|");
  Editor.ProcessCommand(ccHome, 0);
  Key(vkLetter('X'), sfShift, 'X');
  EXPECT_EQ(MarkedEditorText(Editor), "abcd\nX|f");
  EXPECT_EQ(Changes, 1);
}

TEST_F(EditorKeys, SystemKeysTranslateWithAltOnly) {
  std::vector<TEditorCommand> user;
  Editor.OnUserCommand = [&](TCustomEditor&, TEditorCommand c) { user.push_back(c); };
  Controller.EntryCommands().AddCommand("Default", Bind(vkLetter('X'), sfAlt, 300));
  LoadMarkedText(Editor, "ab|");
  std::uint16_t key = vkLetter('X');
  Editor.SysKeyDown(key, sfAlt | sfShift);
  EXPECT_EQ(user, (std::vector<TEditorCommand>{300}));
  key = vkBack;
  Editor.SysKeyDown(key, sfAlt);  // ccRestore: not acted on
  EXPECT_EQ(PlainEditorText(Editor), "ab");
  key = vkMenu;
  Editor.SysKeyDown(key, sfAlt);
  EXPECT_EQ(user.size(), 1u);
}

TEST_F(EditorKeys, CommandResults) {
  std::vector<TEditorCommand> user;
  Editor.OnUserCommand = [&](TCustomEditor&, TEditorCommand c) { user.push_back(c); };
  EXPECT_TRUE(Editor.ProcessCommand(256, 0));
  EXPECT_TRUE(Editor.ProcessCommand(4000, 0));
  EXPECT_EQ(user, (std::vector<TEditorCommand>{256, 4000}));
  for (TEditorCommand c :
       std::initializer_list<TEditorCommand>{ccNone, ccRestore, ccBotRightCell, ccPageLeft, ccNoMatch,
                                             ccSequenceBroken, ccSequencePending, TEditorCommand{250}})
    EXPECT_FALSE(Editor.ProcessCommand(c, 0)) << CommandName(c);
  EXPECT_TRUE(Editor.ProcessCommand(ccCtrlChar, 0));
  EXPECT_TRUE(Editor.ProcessCommand(ccCopy, 0));
  EXPECT_EQ(Changes, 0);
  for (TEditorCommand c :
       std::initializer_list<TEditorCommand>{ccBack, ccDel, ccDelBol, ccDelEol, ccDelLine, ccDelWord, ccPaste,
                                             ccUndo, ccRedo, ccTab, ccCut, ccTypeChar})
    Editor.ProcessCommand(c, 'a');
  EXPECT_EQ(Changes, 12);  // whether or not the text changed
  // Every other code below the user commands: the named ones are acted on but these.
  const std::set<TEditorCommand> unnamed = {ccNone,    ccBotRightCell, ccCompleteDate, ccCompleteTime,
                                            ccDec,     ccInc,          ccPageLeft,     ccPageRight,
                                            ccRestore, ccTableEdit,    ccTopLeftCell};
  for (TEditorCommand c = 0; c < ccUserFirst; ++c) {
    const bool named = c <= ccWordRight || c == ccTypeChar;
    EXPECT_EQ(Editor.ProcessCommand(c, 0), named && unnamed.count(c) == 0) << CommandName(c);
  }
}

TEST_F(EditorKeys, AReadOnlyControlChangesNothingButReportsTheChange) {
  LoadMarkedText(Editor, "ab|c");
  Editor.SetReadOnly(true);
  Editor.ProcessCommand(ccTypeChar, 'x');
  EXPECT_EQ(Changes, 1);
  Editor.ProcessCommand(ccBack, 0);
  Editor.ProcessCommand(ccDel, 0);
  EXPECT_EQ(MarkedEditorText(Editor), "a|bc");
  Key(vkReturn);  // no line break: to the end of the last line
  EXPECT_EQ(MarkedEditorText(Editor), "abc|");
  EXPECT_FALSE(Editor.CanUndo());
  Editor.ProcessCommand(ccUndo, 0);
  EXPECT_EQ(Host.BeepCount, 1);
}

TEST_F(EditorKeys, TheStatusCallIsQueuedOncePerCaretPlacement) {
  std::vector<std::pair<int, int>> shown;
  Editor.OnShowStatus = [&](TCustomEditor&, int line, int column) { shown.emplace_back(line, column); };
  LoadMarkedText(Editor, "a\tb\nxy");
  Host.DeliverPosted();
  shown.clear();
  Editor.MoveCaretTo(1, 3);
  EXPECT_TRUE(shown.empty());  // nothing until the queue is delivered
  Editor.ProcessCommand(ccDown, 0);
  EXPECT_EQ(Host.DeliverPosted(), 2);
  // The column reported is the screen column: "a\t" ends at screen column 8.
  EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{1, 9}, {2, 3}}));
}

TEST_F(EditorKeys, ErrorsGoToOnErrorOrRaise) {
  Editor.SetParaLengthLimit(5);
  LoadMarkedText(Editor, "abcde|");
  try {
    Editor.ProcessCommand(ccTypeChar, 'x');
    FAIL() << "no exception";
  } catch (const EEditorError& e) {
    EXPECT_EQ(e.ErrorCode, 268);
    EXPECT_STREQ(e.what(), "Current operation will exceed the maximum paragraph size");
  }
  std::vector<std::uint16_t> codes;
  Editor.OnError = [&](TCustomEditor&, std::uint16_t& code) { codes.push_back(code); };
  Editor.ProcessCommand(ccTypeChar, 'x');
  LoadMarkedText(Editor, "abcd|\nde");
  Editor.ProcessCommand(ccDel, 0);  // the join would be too long
  EXPECT_EQ(codes, (std::vector<std::uint16_t>{268, 266}));
  EXPECT_EQ(PlainEditorText(Editor), "abcd\nde");
}

TEST_F(EditorKeys, InsertModeIsSharedThroughTheController) {
  TFakeHost hostB;
  TCustomEditor other;
  other.SetController(&Controller);
  hostB.Attach(other);
  Host.Focus();
  Editor.ProcessCommand(ccIns, 0);
  EXPECT_FALSE(Editor.InsertMode());
  EXPECT_EQ(Host.CaretWidth, 8);  // the overwrite caret is a block of one cell
  EXPECT_EQ(Host.CaretHeight, 16);
  Host.Unfocus();
  EXPECT_FALSE(Host.CaretCreated);
  EXPECT_FALSE(Controller.InsertMode());
  hostB.Focus();
  EXPECT_FALSE(other.InsertMode());
  EXPECT_EQ(hostB.CaretWidth, 8);
}

}  // namespace
}  // namespace quilmo::test
