#include "FakeDialogHost.h"

#include "support/EditorDoc.h"

namespace quilmo::test {

TFakeDialogHost::TFakeDialogHost() {
  EditorHost.Attach(FEditor);
}

void TFakeDialogHost::Load(std::string_view marked) {
  LoadMarkedText(FEditor, marked);
}

std::string TFakeDialogHost::Marked() {
  return MarkedEditorText(FEditor);
}

void TFakeDialogHost::SetStayOnTop(bool on) {
  OnTop = on;
  Calls << (on ? QStringLiteral("ontop:1") : QStringLiteral("ontop:0"));
}

void TFakeDialogHost::WriteHistory(const QString& section, const QStringList& entries) {
  Histories[section] = entries;
  WrittenSections << section;
}

}  // namespace quilmo::test
