#pragma once
// The history of changes of one paragraph list, in one fixed block of memory.
//
// Record layout, back to back, oldest first (14-byte header + data):
//   i32 paragraph, i32 position, u16 data length, i16 back distance,
//   u8 kind (low 7 bits) | Modified-before flag (bit 7), u8 group, data...
// Paragraph records hold a TParaNode pointer as their data. A paragraph referred to by a
// record and not in the list belongs to that record (undoable ukDeletePara, redoable
// ukInsertParaBefore/After) and is destroyed with it.

#include <cstdint>

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
  bool Modified = false;           // the list's flag before the change
  const char* Data = nullptr;      // text kinds: the characters; ukReplaceText: the old text
  std::int32_t Length = 0;
  const char* NewData = nullptr;   // ukReplaceText: the new text
  std::int32_t NewLength = 0;
  TParaNode* Node = nullptr;       // paragraph kinds
};

class TUndoBuffer {
 public:
  // Allocates `size` bytes, halving on failure down to nothing (no undo at all).
  explicit TUndoBuffer(std::uint16_t size);
  ~TUndoBuffer();  // destroys the paragraphs owned by records
  TUndoBuffer(const TUndoBuffer&) = delete;
  TUndoBuffer& operator=(const TUndoBuffer&) = delete;

  std::uint16_t Size() const;

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

 private:
  // Filled in by the implementation.
};

}  // namespace quilmo
