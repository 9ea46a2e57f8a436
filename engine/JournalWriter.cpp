// The recovery journal of one paragraph list: recording and writing out.

#include "engine/JournalWriter.h"

#include <cerrno>
#include <string_view>

#include "engine/ParaList.h"

namespace quilmo {

TJournalWriter::TJournalWriter(TFileSystem& fileSystem, std::string path)
    : fs_(fileSystem), path_(std::move(path)) {}

TJournalWriter::~TJournalWriter() {
  Detach();
  CloseFile();
}

TJournalBaseHasher::TJournalBaseHasher(const std::shared_ptr<TParaList>& list)
    : list_(list), listAddress_(list.get()), known_(list->ParaCount() == 1 && list->LastParaLength() == 0) {
  list->SetObserver(this);
}

TJournalBaseHasher::~TJournalBaseHasher() {
  // A list destroyed already, or observed by a journal now, is not touched.
  if (const std::shared_ptr<TParaList> list = list_.lock(); list != nullptr && list->Observer() == this)
    list->SetObserver(nullptr);
}

void TJournalBaseHasher::ParaInserted(std::int32_t para, const char* text, std::int32_t count) {
  if (!known_ || para != next_) {
    known_ = false;
    return;
  }
  ++next_;
  // The node's buffer reaches a multiple of eight bytes past its characters.
  const auto length = static_cast<std::size_t>(count);
  hasher_.Add(text, length, (length + 8) & ~std::size_t{7});
}

std::optional<std::uint64_t> TJournalBaseHasher::Hash(const TParaList& list) const {
  // The appended paragraphs stand in front of the list's first, empty paragraph.
  if (!known_ || &list != listAddress_ || list.Observer() != this || list.ParaCount() != next_ ||
      list.LastParaLength() != 0)
    return std::nullopt;
  TJournalTextHasher last = hasher_;
  last.Add("", 0, 0);
  return last.Value();
}

void TJournalWriter::Start(TParaList& list, TJournalBase base) {
  Stop();
  const auto* hasher = dynamic_cast<const TJournalBaseHasher*>(list.Observer());
  const std::optional<std::uint64_t> known = hasher != nullptr ? hasher->Hash(list) : std::nullopt;
  base.TextHash = known ? *known : JournalTextHash(list);
  base.ParaCount = list.ParaCount();
  base.ByteCount = list.ByteCount();
  base_ = std::move(base);
  log_.assign(kJournalSignature);
  AppendBaseRecord(log_, base_);
  if (list.ByteCount() <= kJournalCopyLimit) AppendCopyRecord(log_, list);
  written_ = 0;
  changes_ = 0;
  pendingCheckpoint_ = false;
  list_ = &list;
  list.SetObserver(this);
}

int TJournalWriter::Stop() {
  Detach();
  CloseFile();
  log_.clear();
  written_ = 0;
  changes_ = 0;
  pendingCheckpoint_ = false;
  if (!fileExists_) return 0;
  const int err = fs_.Unlink(path_);
  if (err == 0 || err == ENOENT) fileExists_ = false;
  return err == ENOENT ? 0 : err;
}

void TJournalWriter::Detach() {
  if (list_ != nullptr && list_->Observer() == this) list_->SetObserver(nullptr);
  list_ = nullptr;
}

void TJournalWriter::CloseFile() {
  if (handle_ >= 0) fs_.Close(handle_);
  handle_ = -1;
}

void TJournalWriter::Recorded() {
  ++changes_;
  const bool wasIdle = !pendingCheckpoint_;
  pendingCheckpoint_ = true;
  if (wasIdle && OnPending) OnPending();
}

int TJournalWriter::Flush(std::int64_t now) {
  if (!HasUnwritten()) return 0;
  if (pendingCheckpoint_ && list_ != nullptr) {
    AppendCheckpointRecord(log_, now, list_->ParaCount(), list_->ByteCount());
  }
  pendingCheckpoint_ = false;
  const int err = WriteOut();
  if (err != 0) {
    // Start again from a new file next time: what this one holds is uncertain.
    CloseFile();
    if (fs_.Unlink(path_) == 0) fileExists_ = false;
    written_ = 0;
  }
  return err;
}

int TJournalWriter::WriteOut() {
  if (handle_ < 0) {
    if (fileExists_) {
      const int err = fs_.Unlink(path_);
      if (err != 0 && err != ENOENT) return err;
      fileExists_ = false;
    }
    if (int err = fs_.CreateNew(path_, 0600, handle_)) {
      handle_ = -1;
      return err;
    }
    fileExists_ = true;
    written_ = 0;
  }
  while (written_ < log_.size()) {
    std::size_t done = 0;
    if (int err = fs_.Write(handle_, log_.data() + written_, log_.size() - written_, done)) return err;
    if (done == 0) return EIO;
    written_ += done;
  }
  return fs_.Sync(handle_);
}

void TJournalWriter::TextInserted(std::int32_t para, std::int32_t pos, const char* text, std::int32_t count) {
  AppendChangeRecord(log_, TJournalRecord::jrInsertText, para, pos, count,
                     std::string_view(text, static_cast<std::size_t>(count)));
  Recorded();
}

void TJournalWriter::TextDeleted(std::int32_t para, std::int32_t pos, std::int32_t count) {
  AppendChangeRecord(log_, TJournalRecord::jrDeleteText, para, pos, count, {});
  Recorded();
}

void TJournalWriter::TextReplaced(std::int32_t para, std::int32_t pos, std::int32_t oldLength,
                                  const char* text, std::int32_t newLength) {
  AppendChangeRecord(log_, TJournalRecord::jrReplaceText, para, pos, oldLength,
                     std::string_view(text, static_cast<std::size_t>(newLength)));
  Recorded();
}

void TJournalWriter::ParaInserted(std::int32_t para, const char* text, std::int32_t count) {
  AppendChangeRecord(log_, TJournalRecord::jrInsertPara, para, 1, count,
                     std::string_view(text, static_cast<std::size_t>(count)));
  Recorded();
}

void TJournalWriter::ParaDeleted(std::int32_t para) {
  AppendChangeRecord(log_, TJournalRecord::jrDeletePara, para, 1, 0, {});
  Recorded();
}

void TJournalWriter::ListDestroyed() {
  // The changes recorded so far stay in the journal, which is flushed as before; later
  // flushes have no counts to check against and write no checkpoint.
  list_ = nullptr;
}

}  // namespace quilmo
