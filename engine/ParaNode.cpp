#include "engine/ParaNode.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/EditorErrors.h"
#include "engine/ParaMemory.h"

namespace quilmo {
namespace {

constexpr std::int32_t kNoWrap = 32767;
constexpr std::int32_t kMaxLength = 32767;

bool WrapOff(std::int32_t wrapColumn) {
  return wrapColumn == kNoWrap || wrapColumn <= 0;
}

std::int32_t RoundUp8(std::int32_t value) {
  return (value + 7) & ~7;
}

// The next tab stop after `width`; a tab size of 0 makes a TAB one column wide.
std::int32_t TabAdvance(std::int32_t width, std::uint8_t tabSize) {
  return tabSize == 0 ? width + 1 : (width / tabSize + 1) * tabSize;
}

// Line starts being recomputed; the engine runs on one thread.
std::vector<std::uint16_t>& Scratch() {
  static std::vector<std::uint16_t> scratch;
  return scratch;
}

}  // namespace

// ---- Functions on runs of characters ----

std::int32_t TextWidth(const char* text, std::int32_t count, std::uint8_t tabSize) {
  if (count <= 0) return 0;
  if (std::memchr(text, '\t', static_cast<std::size_t>(count)) == nullptr) return count;
  std::int32_t width = 0;
  for (std::int32_t i = 0; i < count; ++i) width = text[i] == '\t' ? TabAdvance(width, tabSize) : width + 1;
  return width;
}

std::int32_t PosToColumn(const char* line, std::int32_t length, std::int32_t pos, std::uint8_t tabSize) {
  if (pos <= 1) return 1;
  if (pos <= length + 1) return TextWidth(line, pos - 1, tabSize) + 1;
  // Virtual space: one column per position behind the end (an empty line included).
  return TextWidth(line, length, tabSize) + (pos - length);
}

std::string ExpandTabs(std::string_view text, std::uint8_t tabSize) {
  const auto count = static_cast<std::int32_t>(text.size());
  std::string out(static_cast<std::size_t>(TextWidth(text.data(), count, tabSize)), ' ');
  std::int32_t width = 0;
  for (const char c : text) {
    if (c == '\t')
      width = TabAdvance(width, tabSize);  // the blanks are already there
    else
      out[static_cast<std::size_t>(width++)] = c;
  }
  return out;
}

std::int32_t ColumnToPos(const char* line, std::int32_t length, std::int32_t column, std::uint8_t tabSize) {
  if (column <= 1 || length <= 0) return column;
  const std::int32_t lastColumn = TextWidth(line, length, tabSize);
  if (column > lastColumn) return length + (column - lastColumn);
  std::int32_t width = 0;
  for (std::int32_t i = 0; i < length; ++i) {
    width = line[i] == '\t' ? TabAdvance(width, tabSize) : width + 1;
    if (column <= width) return i + 1;
  }
  return length;
}

std::int32_t FindWrapPoint(const char* text, std::int32_t length, std::int32_t lineStart,
                           std::int32_t limit) {
  if (lineStart + limit >= length) return length;
  for (std::int32_t k = limit; k >= 0; --k) {
    const char c = text[lineStart + k];
    if (IsBlank(c) || c == '-') {
      // The blank run (or the hyphen) stays on this line; the next one starts behind it.
      std::int32_t next = lineStart + k + 1;
      while (next < length && IsBlank(text[next])) ++next;
      return next;
    }
  }
  return lineStart + limit;  // hard break inside a word
}

// ---- Creation and storage ----

void* TParaNode::operator new(std::size_t size) {
  void* block = detail::ParaAlloc((size + 7) & ~std::size_t{7});
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void TParaNode::operator delete(void* p) noexcept {
  detail::ParaFree(p, (sizeof(TParaNode) + 7) & ~std::size_t{7});
}

TParaNode::TParaNode(const char* text, std::int32_t count, std::int32_t wrapColumn, std::uint8_t tabSize) {
  if (count > kMaxLength) throw std::length_error("paragraph longer than 32767 characters");
  if (count > 0) {
    const std::int32_t capacity = (count + 8) & ~7;
    text_ = static_cast<char*>(detail::ParaAlloc(static_cast<std::size_t>(capacity)));
    if (text_ == nullptr) throw std::bad_alloc();
    capacity_ = static_cast<std::uint16_t>(capacity);
    std::memcpy(text_, text, static_cast<std::size_t>(count));
    text_[count] = '\0';
    length_ = static_cast<std::uint16_t>(count);
  }
  // Without wrapping, or without characters, the new node is one line and has no table.
  if (WrapOff(wrapColumn) || length_ == 0) return;
  if (!Wrap(wrapColumn, tabSize)) {
    detail::ParaFree(text_, capacity_);
    throw std::bad_alloc();
  }
}

TParaNode::~TParaNode() {
  detail::ParaFree(text_, capacity_);
  detail::ParaFree(lineStarts_, std::size_t{lineStartCapacity_} * 2);
}

const char* TParaNode::Text() const {
  return text_ != nullptr ? text_ : "";
}
std::int32_t TParaNode::Length() const {
  return length_;
}
std::int32_t TParaNode::Capacity() const {
  return capacity_;
}
std::int32_t TParaNode::LineCount() const {
  return lineCount_;
}
std::int32_t TParaNode::LineStartCapacity() const {
  return lineStarts_ != nullptr ? lineStartCapacity_ : 1;
}
TParaNode* TParaNode::Next() const {
  return next_;
}
TParaNode* TParaNode::Prev() const {
  return prev_;
}

std::int32_t TParaNode::LineStart(std::int32_t index) const {
  if (index <= 0 || lineStarts_ == nullptr || index >= lineStartCapacity_) return 0;
  return lineStarts_[index];
}

bool TParaNode::Reserve(std::int32_t bytes) {
  if (capacity_ >= bytes) return true;
  if (bytes > kMaxLength + 1) return false;
  const std::int32_t capacity = (bytes + 15) & ~15;
  auto* buffer = static_cast<char*>(detail::ParaAlloc(static_cast<std::size_t>(capacity)));
  if (buffer == nullptr) return false;
  if (text_ != nullptr) {
    std::memcpy(buffer, text_, std::size_t{length_} + 1);
    detail::ParaFree(text_, capacity_);
  } else {
    buffer[0] = '\0';
  }
  text_ = buffer;
  capacity_ = static_cast<std::uint16_t>(capacity);
  return true;
}

bool TParaNode::ReserveLines(std::int32_t count, std::int32_t wrapColumn) {
  if (lineStarts_ != nullptr && lineStartCapacity_ >= count) return true;
  std::int32_t capacity = std::max(8, RoundUp8(count));
  if (lineStarts_ == nullptr) {
    // First table: sized for the paragraph's expected number of lines.
    const std::int32_t q = length_ / std::max(1, wrapColumn);
    capacity = std::max(capacity, std::max(8, RoundUp8(q + q / 5)));
  }
  auto* table = static_cast<std::uint16_t*>(detail::ParaAlloc(static_cast<std::size_t>(capacity) * 2));
  if (table == nullptr) return false;
  std::int32_t kept = 0;
  if (lineStarts_ != nullptr) {
    kept = lineStartCapacity_;
    std::memcpy(table, lineStarts_, static_cast<std::size_t>(kept) * 2);
    detail::ParaFree(lineStarts_, std::size_t{lineStartCapacity_} * 2);
  }
  std::fill(table + kept, table + capacity, std::uint16_t{0});
  lineStarts_ = table;
  lineStartCapacity_ = static_cast<std::uint16_t>(capacity);
  return true;
}

void TParaNode::SetLineCount(std::int32_t count) {
  lineCount_ = static_cast<std::uint16_t>(count);
  if (lineStarts_ != nullptr && lineStartCapacity_ > count) lineStarts_[count] = 0;
}

// ---- Wrapping ----

std::int32_t TParaNode::LimitAt(std::int32_t start, std::int32_t wrapColumn, std::uint8_t tabSize) const {
  const std::int32_t remaining = length_ - start;
  const char* p = text_ + start;
  const std::int32_t plain = std::min(wrapColumn, remaining);
  // Without a TAB among them, the first `plain` characters are one column each.
  if (std::memchr(p, '\t', static_cast<std::size_t>(plain)) == nullptr) return plain;
  std::int32_t width = 0;
  for (std::int32_t i = 0; i < remaining; ++i) {
    width = p[i] == '\t' ? TabAdvance(width, tabSize) : width + 1;
    if (width >= wrapColumn) return i + 1;  // a TAB crossing the wrap column is consumed
  }
  return remaining;
}

bool TParaNode::Wrap(std::int32_t wrapColumn, std::uint8_t tabSize) {
  if (WrapOff(wrapColumn) || length_ == 0) {
    if (WrapOff(wrapColumn) && lineStarts_ != nullptr) {
      detail::ParaFree(lineStarts_, std::size_t{lineStartCapacity_} * 2);
      lineStarts_ = nullptr;
      lineStartCapacity_ = 0;
    }
    SetLineCount(1);
    return true;
  }
  std::int32_t start = 0;
  std::int32_t remaining = length_;
  std::int32_t limit = LimitAt(0, wrapColumn, tabSize);
  if (remaining <= limit) {
    SetLineCount(1);
    return true;
  }
  auto& starts = Scratch();
  starts.clear();
  while (remaining > limit) {
    const std::int32_t next = FindWrapPoint(text_, length_, start, limit);
    if (next != length_) {
      starts.push_back(static_cast<std::uint16_t>(next));
      limit = LimitAt(next, wrapColumn, tabSize);
    }
    remaining -= next - start;
    start = next;
  }
  const auto count = static_cast<std::int32_t>(starts.size()) + 1;
  if (count > 1) {
    if (!ReserveLines(count, wrapColumn)) return false;
    std::copy(starts.begin(), starts.end(), lineStarts_ + 1);
  }
  SetLineCount(count);
  return true;
}

void TParaNode::WrapPara(std::int32_t wrapColumn, std::uint8_t tabSize) {
  if (!Wrap(wrapColumn, tabSize)) throw std::bad_alloc();
}

bool TParaNode::RewrapRange(std::int32_t offset, std::int32_t oldLength, std::int32_t newLength,
                            std::int32_t wrapColumn, std::uint8_t tabSize, std::int32_t& firstChanged,
                            std::int32_t& lastChanged) {
  const std::int32_t delta = newLength - oldLength;
  const std::int32_t oldCount = lineCount_;
  if (WrapOff(wrapColumn) || length_ == 0) {
    SetLineCount(1);
    firstChanged = 0;
    lastChanged = 0;
    return true;
  }
  // The old line holding the edit, and the line before it where re-wrapping begins.
  std::int32_t editLine = 0;
  if (oldCount > 1) {
    editLine = static_cast<std::int32_t>(std::upper_bound(lineStarts_ + 1, lineStarts_ + oldCount, offset) -
                                         lineStarts_) -
               1;
  }
  const std::int32_t startLine = editLine > 0 ? editLine - 1 : 0;
  const std::int32_t oldEditEnd = offset + oldLength;

  auto& starts = Scratch();
  starts.clear();
  std::int32_t line = startLine;
  std::int32_t start = Start(startLine);
  std::int32_t oldLine = startLine + 1;  // candidate for the old line that the new one matches
  std::int32_t syncLine = -1;            // old line from which every start is the old one + delta
  std::int32_t firstStartChanged = -1;
  std::int32_t limit = LimitAt(start, wrapColumn, tabSize);
  std::int32_t remaining = length_ - start;
  while (remaining > limit) {
    const std::int32_t next = FindWrapPoint(text_, length_, start, limit);
    if (next == length_) break;
    ++line;
    while (oldLine < oldCount && (lineStarts_[oldLine] < oldEditEnd || lineStarts_[oldLine] + delta < next)) {
      ++oldLine;
    }
    if (oldLine < oldCount && lineStarts_[oldLine] + delta == next) {
      syncLine = oldLine;
      break;
    }
    if (firstStartChanged < 0 &&
        !(line < oldCount && lineStarts_[line] < offset && lineStarts_[line] == next)) {
      firstStartChanged = line;
    }
    starts.push_back(static_cast<std::uint16_t>(next));
    start = next;
    limit = LimitAt(start, wrapColumn, tabSize);
    remaining = length_ - start;
  }

  const auto computed = static_cast<std::int32_t>(starts.size());
  const std::int32_t kept = syncLine >= 0 ? oldCount - syncLine : 0;
  const std::int32_t newCount = startLine + 1 + computed + kept;
  if (newCount > 1) {
    if (!ReserveLines(newCount, wrapColumn)) return false;
    if (kept > 0) {
      const std::int32_t to = startLine + 1 + computed;
      if (to > syncLine) {
        for (std::int32_t i = kept - 1; i >= 0; --i) {
          lineStarts_[to + i] = static_cast<std::uint16_t>(lineStarts_[syncLine + i] + delta);
        }
      } else if (to < syncLine || delta != 0) {
        for (std::int32_t i = 0; i < kept; ++i) {
          lineStarts_[to + i] = static_cast<std::uint16_t>(lineStarts_[syncLine + i] + delta);
        }
      }
    }
    std::copy(starts.begin(), starts.end(), lineStarts_ + startLine + 1);
  }
  SetLineCount(newCount);

  firstChanged = firstStartChanged < 0 ? startLine : std::min(editLine, firstStartChanged - 1);
  lastChanged = std::max(editLine, syncLine >= 0 ? line - 1 : newCount - 1);
  return true;
}

void TParaNode::RewrapPara(std::int32_t offset, std::int32_t delta, std::int32_t wrapColumn,
                           std::uint8_t tabSize, std::int32_t& firstChanged, std::int32_t& lastChanged) {
  const bool ok = delta >= 0 ? RewrapRange(offset, 0, delta, wrapColumn, tabSize, firstChanged, lastChanged)
                             : RewrapRange(offset, -delta, 0, wrapColumn, tabSize, firstChanged, lastChanged);
  if (!ok) {
    // No room for a larger table: a full wrap is the only other way, and it needs the same room.
    WrapPara(wrapColumn, tabSize);
    firstChanged = 0;
    lastChanged = lineCount_ - 1;
  }
}

// ---- Lookup ----

void TParaNode::PosToLineIndex(std::int32_t pos, std::int32_t& lineIndex, std::int32_t& column) const {
  if (lineCount_ == 1 || pos <= 1) {
    lineIndex = 0;
    column = pos;
    return;
  }
  // A position at a line start belongs to the line that starts there.
  lineIndex = static_cast<std::int32_t>(std::upper_bound(lineStarts_ + 1, lineStarts_ + lineCount_, pos - 1) -
                                        lineStarts_) -
              1;
  column = pos - Start(lineIndex);
}

const char* TParaNode::LineText(std::int32_t lineIndex, std::int32_t& length) const {
  if (lineIndex < 0 || lineIndex >= lineCount_) {
    length = 0;
    return "";
  }
  const std::int32_t start = Start(lineIndex);
  length = (lineIndex + 1 < lineCount_ ? lineStarts_[lineIndex + 1] : length_) - start;
  return Text() + start;
}

// ---- Character edits ----

namespace {

// A copy of `text` when it lies in `buffer` (which the edit may move), else `text` itself.
const char* Detach(const char* text, std::int32_t count, const char* buffer, std::int32_t capacity,
                   std::string& copy) {
  if (buffer != nullptr && count > 0 && text >= buffer && text < buffer + capacity) {
    copy.assign(text, static_cast<std::size_t>(count));
    return copy.data();
  }
  return text;
}

}  // namespace

std::uint16_t TParaNode::Insert(std::int32_t offset, const char* text, std::int32_t count,
                                std::int32_t wrapColumn, std::uint8_t tabSize, std::int32_t& firstChanged,
                                std::int32_t& lastChanged) {
  firstChanged = lastChanged = 0;
  offset = std::max(offset, 0);
  count = std::max(count, 0);
  const std::int32_t oldLength = length_;
  const std::int32_t pad = std::max(0, offset - oldLength);  // blanks that fill the gap first
  const std::int32_t newLength = oldLength + pad + count;
  if (newLength > kMaxLength) return ErrParaTooLong;
  if (newLength == oldLength) return 0;
  std::string copy;
  text = Detach(text, count, text_, capacity_, copy);
  if (!Reserve(newLength + 1)) return ErrOutOfMemory;
  if (pad > 0) std::memset(text_ + oldLength, ' ', static_cast<std::size_t>(pad));
  const std::int32_t tail = oldLength + pad - offset;  // characters behind the insertion point
  std::memmove(text_ + offset + count, text_ + offset, static_cast<std::size_t>(tail));
  std::memcpy(text_ + offset, text, static_cast<std::size_t>(count));
  text_[newLength] = '\0';
  length_ = static_cast<std::uint16_t>(newLength);
  if (!RewrapRange(std::min(offset, oldLength), 0, pad + count, wrapColumn, tabSize, firstChanged,
                   lastChanged)) {
    std::memmove(text_ + offset, text_ + offset + count, static_cast<std::size_t>(tail));
    text_[oldLength] = '\0';
    length_ = static_cast<std::uint16_t>(oldLength);
    return ErrOutOfMemory;
  }
  return 0;
}

std::uint16_t TParaNode::Delete(std::int32_t offset, std::int32_t count, std::int32_t wrapColumn,
                                std::uint8_t tabSize, std::int32_t& firstChanged, std::int32_t& lastChanged) {
  firstChanged = lastChanged = 0;
  if (offset < 0 || offset >= length_ || count <= 0) return 0;
  count = std::min<std::int32_t>(count, length_ - offset);
  const std::int32_t oldLength = length_;
  const std::string removed(text_ + offset, static_cast<std::size_t>(count));
  // Cut at the offset, or close the gap (the NUL moves with the tail).
  std::memmove(text_ + offset, text_ + offset + count,
               static_cast<std::size_t>(oldLength - offset - count + 1));
  length_ = static_cast<std::uint16_t>(oldLength - count);
  if (!RewrapRange(offset, count, 0, wrapColumn, tabSize, firstChanged, lastChanged)) {
    std::memmove(text_ + offset + count, text_ + offset,
                 static_cast<std::size_t>(oldLength - offset - count + 1));
    std::memcpy(text_ + offset, removed.data(), removed.size());
    length_ = static_cast<std::uint16_t>(oldLength);
    return ErrOutOfMemory;
  }
  return 0;
}

std::uint16_t TParaNode::Replace(std::int32_t offset, std::int32_t oldLength, const char* text,
                                 std::int32_t newLength, std::int32_t wrapColumn, std::uint8_t tabSize,
                                 std::int32_t& firstChanged, std::int32_t& lastChanged) {
  firstChanged = lastChanged = 0;
  offset = std::max(offset, 0);
  newLength = std::max(newLength, 0);
  if (offset >= length_)
    return Insert(offset, text, newLength, wrapColumn, tabSize, firstChanged, lastChanged);
  oldLength = std::clamp<std::int32_t>(oldLength, 0, length_ - offset);
  const std::int32_t length = length_;
  const std::int32_t total = length - oldLength + newLength;
  if (total > kMaxLength) return ErrParaTooLong;
  if (oldLength == 0 && newLength == 0) return 0;
  std::string copy;
  text = Detach(text, newLength, text_, capacity_, copy);
  if (!Reserve(total + 1)) return ErrOutOfMemory;
  const std::string old(text_ + offset, static_cast<std::size_t>(oldLength));
  const auto tail = static_cast<std::size_t>(length - offset - oldLength + 1);  // with the NUL
  std::memmove(text_ + offset + newLength, text_ + offset + oldLength, tail);
  std::memcpy(text_ + offset, text, static_cast<std::size_t>(newLength));
  length_ = static_cast<std::uint16_t>(total);
  if (!RewrapRange(offset, oldLength, newLength, wrapColumn, tabSize, firstChanged, lastChanged)) {
    std::memmove(text_ + offset + oldLength, text_ + offset + newLength, tail);
    std::memcpy(text_ + offset, old.data(), old.size());
    length_ = static_cast<std::uint16_t>(length);
    return ErrOutOfMemory;
  }
  return 0;
}

std::int32_t TParaNode::TrimTrailingBlanks(std::int32_t wrapColumn, std::uint8_t tabSize) {
  std::int32_t length = length_;
  while (length > 0 && IsBlank(text_[length - 1])) --length;
  const std::int32_t removed = length_ - length;
  if (removed == 0) return 0;
  const char first = text_[length];
  text_[length] = '\0';
  length_ = static_cast<std::uint16_t>(length);
  std::int32_t firstChanged = 0;
  std::int32_t lastChanged = 0;
  if (!RewrapRange(length, removed, 0, wrapColumn, tabSize, firstChanged, lastChanged)) {
    text_[length] = first;
    length_ = static_cast<std::uint16_t>(length + removed);
    return 0;
  }
  return removed;
}

std::int32_t TParaNode::BlanksBefore(std::int32_t pos) const {
  std::int32_t i = std::min<std::int32_t>(pos, length_ + 1) - 1;  // characters before pos
  std::int32_t count = 0;
  while (i > 0 && IsBlank(text_[i - 1])) {
    --i;
    ++count;
  }
  return count;
}

}  // namespace quilmo
