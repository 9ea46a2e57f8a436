#pragma once
// The recovery journal's bytes: what a document's journal holds and how it is read back.
//
// A journal is the 8-byte signature followed by records. Each record is its payload length
// (32 bits), the payload (a type byte and the type's fields) and a CRC-32 of the payload, so
// that a record cut short or with bad bytes is recognised and everything before it is kept.
// Integers are little-endian. The records, in order:
//   base        the text the changes apply to: the file's name, size and modification time
//               as the program saw them, a hash and the counts of the paragraphs it loaded,
//               and when the journal was started;
//   base copy   (optional) the base paragraphs themselves, kept for small texts so that the
//               journal can be recovered even when the file changed on disk since;
//   changes     what each primitive of the paragraph list did (see TParaListObserver);
//   checkpoint  written with every batch: the time and the paragraph and byte counts the
//               text had then, checked while replaying.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quilmo {

class TParaList;

inline constexpr std::string_view kJournalSignature{"QLMJRNL1", 8};
// Texts up to this many bytes are copied into their journal.
inline constexpr std::int32_t kJournalCopyLimit = 1 << 20;

enum class TJournalRecord : std::uint8_t {
  jrBase = 1,
  jrBaseCopy = 2,
  jrInsertText = 3,
  jrDeleteText = 4,
  jrReplaceText = 5,
  jrInsertPara = 6,
  jrDeletePara = 7,
  jrCheckpoint = 8,
};

// The text a journal's changes apply to.
struct TJournalBase {
  std::string FileName;        // empty for an untitled document
  std::uint64_t FileSize = 0;  // as the program saw the file when it loaded it
  std::int64_t FileTime = 0;   // modification time, ms since 1970 (0 when unknown)
  std::uint64_t TextHash = 0;  // JournalTextHash of the paragraphs
  std::int32_t ParaCount = 1;
  std::int32_t ByteCount = 0;
  std::int64_t StartTime = 0;  // ms since 1970
};

// One change or checkpoint. Insertions carry their characters in Text; a replacement's Count
// is the old length; a checkpoint's Para and Pos are the paragraph and byte counts.
struct TJournalChange {
  TJournalRecord Type = TJournalRecord::jrCheckpoint;
  std::int32_t Para = 0;
  std::int32_t Pos = 0;
  std::int32_t Count = 0;
  std::int64_t Time = 0;  // checkpoints only
  std::string Text;
};

enum class TJournalState {
  jsComplete,    // every byte belongs to a sound record
  jsCutShort,    // the last record is incomplete (the program died while writing it)
  jsDamaged,     // a record has bad bytes; the records behind it are ignored
  jsUnreadable,  // no sound signature and base: nothing can be recovered
};

struct TJournalContents {
  TJournalState State = TJournalState::jsUnreadable;
  TJournalBase Base;
  bool HasCopy = false;
  std::vector<std::string> Copy;  // the base paragraphs when HasCopy
  // The changes up to the last checkpoint: a batch the program did not finish writing is
  // left out, so that the text recovered is one the document really had.
  std::vector<TJournalChange> Changes;
  std::size_t ChangesLeftOut = 0;   // sound changes behind the last checkpoint
  std::int64_t LastChangeTime = 0;  // time of the last checkpoint read, else Base.StartTime
  std::size_t SoundBytes = 0;       // bytes up to the end of the last sound record
};

// Hash of the paragraphs' texts (with their boundaries); moves the list's cursor cache.
std::uint64_t JournalTextHash(TParaList& list);

// The same hash taken one paragraph at a time, first to last.
class TJournalTextHasher {
 public:
  // `readable`: how many bytes from `text` on may be read (at least `length`); reading whole
  // words past the end of the text is quicker than byte by byte.
  void Add(const char* text, std::size_t length, std::size_t readable);
  std::uint64_t Value() const { return h_; }

 private:
  void Mix(std::uint64_t word) {
    h_ = (h_ ^ word) * 0x9E3779B97F4A7C15ull;
    h_ ^= h_ >> 29;
  }

  std::uint64_t h_ = 0x243F6A8885A308D3ull;
};
std::uint32_t Crc32(std::string_view bytes);

// Record encoders: append one whole record to `out`.
void AppendBaseRecord(std::string& out, const TJournalBase& base);
void AppendCopyRecord(std::string& out, TParaList& list);
void AppendChangeRecord(std::string& out, TJournalRecord type, std::int32_t para, std::int32_t pos,
                        std::int32_t count, std::string_view text);
void AppendCheckpointRecord(std::string& out, std::int64_t time, std::int32_t paraCount,
                            std::int32_t byteCount);

// The bytes hold nothing but the start of a journal's signature (or nothing at all): the
// program stopped while creating the journal, before any of the text reached it.
bool IsJournalWithoutRecords(std::string_view bytes);

// Reads a journal's bytes; never fails: damage shows in State, and everything written before
// the damage up to the last checkpoint is kept.
TJournalContents ReadJournal(std::string_view bytes);

}  // namespace quilmo
