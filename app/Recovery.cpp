// Orphaned recovery journals: finding, asking, recovering, discarding.

#include "app/Recovery.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <exception>

#include "app/FileCommands.h"
#include "app/JournalKeeper.h"
#include "editor/TextFileEditor.h"
#include "engine/JournalReplay.h"
#include "engine/ParaList.h"

namespace quilmo {
namespace {

QString FromLocal(const std::string& name) {
  return QFile::decodeName(QByteArray::fromStdString(name));
}

QString ChangeTime(const TOrphanJournal& orphan) {
  const QDateTime time = QDateTime::fromMSecsSinceEpoch(orphan.Contents.LastChangeTime);
  return QString("%1 à %2").arg(time.toString("dd/MM/yyyy"), time.toString("HH:mm:ss"));
}

// Loads the journal's base into the editor; false when neither the file nor a copy holds it.
bool LoadBase(TTextFileEditor& editor, const TJournalContents& contents, const QString& fileName) {
  const TJournalBase& base = contents.Base;
  const QFileInfo info(fileName);
  if (!fileName.isEmpty() && info.isFile() && static_cast<std::uint64_t>(info.size()) == base.FileSize) {
    try {
      editor.LoadTextFile(base.FileName);
      if (IsJournalBase(editor.ParaList(), base)) return true;
    } catch (const std::exception&) {
      // Unreadable now: the copy may still serve.
    }
  }
  if (!contents.HasCopy) return false;
  editor.NewTextFile(base.FileName.empty() ? kUntitledName : base.FileName);
  return LoadJournalCopy(editor.ParaList(), contents.Copy) == 0;
}

}  // namespace

QString TOrphanJournal::DocumentName() const {
  if (Contents.Base.FileName.empty()) return kUntitledName;
  return QDir::toNativeSeparators(FromLocal(Contents.Base.FileName));
}

std::vector<TOrphanJournal> FindOrphanJournals(const QString& folder) {
  std::vector<TOrphanJournal> orphans;
  const QDir dir(folder);
  for (const QString& name : dir.entryList({"*.journal"}, QDir::Files, QDir::Name)) {
    TOrphanJournal orphan;
    orphan.Path = dir.filePath(name);
    orphan.Lock = std::make_unique<QLockFile>(TJournalKeeper::LockPath(orphan.Path));
    orphan.Lock->setStaleLockTime(0);
    // A lock that cannot be had belongs to a running copy.
    if (!orphan.Lock->tryLock(0)) continue;
    QFile file(orphan.Path);
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QByteArray bytes = file.readAll();
    orphan.Contents =
        ReadJournal(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (orphan.Contents.State == TJournalState::jsUnreadable) {
      DiscardOrphan(orphan);
      continue;
    }
    orphans.push_back(std::move(orphan));
  }
  std::sort(orphans.begin(), orphans.end(), [](const TOrphanJournal& a, const TOrphanJournal& b) {
    return a.Contents.LastChangeTime < b.Contents.LastChangeTime;
  });
  return orphans;
}

QString RecoveryQuestion(const TOrphanJournal& orphan) {
  return QString(
             "Des modifications de « %1 » n'ont pas été enregistrées : le programme s'est arrêté "
             "avant (dernière modification le %2).\n\nVoulez-vous les récupérer ?")
      .arg(orphan.DocumentName(), ChangeTime(orphan));
}

TRecoveryChoice AskRecovery(QWidget* parent, const TOrphanJournal& orphan) {
  QMessageBox box(QMessageBox::Question, "Récupération", RecoveryQuestion(orphan), QMessageBox::NoButton,
                  parent);
  QPushButton* recover = box.addButton("&Récupérer", QMessageBox::AcceptRole);
  box.addButton("&Plus tard", QMessageBox::RejectRole);
  QPushButton* discard = box.addButton("&Supprimer", QMessageBox::DestructiveRole);
  box.setDefaultButton(recover);
  box.exec();
  if (box.clickedButton() == recover) return TRecoveryChoice::rcRecover;
  if (box.clickedButton() == discard) return TRecoveryChoice::rcDiscard;
  return TRecoveryChoice::rcKeep;
}

TRecoveryOutcome RecoverInto(TTextFileEditor& editor, TJournalKeeper& keeper, TOrphanJournal& orphan) {
  const TJournalContents& contents = orphan.Contents;
  const QString name = FromLocal(contents.Base.FileName);
  TRecoveryOutcome outcome;
  if (!LoadBase(editor, contents, name)) {
    editor.NewTextFile(kUntitledName);
    outcome.Message = QString(
                          "Le fichier « %1 » a changé depuis les modifications non enregistrées : elles ne "
                          "peuvent pas lui être appliquées sans risque et n'ont pas été récupérées. Le "
                          "journal est gardé.")
                          .arg(orphan.DocumentName());
    return outcome;
  }
  TParaList& list = editor.ParaList();
  keeper.Begin(list, name);
  const TReplayResult replay = ReplayJournal(list, contents.Changes);
  editor.ClearUndo();
  editor.SetModified(true);
  editor.RefreshLayout(false);
  outcome.Recovered = true;
  const bool damaged = contents.State != TJournalState::jsComplete || !replay.Consistent;
  if (damaged) {
    outcome.Message = QString(
                          "Le journal de « %1 » est endommagé : les modifications notées avant le dommage "
                          "ont été récupérées, les suivantes sont perdues.")
                          .arg(orphan.DocumentName());
  }
  // The orphan goes only once the recovered document's own journal is on disk.
  if (keeper.FlushNow()) DiscardOrphan(orphan);
  return outcome;
}

bool OfferRecovery(QWidget* parent, TTextFileEditor& editor, TJournalKeeper& keeper, const QString& folder) {
  std::vector<TOrphanJournal> orphans = FindOrphanJournals(folder);
  for (TOrphanJournal& orphan : orphans) {
    switch (AskRecovery(parent, orphan)) {
      case TRecoveryChoice::rcKeep: break;
      case TRecoveryChoice::rcDiscard: DiscardOrphan(orphan); break;
      case TRecoveryChoice::rcRecover: {
        const TRecoveryOutcome outcome = RecoverInto(editor, keeper, orphan);
        if (!outcome.Message.isEmpty()) QMessageBox::warning(parent, "Récupération", outcome.Message);
        if (outcome.Recovered) return true;
        break;
      }
    }
  }
  return false;
}

void DiscardOrphan(TOrphanJournal& orphan) {
  QFile::remove(orphan.Path);
  // Unlocking removes the lock file.
  if (orphan.Lock) orphan.Lock->unlock();
  orphan.Lock.reset();
}

}  // namespace quilmo
