#include "editor/qt/EditorAccessible.h"

#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <string_view>
#include <utility>

#include "editor/CustomEditor.h"
#include "editor/CustomTextFileEditor.h"
#include "editor/qt/Cp1252Text.h"
#include "editor/qt/EditorWidget.h"
#include "engine/ParaList.h"
#include "engine/ParaNode.h"
#include "engine/WordDelimiters.h"

namespace quilmo {

namespace {

// A NUL would end the string on the bus and shift every offset after it.
QChar ExposedChar(unsigned char byte) {
  return byte == 0 ? QChar(0xFFFD) : ByteToQChar(byte);
}

QAccessibleInterface* EditorFactory(const QString& /*key*/, QObject* object) {
  if (auto* widget = qobject_cast<TEditorWidget*>(object)) return new TEditorAccessible(widget);
  return nullptr;
}

TEditorAccessible::TEventSink Sink = nullptr;

bool EventsWanted() {
  return Sink != nullptr || QAccessible::isActive();
}

void Send(QAccessibleEvent&& event) {
  if (Sink != nullptr)
    Sink(&event);
  else
    QAccessible::updateAccessibility(&event);
}

int ToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, 0, INT_MAX));
}

}  // namespace

// ---------------------------------------------------------------- interface

TEditorAccessible::TEditorAccessible(TEditorWidget* widget)
    : QAccessibleWidget(widget, QAccessible::EditableText) {
  Follow();
  FCaretConnection = QObject::connect(widget, &TEditorWidget::CaretPlaced, widget, [this] { CaretPlaced(); });
  FDestroyConnection = QObject::connect(widget, &TEditorWidget::Destroying, widget, [this] { Detach(); });
}

TEditorAccessible::~TEditorAccessible() {
  Detach();
}

void TEditorAccessible::Install() {
  static const bool installed = [] {
    QAccessible::installFactory(&EditorFactory);
    return true;
  }();
  (void)installed;
}

void TEditorAccessible::SetEventSink(TEventSink sink) {
  Sink = sink;
}

TEditorWidget* TEditorAccessible::Widget() const {
  return static_cast<TEditorWidget*>(widget());
}

TCustomEditor& TEditorAccessible::Editor() const {
  return Widget()->Editor();
}

void TEditorAccessible::Detach() {
  if (FDetached) return;
  FDetached = true;
  QObject::disconnect(FCaretConnection);
  QObject::disconnect(FDestroyConnection);
  if (widget() == nullptr) return;
  TParaList& list = Editor().ParaList();
  if (&list == FList) list.RemoveView(this);
  FList = nullptr;
}

bool TEditorAccessible::Follow() const {
  TParaList& list = Editor().ParaList();
  const auto& views = list.Views();
  if (&list == FList &&
      std::find(views.begin(), views.end(), static_cast<const TParaListView*>(this)) != views.end())
    return false;
  list.AddView(const_cast<TEditorAccessible*>(this));
  FList = &list;
  FIndex.Reset();
  return true;
}

void* TEditorAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (type == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QString TEditorAccessible::text(QAccessible::Text t) const {
  if (t != QAccessible::Name) return QAccessibleWidget::text(t);
  if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
  if (const auto* file = dynamic_cast<const TCustomTextFileEditor*>(&Editor());
      file && !file->FileName().empty())
    return QString::fromLocal8Bit(file->FileName());
  return widget()->windowTitle();
}

QAccessible::State TEditorAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.focusable = true;
  s.focused = widget()->hasFocus();
  s.editable = !Editor().ReadOnly();
  s.readOnly = Editor().ReadOnly();
  s.multiLine = true;
  s.selectableText = true;
  return s;
}

// ---------------------------------------------------------------- offsets

int TEditorAccessible::characterCount() const {
  // ByteCount counts a CR LF pair per paragraph break; the text shows one "\n" for it.
  const TCustomEditor& editor = Editor();
  return ToInt(std::int64_t{editor.ByteCount()} - (editor.ParaCount() - 1));
}

std::int64_t TEditorAccessible::Clamp(std::int64_t offset) const {
  return std::clamp<std::int64_t>(offset, 0, characterCount());
}

std::int64_t TEditorAccessible::Offset(std::int32_t para, std::int32_t pos) const {
  Follow();
  return FIndex.ParaStart(*FList, para) + pos - 1;
}

TEditorAccessible::TPlace TEditorAccessible::Place(std::int64_t offset) const {
  Follow();
  std::int64_t start = 0;
  const std::int32_t para = FIndex.ParaAt(*FList, Clamp(offset), start);
  const std::int32_t length = FIndex.Node(*FList, para)->Length();
  return {para, static_cast<std::int32_t>(std::min<std::int64_t>(Clamp(offset) - start, length)) + 1};
}

// ---------------------------------------------------------------- caret and selection

int TEditorAccessible::cursorPosition() const {
  const TParaPos caret = Editor().CaretParaPos();
  const std::int32_t pos = std::min(caret.Pos, Editor().ParaList().ParaLength(caret.Para) + 1);
  return ToInt(Offset(caret.Para, pos));
}

void TEditorAccessible::setCursorPosition(int position) {
  const TPlace p = Place(position);
  Editor().MoveCaretToPara(p.Para, p.Pos);
}

int TEditorAccessible::selectionCount() const {
  return Editor().HasSelection() ? 1 : 0;
}

void TEditorAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || !Editor().HasSelection()) return;
  *startOffset = ToInt(Offset(Editor().SelStart().Para, Editor().SelStart().Pos));
  *endOffset = ToInt(Offset(Editor().SelEnd().Para, Editor().SelEnd().Pos));
}

void TEditorAccessible::SelectRange(std::int64_t start, std::int64_t end) {
  const TPlace from = Place(start);
  const TPlace to = Place(end);
  Editor().MoveCaretToPara(from.Para, from.Pos);
  Editor().MoveCaretToPara(to.Para, to.Pos, true);
}

void TEditorAccessible::addSelection(int startOffset, int endOffset) {
  SelectRange(startOffset, endOffset);
}

void TEditorAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex == 0) SelectRange(startOffset, endOffset);
}

void TEditorAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) Editor().CollapseSelection(true);
}

// ---------------------------------------------------------------- text

QString TEditorAccessible::text(int startOffset, int endOffset) const {
  const std::int64_t start = Clamp(startOffset);
  const std::int64_t end = std::min(Clamp(endOffset), start + kMaxReply);
  QString result;
  if (end <= start) return result;
  result.reserve(static_cast<qsizetype>(end - start));
  const TPlace from = Place(start);
  std::int64_t left = end - start;
  std::int32_t pos = from.Pos;
  for (TParaNode* node = FIndex.Node(*FList, from.Para); node != nullptr && left > 0;
       node = node->Next(), pos = 1) {
    const char* chars = node->Text();
    const std::int32_t length = node->Length();
    for (std::int32_t i = pos - 1; i < length && left > 0; ++i, --left)
      result.append(ExposedChar(static_cast<unsigned char>(chars[i])));
    if (left > 0) {
      result.append(QLatin1Char('\n'));
      --left;
    }
  }
  return result;
}

TEditorAccessible::TSpan TEditorAccessible::Segment(std::int64_t offset,
                                                    QAccessible::TextBoundaryType boundary) const {
  const std::int64_t count = characterCount();
  if (boundary == QAccessible::NoBoundary) return {0, count};
  if (offset < 0 || offset >= count) return {count, count};
  const TPlace p = Place(offset);
  TParaNode* node = FIndex.Node(*FList, p.Para);
  const char* chars = node->Text();
  const std::int32_t length = node->Length();
  const std::int64_t paraStart = offset - (p.Pos - 1);
  const std::int64_t paraEnd = std::min<std::int64_t>(paraStart + length + 1, count);  // break included
  switch (boundary) {
    case QAccessible::CharBoundary: return {offset, offset + 1};
    case QAccessible::WordBoundary: {
      if (p.Pos > length) return {offset, offset + 1};  // the break
      // A run of word characters, or a run of delimiters.
      const bool delimiter = IsWordDelimiter(chars[p.Pos - 1]);
      std::int32_t first = p.Pos;
      while (first > 1 && IsWordDelimiter(chars[first - 2]) == delimiter) --first;
      std::int32_t last = p.Pos;
      while (last < length && IsWordDelimiter(chars[last]) == delimiter) ++last;
      return {paraStart + first - 1, paraStart + last};
    }
    case QAccessible::LineBoundary: {
      std::int32_t index = 0;
      std::int32_t column = 0;
      node->PosToLineIndex(std::min(p.Pos, std::max(length, 1)), index, column);
      const std::int64_t lineStart = paraStart + node->LineStart(index);
      const std::int64_t lineEnd =
          index + 1 < node->LineCount() ? paraStart + node->LineStart(index + 1) : paraEnd;
      return {lineStart, lineEnd};
    }
    default:  // sentences and paragraphs: the paragraph with its break
      return {paraStart, paraEnd};
  }
}

QString TEditorAccessible::Reply(TSpan span, int* startOffset, int* endOffset) const {
  span.End = std::min(span.End, span.Start + kMaxReply);
  *startOffset = ToInt(span.Start);
  *endOffset = ToInt(span.End);
  return text(*startOffset, *endOffset);
}

QString TEditorAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                        int* startOffset, int* endOffset) const {
  return Reply(Segment(offset, boundaryType), startOffset, endOffset);
}

QString TEditorAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
  const std::int64_t count = characterCount();
  const std::int64_t at = offset >= count ? count : Segment(offset, boundaryType).Start;
  if (at <= 0 || boundaryType == QAccessible::NoBoundary) return Reply({0, 0}, startOffset, endOffset);
  return Reply(Segment(at - 1, boundaryType), startOffset, endOffset);
}

QString TEditorAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int* startOffset, int* endOffset) const {
  const std::int64_t count = characterCount();
  if (boundaryType == QAccessible::NoBoundary) return Reply({count, count}, startOffset, endOffset);
  return Reply(Segment(Segment(offset, boundaryType).End, boundaryType), startOffset, endOffset);
}

QString TEditorAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
  (void)offset;
  *startOffset = 0;
  *endOffset = characterCount();
  return QString();
}

// ---------------------------------------------------------------- geometry

QRect TEditorAccessible::characterRect(int offset) const {
  TCustomEditor& editor = Editor();
  const TPlace p = Place(offset);
  std::int32_t line = 0;
  std::int32_t column = 0;
  FList->PosToLine(p.Para, p.Pos, line, column);
  std::int32_t length = 0;
  const char* chars = FList->GetLine(line, length);
  const std::uint8_t tabSize = FList->TabSize();
  const std::int32_t screen = PosToColumn(chars, length, column, tabSize);
  const std::int32_t width =
      column <= length ? PosToColumn(chars, length, column + 1, tabSize) - screen : 1;  // a TAB is wider
  const int textLeft = editor.LeftMargin() + (editor.MarginOptions().Left().Enabled() ? 5 : 0);
  const QPoint topLeft(textLeft + (screen - editor.LeftColumn() - 1) * editor.CharWidth(),
                       (line - editor.TopLine()) * editor.LineHeight());
  return QRect(Widget()->viewport()->mapToGlobal(topLeft),
               QSize(width * editor.CharWidth(), editor.LineHeight()));
}

int TEditorAccessible::offsetAtPoint(const QPoint& point) const {
  const QPoint local = Widget()->viewport()->mapFromGlobal(point);
  if (!Widget()->viewport()->rect().contains(local)) return -1;
  std::int32_t line = 0;
  std::int32_t column = 0;
  Editor().PointToLineCol(local.x(), local.y(), line, column);
  std::int32_t para = 0;
  std::int32_t lineStart = 0;
  FList->LineToPara(line, para, lineStart);
  const std::int32_t pos = std::min(lineStart + column, FList->ParaLength(para) + 1);
  return ToInt(Offset(para, pos));
}

void TEditorAccessible::scrollToSubstring(int startIndex, int endIndex) {
  (void)endIndex;
  const TPlace p = Place(startIndex);
  std::int32_t line = 0;
  std::int32_t column = 0;
  FList->PosToLine(p.Para, p.Pos, line, column);
  TCustomEditor& editor = Editor();
  if (line < editor.TopLine() || line >= editor.TopLine() + editor.VisibleLines()) editor.SetTopLine(line);
}

// ---------------------------------------------------------------- editing

void TEditorAccessible::deleteText(int startOffset, int endOffset) {
  if (Editor().ReadOnly() || endOffset <= startOffset) return;
  SelectRange(startOffset, endOffset);
  Editor().DeleteSelection();
}

void TEditorAccessible::insertText(int offset, const QString& text) {
  if (Editor().ReadOnly()) return;
  setCursorPosition(offset);
  Editor().InsertString(QStringToBytes(text));
}

void TEditorAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
  if (Editor().ReadOnly()) return;
  SelectRange(startOffset, endOffset);
  Editor().InsertString(QStringToBytes(text));  // replaces the selection as one undoable group
}

// ---------------------------------------------------------------- events

void TEditorAccessible::SendChange(QAccessible::Event kind, std::int64_t start, const QString& removed,
                                   const QString& inserted) {
  const bool continues = FRun.Kind == kind && (kind == QAccessible::TextUpdated || start == FRun.Next);
  if (!continues) {
    EndRun();
    FRun.Kind = kind;
  }
  FRun.Next = start + inserted.size();
  if (++FRun.Count <= kMaxRun) {
    if (kind == QAccessible::TextInserted)
      Send(QAccessibleTextInsertEvent(widget(), ToInt(start), inserted));
    else if (kind == QAccessible::TextRemoved)
      Send(QAccessibleTextRemoveEvent(widget(), ToInt(start), removed));
    else
      Send(QAccessibleTextUpdateEvent(widget(), ToInt(start), removed, inserted));
    return;
  }
  FRun.Overflow = true;
  if (FRun.EndQueued) return;
  FRun.EndQueued = true;
  // The interface may be gone by then: it is looked up again by its id.
  const QAccessible::Id id = QAccessible::uniqueId(this);
  QMetaObject::invokeMethod(
      widget(),
      [id] {
        if (auto* self = dynamic_cast<TEditorAccessible*>(QAccessible::accessibleInterface(id)))
          self->EndRun();
      },
      Qt::QueuedConnection);
}

void TEditorAccessible::EndRun() {
  FRun.EndQueued = false;
  FRun.Kind = QAccessible::InvalidEvent;
  FRun.Count = 0;
  if (!FRun.Overflow) return;
  FRun.Overflow = false;
  Send(QAccessibleTextUpdateEvent(widget(), 0, QString(), QString()));
}

void TEditorAccessible::CaretPlaced() {
  FPending = TPending();  // the edit is over: an announcement left by a failed one goes
  if (!EventsWanted()) return;
  EndRun();
  QObject* object = widget();
  if (Follow()) {  // a new text (a file was loaded): one update, readers ask again
    Send(QAccessibleTextUpdateEvent(object, 0, QString(), QString()));
    FLastCaret = -1;
    FLastSelStart = FLastSelEnd = 0;
  }
  int start = 0;
  int end = 0;
  selection(0, &start, &end);
  if (start != FLastSelStart || end != FLastSelEnd) {
    FLastSelStart = start;
    FLastSelEnd = end;
    Send(QAccessibleTextSelectionEvent(object, start, end));
  }
  const int caret = cursorPosition();
  if (caret != FLastCaret) {
    FLastCaret = caret;
    Send(QAccessibleTextCursorEvent(object, caret));
  }
}

bool TEditorAccessible::TakePending(TPendingKind kind, std::int32_t para, TPending& pending) {
  if (FPending.Kind != kind || FPending.Para != para) return false;
  pending = std::move(FPending);
  FPending = TPending();
  return true;
}

void TEditorAccessible::CharsReplacing(int para, int pos, int oldCount) {
  Follow();
  FPending = {TPendingKind::Replacement, para, pos, oldCount, FList->ParaLength(para), 0, QString()};
  if (!EventsWanted()) return;
  FPending.Start = Offset(para, pos);
  FPending.Text = text(ToInt(FPending.Start), ToInt(FPending.Start + oldCount));
}

void TEditorAccessible::Replaced(const TPending& pending) {
  // The list reports only the change in length (without the blanks of an insertion behind the
  // end); the paragraph's lengths before and after give it whole.
  const std::int32_t delta = FList->ParaLength(pending.Para) - pending.OldLength;
  FIndex.CharsChanged(pending.Para, delta);
  if (!EventsWanted()) return;
  const std::int64_t end = pending.Start + pending.Count + delta;
  const QString now = text(ToInt(pending.Start), ToInt(end));
  if (pending.Text.isEmpty())
    SendChange(QAccessible::TextInserted, pending.Start, QString(), now);
  else
    SendChange(QAccessible::TextUpdated, pending.Start, pending.Text, now);
}

void TEditorAccessible::CharsInserted(int para, int pos, int count, bool /*isSender*/) {
  TPending pending;
  if (TakePending(TPendingKind::Replacement, para, pending)) return Replaced(pending);
  FIndex.CharsChanged(para, count);  // first: a rebuild below already sees the new text
  if (!EventsWanted() || count == 0) return;
  const std::int64_t at = Offset(para, pos);
  SendChange(QAccessible::TextInserted, at, QString(), text(ToInt(at), ToInt(at + count)));
}

void TEditorAccessible::CharsDeleting(int para, int pos, int count) {
  // Inside an announced replacement the replacement tells what goes.
  if (FPending.Kind == TPendingKind::Replacement && FPending.Para == para) return;
  FPending = TPending();
  if (!EventsWanted()) return;
  const std::int64_t start = Offset(para, pos);
  FPending = {TPendingKind::Removal, para, pos, count, 0, start, text(ToInt(start), ToInt(start + count))};
}

void TEditorAccessible::CharsDeleted(int para, int pos, int count, bool /*isSender*/) {
  TPending pending;
  if (TakePending(TPendingKind::Replacement, para, pending)) return Replaced(pending);
  FIndex.CharsChanged(para, -count);
  if (!EventsWanted()) return;
  if (!TakePending(TPendingKind::Removal, para, pending) || pending.Pos != pos || pending.Count != count) {
    pending.Start = Offset(para, pos);  // not read before: where and how many
    pending.Text = QString(count, QChar(0xFFFC));
  }
  SendChange(QAccessible::TextRemoved, pending.Start, pending.Text, QString());
}

void TEditorAccessible::ParaInserted(int para, int pos, int indent, bool /*isSender*/) {
  FIndex.Restructured(para);  // first: the offsets below are those of the new text
  if (!EventsWanted()) return;
  const std::int64_t at = Offset(para, pos);
  QString inserted;
  if (pos == 1 && indent == 0) {  // a paragraph in front of `para`
    inserted = text(ToInt(at), ToInt(at + FList->ParaLength(para) + 1));
  } else {  // a split: the break and the new paragraph's indent
    inserted = text(ToInt(at), ToInt(at + 1 + indent));
  }
  SendChange(QAccessible::TextInserted, at, QString(), inserted);
}

void TEditorAccessible::ParaDeleting(int para) {
  FPending = TPending();
  if (!EventsWanted()) return;
  // A paragraph goes with its break; the last one with the break before it.
  std::int64_t start = Offset(para, 1);
  std::int64_t end = start + FList->ParaLength(para) + 1;
  if (para == FList->ParaCount()) --start, --end;
  FPending = {TPendingKind::Removal, para, 0, -1, 0, start, text(ToInt(start), ToInt(end))};
}

void TEditorAccessible::ParaDeleted(int para, bool /*isSender*/) {
  TPending pending;
  const bool announced = TakePending(TPendingKind::Removal, para, pending) && pending.Count == -1;
  FIndex.Restructured(para);
  if (!EventsWanted()) return;
  if (!announced) pending.Start = Offset(para, 1);
  SendChange(QAccessible::TextRemoved, pending.Start, pending.Text, QString());
}

void TEditorAccessible::ParasJoining(int para, int pos) {
  Follow();
  const std::int32_t length = FList->ParaLength(para);
  FPending = {TPendingKind::Join, para, pos, 0, length, 0, QString()};
  if (EventsWanted()) FPending.Start = Offset(para, length + 1);
}

void TEditorAccessible::ParasJoined(int para, int pos, bool /*isSender*/) {
  TPending pending;
  const bool announced = TakePending(TPendingKind::Join, para, pending);
  FIndex.Restructured(para);
  if (!EventsWanted()) return;
  // Behind the end, blanks fill the gap up to where the next paragraph's text now starts.
  const std::int32_t blanks = announced ? pos - 1 - pending.OldLength : 0;
  const std::int64_t start = announced ? pending.Start : Offset(para, pos);
  if (blanks > 0)
    SendChange(QAccessible::TextUpdated, start, QStringLiteral("\n"),
               text(ToInt(start), ToInt(start + blanks)));
  else
    SendChange(QAccessible::TextRemoved, start, QStringLiteral("\n"), QString());
}

}  // namespace quilmo
