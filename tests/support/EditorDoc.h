#pragma once
// Editor controls loaded from text with markers (support/MarkedText.h) and read back the same
// way, so that editor tests read as before/after text: "ab|c\nd[ef]".

#include <string>
#include <string_view>

#include "editor/CustomEditor.h"

namespace quilmo::test {

// Replaces the editor's text by the paragraphs of `marked` (no undo history, not modified)
// and sets its caret and selection from the markers (caret at (1, 1) without any).
void LoadMarkedText(TCustomEditor& editor, std::string_view marked);

// The paragraphs joined by '\n' with the caret and the selection marked.
std::string MarkedEditorText(TCustomEditor& editor);

// The paragraphs joined by '\n', no markers.
std::string PlainEditorText(TCustomEditor& editor);

}  // namespace quilmo::test
