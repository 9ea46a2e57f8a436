// The file commands and the history of recent files: the window's side of TFileCommands.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>

#include "app/EditForm.h"
#include "app/FileCommands.h"
#include "app/FileErrors.h"
#include "app/NameBytes.h"
#include "app/Printing.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "editor/TextFileEditor.h"

namespace quilmo {

namespace {

std::string Bytes(const QString& name) {
  return NameBytes(name);
}

QString FromBytes(const std::string& name) {
  return NameFromBytes(name);
}

// The dialog's names, decoded by Qt: refused when they lost their bytes on the way.
std::vector<std::string> CheckedBytesOf(TFileSystem& fileSystem, const QStringList& names) {
  std::vector<std::string> result;
  for (const QString& name : names) result.push_back(CheckedNameBytes(fileSystem, name));
  return result;
}

}  // namespace

// The window as the file commands see it: its prompter, dialogs' state, caption and menus.
class TEditFormFileWindow : public TFileCommandsWindow {
 public:
  explicit TEditFormFileWindow(TEditForm& form) : F(form), Commands(*this, form.FHistory) {}

  TTextFileEditor& Editor() override { return *F.FEditor; }

  TDiscard ConfirmDiscard(bool beep) override {
    const bool wasModified = F.FEditor->Modified();
    if (!F.ConfirmDiscard(beep ? TPromptSound::Beep : TPromptSound::Silent)) return TDiscard::Cancelled;
    if (!wasModified) return TDiscard::Unmodified;
    return F.FEditor->Modified() ? TDiscard::Discarded : TDiscard::Saved;
  }

  std::vector<std::string> AskOpenFiles(bool multiple) override {
    TFileDialogState& state = F.FOpenDialog1;
    state.Title.clear();
    TFileDialogRequest request = RequestFor(state);
    request.MultipleFiles = multiple;
    request.CreatePrompt = !multiple;
    const QStringList names = F.WithTopmostOff([&] { return F.Prompter().OpenFileNames(&F, request); });
    if (names.isEmpty()) return {};
    state.FilterIndex = StoredFilterIndex(state.Filter, request.SelectedFilter);
    state.FileName = names.front();
    return CheckedBytesOf(F.FEditor->FileSystem(), names);
  }

  std::string AskSaveFile(const std::string& title, const std::string& fileName) override {
    TFileDialogState& state = F.FSaveDialog1;
    state.Title = FromBytes(title);
    state.Filter = F.FOpenDialog1.Filter;
    state.FilterIndex = F.FOpenDialog1.FilterIndex;
    if (!fileName.empty()) state.FileName = FromBytes(fileName);
    TFileDialogRequest request = RequestFor(state);
    request.DefaultSuffix = QStringLiteral("txt");
    const QString name = F.WithTopmostOff([&] { return F.Prompter().SaveFileName(&F, request); });
    if (name.isEmpty()) return {};
    state.FileName = name;
    return CheckedNameBytes(F.FEditor->FileSystem(), name);
  }

  bool AskPrint(QPrinter& printer, bool hasSelection) override {
    QPrintDialog dialog(&printer, &F);
    ConfigurePrintDialog(dialog, hasSelection);
    return F.WithTopmostOff([&] { return F.Prompter().Exec(dialog); }) == QDialog::Accepted;
  }

  TAnswer AskWarning(const std::string& text, TButtons buttons) override {
    return F.WithTopmostOff([&] {
      return F.Prompter().Ask(&F, TMessageKind::Warning, QStringLiteral("Avertissement"),
                              DisplayName(FromBytes(text)), buttons);
    });
  }

  void Beep() override { QApplication::beep(); }
  bool MultipleOpenings() const override { return F.FMultipleOpenings; }
  void SpawnInstance(const std::vector<std::string>& arguments) override {
    QStringList list;
    for (const std::string& argument : arguments) list << FromBytes(argument);
    F.SpawnInstance(list);
  }
  bool ClearUndoAfterSave() const override { return F.FEditingOptions.ClearUndoAfterSave; }
  void DocumentLoaded() override { F.ShowLoadReport(); }
  void ApplyLogStamp() override { F.ApplyLogStamp(); }
  bool MayReplaceFile() override { return F.MayReplaceUncleanLoad(); }
  bool MayOpenFile(const std::string& name) override { return F.MayOpenHere(FromBytes(name)); }
  void DocumentSaved() override {
    F.FUncleanLoad.clear();
    F.RestartJournal();
  }
  void DocumentStarted() override { F.RestartJournal(); }
  void UpdateButtons(bool hasText) override { F.UpdateButtons(hasText); }
  void SetDocumentCaption(const std::string& name) override { F.SetCaption(FromBytes(name)); }
  void CopyCaptionToTitle() override { F.FApplicationTitle = F.windowTitle(); }
  void RefreshEditMenu() override { F.Edit1Click(); }
  void RefreshSearchMenu() override { F.Search1Click(); }
  void ClearMarksList() override { F.ClearMarksList(); }

 private:
  static TFileDialogRequest RequestFor(const TFileDialogState& state) {
    TFileDialogRequest request;
    request.Title = state.Title;
    request.Filter = QtFilterFromStored(state.Filter);
    request.SelectedFilter = QtFilterEntry(state.Filter, state.FilterIndex);
    request.FileName = state.FileName;
    return request;
  }

  TEditForm& F;

 public:
  TFileCommands Commands;
};

TFileCommands& TEditForm::FileCommands() {
  if (!FFileWindow) FFileWindow = std::make_shared<TEditFormFileWindow>(*this);
  return FFileWindow->Commands;
}

void TEditForm::New1Click() {
  FileCommands().New();
}

void TEditForm::Open1Click() {
  FileCommands().Open();
}

void TEditForm::Save1Click() {
  FileCommands().Save();
}

void TEditForm::SaveAs1Click() {
  FileCommands().SaveAs();
}

void TEditForm::Print1Click() {
  FileCommands().Print();
}

void TEditForm::Exit1Click() {
  close();
}

void TEditForm::Mru1Click(int tag) {
  OpenHistoryEntry(tag);
}

void TEditForm::OpenHistoryEntry(int index) {
  FileCommands().OpenHistoryEntry(index);
}

// A document whose load changed something a save would keep is written back under its name
// only when the user agrees.
bool TEditForm::MayReplaceUncleanLoad() {
  if (FUncleanLoad.isEmpty() ||
      !TCustomTextFileEditor::SameFileName(Bytes(FUncleanLoad), FEditor->FileName()))
    return true;
  return WithTopmostOff([&] {
           return Prompter().Ask(
               this, TMessageKind::Warning, QStringLiteral("Avertissement"),
               QStringLiteral("Le fichier %1 a été modifié à l'ouverture. L'enregistrer sous ce "
                              "nom remplacera le fichier d'origine. Continuer ?")
                   .arg(DocumentName()),
               TButtons::YesNoDefaultNo);
         }) == TAnswer::Yes;
}

void TEditForm::AddToHistory(const QString& name) {
  FHistory.Add(Bytes(name));
}

void TEditForm::RefreshHistoryMenu() {
  for (int i = 0; i < kHistorySize; ++i) {
    QAction* item = FFile.Mru[static_cast<std::size_t>(i)];
    item->setText(DisplayName(FromBytes(FHistory.Caption(i))));
    item->setVisible(FHistory.Visible(i));
  }
}

void TEditForm::ReadHistory() {
  FHistory.Load([this](const std::string& section, const std::string& name) {
    return NameFromStored(
        Settings().ReadString(QString::fromStdString(section), QString::fromStdString(name), QString()));
  });
}

void TEditForm::WriteHistory() {
  FHistory.Save([this](const std::string& section, const std::string& name, const std::string& value) {
    Settings().WriteString(QString::fromStdString(section), QString::fromStdString(name), StoredName(value));
  });
  Settings().Flush();
}

}  // namespace quilmo
