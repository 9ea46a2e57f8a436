#pragma once
// The search and replace engine: finds the next or previous occurrence of a pattern in the
// paragraph list, or replaces every occurrence in a scope, paragraph by paragraph. An
// occurrence never spans a paragraph break.
//
// The editor control supplies the caret and the selection and applies the outcome (select,
// re-select the scope, collapse); replacing the selected occurrence (`soReplace`) is the
// editor's own single-undo-group insertion, made before FindOrReplaceAll runs.

#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/SearchPattern.h"

namespace quilmo {

class TParaList;
class TParaListView;

// Search options byte (bit 0x01 is not used).
enum : std::uint8_t {
  soBackward = 0x02,      // towards the start of the text
  soMatchCase = 0x04,     // letters must match in case
  soEntireScope = 0x08,   // start at the text's start (forward) or end (backward), search it all
  soReplace = 0x10,       // replace the selection if it is an occurrence, then find the next one
  soReplaceAll = 0x20,    // replace every occurrence in the scope
  soWholeWord = 0x40,     // an occurrence must not touch word characters on either side
  soSelectedOnly = 0x80,  // the scope is the current selection
};

// A (paragraph, position) pair, both 1-based.
struct TSearchPoint {
  std::int32_t Para = 1;
  std::int32_t Pos = 1;
  bool operator==(const TSearchPoint&) const = default;
};

struct TSearchRequest {
  std::string_view Pattern;  // cut to 255 characters
  // Needed with soReplace / soReplaceAll (an empty one deletes the occurrences); cut to 255.
  std::optional<std::string_view> Replacement;
  std::uint8_t Options = 0;
  TSearchPoint Caret;
  TSearchPoint SelStart;  // SelStart == SelEnd: no selection
  TSearchPoint SelEnd;
  bool AnchorAtEnd = false;  // the selection's anchor is its end (the caret is at its start)
  // Replacements already made by the caller (1 after replacing the selected occurrence).
  std::int32_t Count = 0;
  // With soReplaceAll: nothing is replaced; Count and UndoCost tell what the run would make.
  bool CountOnly = false;
};

// What the editor does with its selection afterwards.
enum class TSearchSelect : std::uint8_t {
  ssKeep,      // nothing found: selection and caret stay
  ssRange,     // select Start..End, caret at End when CaretAtEnd, else at Start
  ssCollapse,  // replacements were made: empty the selection at the caret
};

struct TSearchResult {
  // What Replace returns: the error code of a failed replacement; else Count when above 0;
  // else 0 when an occurrence was selected (or the pattern was empty); else -1.
  std::int32_t Value = -1;
  std::uint16_t Error = 0;     // 0 or the code of the failed replacement
  std::int32_t Count = 0;      // replacements made, the caller's included
  std::uint64_t UndoCost = 0;  // CountOnly: the undo bytes the replacements would take at most
  bool Found = false;          // an occurrence was selected
  TSearchSelect Select = TSearchSelect::ssKeep;
  TSearchPoint Start;
  TSearchPoint End;
  bool CaretAtEnd = false;
};

// Runs one search, or with soReplaceAll one replace-all, from the request's caret or
// selection. Replacements are made with ReplaceText, one undo record each, on behalf of
// `sender` (may be null); a replacement holding line ends splits the paragraph as inserting it
// at the caret does (CR dropped, LF breaks), one undo group each. The first view of the list shows the busy
// cursor meanwhile.
TSearchResult FindOrReplaceAll(TParaList& list, const TSearchRequest& request,
                               TParaListView* sender = nullptr);

// Whether the selection lies within one paragraph and equals the pattern (cut to 255
// characters): exactly with matchCase, else after upper-casing both with the same
// Windows-1252 table as the case-insensitive scan.
bool SelectionIsOccurrence(TParaList& list, TSearchPoint selStart, TSearchPoint selEnd,
                           std::string_view pattern, bool matchCase);

// Cuts a pattern or a replacement to kMaxSearchLength characters.
inline std::string_view CutSearchText(std::string_view text) {
  return text.size() > kMaxSearchLength ? text.substr(0, kMaxSearchLength) : text;
}

}  // namespace quilmo
