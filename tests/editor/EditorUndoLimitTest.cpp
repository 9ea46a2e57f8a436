// Edits the undo history cannot hold: the control asks OnUndoTooLarge before anything
// changes; "no" leaves the text and the history as they were, "yes" makes the edit without
// recording it. Edits the history can hold are never asked about.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "EditingTestFixture.h"
#include "engine/Search.h"

namespace quilmo::test {
namespace {

std::string Lines(int count, const std::string& line) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i > 0 ? "\n" : "") + line;
  return text;
}

struct TLimitCase {
  const char* Name;
  std::function<void(TCustomEditor&)> Edit;
  bool Asked;  // with the ceiling at the configured 8192 bytes
};

class EditorUndoLimitTest : public EditingTest {
 protected:
  // Loads 600 lines of "foo bar", types one character (a step of the history) and keeps
  // the history to 8192 bytes, so that an edit of more than that cannot be held.
  void Load() {
    LoadMarkedText(Editor, Lines(600, "foo bar") + "|");
    Type("!");
    Editor.ParaList().UndoBuffer().SetCeiling(Editor.UndoBufferSize());
    ASSERT_EQ(Editor.ParaList().UndoCount(), 1);
  }

  static std::vector<TLimitCase> Cases() {
    return {
        {"paste of 500 lines", [](TCustomEditor& e) { e.InsertString(Lines(500, "pasted")); }, true},
        {"deletion of 500 lines",
         [](TCustomEditor& e) {
           e.SetSelection(1, 1, 501, 1, true);
           e.ProcessCommand(ccDel, 0);
         },
         true},
        {"typing over 500 lines",
         [](TCustomEditor& e) {
           e.SetSelection(1, 1, 501, 1, true);
           e.ProcessCommand(ccTypeChar, 'z');
         },
         true},
        {"new line over 500 lines",
         [](TCustomEditor& e) {
           e.SetSelection(1, 1, 501, 1, true);
           e.ProcessCommand(ccNewLine, 0);
         },
         true},
        {"replace-all of 600 matches",
         [](TCustomEditor& e) { e.Replace("foo", "quux", soReplaceAll | soEntireScope); }, true},
        {"paste of 50 lines", [](TCustomEditor& e) { e.InsertString(Lines(50, "pasted")); }, false},
    };
  }
};

TEST_F(EditorUndoLimitTest, NoLeavesTheTextAndTheHistory) {
  for (const TLimitCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    Load();
    const std::string before = MarkedEditorText(Editor);
    int asked = 0;
    Editor.OnUndoTooLarge = [&](TCustomEditor& sender, bool& proceed) {
      EXPECT_EQ(&sender, &Editor);
      ++asked;
      proceed = false;
    };
    c.Edit(Editor);
    EXPECT_EQ(asked, c.Asked ? 1 : 0);
    if (c.Asked) {
      EXPECT_EQ(MarkedEditorText(Editor), before);
      EXPECT_EQ(Editor.ParaList().UndoCount(), 1);
    } else {
      EXPECT_NE(MarkedEditorText(Editor), before);
      Undone();
      EXPECT_EQ(PlainEditorText(Editor), Lines(600, "foo bar") + "!");
    }
  }
}

TEST_F(EditorUndoLimitTest, YesMakesTheEditWithoutRecordingIt) {
  for (const TLimitCase& c : Cases()) {
    if (!c.Asked) continue;
    SCOPED_TRACE(c.Name);
    Load();
    const std::string before = MarkedEditorText(Editor);
    int asked = 0;
    Editor.OnUndoTooLarge = [&](TCustomEditor&, bool& proceed) {
      ++asked;
      EXPECT_TRUE(proceed);  // the default: without a handler the edit goes on
    };
    c.Edit(Editor);
    EXPECT_EQ(asked, 1);
    EXPECT_NE(MarkedEditorText(Editor), before);
    EXPECT_FALSE(Editor.CanUndo());
    EXPECT_FALSE(Editor.ParaList().UndoBuffer().InGroup());
    // The history works on afterwards.
    Type("x");
    EXPECT_TRUE(Editor.CanUndo());
  }
}

TEST_F(EditorUndoLimitTest, EditsTheGrownHistoryHoldsAreUndoneWithoutAQuestion) {
  for (const TLimitCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    LoadMarkedText(Editor, Lines(600, "foo bar") + "|");
    const std::string before = MarkedEditorText(Editor);
    int asked = 0;
    Editor.OnUndoTooLarge = [&](TCustomEditor&, bool&) { ++asked; };
    c.Edit(Editor);
    EXPECT_EQ(asked, 0);
    ASSERT_NE(MarkedEditorText(Editor), before);
    // Every replacement of a replace-all outside a group is a step of its own.
    while (Editor.CanUndo()) Editor.Undo();
    EXPECT_EQ(PlainEditorText(Editor), Lines(600, "foo bar"));
  }
}

}  // namespace
}  // namespace quilmo::test
