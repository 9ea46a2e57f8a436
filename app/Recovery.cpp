// Orphaned recovery journals: finding, asking, recovering, discarding, keeping.

#include "app/Recovery.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <exception>

#include "app/FileCommands.h"
#include "app/JournalKeeper.h"
#include "app/NameBytes.h"
#include "app/Prompter.h"
#include "editor/TextFileEditor.h"
#include "engine/FileSystem.h"
#include "engine/JournalReplay.h"
#include "engine/ParaList.h"

namespace quilmo {
namespace {

// A name the journal keeps as bytes (which need not be UTF-8), carried without loss.
QString FromLocal(const std::string& name) {
  return NameFromBytes(name);
}

QString ChangeTime(const TOrphanJournal& orphan) {
  const QDateTime time = QDateTime::fromMSecsSinceEpoch(orphan.Contents.LastChangeTime);
  return QString("%1 à %2").arg(time.toString("dd/MM/yyyy"), time.toString("HH:mm:ss"));
}

enum class TBaseSource { bsNone, bsFile, bsCopy };

// Loads the journal's base into the editor, from the file when it still holds it, else from
// the journal's copy.
TBaseSource LoadBase(TTextFileEditor& editor, const TJournalContents& contents, const QString& fileName) {
  const TJournalBase& base = contents.Base;
  const QFileInfo info(fileName);
  if (!fileName.isEmpty() && info.isFile() && static_cast<std::uint64_t>(info.size()) == base.FileSize) {
    try {
      editor.LoadTextFile(base.FileName);
      if (IsJournalBase(editor.ParaList(), base)) return TBaseSource::bsFile;
    } catch (const std::exception&) {
      // Unreadable now: the copy may still serve.
    }
  }
  if (!contents.HasCopy) return TBaseSource::bsNone;
  editor.NewTextFile(base.FileName.empty() ? kUntitledName : base.FileName);
  return LoadJournalCopy(editor.ParaList(), contents.Copy) == 0 ? TBaseSource::bsCopy : TBaseSource::bsNone;
}

// Renames a journal that cannot be read so that it is kept but not read again; its new path,
// or an empty text when it could not be renamed.
QString SetAside(const QString& path) {
  QString kept = path + QStringLiteral(".endommage");
  for (int n = 2; QFileInfo::exists(kept) || QFileInfo(kept).isSymLink(); ++n)
    kept = path + QStringLiteral(".endommage-%1").arg(n);
  return QFile::rename(path, kept) ? kept : QString();
}

// What the question adds about the file when it is no longer the one the changes apply to.
QString FileNote(const TOrphanJournal& orphan) {
  const bool copied = orphan.Contents.HasCopy;
  switch (orphan.OnDisk) {
    case TBaseOnDisk::bdChanged:
      return copied ? QStringLiteral(
                          "\n\nLe fichier a été modifié par un autre programme depuis. Les modifications "
                          "récupérées s'appliquent au texte d'avant ce changement, et l'enregistrement "
                          "demandera avant de remplacer le fichier.")
                    : QStringLiteral(
                          "\n\nLe fichier a été modifié par un autre programme depuis : les modifications "
                          "ne peuvent plus lui être appliquées.");
    case TBaseOnDisk::bdGone:
      return copied ? QStringLiteral("\n\nLe fichier n'existe plus sur le disque.")
                    : QStringLiteral(
                          "\n\nLe fichier n'existe plus sur le disque : les modifications ne peuvent plus "
                          "être appliquées.");
    case TBaseOnDisk::bdNotChecked:
    case TBaseOnDisk::bdUntitled:
    case TBaseOnDisk::bdSame: break;
  }
  return {};
}

}  // namespace

QString TOrphanJournal::DocumentName() const {
  if (Contents.Base.FileName.empty()) return kUntitledName;
  return DisplayName(QDir::toNativeSeparators(FromLocal(Contents.Base.FileName)));
}

std::optional<TOrphanJournal> OpenOrphanJournal(const QString& path, QStringList* setAside) {
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
    file.close();
    // Only a journal that holds nothing at all goes; any other is kept for the user to see.
    if (IsJournalWithoutRecords(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
      DiscardOrphan(orphan);
    } else {
      const QString kept = SetAside(path);
      if (!kept.isEmpty() && setAside != nullptr) setAside->append(kept);
      ReleaseOrphan(orphan);
    }
    return std::nullopt;
  }
  return orphan;
}

bool IsOwnJournalPath(const QString& journalFolder, const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile() || info.isSymLink() || !TJournalKeeper::IsJournalName(info.fileName())) return false;
  const QString folder = QFileInfo(journalFolder).canonicalFilePath();
  return !folder.isEmpty() && info.canonicalPath() == folder;
}

QString NotAJournalMessage(const QString& path) {
  return QStringLiteral(
             "« %1 » n'est pas un journal de récupération de Quilmo : rien n'a été récupéré et ce fichier "
             "n'a pas été touché.")
      .arg(QDir::toNativeSeparators(path));
}

QString SetAsideMessage(const QStringList& setAside) {
  QStringList names;
  for (const QString& path : setAside) names << QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(path));
  if (names.size() == 1) {
    return QStringLiteral(
               "Un journal de récupération endommagé ne peut pas être lu. Il n'a pas été supprimé : il "
               "est gardé sous le nom %1.")
        .arg(names.front());
  }
  return QStringLiteral(
             "Des journaux de récupération endommagés ne peuvent pas être lus. Ils n'ont pas été "
             "supprimés : ils sont gardés sous les noms suivants.\n\n%1")
      .arg(names.join('\n'));
}

void CheckBaseOnDisk(TOrphanJournal& orphan, TTextFileEditor& reader) {
  const TJournalBase& base = orphan.Contents.Base;
  if (base.FileName.empty()) {
    orphan.OnDisk = TBaseOnDisk::bdUntitled;
    return;
  }
  TFileInfo info;
  if (reader.FileSystem().Stat(base.FileName, info) == ENOENT) {
    orphan.OnDisk = TBaseOnDisk::bdGone;
    return;
  }
  try {
    orphan.OnDisk =
        reader.FileHoldsJournalBase(base.FileName, base) ? TBaseOnDisk::bdSame : TBaseOnDisk::bdChanged;
  } catch (const std::exception&) {
    // A file that cannot be read now cannot be the base either.
    orphan.OnDisk = TBaseOnDisk::bdChanged;
  }
}

std::vector<TOrphanJournal> FindOrphanJournals(const QString& folder, QStringList* setAside) {
  std::vector<TOrphanJournal> orphans;
  const QDir dir(folder);
  for (const QString& name : dir.entryList({"*.journal"}, QDir::Files, QDir::Name))
    if (std::optional<TOrphanJournal> orphan = OpenOrphanJournal(dir.filePath(name), setAside))
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
             "avant (dernière modification le %2).%3\n\nVoulez-vous les récupérer ?")
      .arg(orphan.DocumentName(), ChangeTime(orphan), FileNote(orphan));
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
  const TBaseSource source = LoadBase(editor, contents, name);
  if (source == TBaseSource::bsNone) {
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
  // The copy served because the file no longer holds the base: someone else changed it.
  outcome.FileChanged = source == TBaseSource::bsCopy && QFileInfo(name).isFile();
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

// A journal's base record comes first and names the file; this much of the journal holds it.
constexpr qint64 kBaseBytes = 64 * 1024;

bool SameFile(const QString& a, const QString& b) {
  const QString canonical = QFileInfo(a).canonicalFilePath();
  return canonical.isEmpty() ? a == b : canonical == QFileInfo(b).canonicalFilePath();
}

}  // namespace

bool EditedInOtherCopy(const QString& folder, const QString& ownJournal, const QString& fileName) {
  const QDir dir(folder);
  for (const QString& name : dir.entryList({"kel-*.journal"}, QDir::Files, QDir::Name)) {
    const QString path = dir.filePath(name);
    if (!TJournalKeeper::IsJournalName(name) || SameFile(path, ownJournal)) continue;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QByteArray start = file.read(kBaseBytes);
    const TJournalContents contents =
        ReadJournal(std::string_view(start.constData(), static_cast<std::size_t>(start.size())));
    if (contents.State == TJournalState::jsUnreadable || contents.Base.FileName.empty() ||
        !SameFile(FromLocal(contents.Base.FileName), fileName))
      continue;
    // Its copy runs when the lock cannot be had; a lock had by mistake is let go at once.
    QLockFile lock(TJournalKeeper::LockPath(path));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0) && lock.error() == QLockFile::LockFailedError) return true;
  }
  return false;
}

QString EditedInOtherCopyQuestion(const QString& fileName) {
  return QStringLiteral(
             "Le fichier « %1 » est ouvert dans une autre fenêtre de Quilmo, où il a des modifications "
             "non enregistrées. S'il est modifié dans les deux fenêtres, l'enregistrement de l'une "
             "remplacera les modifications de l'autre.\n\nVoulez-vous l'ouvrir ici aussi ?")
      .arg(QDir::toNativeSeparators(fileName));
}

namespace {
const QString kRecoverSwitch = QStringLiteral("--recuperer");
}  // namespace

QStringList RecoveryArguments(const QString& path) {
  return {kRecoverSwitch, path};
}

QString TakeRecoveryArguments(QStringList& arguments) {
  if (arguments.size() != 2 || arguments[0] != kRecoverSwitch) return {};
  QString path = arguments[1];
  arguments.clear();
  return path;
}

}  // namespace quilmo
