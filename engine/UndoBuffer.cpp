#include "engine/UndoBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/ParaNode.h"

namespace quilmo {

namespace {

// Header field offsets.
constexpr std::uint32_t kParaField = 0;
constexpr std::uint32_t kPosField = 4;
constexpr std::uint32_t kLengthField = 8;
constexpr std::uint32_t kBackField = 10;
constexpr std::uint32_t kKindField = 12;
constexpr std::uint32_t kGroupField = 13;
constexpr std::uint8_t kModifiedBit = 0x80;
constexpr std::uint32_t kReplaceExtra = 2;  // the stored old length of a replace record

// Records store paragraph pointers by value (T = TParaNode*): the size of the pointer is meant.
template <typename T>
T Get(const char* block, std::uint32_t offset) {
  T value;
  std::memcpy(&value, block + offset, sizeof value);  // NOLINT(bugprone-sizeof-expression)
  return value;
}

template <typename T>
void Put(char* block, std::uint32_t offset, T value) {
  std::memcpy(block + offset, &value, sizeof value);  // NOLINT(bugprone-sizeof-expression)
}

// memcpy/memmove that accept a null pointer with a zero count.
void CopyBytes(char* to, const char* from, std::size_t count) {
  if (count) std::memcpy(to, from, count);
}

void MoveBytes(char* to, const char* from, std::size_t count) {
  if (count) std::memmove(to, from, count);
}

bool IsParaKind(TUndoKind kind) {
  return kind == ukInsertParaBefore || kind == ukInsertParaAfter || kind == ukDeletePara;
}

}  // namespace

TUndoBuffer::TUndoBuffer(std::uint16_t size, TAllocator allocate) : allocate_(allocate) {
  std::uint32_t s = size;
  while (s > 0) {
    char* block = Allocate(s);
    if (block) {
      block_.reset(block);
      break;
    }
    s = s > static_cast<std::uint32_t>(kUndoHeaderSize) ? s - s / 2 : 0;
  }
  size_ = static_cast<std::uint16_t>(s);
  capacity_ = size_;
  free_ = size_;
  // A buffer of no bytes keeps no history at all: it never grows.
  if (size_ == 0) ceiling_ = 0;
}

TUndoBuffer::~TUndoBuffer() {
  DestroyAll();
}

char* TUndoBuffer::Allocate(std::size_t bytes) const {
  return allocate_ ? allocate_(bytes) : new (std::nothrow) char[bytes];
}

std::uint16_t TUndoBuffer::Size() const {
  return size_;
}
std::int64_t TUndoBuffer::Capacity() const {
  return capacity_;
}
std::int64_t TUndoBuffer::Free() const {
  return free_;
}
void TUndoBuffer::SetCeiling(std::uint64_t ceiling) {
  // Offsets are 32-bit; a record must still fit behind the last one.
  ceiling_ = std::clamp<std::uint64_t>(ceiling, size_, 0xFFFFFFFFu - kMaxUndoRecord);
}
std::int32_t TUndoBuffer::UndoCount() const {
  return undoCount_;
}
std::int32_t TUndoBuffer::RedoCount() const {
  return redoCount_;
}
bool TUndoBuffer::InGroup() const {
  return inGroup_;
}

std::uint32_t TUndoBuffer::RecordSize(std::uint32_t offset) const {
  return kUndoHeaderSize + Get<std::uint16_t>(block_.get(), offset + kLengthField);
}

std::uint32_t TUndoBuffer::UndoEnd() const {
  return undoCount_ > 0 ? current_ + RecordSize(current_) : 0;
}

TUndoStep TUndoBuffer::ReadStep(std::uint32_t offset) const {
  const char* block = block_.get();
  TUndoStep step;
  const std::uint8_t kindFlag = Get<std::uint8_t>(block, offset + kKindField);
  step.Kind = static_cast<TUndoKind>(kindFlag & ~kModifiedBit);
  step.Modified = (kindFlag & kModifiedBit) != 0;
  step.Group = Get<std::uint8_t>(block, offset + kGroupField);
  step.Para = Get<std::int32_t>(block, offset + kParaField);
  step.Pos = Get<std::int32_t>(block, offset + kPosField);
  const std::uint32_t length = Get<std::uint16_t>(block, offset + kLengthField);
  const char* data = block + offset + kUndoHeaderSize;
  switch (step.Kind) {
    case ukInsertText:
    case ukDeleteText:
      step.Data = data;
      step.Length = static_cast<std::int32_t>(length);
      break;
    case ukReplaceText: {
      const std::uint32_t oldLength = Get<std::uint16_t>(data, 0);
      step.Data = data + kReplaceExtra;
      step.Length = static_cast<std::int32_t>(oldLength);
      step.NewData = step.Data + oldLength;
      step.NewLength = static_cast<std::int32_t>(length - kReplaceExtra - oldLength);
      break;
    }
    case ukInsertParaBefore:
    case ukInsertParaAfter:
    case ukDeletePara: step.Node = Get<TParaNode*>(data, 0); break;
    case ukCaret: break;
  }
  return step;
}

// A removed paragraph belongs to the record that can bring it back: an undoable deletion or
// a redoable insertion. The pointer is cleared so that it is never destroyed twice.
void TUndoBuffer::DestroyOwnedNode(std::uint32_t offset, bool undoable) {
  char* block = block_.get();
  const auto kind = static_cast<TUndoKind>(Get<std::uint8_t>(block, offset + kKindField) & ~kModifiedBit);
  const bool owns =
      undoable ? kind == ukDeletePara : (kind == ukInsertParaBefore || kind == ukInsertParaAfter);
  if (!owns) return;
  const std::uint32_t dataOffset = offset + kUndoHeaderSize;
  delete Get<TParaNode*>(block, dataOffset);
  Put<TParaNode*>(block, dataOffset, nullptr);
}

void TUndoBuffer::DiscardRedo() {
  std::uint32_t offset = UndoEnd();
  for (std::int32_t i = 0; i < redoCount_; ++i) {
    DestroyOwnedNode(offset, false);
    offset += RecordSize(offset);
  }
  redoCount_ = 0;
}

void TUndoBuffer::DestroyAll() {
  DiscardRedo();
  std::uint32_t offset = 0;
  for (std::int32_t i = 0; i < undoCount_; ++i) {
    DestroyOwnedNode(offset, true);
    offset += RecordSize(offset);
  }
  undoCount_ = 0;
  current_ = 0;
  stepStart_ = 0;
  groupCounter_ = 0;
}

void TUndoBuffer::Clear() {
  DestroyAll();
  // A block grown for a large step goes back to its configured size when that memory is had.
  if (capacity_ > size_) {
    if (char* block = Allocate(size_)) {
      block_.reset(block);
      capacity_ = size_;
    }
  }
  free_ = capacity_;
}

void TUndoBuffer::Abandon() {
  Clear();
  overflow_ = inGroup_;
}

void TUndoBuffer::MarkModified() {
  char* block = block_.get();
  std::uint32_t offset = 0;
  for (std::int32_t i = 0; i < undoCount_ + redoCount_; ++i) {
    const std::uint8_t kindFlag = Get<std::uint8_t>(block, offset + kKindField);
    Put<std::uint8_t>(block, offset + kKindField, kindFlag | kModifiedBit);
    offset += RecordSize(offset);
  }
}

std::uint32_t TUndoBuffer::StepBytes() const {
  return inGroup_ && !groupFresh_ && undoCount_ > 0 ? UndoEnd() - stepStart_ : 0;
}

bool TUndoBuffer::Grow(std::uint64_t capacity) {
  capacity = std::min(capacity, ceiling_);
  if (capacity <= capacity_) return capacity_ >= capacity;
  char* block = Allocate(static_cast<std::size_t>(capacity));
  if (block == nullptr) return false;
  // Redoable records lie behind the undoable ones and move along.
  CopyBytes(block, block_.get(), capacity_);
  block_.reset(block);
  free_ += static_cast<std::uint32_t>(capacity) - capacity_;
  capacity_ = static_cast<std::uint32_t>(capacity);
  return true;
}

bool TUndoBuffer::Reserve(std::uint64_t bytes) {
  if (ceiling_ == 0) return true;  // no history is kept: there is nothing to lose
  if (overflow_) return false;
  const std::uint64_t step = std::uint64_t{StepBytes()} + bytes;
  if (step > ceiling_) return false;
  const std::uint64_t used = capacity_ - free_;
  if (used + bytes <= capacity_ || 2 * step <= capacity_) return true;
  // As MakeRoom grows for it: keep the older steps when the ceiling and the memory allow.
  return Grow(std::max<std::uint64_t>(2 * std::uint64_t{capacity_}, used + bytes)) || Grow(step);
}

// Whether `bytes` may be written behind the last undoable record. Redoable records have been
// discarded by the caller. The records from `keepFrom` on are the newest step, which reaches
// `step` bytes with these: when it takes more than half the block, the block grows (keeping
// the older steps); otherwise whole groups are dropped from the oldest end until at least a
// sixteenth of the block (or the record) is free, so that the one block move this costs stays
// rare during long runs of typing. Only a step the block cannot grow to hold is lost.
bool TUndoBuffer::MakeRoom(std::uint32_t bytes, std::uint64_t step, std::uint32_t keepFrom) {
  if (overflow_) return false;
  if (free_ >= bytes) return true;
  const std::uint64_t used = capacity_ - free_;
  if (step <= ceiling_ && 2 * step > capacity_ &&
      Grow(std::max<std::uint64_t>(2 * std::uint64_t{capacity_}, used + bytes)) && free_ >= bytes)
    return true;

  const std::uint32_t target = std::max<std::uint32_t>(capacity_ / 16u, bytes);
  const std::uint32_t end = UndoEnd();
  std::uint32_t offset = 0;
  std::int32_t dropped = 0;
  while (free_ + offset < target && offset < keepFrom && dropped < undoCount_) {
    const std::uint8_t group = Get<std::uint8_t>(block_.get(), offset + kGroupField);
    while (offset < keepFrom && dropped < undoCount_ &&
           Get<std::uint8_t>(block_.get(), offset + kGroupField) == group) {
      DestroyOwnedNode(offset, true);
      offset += RecordSize(offset);
      ++dropped;
    }
  }
  if (dropped > 0) {
    MoveBytes(block_.get(), block_.get() + offset, end - offset);
    undoCount_ -= dropped;
    current_ = undoCount_ > 0 ? current_ - offset : 0;
    stepStart_ = stepStart_ >= offset ? stepStart_ - offset : 0;
    if (undoCount_ > 0) Put<std::uint16_t>(block_.get(), kBackField, 0);
    free_ += offset;
    redoCount_ = 0;
  }
  if (free_ >= bytes) return true;
  // The newest step alone needs more: grow to exactly what it needs.
  if (step <= ceiling_ && Grow(std::uint64_t{capacity_ - free_} + bytes)) return true;
  Clear();
  overflow_ = inGroup_;
  return false;
}

// Appends a run of typing, deleting or overwriting to the last record. Returns false when the
// record cannot be merged (the caller writes a new one); otherwise `stored` tells whether the
// change was recorded.
bool TUndoBuffer::TryMerge(TUndoKind kind, bool modified, const char* data, std::int32_t length,
                           std::int32_t pos, std::int32_t para, const char* newData, std::int32_t newLength,
                           bool& stored) {
  if (inGroup_ || undoCount_ == 0) return false;
  const TUndoStep last = ReadStep(current_);
  if (last.Kind != kind || last.Para != para) return false;
  // The text was saved since the last record (a save marks every record modified and clears
  // the list's flag): a run typed after the save starts a record of its own, so that undoing
  // it comes back to the saved text, unmodified.
  if (last.Modified && !modified) return false;

  const std::int64_t c = pos;
  bool prepend = false;
  std::uint32_t added = static_cast<std::uint32_t>(length);
  switch (kind) {
    case ukInsertText:
      if (c != std::int64_t{last.Pos} + last.Length) return false;
      break;
    case ukDeleteText:
      if (c == last.Pos) break;                  // forward delete
      if (c + length != last.Pos) return false;  // backspace
      prepend = true;
      break;
    case ukReplaceText:
      // The next overwrite starts behind the text the last one put in; comparing with the end
      // of the new text keeps the merged old text contiguous when the lengths differ.
      if (c != std::int64_t{last.Pos} + last.NewLength) return false;
      added += static_cast<std::uint32_t>(newLength);
      break;
    default: return false;
  }
  // A run too long for one record, or for the ceiling, goes on in a record of its own.
  const std::uint32_t size = RecordSize(current_);
  if (std::uint64_t{size} + added > std::min<std::uint64_t>(kMaxUndoRecord, ceiling_)) return false;

  if (!MakeRoom(added, std::uint64_t{size} + added, current_)) {
    stored = false;
    return true;
  }

  char* block = block_.get();
  const std::uint32_t dataOffset = current_ + kUndoHeaderSize;
  const std::uint32_t oldDataLength = Get<std::uint16_t>(block, current_ + kLengthField);
  if (kind == ukReplaceText) {
    const std::uint32_t oldLength = Get<std::uint16_t>(block, dataOffset);
    const std::uint32_t newStart = dataOffset + kReplaceExtra + oldLength;
    const std::uint32_t lastNewLength = oldDataLength - kReplaceExtra - oldLength;
    MoveBytes(block + newStart + length, block + newStart, lastNewLength);
    CopyBytes(block + newStart, data, static_cast<std::size_t>(length));
    CopyBytes(block + newStart + length + lastNewLength, newData, static_cast<std::size_t>(newLength));
    Put<std::uint16_t>(block, dataOffset,
                       static_cast<std::uint16_t>(oldLength + static_cast<std::uint32_t>(length)));
  } else if (prepend) {
    MoveBytes(block + dataOffset + added, block + dataOffset, oldDataLength);
    CopyBytes(block + dataOffset, data, added);
    Put<std::int32_t>(block, current_ + kPosField, pos);
  } else {
    CopyBytes(block + dataOffset + oldDataLength, data, added);
  }
  Put<std::uint16_t>(block, current_ + kLengthField, static_cast<std::uint16_t>(oldDataLength + added));
  free_ -= added;
  stored = true;
  return true;
}

void TUndoBuffer::WriteRecord(TUndoKind kind, bool modified, std::int32_t para, std::int32_t pos,
                              const char* data1, std::uint32_t length1, const char* data2,
                              std::uint32_t length2, const char* data3, std::uint32_t length3) {
  char* block = block_.get();
  // Adjacent records of different groups must differ in number, or undo would take them as
  // one step; the counter wraps at 256, so skip a number that happens to meet the last record's.
  if ((!inGroup_ || groupFresh_) && undoCount_ > 0 &&
      Get<std::uint8_t>(block, current_ + kGroupField) == groupCounter_)
    ++groupCounter_;
  const std::uint32_t offset = UndoEnd();
  if (!inGroup_ || groupFresh_) stepStart_ = offset;
  groupFresh_ = false;

  const std::uint32_t dataLength = length1 + length2 + length3;
  Put<std::int32_t>(block, offset + kParaField, para);
  Put<std::int32_t>(block, offset + kPosField, pos);
  Put<std::uint16_t>(block, offset + kLengthField, static_cast<std::uint16_t>(dataLength));
  Put<std::uint16_t>(block, offset + kBackField,
                     static_cast<std::uint16_t>(undoCount_ > 0 ? offset - current_ : 0));
  Put<std::uint8_t>(block, offset + kKindField,
                    static_cast<std::uint8_t>(kind | (modified ? kModifiedBit : 0)));
  Put<std::uint8_t>(block, offset + kGroupField, groupCounter_);
  char* out = block + offset + kUndoHeaderSize;
  CopyBytes(out, data1, length1);
  CopyBytes(out + length1, data2, length2);
  CopyBytes(out + length1 + length2, data3, length3);

  ++undoCount_;
  free_ -= kUndoHeaderSize + dataLength;
  current_ = offset;
}

bool TUndoBuffer::MakeRoomForRecord(std::uint32_t bytes) {
  if (bytes > kMaxUndoRecord) {  // the callers' texts are paragraphs: never this long
    Abandon();
    return false;
  }
  // In a group that has records the newest step is the group; otherwise the record alone.
  const std::uint32_t keepFrom = StepBytes() > 0 ? stepStart_ : UndoEnd();
  return MakeRoom(bytes, std::uint64_t{StepBytes()} + bytes, keepFrom);
}

bool TUndoBuffer::AddRecord(TUndoKind kind, bool modified, const char* data, std::int32_t length,
                            std::int32_t pos, std::int32_t para, TParaNode* node) {
  if (kind == ukReplaceText) return AddReplaceRecord(modified, para, pos, data, length, nullptr, 0);
  // Any new change makes the redoable records meaningless.
  DiscardRedo();
  if (IsParaKind(kind)) {
    data = reinterpret_cast<const char*>(&node);
    length = static_cast<std::int32_t>(sizeof node);  // NOLINT(bugprone-sizeof-expression): the pointer
  } else if (kind == ukCaret || length < 0) {
    length = 0;
  }
  if (kind == ukInsertText || kind == ukDeleteText) {
    bool stored = false;
    if (TryMerge(kind, modified, data, length, pos, para, nullptr, 0, stored)) return stored;
  }
  if (!inGroup_) ++groupCounter_;
  if (!MakeRoomForRecord(static_cast<std::uint32_t>(kUndoHeaderSize) + static_cast<std::uint32_t>(length)))
    return false;
  WriteRecord(kind, modified, para, pos, data, static_cast<std::uint32_t>(length), nullptr, 0, nullptr, 0);
  return true;
}

bool TUndoBuffer::AddReplaceRecord(bool modified, std::int32_t para, std::int32_t pos, const char* oldText,
                                   std::int32_t oldLength, const char* newText, std::int32_t newLength) {
  DiscardRedo();
  oldLength = std::max(oldLength, 0);
  newLength = std::max(newLength, 0);
  bool stored = false;
  if (TryMerge(ukReplaceText, modified, oldText, oldLength, pos, para, newText, newLength, stored))
    return stored;
  const std::uint64_t bytes = std::uint64_t{kUndoHeaderSize} + kReplaceExtra +
                              static_cast<std::uint64_t>(oldLength) + static_cast<std::uint64_t>(newLength);
  if (bytes > kMaxUndoRecord) {
    // Too long for one record (both texts near a whole paragraph): a deletion and an
    // insertion, undone and redone together.
    const bool wasInGroup = BeginGroup();
    const bool stored = AddRecord(ukDeleteText, modified, oldText, oldLength, pos, para) &&
                        AddRecord(ukInsertText, modified, newText, newLength, pos, para);
    EndGroup(wasInGroup);
    return stored;
  }
  if (!inGroup_) ++groupCounter_;
  if (!MakeRoomForRecord(static_cast<std::uint32_t>(bytes))) return false;
  // The record is at most kMaxUndoRecord bytes, so the old length fits in 16 bits.
  const auto storedOldLength = static_cast<std::uint16_t>(oldLength);
  WriteRecord(ukReplaceText, modified, para, pos, reinterpret_cast<const char*>(&storedOldLength),
              kReplaceExtra, oldText, static_cast<std::uint32_t>(oldLength), newText,
              static_cast<std::uint32_t>(newLength));
  return true;
}

bool TUndoBuffer::BeginGroup() {
  const bool wasInGroup = inGroup_;
  if (!wasInGroup) {
    inGroup_ = true;
    groupFresh_ = true;
    ++groupCounter_;
  }
  return wasInGroup;
}

void TUndoBuffer::EndGroup(bool wasInGroup) {
  inGroup_ = wasInGroup;
  if (!wasInGroup) {
    overflow_ = false;
    groupFresh_ = false;
  }
}

std::uint8_t TUndoBuffer::CurrentGroup() const {
  return undoCount_ > 0 ? Get<std::uint8_t>(block_.get(), current_ + kGroupField) : 0;
}

std::uint8_t TUndoBuffer::NextGroup() const {
  return redoCount_ > 0 ? Get<std::uint8_t>(block_.get(), UndoEnd() + kGroupField) : 0;
}

TUndoStep TUndoBuffer::PeekUndo() const {
  return undoCount_ > 0 ? ReadStep(current_) : TUndoStep{};
}

TUndoStep TUndoBuffer::PeekRedo() const {
  return redoCount_ > 0 ? ReadStep(UndoEnd()) : TUndoStep{};
}

TUndoStep TUndoBuffer::TakeUndo() {
  if (undoCount_ <= 0) return {};
  const TUndoStep step = ReadStep(current_);
  const std::uint32_t size = RecordSize(current_);
  --undoCount_;
  ++redoCount_;
  free_ += size;
  // The first record lies at the block start, where current stays when nothing is left.
  if (undoCount_ > 0) current_ -= Get<std::uint16_t>(block_.get(), current_ + kBackField);
  return step;
}

TUndoStep TUndoBuffer::TakeRedo(bool listModified) {
  if (redoCount_ <= 0) return {};
  const std::uint32_t offset = UndoEnd();
  char* block = block_.get();
  const std::uint8_t kindFlag = Get<std::uint8_t>(block, offset + kKindField);
  Put<std::uint8_t>(
      block, offset + kKindField,
      static_cast<std::uint8_t>((kindFlag & ~kModifiedBit) | (listModified ? kModifiedBit : 0)));
  --redoCount_;
  ++undoCount_;
  free_ -= RecordSize(offset);
  current_ = offset;
  return ReadStep(offset);
}

}  // namespace quilmo
