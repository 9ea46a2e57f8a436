#pragma once
// What a screen reader sees of the editor widget: an editable, multi-line text whose
// paragraph breaks are one "\n" each, with the caret, the selection, character rectangles,
// text by character, word, display line and paragraph, and editing through the control's own
// operations (so undo works). Offsets are counted in characters of the whole text; an index of
// paragraph starts maps them to (paragraph, position) in logarithmic time. Nothing
// of this exists before an assistive technology asks for the widget's interface, and no event
// is sent while accessibility is inactive.

#include <QAccessibleWidget>
#include <QString>

#include <cstdint>
#include <vector>

#include "editor/qt/EditorAccessibleOffsets.h"
#include "engine/ParaListView.h"

namespace quilmo {

class TEditorWidget;
class TCustomEditor;
class TParaList;

class TEditorAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface,
                          private TParaListView {
 public:
  explicit TEditorAccessible(TEditorWidget* widget);
  ~TEditorAccessible() override;
  TEditorAccessible(const TEditorAccessible&) = delete;
  TEditorAccessible& operator=(const TEditorAccessible&) = delete;

  // The longest text given in one reply; a reader asks again for more.
  static constexpr std::int64_t kMaxReply = std::int64_t{1} << 25;
  // Text events of one edit sent one by one before they are summed up in one update.
  static constexpr int kMaxRun = 1000;

  // Installs the factory that gives every TEditorWidget this interface (once per process).
  static void Install();

  // Where the events go instead of QAccessible::updateAccessibility, whatever isActive()
  // says (platforms without an accessibility bridge never become active); null restores.
  using TEventSink = void (*)(QAccessibleEvent* event);
  static void SetEventSink(TEventSink sink);

  void* interface_cast(QAccessible::InterfaceType type) override;
  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;

  // --- QAccessibleTextInterface
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                           int* endOffset) const override;
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                          int* endOffset) const override;
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                       int* endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

  // --- QAccessibleEditableTextInterface
  void deleteText(int startOffset, int endOffset) override;
  void insertText(int offset, const QString& text) override;
  void replaceText(int startOffset, int endOffset, const QString& text) override;

 private:
  struct TPlace {
    std::int32_t Para;
    std::int32_t Pos;  // 1-based; Length + 1 is the paragraph's break
  };
  struct TSpan {
    std::int64_t Start;
    std::int64_t End;
  };

  TCustomEditor& Editor() const;
  TEditorWidget* Widget() const;
  // Registers with the editor's present paragraph list; true when that list is a new one.
  bool Follow() const;
  std::int64_t Offset(std::int32_t para, std::int32_t pos) const;
  TPlace Place(std::int64_t offset) const;
  std::int64_t Clamp(std::int64_t offset) const;
  // The segment of the given kind that holds `offset` (a paragraph break is its own word).
  TSpan Segment(std::int64_t offset, QAccessible::TextBoundaryType boundary) const;
  QString Reply(TSpan span, int* startOffset, int* endOffset) const;
  // Selects [start, end) with the caret at `end`.
  void SelectRange(std::int64_t start, std::int64_t end);
  // After each caret placement: the caret and selection events, one update after a new text.
  void CaretPlaced();
  // An insert, remove or update event, unless it continues a run of more than kMaxRun (a
  // paste of many lines, a deletion of many paragraphs: events at adjacent places; a
  // replacement of every occurrence: updates anywhere). Such a run ends in one update, sent
  // before the next event or once the edit is over, and readers read again.
  void SendChange(QAccessible::Event kind, std::int64_t start, const QString& removed,
                  const QString& inserted);
  void EndRun();
  void Detach();

  // TParaListView: the edits of the text, for the index and the events.
  void ParaDeleted(int para, bool isSender) override;
  void CharsDeleted(int para, int pos, int count, bool isSender) override;
  void ParaDeleting(int para) override;
  void CharsDeleting(int para, int pos, int count) override;
  void CharsReplacing(int para, int pos, int oldCount) override;
  void ParasJoining(int para, int pos) override;
  void ParaInserted(int para, int pos, int indent, bool isSender) override;
  void CharsInserted(int para, int pos, int count, bool isSender) override;
  void ParasJoined(int para, int pos, bool isSender) override;
  void TextRewrapped() override {}
  void ModifiedChanged() override {}

  // What the list announced just before an edit, read while the old text is still there.
  enum class TPendingKind : std::uint8_t { None, Removal, Replacement, Join };
  struct TPending {
    TPendingKind Kind = TPendingKind::None;
    std::int32_t Para = 0;
    std::int32_t Pos = 0;
    std::int32_t Count = 0;      // removal: characters, -1 a paragraph; replacement: characters replaced
    std::int32_t OldLength = 0;  // replacement and join: the paragraph's length before
    std::int64_t Start = 0;      // offset of what goes
    QString Text;                // what goes (read only while events are wanted)
  };
  // Takes the announcement of this kind for paragraph `para`, if that is the one pending.
  bool TakePending(TPendingKind kind, std::int32_t para, TPending& pending);
  // The end of an announced replacement: the paragraph's new length tells the new text.
  void Replaced(const TPending& pending);

  QMetaObject::Connection FCaretConnection;
  QMetaObject::Connection FDestroyConnection;
  mutable TParaList* FList = nullptr;  // the list this interface is registered with
  mutable TParaOffsetIndex FIndex;
  struct TRun {
    QAccessible::Event Kind = QAccessible::InvalidEvent;  // InvalidEvent: no run
    std::int64_t Next = 0;                                // where an adjacent event would be
    int Count = 0;
    bool Overflow = false;  // events were left out: an update is due
    bool EndQueued = false;
  };
  TRun FRun;
  TPending FPending;
  bool FDetached = false;
  int FLastCaret = -1;
  int FLastSelStart = 0;
  int FLastSelEnd = 0;
};

}  // namespace quilmo
