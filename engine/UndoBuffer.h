#pragma once
// The history of changes of one paragraph list, in one block of memory.
//
// The block starts at its configured size (at most 65535 bytes) and grows when the newest
// step (the open group, or the record being written) takes more than half of it, so that it
// holds the configured size or about twice the largest step, never more than its ceiling.
// Older steps are dropped, oldest first, only when the block is full and need not grow.
// A step larger than the ceiling (or than the memory the system gives) cannot be held: the
// editor asks Reserve before a large edit, so that the user is asked first.
//
// Record layout, back to back, oldest first (14-byte header + data):
//   i32 paragraph, i32 position, u16 data length, u16 back distance,
//   u8 kind (low 7 bits) | Modified-before flag (bit 7), u8 group, data...
// The back distance is read unsigned so that records of more than 32767 bytes still chain.
// Paragraph records hold a TParaNode pointer as their data. A replace record holds
// u16 old length, old text, new text (16 bytes + both texts): the texts may contain NUL
// characters, so the old length is stored rather than found by a separator.
// A paragraph referred to by a record and not in the list belongs to that record (undoable
// ukDeletePara, redoable ukInsertParaBefore/After) and is destroyed with it.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace quilmo {

class TParaNode;

enum TUndoKind : std::uint8_t {
  ukCaret = 0,
  ukInsertText = 1,
  ukInsertParaBefore = 2,
  ukInsertParaAfter = 3,
  ukDeleteText = 4,
  ukDeletePara = 5,
  ukReplaceText = 6,
};

inline constexpr int kUndoHeaderSize = 14;
// The most the block may grow to. The records of an edit take about one byte per character
// it inserts or deletes within a paragraph and 22 bytes per paragraph it inserts or removes
// (the paragraphs themselves are kept, not copied): a whole-document edit of a 100 MB text
// takes 50 to 250 MB, so 512 MiB holds any single edit of such a text, while the history
// never adds more than that to the memory the text itself takes.
inline constexpr std::uint64_t kUndoCeiling = std::uint64_t{512} << 20;
// The largest record the 16-bit lengths and back distances can chain.
inline constexpr std::uint32_t kMaxUndoRecord = 65535;

// One record as handed out by the replay.
struct TUndoStep {
  TUndoKind Kind = ukCaret;
  std::uint8_t Group = 0;
  std::int32_t Para = 0;
  std::int32_t Pos = 0;
  bool Modified = false;       // the list's flag before the change
  const char* Data = nullptr;  // text kinds: the characters; ukReplaceText: the old text
  std::int32_t Length = 0;
  const char* NewData = nullptr;  // ukReplaceText: the new text
  std::int32_t NewLength = 0;
  TParaNode* Node = nullptr;  // paragraph kinds
};

class TUndoBuffer {
 public:
  // Allocates `size` bytes, halving on failure down to nothing (no undo at all).
  // `allocate` (tests) returns null on failure or memory that delete[] frees.
  using TAllocator = char* (*)(std::size_t);
  explicit TUndoBuffer(std::uint16_t size, TAllocator allocate = nullptr);
  ~TUndoBuffer();  // destroys the paragraphs owned by records
  TUndoBuffer(const TUndoBuffer&) = delete;
  TUndoBuffer& operator=(const TUndoBuffer&) = delete;

  // The configured size obtained; the block never shrinks below it.
  std::uint16_t Size() const;
  // The bytes the block holds now (Size() or more after growing).
  std::int64_t Capacity() const;
  // Bytes not used by undoable records (the space of redoable records counts as free).
  std::int64_t Free() const;
  // The most the block may grow to (tests lower it); never below Size().
  std::uint64_t Ceiling() const { return ceiling_; }
  void SetCeiling(std::uint64_t ceiling);

  // Makes sure that a step of up to `bytes` more bytes of records (added to the open group,
  // or a new step) can be held, growing the block now; false when it cannot, because it
  // exceeds the ceiling or the memory is not available. Nothing is dropped or changed then.
  // A buffer of no bytes (no history kept) answers true.
  bool Reserve(std::uint64_t bytes);
  // The open group will not be recorded: the history is forgotten and every record until the
  // outermost group ends is refused. Outside a group only the history is forgotten.
  void Abandon();

  // Appends (or merges) a record; returns whether it was stored. For paragraph kinds `data`
  // is ignored and `node` is recorded (the record owns it when it is not in the list).
  bool AddRecord(TUndoKind kind, bool modified, const char* data, std::int32_t length, std::int32_t pos,
                 std::int32_t para, TParaNode* node = nullptr);
  bool AddReplaceRecord(bool modified, std::int32_t para, std::int32_t pos, const char* oldText,
                        std::int32_t oldLength, const char* newText, std::int32_t newLength);

  bool BeginGroup();
  void EndGroup(bool wasInGroup);
  bool InGroup() const;

  void Clear();
  void MarkModified();

  std::int32_t UndoCount() const;
  std::int32_t RedoCount() const;

  // Replay. Undo: while UndoCount() > 0 and the current record's group is the group of the
  // first record taken, TakeUndo() returns the current record and steps back. Redo likewise
  // forward; TakeRedo stores `listModified` in the record's bit 7 first. The step's pointers
  // stay valid until the next change of the buffer.
  std::uint8_t CurrentGroup() const;  // group of the record TakeUndo would return
  std::uint8_t NextGroup() const;     // group of the record TakeRedo would return
  TUndoStep TakeUndo();
  TUndoStep TakeRedo(bool listModified);
  // The records TakeUndo / TakeRedo would return, without taking them.
  TUndoStep PeekUndo() const;
  TUndoStep PeekRedo() const;

 private:
  std::uint32_t UndoEnd() const;  // offset behind the last undoable record
  std::uint32_t RecordSize(std::uint32_t offset) const;
  TUndoStep ReadStep(std::uint32_t offset) const;
  void DestroyOwnedNode(std::uint32_t offset, bool undoable);
  void DiscardRedo();
  void DestroyAll();  // forgets every record, keeping the block
  char* Allocate(std::size_t bytes) const;
  // Bytes of the newest step: the open group's records, or nothing outside a group.
  std::uint32_t StepBytes() const;
  // Grows the block to at least `capacity` bytes (at most the ceiling); false on failure.
  bool Grow(std::uint64_t capacity);
  // `step` is the size the newest step reaches with these bytes; its records are never dropped.
  bool MakeRoom(std::uint32_t bytes, std::uint64_t step, std::uint32_t keepFrom);
  bool MakeRoomForRecord(std::uint32_t bytes);
  bool TryMerge(TUndoKind kind, bool modified, const char* data, std::int32_t length, std::int32_t pos,
                std::int32_t para, const char* newData, std::int32_t newLength, bool& stored);
  void StartRecord();
  void WriteRecord(TUndoKind kind, bool modified, std::int32_t para, std::int32_t pos, const char* data1,
                   std::uint32_t length1, const char* data2, std::uint32_t length2, const char* data3,
                   std::uint32_t length3);

  TAllocator allocate_ = nullptr;
  std::unique_ptr<char[]> block_;
  std::uint16_t size_ = 0;
  std::uint32_t capacity_ = 0;
  std::uint32_t free_ = 0;
  std::uint64_t ceiling_ = kUndoCeiling;
  std::uint32_t stepStart_ = 0;  // offset of the open group's first record
  std::uint32_t current_ = 0;    // offset of the last undoable record (0 when there is none)
  std::int32_t undoCount_ = 0;
  std::int32_t redoCount_ = 0;
  std::uint8_t groupCounter_ = 0;
  bool inGroup_ = false;
  bool groupFresh_ = false;  // the open group has no record yet
  bool overflow_ = false;
};

}  // namespace quilmo
