#pragma once
// One paragraph: its characters and the starts of its display lines, plus the functions
// on runs of characters that wrapping and the editor's column arithmetic share.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quilmo {

class TParaNode final {
 public:
  // Creates a paragraph from `count` characters, wrapped at `wrapColumn` (32767 or 0 = one line).
  // Throws std::bad_alloc("insufficient memory for requested operation" through the caller)
  // when its buffers cannot be had.
  TParaNode(const char* text, std::int32_t count, std::int32_t wrapColumn, std::uint8_t tabSize);
  ~TParaNode();
  TParaNode(const TParaNode&) = delete;
  TParaNode& operator=(const TParaNode&) = delete;
  // Nodes come from a pool (`new` / `delete` as usual).
  static void* operator new(std::size_t size);
  static void operator delete(void* p) noexcept;

  // NUL-terminated; "" for an empty paragraph without a buffer.
  const char* Text() const;
  std::int32_t Length() const;
  std::int32_t Capacity() const;
  std::int32_t LineCount() const;
  // Character offset at which display line `index` (0-based) starts; entry 0 is 0.
  std::int32_t LineStart(std::int32_t index) const;
  std::int32_t LineStartCapacity() const;

  TParaNode* Next() const;
  TParaNode* Prev() const;

  // Full wrap.
  void WrapPara(std::int32_t wrapColumn, std::uint8_t tabSize);
  // Incremental re-wrap after `delta` characters were inserted (> 0) or deleted (< 0) at
  // offset `offset`; the result equals WrapPara. Reports the first and last changed line
  // indexes (0-based) for the repaint range.
  void RewrapPara(std::int32_t offset, std::int32_t delta, std::int32_t wrapColumn, std::uint8_t tabSize,
                  std::int32_t& firstChanged, std::int32_t& lastChanged);

  // Line lookup for position `pos` (1-based): 0-based line index and 1-based column in it.
  void PosToLineIndex(std::int32_t pos, std::int32_t& lineIndex, std::int32_t& column) const;
  // Display line `lineIndex` (0-based): pointer to its first character and its length.
  const char* LineText(std::int32_t lineIndex, std::int32_t& length) const;

  // Character edits followed by RewrapPara; 0 or ErrOutOfMemory.
  [[nodiscard]] std::uint16_t Insert(std::int32_t offset, const char* text, std::int32_t count,
                                     std::int32_t wrapColumn, std::uint8_t tabSize,
                                     std::int32_t& firstChanged, std::int32_t& lastChanged);
  [[nodiscard]] std::uint16_t Delete(std::int32_t offset, std::int32_t count, std::int32_t wrapColumn,
                                     std::uint8_t tabSize, std::int32_t& firstChanged,
                                     std::int32_t& lastChanged);
  [[nodiscard]] std::uint16_t Replace(std::int32_t offset, std::int32_t oldLength, const char* text,
                                      std::int32_t newLength, std::int32_t wrapColumn, std::uint8_t tabSize,
                                      std::int32_t& firstChanged, std::int32_t& lastChanged);
  // Removes trailing blanks (spaces and TABs); returns how many.
  std::int32_t TrimTrailingBlanks(std::int32_t wrapColumn, std::uint8_t tabSize);
  // Number of blanks immediately before position `pos` (1-based).
  std::int32_t BlanksBefore(std::int32_t pos) const;

 private:
  friend class TParaList;

  // Re-wraps after the `oldLength` characters at `offset` were replaced by `newLength` ones
  // (the text already changed). False, with the line starts unchanged, when a larger table
  // cannot be had.
  bool RewrapRange(std::int32_t offset, std::int32_t oldLength, std::int32_t newLength,
                   std::int32_t wrapColumn, std::uint8_t tabSize, std::int32_t& firstChanged,
                   std::int32_t& lastChanged);
  bool Wrap(std::int32_t wrapColumn, std::uint8_t tabSize);
  // Makes room for `bytes` bytes (characters + NUL) by the growth rule.
  bool Reserve(std::int32_t bytes);
  // Gives the line-start table room for `count` entries.
  bool ReserveLines(std::int32_t count, std::int32_t wrapColumn);
  // Characters of the display line starting at `start` that fit in the wrap column.
  std::int32_t LimitAt(std::int32_t start, std::int32_t wrapColumn, std::uint8_t tabSize) const;
  // Line k's start in the table as it stands.
  std::int32_t Start(std::int32_t k) const { return k == 0 ? 0 : lineStarts_[k]; }
  void SetLineCount(std::int32_t count);

  // 40 bytes: the links, the buffers and four 16-bit counts. A one-line paragraph needs no
  // line-start table (entry 0 is always 0), so `lineStarts_` stays null until a paragraph
  // wraps; an empty paragraph has no text buffer.
  TParaNode* next_ = nullptr;
  TParaNode* prev_ = nullptr;
  char* text_ = nullptr;
  std::uint16_t* lineStarts_ = nullptr;
  std::uint16_t length_ = 0;
  std::uint16_t capacity_ = 0;
  std::uint16_t lineCount_ = 1;
  std::uint16_t lineStartCapacity_ = 0;  // entries in `lineStarts_`, 0 without a table
};

// A blank (space or TAB): what trimming removes, wrapping leaves at a line's end and indenting copies.
inline bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Screen width of the first `count` characters; a TAB advances to the next multiple of tabSize.
std::int32_t TextWidth(const char* text, std::int32_t count, std::uint8_t tabSize);
// Screen column (1-based) of position `pos` in a display line of `length` characters.
std::int32_t PosToColumn(const char* line, std::int32_t length, std::int32_t pos, std::uint8_t tabSize);
// The characters with every TAB replaced by the blanks up to its tab stop (as painted).
std::string ExpandTabs(std::string_view text, std::uint8_t tabSize);
// Position of the character covering screen column `column` (beyond the end, one per column).
std::int32_t ColumnToPos(const char* line, std::int32_t length, std::int32_t column, std::uint8_t tabSize);
// Where the next display line starts, from `lineStart` with `limit` characters fitting; see ParaNode.cpp.
std::int32_t FindWrapPoint(const char* text, std::int32_t length, std::int32_t lineStart, std::int32_t limit);

}  // namespace quilmo
