#pragma once
// The document: a doubly linked list of paragraphs, broken into display lines when word
// wrap is on, with the counts, limits, markers, `Modified` flag and undo buffer.
//
// Coordinates are 1-based: (paragraph, position) and (display line, column).

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/ParaListObserver.h"
#include "engine/ParaListView.h"
#include "engine/ParaNode.h"
#include "engine/UndoBuffer.h"

namespace quilmo {

struct TMarker {
  std::int32_t Para = 0;  // (0, 0) = not set
  std::int32_t Pos = 0;
};

inline constexpr std::int32_t kMaxInt32 = 2147483647;
inline constexpr int kMaxParaLength = 32767;

class TParaList {
 public:
  explicit TParaList(bool wordWrap = false, std::uint16_t undoBufferSize = 8192);
  ~TParaList();
  TParaList(const TParaList&) = delete;
  TParaList& operator=(const TParaList&) = delete;

  // Views that follow edits (the first one is the owner). Not owned.
  void AddView(TParaListView* view);
  void RemoveView(TParaListView* view);
  const std::vector<TParaListView*>& Views() const { return views_; }
  // The one observer that hears every change of the text (null: none). Not owned.
  void SetObserver(TParaListObserver* observer) { observer_ = observer; }
  TParaListObserver* Observer() const { return observer_; }

  // Counts.
  std::int32_t ParaCount() const { return paraCount_; }
  std::int32_t LineCount() const { return lineCount_; }
  std::int32_t ByteCount() const { return byteCount_; }

  // Limits; setters ignore values out of range (lowering never removes text).
  std::int32_t ParaLimit() const { return paraLimit_; }
  void SetParaLimit(std::int32_t value);
  std::int32_t ByteLimit() const { return byteLimit_; }
  void SetByteLimit(std::int32_t value);
  std::int32_t ParaLengthLimit() const { return paraLengthLimit_; }
  void SetParaLengthLimit(std::int32_t value);

  // Wrapping; a change re-wraps everything (`RewrapAll`) as described per setter.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  std::int32_t WrapColumn() const { return wrapColumn_; }
  void SetWrapColumn(std::int32_t value);
  std::uint8_t TabSize() const { return tabSize_; }
  void SetTabSize(std::uint8_t value);
  // `WrapColumn` with word wrap on, 32767 otherwise.
  std::int32_t EffectiveWrapColumn() const;
  void RewrapAll();

  bool Modified() const { return modified_; }
  // Setting the present value does nothing; a change notifies every view, and a change to
  // false marks every undo record modified.
  void SetModified(bool value);

  bool TrackMarkers() const { return trackMarkers_; }
  void SetTrackMarkers(bool value) { trackMarkers_ = value; }
  const TMarker& Marker(int n) const { return markers_[n]; }
  void SetMarkerPos(int n, std::int32_t para, std::int32_t pos);  // n < 10, else ignored
  // Stores (paragraph, line offset + column) of a display line and column; n < 10.
  void SetMarker(int n, std::int32_t line, std::int32_t column);

  // Lookups. `GetPara` returns null out of range; both move the cursor cache.
  TParaNode* GetPara(std::int32_t para);
  // Pointer to the display line's first character and its length ("" and 0 above LineCount).
  const char* GetLine(std::int32_t line, std::int32_t& length);
  void PosToLine(std::int32_t para, std::int32_t pos, std::int32_t& line, std::int32_t& column);
  void LineToPara(std::int32_t line, std::int32_t& para, std::int32_t& offset);
  std::int32_t ParaLength(std::int32_t para);
  // Length of the last paragraph, read from the list's end: the cursor cache stays where it is.
  std::int32_t LastParaLength() const { return last_->Length(); }
  std::int32_t LineLength(std::int32_t line);
  [[nodiscard]] std::uint16_t CheckLimits(std::int32_t targetPara, std::int32_t parasToAdd,
                                          std::int64_t bytesToAdd) const;

  // Display lines touched by the last edit; RepaintLast = kMaxInt32 means to the end.
  std::int32_t RepaintFirst() const { return repaintFirst_; }
  std::int32_t RepaintLast() const { return repaintLast_; }

  // Editing primitives: 0 or an error code; `sender` is the view making the edit (may be null).
  [[nodiscard]] std::uint16_t InsertText(std::int32_t para, std::int32_t pos, const char* text,
                                         std::int32_t count, TParaListView* sender = nullptr);
  [[nodiscard]] std::uint16_t DeleteText(std::int32_t para, std::int32_t pos, std::int32_t count,
                                         TParaListView* sender = nullptr);
  [[nodiscard]] std::uint16_t ReplaceText(std::int32_t para, std::int32_t pos, std::int32_t oldLength,
                                          const char* text, std::int32_t newLength,
                                          TParaListView* sender = nullptr);
  [[nodiscard]] std::uint16_t InsertParaBefore(std::int32_t para, const char* text, std::int32_t count,
                                               TParaListView* sender = nullptr);
  [[nodiscard]] std::uint16_t InsertParaAfter(std::int32_t para, const char* text, std::int32_t count,
                                              TParaListView* sender = nullptr);
  void DeletePara(std::int32_t para, TParaListView* sender = nullptr);
  [[nodiscard]] std::uint16_t SplitPara(std::int32_t para, std::int32_t pos, bool trim, std::int32_t indent,
                                        std::int32_t tabSize, TParaListView* sender = nullptr);
  [[nodiscard]] std::uint16_t MergeParas(std::int32_t para, std::int32_t pos,
                                         TParaListView* sender = nullptr);
  // Stops at the first step that fails and returns its code; a join that would make the
  // paragraph too long is not a failure: the two paragraphs stay apart.
  [[nodiscard]] std::uint16_t DeleteRegion(std::int32_t startPara, std::int32_t startPos,
                                           std::int32_t endPara, std::int32_t endPos,
                                           TParaListView* sender = nullptr);
  // `para` and `pos` are updated to the end of the inserted text.
  [[nodiscard]] std::uint16_t InsertMultiLine(std::int32_t& para, std::int32_t& pos, std::string_view text,
                                              TParaListView* sender = nullptr);
  // Adds text as one or more paragraphs in front of the last paragraph; no undo record. A
  // text longer than ParaLengthLimit is cut into pieces by NextPieceLength.
  [[nodiscard]] std::uint16_t AppendPara(std::string_view text, bool trimWhiteSpace);
  // Appends texts one after another as AppendPara does, for a loader that appends many.
  class TAppender;

  // Undo groups: BeginGroup returns whether a group was already open; EndGroup takes that value.
  bool BeginGroup();
  void EndGroup(bool wasInGroup);

  // Undo / redo one group. False when nothing was available. On success (para, pos) is where
  // the caret goes.
  bool Undo(std::int32_t& para, std::int32_t& pos);
  bool Redo(std::int32_t& para, std::int32_t& pos);
  std::int32_t UndoCount() const;
  std::int32_t RedoCount() const;
  void ClearUndo();
  std::uint16_t UndoBufferSize() const;
  void SetUndoBufferSize(std::uint16_t size);  // replaces the buffer; history is lost
  bool Replaying() const { return replaying_; }
  TUndoBuffer& UndoBuffer() { return *undo_; }
  // At least the bytes of undo records an edit writes, for asking the buffer before it.
  // InsertMultiLine of `text` into a paragraph of `paraLength` characters (the blanks that
  // fill virtual space included); DeleteRegion; one replacement of `oldLength` characters by
  // `lines` (CR removed) in a paragraph of `paraLength` characters.
  static std::uint64_t InsertUndoCost(std::int64_t paraLength, std::string_view text);
  std::uint64_t RegionUndoCost(std::int32_t startPara, std::int32_t startPos, std::int32_t endPara,
                               std::int32_t endPos);
  static std::uint64_t ReplaceUndoCost(std::int64_t paraLength, std::int32_t oldLength,
                                       std::string_view lines);

  // Used by the undo replay: link a detached paragraph in again. The node is re-wrapped with
  // the present settings, its characters and lines are added to the counts, the markers
  // follow the rule of a paragraph inserted there, every view hears ParaInserted, `Modified`
  // is set and the cursor cache goes to the node. No undo record is written; the list owns
  // the node again. A `para` beyond the last paragraph links the node in at the end.
  void LinkParaBefore(TParaNode* node, std::int32_t para);  // the node becomes paragraph `para`
  void LinkParaAfter(TParaNode* node, std::int32_t para);   // the node becomes paragraph `para` + 1
  void LinkParaAt(TParaNode* node, std::int32_t para);      // as paragraph `para`, or last when beyond

 private:
  // Collects the display lines touched by one outer operation: the first range set inside
  // the outermost scope replaces the previous one, later ones widen it.
  class TRepaintScope {
   public:
    explicit TRepaintScope(TParaList& list) : list_(list) {
      if (list_.repaintDepth_++ == 0) list_.repaintFresh_ = true;
    }
    ~TRepaintScope() { --list_.repaintDepth_; }
    TRepaintScope(const TRepaintScope&) = delete;
    TRepaintScope& operator=(const TRepaintScope&) = delete;

   private:
    TParaList& list_;
  };

  // Paragraphs the list may hold when one is inserted at `targetPara` (0: appended).
  std::int64_t ParaCountLimit(std::int32_t targetPara) const;
  void AddRepaint(std::int32_t first, std::int32_t last);
  // Repaint range of an edit inside the cached paragraph from its changed line indexes.
  void AddParaRepaint(std::int32_t firstChanged, std::int32_t lastChanged, bool lineCountChanged);
  // Paragraph lookup that leaves the cursor cache alone; the first display line in `line`.
  TParaNode* FindPara(std::int32_t para, std::int32_t& line) const;
  void SetCache(TParaNode* node, std::int32_t para, std::int32_t line, std::int32_t lineIndex);
  // Links `node` in front of `before`, or at the end when `before` is null.
  void Link(TParaNode* node, TParaNode* before);
  void Unlink(TParaNode* node);
  void LinkNode(TParaNode* node, std::int32_t para);
  // A new paragraph wrapped with the present settings, or null without memory.
  TParaNode* NewNode(const char* text, std::int32_t count) const;
  // Links `node` in front of `before` (null: at the end) as paragraph `para`, whose first
  // display line is `line`, and accounts for it: counts, cursor cache, repaint range,
  // `Modified`, markers and views (`sender` is the view making the edit, may be null).
  void AddLinked(TParaNode* node, TParaNode* before, std::int32_t para, std::int32_t line,
                 TParaListView* sender);
  bool Record(TUndoKind kind, const char* data, std::int32_t length, std::int32_t pos, std::int32_t para,
              TParaNode* node = nullptr);

  // Marker rules.
  void MarkersInserted(std::int32_t para, std::int32_t pos, std::int32_t count);
  void MarkersDeleted(std::int32_t para, std::int32_t pos, std::int32_t count);
  void MarkersParaDeleted(std::int32_t para);
  void MarkersSplit(std::int32_t para, std::int32_t pos, std::int32_t indent);
  void MarkersJoined(std::int32_t para, std::int32_t pos);
  void MarkersReplaced(std::int32_t para, std::int32_t pos, std::int32_t oldLength, std::int32_t newLength);

  TParaNode* first_ = nullptr;
  TParaNode* last_ = nullptr;
  // Cursor cache: a paragraph, its number, its first display line, a line index in it.
  TParaNode* cacheNode_ = nullptr;
  std::int32_t cachePara_ = 1;
  std::int32_t cacheLine_ = 1;
  std::int32_t cacheLineIndex_ = 0;
  int repaintDepth_ = 0;
  bool repaintFresh_ = false;
  std::vector<TParaListView*> views_;
  TParaListObserver* observer_ = nullptr;
  std::int32_t paraCount_ = 1;
  std::int32_t lineCount_ = 1;
  std::int32_t byteCount_ = 0;
  std::int32_t paraLimit_ = kMaxInt32;
  std::int32_t byteLimit_ = kMaxInt32;
  std::int32_t paraLengthLimit_ = kMaxParaLength;
  bool wordWrap_ = false;
  std::int32_t wrapColumn_ = 80;
  std::uint8_t tabSize_ = 8;
  bool modified_ = false;
  bool trackMarkers_ = true;
  bool replaying_ = false;
  std::array<TMarker, 10> markers_{};
  std::int32_t repaintFirst_ = 1;
  std::int32_t repaintLast_ = 1;
  std::unique_ptr<TUndoBuffer> undo_;
};

// What AppendPara does once per call (markers, cursor cache, repaint range) is done once, when
// the appender goes away, and the limits and wrap settings are read once. The texts hold no
// NUL (AppendPara cuts its text at the first one). Nothing else may change the list while an
// appender lives.
class TParaList::TAppender {
 public:
  TAppender(TParaList& list, bool trimWhiteSpace);
  ~TAppender();
  TAppender(const TAppender&) = delete;
  TAppender& operator=(const TAppender&) = delete;

  // 0, or the error code that stopped it; the pieces appended before an error stay.
  [[nodiscard]] std::uint16_t Append(std::string_view text);

 private:
  // 0 or the error code when a paragraph of `length` characters cannot be added.
  std::uint16_t Fits(std::size_t length) const;

  TParaList& list_;
  TRepaintScope scope_;
  const bool trim_;
  const std::int32_t wrapColumn_;
  const std::uint8_t tabSize_;
  const std::size_t lengthLimit_;
  const std::int64_t paraCountLimit_;
  const std::int32_t firstLine_;  // of the last paragraph, where the appended ones go
  const std::int32_t lastPara_;
  std::int32_t added_ = 0;
};

// Length of the first paragraph AppendPara makes of `text` with paragraphs of at most `limit`
// characters: the whole text when it fits, else up to and including the last blank that
// fits, else `limit` characters.
std::size_t NextPieceLength(std::string_view text, std::size_t limit);

}  // namespace quilmo
