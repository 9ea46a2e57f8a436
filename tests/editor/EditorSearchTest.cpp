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

// Replace calls one after another from a text, as before/after text; the text is modified
// exactly when a replacement was made.
TEST_F(EditorSearch, ReplaceStepByStep) {
  struct Step {
    const char* Pattern;
    const char* Replacement;
    int Options;
    int Result;
    const char* After;
  };
  struct Case {
    const char* Name;
    const char* Before;
    bool ReadOnly;
    std::vector<Step> Steps;
  };
  const Case cases[] = {
      {"the selected occurrence, then the next",
       "[cat] cat",
       false,
       {{"cat", "dog", soReplace, 1, "dog [cat]"},
        {"cat", "dog", soReplace, 1, "dog dog|"},  // the last one: nothing further
        {"cat", "dog", soReplace, -1, "dog dog|"}}},
      {"nothing selected: the first occurrence is selected, nothing replaced",
       "|cat cat",
       false,
       {{"cat", "dog", soReplace, 0, "[cat] cat"}}},
      {"a selection differing from the pattern is not replaced",
       "[ca]t cat",
       false,
       {{"cat", "dog", soReplace, 0, "cat [cat]"}}},
      {"a selection found without regard to case",  // ÉTÉ été
       "|\xC9T\xC9 \xE9t\xE9",
       false,
       {{"\xE9t\xE9", "x", soReplace, 0, "[\xC9T\xC9] \xE9t\xE9"},
        {"\xE9t\xE9", "x", soReplace, 1, "x [\xE9t\xE9]"},
        // With soMatchCase only the exact selection counts.
        {"\xC9t\xE9", "y", soReplace | soMatchCase | soEntireScope, -1, "x [\xE9t\xE9]"}}},
      {"replace all: the caret follows the replacements in front of it",
       "ab ab |x\nab",
       false,
       {{"ab", "abcd", soReplaceAll | soEntireScope, 3, "abcd abcd |x\nabcd"}}},
      {"replace all: the selected occurrence first, then the rest behind it",
       "ab [ab] ab",
       false,
       {{"ab", "c", soReplaceAll, 2, "ab c| c"}}},
      {"replace all in a selection made from its start",
       "ab [ab\nab ab] ab",
       false,
       {{"ab", "xyz", soReplaceAll | soSelectedOnly, 3, "ab [|xyz\nxyz xyz] ab"}}},
      {"replace all in a selection made from its end",
       "ab [|ab\nab ab] ab",
       false,
       {{"ab", "x", soReplaceAll | soSelectedOnly | soBackward, 3, "ab [x\nx x] ab"}}},
      {"a read-only text is searched but not changed",
       "[cat] cat",
       true,
       {{"cat", "dog", soReplace, 0, "cat [cat]"},
        {"cat", "dog", soReplaceAll | soEntireScope, 0, "[cat] cat"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    LoadMarkedText(Editor, c.Before);
    Editor.SetReadOnly(c.ReadOnly);
    bool replaced = false;
    for (const Step& step : c.Steps) {
      const int result =
          Editor.Replace(step.Pattern, step.Replacement, static_cast<std::uint8_t>(step.Options));
      EXPECT_EQ(result, step.Result) << step.After;
      EXPECT_EQ(MarkedEditorText(Editor), step.After);
      replaced = replaced || result > 0;
    }
    EXPECT_EQ(Editor.Modified(), replaced);
    Editor.SetReadOnly(false);
  }
}

TEST_F(EditorSearch, ReplaceAllCollapsesTheSelectionAtTheCaretWithOneChange) {
  int changes = 0;
  Editor.OnChange = [&](TCustomEditor&) { ++changes; };
  LoadMarkedText(Editor, "|aaaa");
  EXPECT_EQ(Editor.Replace("aa", "a", soReplaceAll), 2);
  EXPECT_EQ(MarkedEditorText(Editor), "|aa");
  EXPECT_EQ(changes, 1);
}

TEST_F(EditorSearch, EachReplacementIsOneUndoStep) {
  struct Case {
    const char* Before;
    const char* Replacement;
    std::uint8_t Options;
    int Result;
    std::vector<const char*> Undone;  // the text after each undo, from the replaced one
  };
  const Case cases[] = {
      {"[ab] ab", "lion", soReplace, 1, {"lion ab", "ab ab"}},
      {"|ab ab", "x", soReplaceAll, 2, {"x x", "x ab", "ab ab"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Before);
    LoadMarkedText(Editor, c.Before);
    ASSERT_EQ(Editor.Replace("ab", c.Replacement, c.Options), c.Result);
    for (std::size_t i = 0; i < c.Undone.size(); ++i) {
      if (i > 0) Editor.Undo();
      EXPECT_EQ(PlainEditorText(Editor), c.Undone[i]);
    }
    EXPECT_FALSE(Editor.CanUndo());
    EXPECT_FALSE(Editor.Modified());
  }
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

}  // namespace
}  // namespace quilmo::test
