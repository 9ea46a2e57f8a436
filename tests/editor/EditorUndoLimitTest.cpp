// Edits the undo history cannot hold: the control asks OnUndoTooLarge before anything
// changes; "no" leaves the text and the history, "yes" (or no handler) makes the edit without
// recording it. Edits the history can hold are never asked about and are undone.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "EditingTestFixture.h"
#include "engine/Search.h"
#include "engine/UndoGroup.h"

namespace quilmo::test {
namespace {

std::string Lines(int count, const std::string& line) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i > 0 ? "\n" : "") + line;
  return text;
}

void Select500(TCustomEditor& e) {
  e.SetSelection(1, 1, 501, 1, true);
}

TEST_F(EditingTest, EditsTheUndoHistoryCannotHoldAreAskedAboutFirst) {
  const std::string text = Lines(600, "foo bar");
  const struct {
    std::function<void(TCustomEditor&)> Edit;
    bool Large;  // more than the 8192 bytes of the history
  } cases[] = {
      {[](TCustomEditor& e) { e.InsertString(Lines(500, "pasted")); }, true},
      {[](TCustomEditor& e) { e.InsertString(Lines(50, "pasted")); }, false},
      {[](TCustomEditor& e) {
         Select500(e);
         e.ProcessCommand(ccDel, 0);
       },
       true},
      {[](TCustomEditor& e) {
         Select500(e);
         e.ProcessCommand(ccTypeChar, 'z');
       },
       true},
      {[](TCustomEditor& e) {
         Select500(e);
         e.ProcessCommand(ccNewLine, 0);
       },
       true},
      {[](TCustomEditor& e) {
         const TUndoGroup group(e.ParaList());  // one step, as the Replace dialog runs it
         e.Replace("foo", "quux", soReplaceAll | soEntireScope);
       },
       true},
  };
  for (const auto& c : cases) {
    for (const int answer : {0, 1, -1}) {  // no, yes, no handler
      for (const bool limited : {true, false}) {
        SCOPED_TRACE(testing::Message() << (&c - cases) << " answer " << answer << " limited " << limited);
        LoadMarkedText(Editor, text + "|");
        Type("!");
        if (limited) Editor.ParaList().UndoBuffer().SetCeiling(Editor.UndoBufferSize());
        int asked = 0;
        Editor.OnUndoTooLarge = nullptr;
        if (answer >= 0) {
          Editor.OnUndoTooLarge = [&](TCustomEditor& sender, bool& proceed) {
            EXPECT_EQ(&sender, &Editor);
            ++asked;
            proceed = answer == 1;
          };
        }
        c.Edit(Editor);
        const bool askedAbout = limited && c.Large;
        EXPECT_EQ(asked, askedAbout && answer >= 0 ? 1 : 0);
        EXPECT_FALSE(Editor.ParaList().UndoBuffer().InGroup());
        if (askedAbout && answer == 0) {
          EXPECT_EQ(PlainEditorText(Editor), text + "!");
          EXPECT_EQ(Editor.ParaList().UndoCount(), 1);
        } else if (askedAbout) {
          EXPECT_NE(PlainEditorText(Editor), text + "!");
          EXPECT_FALSE(Editor.CanUndo());
        } else {
          Editor.Undo();
          Editor.Undo();
          EXPECT_EQ(PlainEditorText(Editor), text);
        }
      }
    }
  }
}

}  // namespace
}  // namespace quilmo::test
