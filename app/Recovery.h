#pragma once
// Journals left by copies of the program that are no longer running, offered back at start:
// finding them, asking the user, recovering one into the editor, discarding one.

#include <QLockFile>
#include <QString>

#include <memory>
#include <vector>

#include "engine/JournalFormat.h"

class QWidget;

namespace quilmo {

class TJournalKeeper;
class TTextFileEditor;

// A journal whose copy of the program is gone; its lock is held by this copy meanwhile.
struct TOrphanJournal {
  QString Path;
  std::unique_ptr<QLockFile> Lock;
  TJournalContents Contents;

  // The document's name as the user knows it ("Sans titre" for an untitled one).
  QString DocumentName() const;
};

// The orphans of `folder` with something to recover, oldest change first. Journals with
// nothing recoverable (no sound base) are removed.
std::vector<TOrphanJournal> FindOrphanJournals(const QString& folder);

enum class TRecoveryChoice { rcRecover, rcKeep, rcDiscard };

// The French question naming the document and its last change time.
QString RecoveryQuestion(const TOrphanJournal& orphan);
TRecoveryChoice AskRecovery(QWidget* parent, const TOrphanJournal& orphan);

struct TRecoveryOutcome {
  bool Recovered = false;
  QString Message;  // French; empty when there is nothing to tell
};

// Puts the orphan's text into the editor as a modified document under the document's name
// (the file on disk is not touched): onto the file when it still holds the journal's base,
// else onto the journal's copy of the base; refused when neither is there. On success the
// keeper journals the recovered document and the orphan is removed.
TRecoveryOutcome RecoverInto(TTextFileEditor& editor, TJournalKeeper& keeper, TOrphanJournal& orphan);

// Removes the orphan's journal and lock.
void DiscardOrphan(TOrphanJournal& orphan);

// At start, before the first document is opened: asks about each orphan of `folder` in turn.
// The first one the user recovers goes into the editor; as the window holds one document,
// the ones after it are kept for the next start without asking. True when one was recovered.
bool OfferRecovery(QWidget* parent, TTextFileEditor& editor, TJournalKeeper& keeper, const QString& folder);

}  // namespace quilmo
