#pragma once
// The recovery journal of the window's document: one journal per running copy of the
// program, in the user's private journal folder, next to a lock the copy holds from the
// journal's first write on (a journal whose lock nobody holds is an orphan, offered back at the
// next start).
// Changes are written out and synced at most a second after they are made.

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

#include "engine/JournalWriter.h"

namespace quilmo {

class TParaList;

class TJournalKeeper : public QObject {
 public:
  // `folder`: where the journals live (DefaultFolder() in the program, a temporary folder in
  // tests). The folder is created private to the user when missing, at the latest when the
  // journal is first written; a folder that cannot be had is tried again at every write.
  explicit TJournalKeeper(const QString& folder, QObject* parent = nullptr);
  ~TJournalKeeper() override;

  // The per-user state folder's "journaux" subfolder.
  static QString DefaultFolder();
  // Creates the folder when missing and makes it private (0700); 0, or an errno value when it
  // cannot be had.
  static int PrepareFolder(const QString& folder);
  // A journal's lock file.
  static QString LockPath(const QString& journalPath) { return journalPath + ".lock"; }
  // The name is one this program gives its journals ("kel-<process>-<time>.journal").
  static bool IsJournalName(const QString& fileName);

  // Journals the changes of `list`, whose present text was just loaded from `fileName`
  // (empty or "Sans titre…": an untitled document). Any previous journal of this copy is removed.
  void Begin(TParaList& list, const QString& fileName);
  // Removes the journal: the document was saved, replaced, or closed with its changes saved
  // or discarded.
  void End();
  // Writes out and syncs what waits; true when nothing is left unwritten.
  bool FlushNow();

  QString JournalPath() const { return path_; }
  // Called (once until a write succeeds again) with a French message when the journal or its
  // folder cannot be written.
  std::function<void(const QString&)> OnError;

 private:
  void Flushed(int err);
  // Takes the journal's lock: 0, or an errno value when it cannot be had.
  int TakeLock();

  QString folder_;
  bool folderReady_ = false;
  QString path_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<TJournalWriter> writer_;
  QTimer timer_;
  bool errorShown_ = false;
};

}  // namespace quilmo
