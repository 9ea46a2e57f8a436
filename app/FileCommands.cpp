#include "app/FileCommands.h"

#include <QPrinter>

#include <cerrno>
#include <optional>

#include "app/FileErrors.h"
#include "app/History.h"
#include "app/Printing.h"
#include "editor/TextFileEditor.h"
#include "engine/FileSystem.h"
#include "engine/TextFileWriter.h"

namespace quilmo {

namespace {

// No paragraph at all: the file is created empty.
class TNoParagraphs : public TParagraphSource {
 public:
  bool Next(const char*&, size_t&) override { return false; }
};

std::vector<std::string> OpenInCopy(const std::string& name) {
  return {"-i", name};
}

}  // namespace

bool IsUntitled(const std::string& fileName) {
  return fileName.empty() || fileName.starts_with(kUntitledName);
}

TFileCommands::TFileCommands(TFileCommandsWindow& window, THistory& history)
    : FWindow(window), FHistory(history) {}

TTextFileEditor& TFileCommands::Editor() {
  return FWindow.Editor();
}

void TFileCommands::RememberDiskState() {
  FDiskStamp.Take(Editor().FileSystem(), Editor().FileName());
}

void TFileCommands::RememberChangedOnDisk() {
  FDiskStamp.TakeChanged(Editor().FileName());
}

bool TFileCommands::ChangedOnDisk() {
  return FDiskStamp.ChangedOnDisk(Editor().FileSystem(), Editor().FileName());
}

bool TFileCommands::Load(const std::string& name) {
  CheckReadable(Editor().FileSystem(), name);
  if (!FWindow.MayOpenFile(name)) return false;
  Editor().OpenTextFile(name);
  RememberDiskState();
  FWindow.DocumentLoaded();
  return true;
}

void TFileCommands::CreateEmpty(const std::string& name) {
  // The file first: when it cannot be created the document stays as it was.
  TNoParagraphs nothing;
  TTextFileWriter(Editor().FileSystem()).Save(name, nothing);
  Editor().NewTextFile(name);
  RememberDiskState();
  FWindow.DocumentStarted();
}

// ---------------------------------------------------------------- New, Open

void TFileCommands::New() {
  FWindow.ClearMarksList();
  if (FWindow.ConfirmDiscard(true) == TDiscard::Cancelled) return;
  if (FWindow.MultipleOpenings()) {
    FWindow.SpawnInstance({"-i"});
    return;
  }
  Editor().NewTextFile(kUntitledName);
  FDiskStamp.Clear();
  FWindow.DocumentStarted();
  FWindow.SetDocumentCaption(kUntitledName);
  FWindow.UpdateButtons(false);
  FWindow.RefreshEditMenu();
}

void TFileCommands::Open() {
  const TDiscard discard = FWindow.ConfirmDiscard(true);
  if (discard == TDiscard::Cancelled) return;
  if (discard == TDiscard::Saved) FWindow.ClearMarksList();
  const bool multiple = FWindow.MultipleOpenings();
  const std::vector<std::string> names = FWindow.AskOpenFiles(multiple);
  if (names.empty()) return;
  if (multiple) {
    for (const std::string& name : names) FWindow.SpawnInstance(OpenInCopy(name));
    return;
  }
  const std::string& name = names.front();
  TFileInfo info;
  if (Editor().FileSystem().Stat(name, info) == ENOENT) {
    CreateEmpty(name);
  } else {
    if (!Load(name)) return;
    FWindow.ClearMarksList();
  }
  FWindow.ApplyLogStamp();
  FHistory.Add(name);
  FWindow.UpdateButtons(Editor().ByteCount() != 0);
  FWindow.SetDocumentCaption(name);
  FWindow.RefreshSearchMenu();
  FWindow.RefreshEditMenu();
}

// ---------------------------------------------------------------- Save, Save As

bool TFileCommands::Save() {
  if (IsUntitled(Editor().FileName())) return SaveAs();
  const std::string name = Editor().FileName();
  if (!FWindow.MayReplaceFile()) return false;
  if (FDiskStamp.ChangedOnDisk(Editor().FileSystem(), name) &&
      FWindow.AskWarning(ChangedOnDiskQuestion(name), TButtons::YesNoDefaultNo) != TAnswer::Yes)
    return false;
  SaveUnder(name);
  return true;
}

bool TFileCommands::SaveAs() {
  const std::string current = Editor().FileName();
  const std::string name =
      FWindow.AskSaveFile("Enregistrer " + current + " Sous", IsUntitled(current) ? std::string() : current);
  bool saved = false;
  if (!name.empty()) {
    SaveUnder(name);
    Editor().SetFileName(name);
    RememberDiskState();
    FWindow.SetDocumentCaption(Editor().FileName());
    FHistory.Add(name);
    saved = true;
  }
  FWindow.CopyCaptionToTitle();
  return saved;
}

void TFileCommands::SaveUnder(const std::string& name) {
  Editor().SaveTextFile(name);
  if (name == Editor().FileName()) RememberDiskState();
  FWindow.DocumentSaved();
  if (FWindow.ClearUndoAfterSave()) Editor().ClearUndo();
}

// ---------------------------------------------------------------- Print

void TFileCommands::Print() {
  // The job is named after the file without its folder, as print queues and file names show it.
  const std::string jobName = NameOf(Editor().FileName());
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdString(jobName));
  if (!FWindow.AskPrint(printer, Editor().HasSelection())) return;
  PrintDocument(Editor(), printer, jobName);
}

// ---------------------------------------------------------------- history

void TFileCommands::OpenHistoryEntry(int index) {
  const TDiscard discard = FWindow.ConfirmDiscard(true);
  if (discard == TDiscard::Cancelled) return;
  if (discard == TDiscard::Saved) FWindow.ClearMarksList();
  const std::string entry = FHistory.Entry(index);
  if (entry.empty()) return;

  TFileInfo info;
  if (Editor().FileSystem().Stat(entry, info) != ENOENT) {
    if (FWindow.MultipleOpenings()) {
      FWindow.SpawnInstance(OpenInCopy(entry));
    } else {
      if (!Load(entry)) return;
      FWindow.ApplyLogStamp();
      FWindow.UpdateButtons(Editor().ByteCount() != 0);
      FWindow.SetDocumentCaption(Editor().FileName());
      FWindow.ClearMarksList();
    }
    FHistory.Add(entry);
    return;
  }

  FWindow.Beep();
  switch (FWindow.AskWarning("Le fichier " + entry + " est introuvable, voulez-vous en créer un nouveau ?",
                             TButtons::YesNoCancel)) {
    case TAnswer::Yes:
      FWindow.ClearMarksList();
      CreateEmpty(entry);
      FWindow.UpdateButtons(false);
      FWindow.SetDocumentCaption(Editor().FileName());
      FHistory.Add(entry);
      break;
    case TAnswer::No: {
      const std::string& current = Editor().FileName();
      FHistory.ForgetMissing(entry, IsUntitled(current) ? std::nullopt : std::optional<std::string>(current));
      FWindow.ClearMarksList();
      break;
    }
    case TAnswer::Cancel: break;
  }
}

}  // namespace quilmo
