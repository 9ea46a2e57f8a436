#pragma once
// Journals left by copies of the program that are no longer running, offered back at start:
// finding them, asking the user, recovering one into the editor, discarding or keeping one,
// and the arguments of a copy of the program started to recover one.

#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

#include "engine/JournalFormat.h"

class QWidget;

namespace quilmo {

class TJournalKeeper;
class TPrompter;
class TTextFileEditor;

// The document's file now, against the text the journal's changes apply to.
enum class TBaseOnDisk {
  bdNotChecked,
  bdUntitled,  // the document had no file
  bdSame,      // the file still holds that text
  bdChanged,   // another program changed the file since
  bdGone,      // the file is no longer there
};

// A journal whose copy of the program is gone; its lock is held by this copy meanwhile.
struct TOrphanJournal {
  QString Path;
  std::unique_ptr<QLockFile> Lock;
  TJournalContents Contents;
  TBaseOnDisk OnDisk = TBaseOnDisk::bdNotChecked;

  // The document's name as the user knows it ("Sans titre" for an untitled one).
  QString DocumentName() const;
};

// The orphan at `path` when no running copy holds it and it reads as a journal; this copy then
// holds its lock. A file that does not read as a journal is never removed: one that holds
// more than the start of a journal's signature is renamed "<name>.endommage", which is put in
// `setAside` (when given), so that it is neither lost nor offered again. Only a journal that
// stopped before its first record is removed.
std::optional<TOrphanJournal> OpenOrphanJournal(const QString& path, QStringList* setAside = nullptr);

// The orphans of `folder` with something to recover, oldest change first; journals that do
// not read as journals are set aside as OpenOrphanJournal says.
std::vector<TOrphanJournal> FindOrphanJournals(const QString& folder, QStringList* setAside = nullptr);

// The path that a copy was asked to recover names a journal of this program in its journal
// folder (a plain file, named as the program names its journals).
bool IsOwnJournalPath(const QString& journalFolder, const QString& path);
// The French refusal for a path that is not one.
QString NotAJournalMessage(const QString& path);
// The French message for journals set aside because they cannot be read.
QString SetAsideMessage(const QStringList& setAside);

// Compares the document's file with the journal's base, reading it as `reader` reads files
// (the reader's text is not touched); sets orphan.OnDisk.
void CheckBaseOnDisk(TOrphanJournal& orphan, TTextFileEditor& reader);

enum class TRecoveryChoice { rcRecover, rcKeep, rcDiscard };

// The French question naming the document and its last change time, and saying so when the
// file changed since (CheckBaseOnDisk).
QString RecoveryQuestion(const TOrphanJournal& orphan);
// Asks about orphan `index` (1-based) of `count`: recover, keep for later, or discard.
TRecoveryChoice AskRecovery(TPrompter& prompter, QWidget* parent, const TOrphanJournal& orphan, int index,
                            int count);

struct TRecoveryOutcome {
  bool Recovered = false;
  // The text recovered applies to the journal's copy of the file, which another program has
  // changed since: the first save must ask before it replaces the file.
  bool FileChanged = false;
  QString Message;  // French; empty when there is nothing to tell
};

// Puts the orphan's text into the editor as a modified document under the document's name
// (the file on disk is not touched): onto the file when it still holds the journal's base,
// else onto the journal's copy of the base; refused when neither is there (the editor is then
// left with an empty untitled document). On success the keeper journals the recovered
// document and the orphan is removed.
TRecoveryOutcome RecoverInto(TTextFileEditor& editor, TJournalKeeper& keeper, TOrphanJournal& orphan);

// Removes the orphan's journal and lock.
void DiscardOrphan(TOrphanJournal& orphan);
// Lets the orphan go without removing it: it stays for a later start or for another copy.
void ReleaseOrphan(TOrphanJournal& orphan);

// Another running copy of the program has unsaved changes of `fileName`: a journal of `folder`
// other than `ownJournal` is of that file and its lock is held. Journals of copies that died
// are not counted (they are offered at the next start).
bool EditedInOtherCopy(const QString& folder, const QString& ownJournal, const QString& fileName);
// The French question asked before such a file is opened here too.
QString EditedInOtherCopyQuestion(const QString& fileName);

// The arguments of a copy of the program started to recover the journal at `path`.
QStringList RecoveryArguments(const QString& path);
// When `arguments` are those of such a copy: removes them and gives the journal's path;
// otherwise leaves them and gives an empty text.
QString TakeRecoveryArguments(QStringList& arguments);

}  // namespace quilmo
