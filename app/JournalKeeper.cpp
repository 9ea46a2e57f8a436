// The window document's recovery journal: folder, lock, flush timer.

#include "app/JournalKeeper.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "app/FileCommands.h"
#include "app/NameBytes.h"
#include "engine/FileError.h"
#include "engine/FileSystem.h"
#include "engine/ParaList.h"

namespace quilmo {
namespace {

// Changes are on disk at most this long after they are made.
constexpr int kFlushDelayMs = 1000;

// The bytes of a name, as the file layer takes them (names that are not UTF-8 included).
std::string LocalPath(const QString& path) {
  return NameBytes(path);
}

}  // namespace

QString TJournalKeeper::DefaultFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/journaux";
}

int TJournalKeeper::PrepareFolder(const QString& folder) {
  namespace fs = std::filesystem;
#ifdef Q_OS_WIN
  const fs::path path(folder.toStdWString());
#else
  const fs::path path(NameBytes(folder));
#endif
  std::error_code error;
  fs::create_directories(path, error);
  if (!error) fs::permissions(path, fs::perms::owner_all, fs::perm_options::replace, error);
  // The portable errno value (a Windows error code is mapped to its like).
  return error ? error.default_error_condition().value() : 0;
}

bool TJournalKeeper::IsJournalName(const QString& fileName) {
  static const QRegularExpression kName(QStringLiteral("^kel-[0-9]+-[0-9]+\\.journal$"));
  return kName.match(fileName).hasMatch();
}

TJournalKeeper::TJournalKeeper(const QString& folder, QObject* parent) : QObject(parent), folder_(folder) {
  timer_.setSingleShot(true);
  timer_.setInterval(kFlushDelayMs);
  connect(&timer_, &QTimer::timeout, this, [this] { FlushNow(); });
  folderReady_ = PrepareFolder(folder) == 0;
  // The process number and the start time make the name unique among running copies.
  const QString name = QString("kel-%1-%2.journal")
                           .arg(QCoreApplication::applicationPid())
                           .arg(QDateTime::currentMSecsSinceEpoch());
  path_ = QDir(folder).filePath(name);
  // The lock is taken before the journal is first written (FlushNow), not here: it is written
  // and synced to disk, which the start need not wait for, and a copy that changes nothing
  // leaves no lock behind if it ends abruptly.
  writer_ = std::make_unique<TJournalWriter>(DefaultFileSystem(), LocalPath(path_));
  writer_->OnPending = [this] {
    if (!timer_.isActive()) timer_.start();
  };
}

TJournalKeeper::~TJournalKeeper() {
  // A normal end: the window decided about the changes before it went away.
  End();
}

void TJournalKeeper::Begin(TParaList& list, const QString& fileName) {
  TJournalBase base;
  // An untitled document's name ("Sans titre…") names no file.
  const bool untitled = IsUntitled(LocalPath(fileName));
  if (!untitled) base.FileName = LocalPath(fileName);
  TFileInfo info;
  if (!untitled && DefaultFileSystem().Stat(base.FileName, info) == 0) {
    base.FileSize = info.Size;
    base.FileTime = info.ModifiedTime / 1'000'000;  // milliseconds
  }
  base.StartTime = QDateTime::currentMSecsSinceEpoch();
  timer_.stop();
  writer_->Start(list, base);
}

void TJournalKeeper::End() {
  timer_.stop();
  writer_->Stop();
}

bool TJournalKeeper::FlushNow() {
  timer_.stop();
  // A folder that could not be had (made, or made private) is tried again at every write.
  if (writer_->HasUnwritten() && !folderReady_) {
    if (const int err = PrepareFolder(folder_)) {
      Flushed(err);
      return false;
    }
    folderReady_ = true;
  }
  // A journal on disk always has its lock held: other copies take an unlocked one for an orphan.
  if (writer_->HasUnwritten() && !lock_) {
    if (const int err = TakeLock()) {
      Flushed(err);
      return false;
    }
  }
  Flushed(writer_->Flush(QDateTime::currentMSecsSinceEpoch()));
  return !writer_->HasUnwritten();
}

int TJournalKeeper::TakeLock() {
  auto lock = std::make_unique<QLockFile>(LockPath(path_));
  // Held as long as the copy runs, never taken for stale while its process lives.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return lock->error() == QLockFile::PermissionError ? EACCES : EEXIST;
  lock_ = std::move(lock);
  return 0;
}

void TJournalKeeper::Flushed(int err) {
  if (err == 0) {
    errorShown_ = false;
    return;
  }
  // Tried again a second later; the user hears of it once.
  timer_.start();
  if (errorShown_ || !OnError) return;
  errorShown_ = true;
  OnError(QString("Le journal de récupération ne peut pas être écrit (%1) : les modifications "
                  "faites depuis ne seront pas récupérées si le programme s'arrête.")
              .arg(QString::fromStdString(SystemErrorText(err))));
}

}  // namespace quilmo
