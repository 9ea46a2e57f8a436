#pragma once
// A control on a fake host for the editing-command tests: load text with markers, run
// commands and typed characters, read the result back with markers.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "editor/CustomEditor.h"
#include "support/EditorDoc.h"
#include "support/FakeHost.h"

namespace quilmo::test {

// One step: a command (key 0), or a typed character.
struct TStep {
  TStep(TEditorCommand command) : Command(command) {}  // NOLINT(google-explicit-constructor)
  TStep(char ch) : Command(ccTypeChar), Key(static_cast<unsigned char>(ch)) {}  // NOLINT
  TEditorCommand Command;
  std::uint16_t Key = 0;
};

class EditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Host.Attach(Editor);
    Editor.OnChange = [this](TCustomEditor&) { ++Changes; };
  }

  // Loads `before`, runs the steps and returns the marked text.
  std::string Run(std::string_view before, std::initializer_list<TStep> steps) {
    LoadMarkedText(Editor, before);
    return Do(steps);
  }
  std::string Do(std::initializer_list<TStep> steps) {
    Changes = 0;
    for (const TStep& step : steps) Editor.ProcessCommand(step.Command, step.Key);
    return MarkedEditorText(Editor);
  }
  // Types every character of `text`.
  std::string Type(std::string_view text) {
    for (char c : text) Editor.ProcessCommand(ccTypeChar, static_cast<unsigned char>(c));
    return MarkedEditorText(Editor);
  }
  // One undo (ccUndo); the marked text afterwards.
  std::string Undone() {
    Editor.ProcessCommand(ccUndo, 0);
    return MarkedEditorText(Editor);
  }
  std::string Redone() {
    Editor.ProcessCommand(ccRedo, 0);
    return MarkedEditorText(Editor);
  }
  // Reports go to a handler that records them instead of raising.
  void CatchErrors() {
    Editor.OnError = [this](TCustomEditor&, std::uint16_t& code) { Errors.push_back(code); };
  }

  TFakeHost Host;
  TCustomEditor Editor;
  int Changes = 0;
  std::vector<std::uint16_t> Errors;
};

}  // namespace quilmo::test
