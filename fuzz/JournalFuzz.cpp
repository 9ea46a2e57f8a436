// Damaged and nonsensical recovery journals fed to the recovery.
//
// The input is read twice. As raw bytes it is a journal (often without a sound signature or
// base, which must be reported unreadable). Then it is decoded as a list of change records,
// written with sound checksums behind a base so that the replay sees every kind of record
// with any paragraph, position and count, and finally damaged (cut short, one byte spoiled)
// at places the input chooses. Reading must never crash; replay must never crash, must stop
// at the first change that does not fit and leave a paragraph list whose counts agree with
// its paragraphs.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/JournalFormat.h"
#include "engine/JournalReplay.h"
#include "engine/ParaList.h"

namespace {

using namespace quilmo;

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "check failed: %s\n", what);
  std::abort();
}

// Reads small numbers from the input; zeros once it is used up.
class TInput {
 public:
  TInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::int32_t Small() { return static_cast<std::int32_t>(Byte() % 12) - 1; }
  bool More() const { return at_ < size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

void CheckCounts(TParaList& list) {
  std::int64_t bytes = 0;
  for (std::int32_t i = 1; i <= list.ParaCount(); ++i) bytes += list.ParaLength(i) + 2;
  Check(bytes == std::int64_t{list.ByteCount()} + 2, "byte count");
}

void Recover(std::string_view bytes) {
  const TJournalContents contents = ReadJournal(bytes);
  if (contents.State == TJournalState::jsUnreadable) {
    Check(contents.Changes.empty(), "changes without a base");
    return;
  }
  Check(contents.SoundBytes <= bytes.size(), "sound bytes within the journal");
  Check(contents.Changes.empty() || contents.Changes.back().Type == TJournalRecord::jrCheckpoint,
        "changes end at a checkpoint");
  TParaList list;
  if (contents.HasCopy) Check(LoadJournalCopy(list, contents.Copy) == 0, "copy loads");
  ReplayJournal(list, contents.Changes);
  CheckCounts(list);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Recover(std::string_view(reinterpret_cast<const char*>(data), size));

  TInput in(data, size);
  std::string journal(kJournalSignature);
  TJournalBase base;
  base.ParaCount = 2;
  base.ByteCount = 7;
  AppendBaseRecord(journal, base);
  {
    TParaList copy;
    Check(copy.InsertText(1, 1, "abc", 3) == 0 && copy.InsertParaAfter(1, "de", 2) == 0, "base text builds");
    AppendCopyRecord(journal, copy);
  }
  const std::string text = "xyz\tq";
  while (in.More()) {
    const std::uint8_t op = in.Byte();
    const std::int32_t para = in.Small();
    const std::int32_t pos = in.Small();
    const std::int32_t count = in.Small();
    const std::string_view chars = std::string_view(text).substr(0, static_cast<std::size_t>(in.Byte() % 6));
    if (op % 8 == 7) {
      AppendCheckpointRecord(journal, 0, para, pos);
    } else {
      AppendChangeRecord(journal, static_cast<TJournalRecord>(3 + op % 5), para, pos, count, chars);
      if (op & 0x80) AppendCheckpointRecord(journal, 0, 0x7FFFFFFF, -1);  // a checkpoint that never fits
    }
  }
  Recover(journal);
  // The same journal cut short and spoiled where the first bytes say.
  const std::size_t cut = size > 0 ? (data[0] * 131u + size) % (journal.size() + 1) : journal.size();
  Recover(std::string_view(journal).substr(0, cut));
  if (size > 1 && !journal.empty()) {
    journal[(data[1] * 257u + size) % journal.size()] ^= 0x5A;
    Recover(journal);
  }
  return 0;
}
