#include "support/EditorDoc.h"

#include <gtest/gtest.h>

#include "support/MarkedText.h"

namespace quilmo::test {

void LoadMarkedText(TCustomEditor& editor, std::string_view marked) {
  const TMarkedText doc = ParseMarkedText(marked);
  editor.ClearText(false);
  TParaList& list = editor.ParaList();
  for (std::size_t i = 0; i + 1 < doc.Paras.size(); ++i) EXPECT_EQ(list.AppendPara(doc.Paras[i], false), 0);
  const std::string& last = doc.Paras.back();
  if (!last.empty()) {
    EXPECT_EQ(list.InsertText(list.ParaCount(), 1, last.data(), static_cast<std::int32_t>(last.size())), 0);
  }
  list.ClearUndo();
  list.SetModified(false);
  if (editor.HandleAllocated()) editor.RefreshLayout(false);

  const TTextPoint caret = doc.Caret.value_or(TTextPoint{1, 1});
  if (doc.SelStart && *doc.SelStart != *doc.SelEnd) {
    std::int32_t l1 = 1, c1 = 1, l2 = 1, c2 = 1;
    list.PosToLine(doc.SelStart->Para, doc.SelStart->Pos, l1, c1);
    list.PosToLine(doc.SelEnd->Para, doc.SelEnd->Pos, l2, c2);
    editor.SetSelection(l1, c1, l2, c2, caret == *doc.SelEnd);
  } else {
    editor.MoveCaretToPara(caret.Para, caret.Pos);
  }
}

namespace {
TMarkedText Snapshot(TCustomEditor& editor) {
  TMarkedText doc;
  TParaList& list = editor.ParaList();
  for (std::int32_t p = 1; p <= list.ParaCount(); ++p) {
    const TParaNode* node = list.GetPara(p);
    doc.Paras.emplace_back(node->Text(), static_cast<std::size_t>(node->Length()));
  }
  return doc;
}
}  // namespace

std::string MarkedEditorText(TCustomEditor& editor) {
  TMarkedText doc = Snapshot(editor);
  const TParaPos caret = editor.CaretParaPos();
  doc.Caret = TTextPoint{caret.Para, caret.Pos};
  if (editor.HasSelection()) {
    doc.SelStart = TTextPoint{editor.SelStart().Para, editor.SelStart().Pos};
    doc.SelEnd = TTextPoint{editor.SelEnd().Para, editor.SelEnd().Pos};
  }
  return FormatMarkedText(doc);
}

std::string PlainEditorText(TCustomEditor& editor) {
  return FormatMarkedText(Snapshot(editor));
}

}  // namespace quilmo::test
