#pragma once
// Recovery: puts a journal's changes back onto its base text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/JournalFormat.h"

namespace quilmo {

class TParaList;
class TParaListView;

// Whether `list` holds the text the journal's changes apply to (counts and hash agree).
bool IsJournalBase(TParaList& list, const TJournalBase& base);

// Makes the list, which must hold one empty paragraph, hold the copied paragraphs. 0 or the
// error code of the primitive that failed.
std::uint16_t LoadJournalCopy(TParaList& list, const std::vector<std::string>& copy,
                              TParaListView* sender = nullptr);

struct TReplayResult {
  std::size_t Applied = 0;  // changes applied, checkpoints not counted
  bool Consistent = true;   // false: a change did not fit the text and the replay stopped there
};

// Applies the changes in order through the list's primitives (with its limits lifted, as
// the text existed before). A change that does not fit the text (a paragraph or position
// that does not exist) or a checkpoint whose counts differ stops the replay: what was
// applied before it stays.
TReplayResult ReplayJournal(TParaList& list, const std::vector<TJournalChange>& changes,
                            TParaListView* sender = nullptr);

}  // namespace quilmo
