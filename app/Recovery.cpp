// Orphaned recovery journals: finding, asking, recovering, discarding, keeping.

#include "app/Recovery.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <exception>

#include "app/FileCommands.h"
#include "app/JournalKeeper.h"
#include "app/Prompter.h"
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

std::optional<TOrphanJournal> OpenOrphanJournal(const QString& path) {
  TOrphanJournal orphan;
  orphan.Path = path;
  orphan.Lock = std::make_unique<QLockFile>(TJournalKeeper::LockPath(path));
  orphan.Lock->setStaleLockTime(0);
  // A lock that cannot be had belongs to a running copy.
  if (!orphan.Lock->tryLock(0)) return std::nullopt;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  orphan.Contents = ReadJournal(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (orphan.Contents.State == TJournalState::jsUnreadable) {
    DiscardOrphan(orphan);
    return std::nullopt;
  }
  return orphan;
}

std::vector<TOrphanJournal> FindOrphanJournals(const QString& folder) {
  std::vector<TOrphanJournal> orphans;
  const QDir dir(folder);
  for (const QString& name : dir.entryList({"*.journal"}, QDir::Files, QDir::Name))
    if (std::optional<TOrphanJournal> orphan = OpenOrphanJournal(dir.filePath(name)))
      orphans.push_back(std::move(*orphan));
  // Journals changed at the same moment keep the order of their names.
  std::stable_sort(orphans.begin(), orphans.end(), [](const TOrphanJournal& a, const TOrphanJournal& b) {
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

TRecoveryChoice AskRecovery(TPrompter& prompter, QWidget* parent, const TOrphanJournal& orphan, int index,
                            int count) {
  const QString caption =
      count > 1 ? QString("Récupération (%1 sur %2)").arg(index).arg(count) : QString("Récupération");
  // Closing the box keeps the journal: nothing goes without the user saying so.
  const QStringList buttons = {"&Récupérer", "&Plus tard", "&Supprimer"};
  switch (prompter.Choose(parent, TMessageKind::Question, caption, RecoveryQuestion(orphan), buttons, 1)) {
    case 0: return TRecoveryChoice::rcRecover;
    case 2: return TRecoveryChoice::rcDiscard;
    default: return TRecoveryChoice::rcKeep;
  }
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

void DiscardOrphan(TOrphanJournal& orphan) {
  QFile::remove(orphan.Path);
  // Unlocking removes the lock file.
  if (orphan.Lock) orphan.Lock->unlock();
  orphan.Lock.reset();
}

void ReleaseOrphan(TOrphanJournal& orphan) {
  if (orphan.Lock) orphan.Lock->unlock();
  orphan.Lock.reset();
}

namespace {
const QString kRecoverSwitch = QStringLiteral("--recuperer");
}  // namespace

QStringList RecoveryArguments(const QString& path) {
  return {kRecoverSwitch, path};
}

QString TakeRecoveryArguments(QStringList& arguments) {
  if (arguments.size() != 2 || arguments[0] != kRecoverSwitch) return {};
  const QString path = arguments[1];
  arguments.clear();
  return path;
}

}  // namespace quilmo
