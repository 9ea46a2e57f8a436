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

// A journal whose copy of the program is gone; its lock is held by this copy meanwhile.
struct TOrphanJournal {
  QString Path;
  std::unique_ptr<QLockFile> Lock;
  TJournalContents Contents;

  // The document's name as the user knows it ("Sans titre" for an untitled one).
  QString DocumentName() const;
};

// The orphan at `path` when no running copy holds it and it has something to recover; this
// copy then holds its lock. A journal with nothing recoverable is removed.
std::optional<TOrphanJournal> OpenOrphanJournal(const QString& path);

// The orphans of `folder` with something to recover, oldest change first.
std::vector<TOrphanJournal> FindOrphanJournals(const QString& folder);

enum class TRecoveryChoice { rcRecover, rcKeep, rcDiscard };

// The French question naming the document and its last change time.
QString RecoveryQuestion(const TOrphanJournal& orphan);
// Asks about orphan `index` (1-based) of `count`: recover, keep for later, or discard.
TRecoveryChoice AskRecovery(TPrompter& prompter, QWidget* parent, const TOrphanJournal& orphan, int index,
                            int count);

struct TRecoveryOutcome {
  bool Recovered = false;
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

// The arguments of a copy of the program started to recover the journal at `path`.
QStringList RecoveryArguments(const QString& path);
// When `arguments` are those of such a copy: removes them and gives the journal's path;
// otherwise leaves them and gives an empty text.
QString TakeRecoveryArguments(QStringList& arguments);

}  // namespace quilmo
