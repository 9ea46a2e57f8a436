#pragma once
// Keeps the recovery journal of one paragraph list: hears every change of the text as the
// list's observer, encodes it at once (a few bytes per keystroke) and writes the batch out
// and syncs it when Flush is called (the program does so a second after a change).
//
// The journal file is created, private to the user, by the first flush that has a change to
// write. Every byte of the journal is kept in memory as well, so that a failed write is
// retried whole: the file is then removed and written again from the start, and never
// holds a record behind a hole or half a record in front of later ones.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/FileSystem.h"
#include "engine/JournalFormat.h"
#include "engine/ParaListObserver.h"

namespace quilmo {

// Hashes a new list's paragraphs as they are appended (a file loading into it), while their
// bytes are at hand, so that a journal started on the loaded text takes its base hash from here
// instead of reading the whole text again. It observes the list until a journal takes that
// place; any change other than an append at the end makes its hash unknown.
class TJournalBaseHasher final : public TParaListObserver {
 public:
  // `list` holds one empty paragraph (else the hash is unknown); the hasher becomes its observer.
  explicit TJournalBaseHasher(const std::shared_ptr<TParaList>& list);
  ~TJournalBaseHasher() override;
  TJournalBaseHasher(const TJournalBaseHasher&) = delete;
  TJournalBaseHasher& operator=(const TJournalBaseHasher&) = delete;

  // JournalTextHash(list) when `list` is the hasher's list, still observed by it, and every
  // change it heard was an append; nothing otherwise.
  std::optional<std::uint64_t> Hash(const TParaList& list) const;

  // TParaListObserver
  void TextInserted(std::int32_t, std::int32_t, const char*, std::int32_t) override { known_ = false; }
  void TextDeleted(std::int32_t, std::int32_t, std::int32_t) override { known_ = false; }
  void TextReplaced(std::int32_t, std::int32_t, std::int32_t, const char*, std::int32_t) override {
    known_ = false;
  }
  void ParaInserted(std::int32_t para, const char* text, std::int32_t count) override;
  void ParaDeleted(std::int32_t) override { known_ = false; }
  void ListDestroyed() override { known_ = false; }

 private:
  std::weak_ptr<TParaList> list_;
  const TParaList* listAddress_;
  TJournalTextHasher hasher_;
  std::int32_t next_ = 1;  // the number an appended paragraph gets
  bool known_;
};

class TJournalWriter final : public TParaListObserver {
 public:
  TJournalWriter(TFileSystem& fileSystem, std::string path);
  ~TJournalWriter() override;
  TJournalWriter(const TJournalWriter&) = delete;
  TJournalWriter& operator=(const TJournalWriter&) = delete;

  // Starts the journal of `list`, whose present text is the base the changes will apply to:
  // `base` gives the file's identity, the text's hash and counts are computed here (one pass
  // over the text, unless the list's TJournalBaseHasher knows the hash), and a text of at most
  // kJournalCopyLimit bytes is copied into the journal. Removes the journal of a previous start. The writer
  // becomes the list's observer.
  void Start(TParaList& list, TJournalBase base);
  // Stops listening and removes the journal file (a save, a new document, another file, a
  // normal close). 0 or an errno value of the removal.
  int Stop();

  // The list is observed (it was started and neither stopped nor destroyed).
  bool Active() const { return list_ != nullptr; }
  // Changes were recorded since the start.
  bool HasChanges() const { return changes_ > 0; }
  // Changes recorded but not yet written and synced.
  bool HasUnwritten() const { return changes_ > 0 && (written_ < log_.size() || pendingCheckpoint_); }
  const std::string& Path() const { return path_; }
  const TJournalBase& Base() const { return base_; }

  // Writes what was recorded since the last flush and a checkpoint with `now` (ms since
  // 1970) and the text's counts, then syncs the file. Nothing to write: nothing done.
  // 0 or the errno value of the failed call; what failed is written again next time.
  int Flush(std::int64_t now);

  // Called by the first change recorded after a flush (or the start): the program starts its
  // flush timer. After a failed flush, HasUnwritten tells that another flush is needed.
  std::function<void()> OnPending;

  // TParaListObserver
  void TextInserted(std::int32_t para, std::int32_t pos, const char* text, std::int32_t count) override;
  void TextDeleted(std::int32_t para, std::int32_t pos, std::int32_t count) override;
  void TextReplaced(std::int32_t para, std::int32_t pos, std::int32_t oldLength, const char* text,
                    std::int32_t newLength) override;
  void ParaInserted(std::int32_t para, const char* text, std::int32_t count) override;
  void ParaDeleted(std::int32_t para) override;
  void ListDestroyed() override;

 private:
  void Recorded();
  int WriteOut();
  void CloseFile();
  void Detach();

  TFileSystem& fs_;
  std::string path_;
  TParaList* list_ = nullptr;
  TJournalBase base_;
  std::string log_;  // every byte of the journal
  std::size_t written_ = 0;
  std::size_t changes_ = 0;
  bool pendingCheckpoint_ = false;
  bool fileExists_ = false;
  TFileHandle handle_ = -1;
};

}  // namespace quilmo
