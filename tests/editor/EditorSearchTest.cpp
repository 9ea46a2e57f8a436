// The editor's Search and Replace, as before/after text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/CustomEditor.h"
#include "engine/EditorErrors.h"
#include "engine/Search.h"
#include "support/EditorDoc.h"
#include "support/FakeHost.h"

namespace quilmo::test {
namespace {

class EditorSearch : public ::testing::Test {
 protected:
  void SetUp() override { Host.Attach(Editor); }

  TFakeHost Host;
  TCustomEditor Editor;
};

TEST_F(EditorSearch, SearchSelectsTheOccurrenceWithTheCaretAtItsEndOrStart) {
  LoadMarkedText(Editor, "|one cat\ntwo cat");
  EXPECT_TRUE(Editor.Search("cat", 0));
  EXPECT_EQ(MarkedEditorText(Editor), "one [cat]\ntwo cat");
  EXPECT_TRUE(Editor.Search("cat", 0));
  EXPECT_EQ(MarkedEditorText(Editor), "one cat\ntwo [cat]");
  EXPECT_FALSE(Editor.Search("cat", 0));  // nothing behind the caret: the selection stays
  EXPECT_EQ(MarkedEditorText(Editor), "one cat\ntwo [cat]");
  // Backward from the caret at the selection's end finds the selected occurrence itself.
  EXPECT_TRUE(Editor.Search("cat", soBackward));
  EXPECT_EQ(MarkedEditorText(Editor), "one cat\ntwo [|cat]");
  EXPECT_TRUE(Editor.Search("cat", soBackward));
  EXPECT_EQ(MarkedEditorText(Editor), "one [|cat]\ntwo cat");
  EXPECT_TRUE(Editor.Search("", 0));  // an empty text changes nothing
  EXPECT_EQ(MarkedEditorText(Editor), "one [|cat]\ntwo cat");
}

TEST_F(EditorSearch, AFarOccurrenceIsScrolledIntoView) {
  std::string text = "|";
  for (int i = 0; i < 50; ++i) text += "line\n";
  text += "target";
  LoadMarkedText(Editor, text);
  ASSERT_EQ(Editor.TopLine(), 1);
  ASSERT_TRUE(Editor.Search("TARGET", 0));
  EXPECT_EQ(Editor.CaretLine(), 51);
  EXPECT_LE(Editor.TopLine(), 51);
  EXPECT_GT(Editor.TopLine() + Editor.VisibleLines(), 51);
}

TEST_F(EditorSearch, SearchNeverReplacesAndShowsTheBusyCursor) {
  LoadMarkedText(Editor, "[cat] cat");
  Host.BusyCalls.clear();
  EXPECT_TRUE(Editor.Search("cat", soReplaceAll));
  EXPECT_EQ(MarkedEditorText(Editor), "cat [cat]");
  EXPECT_EQ(Host.BusyCalls, (std::vector<bool>{true, false}));
}

TEST_F(EditorSearch, ReplaceTheSelectedOccurrenceThenSelectTheNext) {
  LoadMarkedText(Editor, "[cat] cat");
  EXPECT_EQ(Editor.Replace("cat", "dog", soReplace), 1);
  EXPECT_EQ(MarkedEditorText(Editor), "dog [cat]");
  EXPECT_EQ(Editor.Replace("cat", "dog", soReplace), 1);  // the last one: nothing further
  EXPECT_EQ(MarkedEditorText(Editor), "dog dog|");
  EXPECT_EQ(Editor.Replace("cat", "dog", soReplace), -1);

  // Nothing selected: the first occurrence is selected and nothing replaced.
  LoadMarkedText(Editor, "|cat cat");
  EXPECT_EQ(Editor.Replace("cat", "dog", soReplace), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "[cat] cat");
  EXPECT_FALSE(Editor.Modified());

  // A selection differing from the pattern is not replaced.
  LoadMarkedText(Editor, "[ca]t cat");
  EXPECT_EQ(Editor.Replace("cat", "dog", soReplace), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "cat [cat]");
}

TEST_F(EditorSearch, ReplaceOfTheSelectionIsOneUndoStep) {
  LoadMarkedText(Editor, "[cat] cat");
  ASSERT_EQ(Editor.Replace("cat", "lion", soReplace), 1);
  EXPECT_EQ(PlainEditorText(Editor), "lion cat");
  Editor.Undo();
  EXPECT_EQ(PlainEditorText(Editor), "cat cat");
  EXPECT_FALSE(Editor.CanUndo());
}

TEST_F(EditorSearch, ReplaceRecognisesASelectionFoundWithoutRegardToCase) {
  LoadMarkedText(Editor, "|\xC9T\xC9 \xE9t\xE9");  // ÉTÉ été
  ASSERT_EQ(Editor.Replace("\xE9t\xE9", "x", soReplace), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "[\xC9T\xC9] \xE9t\xE9");
  EXPECT_EQ(Editor.Replace("\xE9t\xE9", "x", soReplace), 1);
  EXPECT_EQ(MarkedEditorText(Editor), "x [\xE9t\xE9]");
  // With soMatchCase only the exact selection counts.
  EXPECT_EQ(Editor.Replace("\xC9t\xE9", "y", soReplace | soMatchCase | soEntireScope), -1);
  EXPECT_EQ(PlainEditorText(Editor), "x \xE9t\xE9");
}

TEST_F(EditorSearch, ReplaceMovesOnEvenWhenTheReplacementHoldsThePattern) {
  // Each Replace edits the selected occurrence and selects the next one in the search's
  // direction: backward, the next one lies before the replaced occurrence.
  struct Case {
    const char* Before;
    const char* Pattern;
    const char* Replacement;
    std::uint8_t Options;
    std::vector<const char*> After;  // after each further Replace
  };
  const Case cases[] = {
      {"cat cat|", "cat", "cats", soBackward, {"cat [|cat]", "[|cat] cats", "cats| cats"}},
      {"|cat cat", "cat", "cats", 0, {"[cat] cat", "cats [cat]", "cats cats|"}},
      {"a|a aa", "a", "aa", soBackward, {"[|a]a aa", "aa|a aa"}},
      {"x\nab ab|", "ab", "ab\nab", soBackward, {"x\nab [|ab]", "x\n[|ab] ab\nab", "x\nab\nab| ab\nab"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Before);
    LoadMarkedText(Editor, c.Before);
    for (const char* after : c.After) {
      Editor.Replace(c.Pattern, c.Replacement, static_cast<std::uint8_t>(soReplace | c.Options));
      EXPECT_EQ(MarkedEditorText(Editor), after);
    }
  }
}

TEST_F(EditorSearch, ReplaceAllSplitsParagraphsAtLineEndsAsReplaceDoes) {
  // LF (alone or after CR) breaks the paragraph, CR is dropped: as when the selected
  // occurrence is replaced, so that a file saved and loaded again has the same lines.
  struct Case {
    const char* Replacement;
    const char* After;
  };
  const Case cases[] = {
      {"1\r\n2", "|1\n2 x 1\n2\n1\n2"},
      {"1\n2", "|1\n2 x 1\n2\n1\n2"},
      {"1\r2", "|12 x 12\n12"},
      {"\n", "\n| x \n\n\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.After);
    LoadMarkedText(Editor, "[ab] x ab\nab");
    ASSERT_EQ(Editor.Replace("ab", c.Replacement, soReplace), 1);
    const std::string single = PlainEditorText(Editor);
    LoadMarkedText(Editor, "|ab x ab\nab");
    ASSERT_EQ(Editor.Replace("ab", c.Replacement, soReplaceAll), 3);
    EXPECT_EQ(MarkedEditorText(Editor), c.After);
    const std::string all = PlainEditorText(Editor);
    EXPECT_EQ(all.substr(0, all.find(" x")), single.substr(0, single.find(" x")));
    // One undo step per replacement, back to the text as it was.
    for (int i = 0; i < 3; ++i) Editor.Undo();
    EXPECT_EQ(PlainEditorText(Editor), "ab x ab\nab");
    EXPECT_FALSE(Editor.CanUndo());
  }
  // In a selection the scope follows the paragraphs the replacements add.
  for (std::uint8_t direction : {std::uint8_t{0}, std::uint8_t{soBackward}}) {
    LoadMarkedText(Editor, "ab [ab ab] ab");
    ASSERT_EQ(
        Editor.Replace("ab", "<\n>", static_cast<std::uint8_t>(soReplaceAll | soSelectedOnly | direction)),
        2);
    EXPECT_EQ(MarkedEditorText(Editor), "ab [|<\n> <\n>] ab");
  }
}

TEST_F(EditorSearch, ReplaceAllWithLineEndsStopsBeforeALimitWithNothingHalfDone) {
  std::vector<std::uint16_t> reported;
  Editor.OnError = [&](TCustomEditor&, std::uint16_t& code) { reported.push_back(code); };
  struct Case {
    const char* Before;
    const char* Replacement;
    std::int32_t ParaLimit;
    std::int32_t ParaLengthLimit;
    std::uint16_t Code;
    const char* After;
  };
  const Case cases[] = {
      {"|ab ab", "x\ny", 2, kMaxParaLength, ErrTooManyParas, "|x\ny ab"},
      {"|ab\nab cd", "12\n345", 10, 5, ErrParaTooLong, "|12\n345\nab cd"},
      {"|ab", "1\n234567\n8", 10, 5, ErrParaTooLong, "|ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Before);
    Editor.SetParaLimit(kMaxInt32);
    Editor.SetParaLengthLimit(kMaxParaLength);
    LoadMarkedText(Editor, c.Before);
    Editor.SetParaLimit(c.ParaLimit);
    Editor.SetParaLengthLimit(c.ParaLengthLimit);
    reported.clear();
    EXPECT_EQ(Editor.Replace("ab", c.Replacement, soReplaceAll), c.Code);
    EXPECT_EQ(reported, std::vector<std::uint16_t>{c.Code});
    EXPECT_EQ(MarkedEditorText(Editor), c.After);
  }
}

TEST_F(EditorSearch, ReplaceAllCollapsesTheSelectionAtTheCaret) {
  int changes = 0;
  Editor.OnChange = [&](TCustomEditor&) { ++changes; };
  LoadMarkedText(Editor, "|aaaa");
  EXPECT_EQ(Editor.Replace("aa", "a", soReplaceAll), 2);
  EXPECT_EQ(MarkedEditorText(Editor), "|aa");
  EXPECT_EQ(changes, 1);

  // The caret follows the replacements in front of it.
  LoadMarkedText(Editor, "ab ab |x\nab");
  EXPECT_EQ(Editor.Replace("ab", "abcd", soReplaceAll | soEntireScope), 3);
  EXPECT_EQ(MarkedEditorText(Editor), "abcd abcd |x\nabcd");

  // A selected occurrence is replaced first, then the rest of the text behind it.
  LoadMarkedText(Editor, "ab [ab] ab");
  EXPECT_EQ(Editor.Replace("ab", "c", soReplaceAll), 2);
  EXPECT_EQ(MarkedEditorText(Editor), "ab c| c");
}

TEST_F(EditorSearch, ReplaceAllInTheSelectionReselectsItWithTheCaretOnTheAnchorSide) {
  LoadMarkedText(Editor, "ab [ab\nab ab] ab");  // made from its start to its end
  EXPECT_EQ(Editor.Replace("ab", "xyz", soReplaceAll | soSelectedOnly), 3);
  EXPECT_EQ(MarkedEditorText(Editor), "ab [|xyz\nxyz xyz] ab");

  LoadMarkedText(Editor, "ab [|ab\nab ab] ab");  // made from its end to its start
  EXPECT_EQ(Editor.Replace("ab", "x", soReplaceAll | soSelectedOnly | soBackward), 3);
  EXPECT_EQ(MarkedEditorText(Editor), "ab [x\nx x] ab");
}

TEST_F(EditorSearch, ReplaceAllIsUndoneOneReplacementAtATime) {
  LoadMarkedText(Editor, "|ab ab");
  ASSERT_EQ(Editor.Replace("ab", "x", soReplaceAll), 2);
  EXPECT_EQ(PlainEditorText(Editor), "x x");
  Editor.Undo();
  EXPECT_EQ(PlainEditorText(Editor), "x ab");
  Editor.Undo();
  EXPECT_EQ(PlainEditorText(Editor), "ab ab");
  EXPECT_FALSE(Editor.Modified());
}

TEST_F(EditorSearch, AFailedReplacementIsReportedAndReturned) {
  LoadMarkedText(Editor, "|ab ab");
  Editor.SetParaLengthLimit(6);
  std::vector<std::uint16_t> reported;
  Editor.OnError = [&](TCustomEditor&, std::uint16_t& code) { reported.push_back(code); };
  EXPECT_EQ(Editor.Replace("ab", "abc", soReplaceAll), ErrParaTooLong);
  EXPECT_EQ(reported, (std::vector<std::uint16_t>{ErrParaTooLong}));
  EXPECT_EQ(MarkedEditorText(Editor), "|abc ab");  // the first replacement stays

  // The selected occurrence too: it is neither replaced nor deleted.
  Editor.SetParaLengthLimit(kMaxParaLength);
  LoadMarkedText(Editor, "[ab]cd");
  Editor.SetParaLengthLimit(4);
  reported.clear();
  EXPECT_EQ(Editor.Replace("ab", "abc", soReplace), ErrParaTooLong);
  EXPECT_EQ(reported, (std::vector<std::uint16_t>{ErrParaTooLong}));
  EXPECT_EQ(MarkedEditorText(Editor), "[ab]cd");
  EXPECT_FALSE(Editor.CanUndo());
  // Shrinking or same-length replacements still work at the limit.
  EXPECT_EQ(Editor.Replace("ab", "x", soReplace), 1);
  EXPECT_EQ(PlainEditorText(Editor), "xcd");

  // Without a handler the error is raised, after the view was updated.
  Editor.OnError = nullptr;
  Editor.SetParaLengthLimit(kMaxParaLength);
  LoadMarkedText(Editor, "|ab ab");
  Editor.SetParaLengthLimit(6);
  try {
    Editor.Replace("ab", "abc", soReplaceAll);
    ADD_FAILURE() << "no exception";
  } catch (const EEditorError& e) {
    EXPECT_EQ(e.ErrorCode, ErrParaTooLong);
  }
  EXPECT_EQ(MarkedEditorText(Editor), "|abc ab");
}

TEST_F(EditorSearch, AReadOnlyTextIsSearchedButNotChanged) {
  LoadMarkedText(Editor, "[cat] cat");
  Editor.SetReadOnly(true);
  EXPECT_EQ(Editor.Replace("cat", "dog", soReplace), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "cat [cat]");
  EXPECT_EQ(Editor.Replace("cat", "dog", soReplaceAll | soEntireScope), 0);
  EXPECT_EQ(MarkedEditorText(Editor), "[cat] cat");
  EXPECT_FALSE(Editor.Modified());
}

}  // namespace
}  // namespace quilmo::test
