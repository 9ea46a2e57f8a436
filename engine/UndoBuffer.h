#pragma once
// The history of changes of one paragraph list, in one fixed block of memory.
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

  std::uint16_t Size() const;
  // Bytes not used by undoable records (the space of redoable records counts as free).
  std::uint16_t Free() const;

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
  bool MakeRoom(std::uint32_t bytes);
  bool TryMerge(TUndoKind kind, bool modified, const char* data, std::int32_t length, std::int32_t pos,
                std::int32_t para, const char* newData, std::int32_t newLength, bool& stored);
  void StartRecord();
  void WriteRecord(TUndoKind kind, bool modified, std::int32_t para, std::int32_t pos, const char* data1,
                   std::uint32_t length1, const char* data2, std::uint32_t length2, const char* data3,
                   std::uint32_t length3);

  std::unique_ptr<char[]> block_;
  std::uint16_t size_ = 0;
  std::uint16_t free_ = 0;
  std::uint32_t current_ = 0;  // offset of the last undoable record (0 when there is none)
  std::int32_t undoCount_ = 0;
  std::int32_t redoCount_ = 0;
  std::uint8_t groupCounter_ = 0;
  bool inGroup_ = false;
  bool groupFresh_ = false;  // the open group has no record yet
  bool overflow_ = false;
};

}  // namespace quilmo
