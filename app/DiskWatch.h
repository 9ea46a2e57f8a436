#pragma once
// Watches the open document's file and tells the user when another program changed, deleted
// or renamed it. An unmodified document is read again at once (the caret stays on its line);
// a modified one is left alone and the user is offered to reload it. Nothing here is modal:
// what is said goes to a notice the window shows beside the text, and no key is taken.
//
// The document's own saves change the file too: a change counts only when the file differs
// from what the document last loaded or saved (the stamp the save's own check uses). The
// watcher loses a file that is replaced by a rename (our saves, most editors' saves); the path
// is added again after every event, and the folder is watched as well, so that a file that
// comes back under its name is seen.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <string>

namespace quilmo {

class TFileSystem;

enum class TDiskNoticeKind : std::uint8_t {
  Reloaded,       // unmodified: read again without a question
  ChangedOnDisk,  // modified: the user may reload (and lose the changes) or keep the text
  ReloadFailed,   // the file could not be read again; the text is as it was
  Gone,           // deleted or renamed: the text is only in the window now
};

struct TDiskNotice {
  TDiskNoticeKind Kind = TDiskNoticeKind::Reloaded;
  QString Text;
  bool OffersReload = false;
  // Only news that asks nothing of the user may go away by itself.
  bool Passing = false;
};

// What the watch needs of the window.
class TDiskWatchWindow {
 public:
  virtual ~TDiskWatchWindow() = default;
  // The document's file (bytes as the file system takes them); empty while it has none.
  virtual std::string DocumentFile() = 0;
  // The name as the user reads it.
  virtual QString DocumentName() = 0;
  virtual bool DocumentModified() = 0;
  // The file differs from what the document last loaded or saved.
  virtual bool FileChangedSinceLoad() = 0;
  // Reads the file again through the document's load path, the caret kept on its line. False
  // when it could not (the text is then unchanged); `message` says why, or after a reload what
  // the load changed in the text (empty when nothing).
  virtual bool Reload(QString& message) = 0;
  // The file is gone: the document counts as modified so that closing asks before the text
  // is lost.
  virtual void KeepText() = 0;
  virtual void ShowNotice(const TDiskNotice& notice) = 0;
  virtual void HideNotice() = 0;
};

class TDiskWatch : public QObject {
 public:
  TDiskWatch(TDiskWatchWindow& window, TFileSystem& fileSystem, QObject* parent = nullptr);

  // Follows the document's file when it changed (another document, Save As); cheap when not.
  // Installed as an event filter on the window, it follows at each change of the caption and
  // looks at the file again when the window is activated.
  void Follow();
  // Looks at the file now and says or does what its state asks. Events of the watcher and the
  // window's activation end here (events a little later, once a writer is likely done).
  void Check();
  // The user's answers to the notice.
  void ReloadNow();
  void Dismiss();

  // The paths the system watcher follows (the file while it exists, and its folder).
  QStringList WatchedPaths() const;
  // How long events are gathered before the file is looked at.
  static constexpr int kSettleMs = 200;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What the watch already said about the file.
  enum class TSeen : std::uint8_t { InStep, Changed, Gone };

  void Watch();
  void Unwatch();
  void Say(TDiskNoticeKind kind, const QString& detail = QString());
  void Reload();

  TDiskWatchWindow& FWindow;
  TFileSystem& FFileSystem;
  QFileSystemWatcher FWatcher;
  QTimer FSettle;
  std::string FPath;
  TSeen FSeen = TSeen::InStep;
  // The file's size and time when its change was last told.
  std::uint64_t FToldSize = 0;
  std::int64_t FToldTime = 0;
  bool FNoticeShown = false;
};

}  // namespace quilmo
