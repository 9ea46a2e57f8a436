#include "app/DiskWatch.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>

#include "engine/FileSystem.h"

namespace quilmo {

namespace {

QString FromBytes(const std::string& name) {
  return QFile::decodeName(QByteArray::fromStdString(name));
}

}  // namespace

TDiskWatch::TDiskWatch(TDiskWatchWindow& window, TFileSystem& fileSystem, QObject* parent)
    : QObject(parent), FWindow(window), FFileSystem(fileSystem) {
  FSettle.setSingleShot(true);
  FSettle.setInterval(kSettleMs);
  connect(&FSettle, &QTimer::timeout, this, &TDiskWatch::Check);
  // A writer usually makes several changes in a row (truncate, write, close): the file is
  // looked at once they have settled.
  const auto settle = [this](const QString&) { FSettle.start(); };
  connect(&FWatcher, &QFileSystemWatcher::fileChanged, this, settle);
  connect(&FWatcher, &QFileSystemWatcher::directoryChanged, this, settle);
}

void TDiskWatch::Follow() {
  const std::string path = FWindow.DocumentFile();
  if (path == FPath) return;
  Unwatch();
  FPath = path;
  FSeen = TSeen::InStep;
  if (FNoticeShown) {
    FWindow.HideNotice();
    FNoticeShown = false;
  }
  Watch();
}

void TDiskWatch::Watch() {
  if (FPath.empty()) return;
  const QString path = FromBytes(FPath);
  const QStringList files = FWatcher.files();
  if (!files.contains(path) && QFileInfo::exists(path)) FWatcher.addPath(path);
  const QString folder = QFileInfo(path).absolutePath();
  if (!FWatcher.directories().contains(folder) && QFileInfo::exists(folder)) FWatcher.addPath(folder);
}

void TDiskWatch::Unwatch() {
  const QStringList paths = WatchedPaths();
  if (!paths.isEmpty()) FWatcher.removePaths(paths);
  FSettle.stop();
}

QStringList TDiskWatch::WatchedPaths() const {
  return FWatcher.files() + FWatcher.directories();
}

void TDiskWatch::Check() {
  Follow();
  if (FPath.empty()) return;
  // A file replaced by a rename has left the watcher: its new self is watched again.
  Watch();
  TFileInfo info;
  if (FFileSystem.Stat(FPath, info) != 0 || !info.IsRegular) {
    if (FSeen == TSeen::Gone) return;
    FSeen = TSeen::Gone;
    FWindow.KeepText();
    Say(TDiskNoticeKind::Gone);
    return;
  }
  if (!FWindow.FileChangedSinceLoad()) {
    // The document's own save, or the file back as the document knows it: what was said
    // about a change or a loss no longer holds (news of a reload stays).
    if (FSeen != TSeen::InStep && FNoticeShown) Dismiss();
    FSeen = TSeen::InStep;
    return;
  }
  // Told once for each version of the file (the folder's events come for any of its files).
  if (FSeen == TSeen::Changed && info.Size == FToldSize && info.ModifiedTime == FToldTime) return;
  FSeen = TSeen::Changed;
  FToldSize = info.Size;
  FToldTime = info.ModifiedTime;
  if (FWindow.DocumentModified())
    Say(TDiskNoticeKind::ChangedOnDisk);
  else
    Reload();
}

void TDiskWatch::Reload() {
  QString message;
  if (!FWindow.Reload(message)) {
    Say(TDiskNoticeKind::ReloadFailed, message);
    return;
  }
  FSeen = TSeen::InStep;
  Say(TDiskNoticeKind::Reloaded, message);
}

void TDiskWatch::ReloadNow() {
  Follow();
  if (FPath.empty()) return;
  Reload();
}

void TDiskWatch::Dismiss() {
  FWindow.HideNotice();
  FNoticeShown = false;
}

void TDiskWatch::Say(TDiskNoticeKind kind, const QString& detail) {
  const QString name = FWindow.DocumentName();
  TDiskNotice notice;
  notice.Kind = kind;
  switch (kind) {
    case TDiskNoticeKind::Reloaded:
      notice.Text =
          QStringLiteral("« %1 » a été modifié par un autre programme et a été rechargé.").arg(name);
      break;
    case TDiskNoticeKind::ChangedOnDisk:
      notice.Text = QStringLiteral(
                        "« %1 » a été modifié par un autre programme. Vos modifications ne sont pas "
                        "enregistrées : « Recharger » les remplace par le contenu du fichier.")
                        .arg(name);
      notice.OffersReload = true;
      break;
    case TDiskNoticeKind::ReloadFailed:
      notice.Text =
          QStringLiteral("« %1 » a été modifié par un autre programme mais n'a pas pu être rechargé.")
              .arg(name);
      notice.OffersReload = true;
      break;
    case TDiskNoticeKind::Gone:
      notice.Text = QStringLiteral(
                        "« %1 » a été supprimé ou renommé : le texte n'existe plus que dans cette "
                        "fenêtre. Enregistrez-le pour le garder.")
                        .arg(name);
      break;
  }
  if (!detail.isEmpty()) notice.Text += QLatin1Char(' ') + detail;
  notice.Passing = kind == TDiskNoticeKind::Reloaded && detail.isEmpty();
  FWindow.ShowNotice(notice);
  FNoticeShown = true;
}

bool TDiskWatch::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowTitleChange:
      // The caption names the document: it follows every load, New and Save As.
      Follow();
      break;
    case QEvent::WindowActivate:
      // Coming back to the window: a change the watcher could not report is seen now.
      FSettle.start();
      break;
    default: break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quilmo
