// Journals left by copies of the program that died, offered back when this copy starts. The
// window holds one document: the journal of the file the start opened goes into it over the
// file's text, as does the first document recovered while it holds an empty untitled one; each
// further one goes into a new copy of the program started for it once every question is
// answered.

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/EditForm.h"
#include "app/FileCommands.h"
#include "app/JournalKeeper.h"
#include "app/Prompter.h"
#include "app/Recovery.h"
#include "editor/TextFileEditor.h"

namespace quilmo {

void TEditForm::OfferJournalRecovery() {
  if (!FJournal) return;
  try {
    if (FRecoveryJournal.isEmpty())
      OfferOrphans();
    else
      RecoverRequested();
  } catch (const std::exception& error) {
    ShowError(error);
  }
}

void TEditForm::OfferOrphans() {
  QStringList setAside;
  std::vector<TOrphanJournal> orphans = FindOrphanJournals(FServices.JournalFolder, &setAside);
  TellSetAside(setAside);
  const int count = static_cast<int>(orphans.size());
  // The copies for further documents start once every question is answered, so that no new
  // window comes over the questions still to come.
  std::vector<TOrphanJournal*> inNewCopies;
  // The file the start opened takes back the changes of one journal of its own name.
  std::optional<std::string> startFile;
  if (!IsUntitled()) startFile = FEditor->FileName();
  for (int i = 0; i < count; ++i) {
    TOrphanJournal& orphan = orphans[static_cast<std::size_t>(i)];
    // The question says when another program changed the file since.
    CheckBaseOnDisk(orphan, *FEditor);
    const TRecoveryChoice choice =
        WithTopmostOff([&] { return AskRecovery(Prompter(), this, orphan, i + 1, count); });
    switch (choice) {
      case TRecoveryChoice::rcKeep: ReleaseOrphan(orphan); break;
      case TRecoveryChoice::rcDiscard: DiscardOrphan(orphan); break;
      case TRecoveryChoice::rcRecover:
        if (startFile && orphan.Contents.Base.FileName == *startFile) {
          startFile.reset();
          RecoverOverStartFile(orphan);
        } else if (MayTakeRecovered())
          TakeRecovered(orphan);
        else
          inNewCopies.push_back(&orphan);
        break;
    }
  }
  for (TOrphanJournal* orphan : inNewCopies) RecoverInNewCopy(*orphan);
}

// The user chose to recover this journal in the copy that started this one: no question.
void TEditForm::RecoverRequested() {
  // Only a journal of this program in its own folder: any other file is left untouched.
  if (!IsOwnJournalPath(FServices.JournalFolder, FRecoveryJournal)) {
    WithTopmostOff([&] {
      Prompter().Show(this, TMessageKind::Warning, QStringLiteral("Récupération"),
                      NotAJournalMessage(FRecoveryJournal));
    });
    return;
  }
  QStringList setAside;
  std::optional<TOrphanJournal> orphan = OpenOrphanJournal(FRecoveryJournal, &setAside);
  TellSetAside(setAside);
  // Held by another copy (which offers it) or gone: nothing here to recover.
  if (!orphan) return;
  if (MayTakeRecovered()) {
    TakeRecovered(*orphan);
    return;
  }
  ReleaseOrphan(*orphan);
  WithTopmostOff([&] {
    Prompter().Show(this, TMessageKind::Warning, QStringLiteral("Récupération"),
                    QStringLiteral("Les modifications de « %1 » n'ont pas été récupérées dans cette fenêtre, "
                                   "qui contient déjà un document. Elles sont gardées et seront proposées "
                                   "au prochain démarrage.")
                        .arg(orphan->DocumentName()));
  });
}

// Only an untitled, empty, unchanged document gives way to a recovered one.
bool TEditForm::MayTakeRecovered() const {
  return IsUntitled() && !FEditor->Modified() && FEditor->ByteCount() == 0;
}

void TEditForm::TakeRecovered(TOrphanJournal& orphan) {
  const TRecoveryOutcome outcome = RecoverInto(*FEditor, *FJournal, orphan);
  // A refused recovery left an empty untitled document, journaled afresh.
  if (!outcome.Recovered) RestartJournal();
  // A file changed by another program since is not replaced by the first save without asking.
  if (outcome.FileChanged)
    FileCommands().RememberChangedOnDisk();
  else
    FileCommands().RememberDiskState();
  if (!outcome.Message.isEmpty()) {
    WithTopmostOff([&] {
      Prompter().Show(this, TMessageKind::Warning, QStringLiteral("Récupération"), outcome.Message);
    });
  }
  SetCaption(DocumentName());
  UpdateButtons(FEditor->ByteCount() != 0);
}

void TEditForm::RecoverOverStartFile(TOrphanJournal& orphan) {
  const std::string file = FEditor->FileName();
  TakeRecovered(orphan);
  if (FEditor->FileName() == file) return;
  // Refused (the journal is kept): the window shows the file again as it is on disk.
  FEditor->OpenTextFile(file);
  FileCommands().RememberDiskState();
  TakeLoadReport();
  SetCaption(DocumentName());
  UpdateButtons(FEditor->ByteCount() != 0);
}

bool TEditForm::MayOpenHere(const QString& fileName) {
  if (!FJournal || !EditedInOtherCopy(FServices.JournalFolder, FJournal->JournalPath(), fileName))
    return true;
  return WithTopmostOff([&] {
           return Prompter().Ask(this, TMessageKind::Warning, QStringLiteral("Avertissement"),
                                 EditedInOtherCopyQuestion(fileName), TButtons::YesNo);
         }) == TAnswer::Yes;
}

void TEditForm::TellSetAside(const QStringList& setAside) {
  if (setAside.isEmpty()) return;
  WithTopmostOff([&] {
    Prompter().Show(this, TMessageKind::Warning, QStringLiteral("Récupération"), SetAsideMessage(setAside));
  });
}

void TEditForm::RecoverInNewCopy(TOrphanJournal& orphan) {
  const QString name = orphan.DocumentName();
  // The new copy takes the journal's lock itself; until it does the journal stays on disk.
  ReleaseOrphan(orphan);
  if (SpawnInstance(RecoveryArguments(orphan.Path))) return;
  WithTopmostOff([&] {
    Prompter().Show(
        this, TMessageKind::Warning, QStringLiteral("Récupération"),
        QStringLiteral("Une nouvelle fenêtre de Quilmo n'a pas pu être ouverte pour récupérer les "
                       "modifications de « %1 ». Elles sont gardées et seront proposées au "
                       "prochain démarrage.")
            .arg(name));
  });
}

}  // namespace quilmo
