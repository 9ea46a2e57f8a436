#pragma once
// The state of one view of a text: where its caret and its selection are (TViewPlaces) and
// which part of the text its window shows (TViewport).
//
// The caret and the selection live in paragraph coordinates, which an edit moves by one rule
// (FollowEdit). Their line forms (display line and column) are derived from them in one
// place, whenever they change. The caret also keeps the display line it was put on: at a
// wrap boundary one paragraph position is both the end of a line and the start of the next.

#include <compare>
#include <cstdint>

namespace quilmo {

class TParaList;

// A place in the text in paragraph coordinates.
struct TParaPos {
  std::int32_t Para = 1;
  std::int32_t Pos = 1;
  auto operator<=>(const TParaPos&) const = default;
};

// A place in line coordinates: display line and column.
struct TLinePos {
  std::int32_t Line = 1;
  std::int32_t Col = 1;
  bool operator==(const TLinePos&) const = default;
};

// One edit of the text as its views hear of it.
enum class TEditKind : std::uint8_t { ParaDeleted, CharsDeleted, ParaInserted, CharsInserted, ParasJoined };

struct TTextEdit {
  TEditKind Kind = TEditKind::CharsInserted;
  std::int32_t Para = 1;
  std::int32_t Pos = 0;
  std::int32_t Count = 0;  // characters, or the indentation of a split
};

// Where a place goes by an edit: the marker rules, except that a place is never unset. In a
// deleted paragraph it goes to position 1 of the paragraph now at that index (at most
// `paraCount`), inside deleted characters to their start.
TParaPos FollowEdit(TParaPos p, const TTextEdit& edit, std::int32_t paraCount);

class TViewPlaces {
 public:
  std::int32_t CaretLine() const { return caretLine_; }
  std::int32_t CaretCol() const { return caretCol_; }
  std::int32_t CaretPara() const { return caretPara_; }
  // Characters of CaretPara before CaretLine.
  std::int32_t LineOffset() const { return lineOffset_; }
  // The caret's paragraph position (behind the paragraph's end in virtual space).
  TParaPos Caret() const { return {caretPara_, lineOffset_ + caretCol_}; }
  // The same, limited to the paragraph's end + 1.
  TParaPos ClampedCaret(TParaList& list) const;

  // SelStart <= SelEnd; equal: no selection. SelCaretEnd is the end that follows the caret.
  TParaPos SelStart() const { return selStart_; }
  TParaPos SelEnd() const { return selEnd_; }
  TParaPos SelCaretEnd() const { return selCaretEnd_; }
  bool HasSelection() const { return selStart_ != selEnd_; }
  std::int32_t SelStartLine() const { return selStartLine_.Line; }
  std::int32_t SelStartCol() const { return selStartLine_.Col; }
  std::int32_t SelEndLine() const { return selEndLine_.Line; }
  std::int32_t SelEndCol() const { return selEndLine_.Col; }

  // The caret on a display line and column; its paragraph form follows. The selection stays.
  void SetCaretLine(TParaList& list, std::int32_t line, std::int32_t column);
  // The caret at a paragraph position; its line form follows. The selection stays.
  void SetCaret(TParaList& list, TParaPos pos);
  // Empties the selection at the caret (limited to its paragraph's end).
  void Collapse(TParaList& list);
  // Moves the selection's caret end to the caret (limited to its paragraph's end).
  void Extend(TParaList& list);
  // The caret at the start of the text, no selection.
  void Reset();

  // Follows one edit of the text. The view that made the edit places its caret itself
  // (`withCaret` false): only the top of its window follows, in TViewport's owner.
  void Follow(TParaList& list, const TTextEdit& edit, bool withCaret);
  // After the text was wrapped anew: every line form again from its paragraph form (the
  // caret's column limited to its line while wrapping).
  void Rewrapped(TParaList& list);

 private:
  void DeriveSelectionLines(TParaList& list);

  std::int32_t caretLine_ = 1;
  std::int32_t caretCol_ = 1;
  std::int32_t caretPara_ = 1;
  std::int32_t lineOffset_ = 0;
  TParaPos selStart_;
  TParaPos selEnd_;
  TParaPos selCaretEnd_;
  TLinePos selStartLine_;
  TLinePos selEndLine_;
};

// What the window shows.
struct TViewport {
  std::int32_t TopLine = 1;  // first display line shown
  TParaPos TopPara{1, 0};    // TopLine as paragraph and characters before it
  std::int32_t LeftColumn = 0;
  std::int32_t VisibleLines = 1;
  std::int32_t VisibleColumns = 1;
  std::int32_t CharWidth = 8;    // pixels of a character cell
  std::int32_t LineHeight = 17;  // pixels of a row

  bool ShowsLine(std::int32_t line) const { return line >= TopLine && line < TopLine + VisibleLines; }
  // Lines a page moves.
  std::int32_t Page() const { return VisibleLines > 1 ? VisibleLines - 1 : 1; }
};

}  // namespace quilmo
