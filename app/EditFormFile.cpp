// The file commands and the history of recent files.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "app/EditForm.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "editor/TextFileEditor.h"

namespace quilmo {

namespace {

std::string Bytes(const QString& name) {
  return QFile::encodeName(name).toStdString();
}

}  // namespace

void TEditForm::New1Click() {
  ClearMarksList();
  if (!ConfirmDiscard()) return;
  if (FMultipleOpenings) {
    SpawnInstance({QStringLiteral("-i")});
    return;
  }
  FEditor->NewTextFile(Bytes(QStringLiteral("Sans titre")));
  FUncleanLoad.clear();
  SetCaption(QStringLiteral("Sans titre"));
  UpdateButtons(false);
  Edit1Click();
}

void TEditForm::Open1Click() {
  if (!ConfirmDiscard()) return;
  TTopmostScope topmost(*this);
  FOpenDialog1.Title.clear();
  TFileDialogRequest request;
  request.Filter = QtFilterFromStored(FOpenDialog1.Filter);
  request.SelectedFilter = QtFilterEntry(FOpenDialog1.Filter, FOpenDialog1.FilterIndex);
  request.FileName = FOpenDialog1.FileName;
  request.MultipleFiles = FMultipleOpenings;
  request.CreatePrompt = !FMultipleOpenings;
  const QStringList names = Prompter().OpenFileNames(this, request);
  if (names.isEmpty()) return;
  FOpenDialog1.FilterIndex = StoredFilterIndex(FOpenDialog1.Filter, request.SelectedFilter);
  FOpenDialog1.FileName = names.front();
  if (FMultipleOpenings) {
    for (const QString& name : names) SpawnInstance({QStringLiteral("-i"), name});
    return;
  }
  const QString name = names.front();
  if (QFileInfo::exists(name)) {
    OpenDocument(name);
    ClearMarksList();
  } else {
    FEditor->NewTextFile(Bytes(name));
    FEditor->SaveTextFile(Bytes(name));
  }
  ApplyLogStamp();
  AddToHistory(name);
  UpdateButtons(FEditor->ByteCount() != 0);
  SetCaption(name);
  Search1Click();
  Edit1Click();
}

void TEditForm::Save1Click() {
  if (IsUntitled()) {
    SaveAs1Click();
    return;
  }
  // A file whose load changed something is written back only when the user agrees.
  if (!FUncleanLoad.isEmpty() &&
      TCustomTextFileEditor::SameFileName(Bytes(FUncleanLoad), FEditor->FileName())) {
    const TAnswer answer = WithTopmostOff([&] {
      return Prompter().Ask(this, TMessageKind::Warning, QStringLiteral("Avertissement"),
                            QStringLiteral("Le fichier %1 a été modifié à l'ouverture. L'enregistrer sous ce "
                                           "nom remplacera le fichier d'origine. Continuer ?")
                                .arg(DocumentName()),
                            TButtons::YesNo);
    });
    if (answer != TAnswer::Yes) return;
  }
  FEditor->SaveTextFile(FEditor->FileName());
  FUncleanLoad.clear();
  if (FEditingOptions.ClearUndoAfterSave) FEditor->ClearUndo();
}

void TEditForm::SaveAs1Click() {
  TTopmostScope topmost(*this);
  FSaveDialog1.Title = QStringLiteral("Enregistrer %1 Sous").arg(DocumentName());
  FSaveDialog1.Filter = FOpenDialog1.Filter;
  FSaveDialog1.FilterIndex = FOpenDialog1.FilterIndex;
  if (!IsUntitled()) FSaveDialog1.FileName = DocumentName();
  TFileDialogRequest request;
  request.Title = FSaveDialog1.Title;
  request.Filter = QtFilterFromStored(FSaveDialog1.Filter);
  request.SelectedFilter = QtFilterEntry(FSaveDialog1.Filter, FSaveDialog1.FilterIndex);
  request.FileName = FSaveDialog1.FileName;
  request.DefaultSuffix = QStringLiteral("txt");
  const QString name = Prompter().SaveFileName(this, request);
  if (!name.isEmpty()) {
    FSaveDialog1.FileName = name;
    FEditor->SaveTextFile(Bytes(name));
    FEditor->SetFileName(Bytes(name));
    FUncleanLoad.clear();
    SetCaption(DocumentName());
    if (FEditingOptions.ClearUndoAfterSave) FEditor->ClearUndo();
    AddToHistory(name);
  }
  FApplicationTitle = windowTitle();
}

void TEditForm::Print1Click() {}

void TEditForm::Exit1Click() {
  close();
}

void TEditForm::Mru1Click(int tag) {
  OpenHistoryEntry(tag);
}

void TEditForm::OpenHistoryEntry(int index) {
  if (!ConfirmDiscard()) return;
  if (index < 0 || index >= FHistory.size() || FHistory[index].isEmpty()) return;
  const QString entry = FHistory[index];
  if (!QFileInfo::exists(entry)) return;
  if (FMultipleOpenings) {
    SpawnInstance({QStringLiteral("-i"), entry});
  } else {
    OpenDocument(entry);
    ApplyLogStamp();
    UpdateButtons(FEditor->ByteCount() != 0);
    SetCaption(DocumentName());
    ClearMarksList();
  }
  AddToHistory(entry);
}

void TEditForm::AddToHistory(const QString& name) {
  for (qsizetype i = FHistory.size() - 1; i >= 0; --i)
    if (TCustomTextFileEditor::SameFileName(Bytes(FHistory[i]), Bytes(name))) FHistory.removeAt(i);
  while (FHistory.size() > 9) FHistory.removeLast();
  while (FHistory.size() < 9) FHistory.append(QString());
  FHistory.prepend(name);
}

void TEditForm::RefreshHistoryMenu() {
  for (int i = 0; i < 10; ++i) {
    QAction* item = FFile.Mru[static_cast<std::size_t>(i)];
    const QString entry = i < FHistory.size() ? FHistory[i] : QString();
    item->setText(QStringLiteral("&%1  %2").arg(i).arg(entry));
    item->setVisible(!entry.isEmpty());
  }
}

void TEditForm::WriteHistory() {
  for (int i = 0; i < 10; ++i)
    Settings().WriteString(QStringLiteral("Historique"), QString::number(i),
                           i < FHistory.size() ? FHistory[i] : QString());
  Settings().Flush();
}

}  // namespace quilmo
