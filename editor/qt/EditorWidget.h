#pragma once
// The editor control as a Qt widget: a QAbstractScrollArea that forwards keys, characters,
// the mouse, the wheel, focus, size and the scroll bars to the control's logic
// (TCustomEditor) and gives that logic its window, caret, bars, clock and clipboard
// (TEditorHost). It paints into the window's own buffer, which keeps the pixels between
// paints; scrolling moves them there.
// No exception leaves its event handlers: what the control raises (a failed edit without an
// OnError handler, an exception of a handler of the control's events) goes to
// ReportException (editor/qt/ErrorReport.h), and the text stays as the failed edit left it.

#include <QAbstractScrollArea>
#include <QCursor>
#include <QElapsedTimer>
#include <QRegion>
#include <QTimer>

#include <memory>

#include "editor/CustomEditor.h"
#include "editor/EditorHost.h"
#include "editor/qt/QtCanvas.h"

namespace quilmo {

class TQtEditorFont;

class TEditorWidget : public QAbstractScrollArea, public TEditorHost {
  Q_OBJECT

 public:
  explicit TEditorWidget(QWidget* parent = nullptr);
  // Shows a control of a derived class (the text-file editor, for one).
  explicit TEditorWidget(std::unique_ptr<TCustomEditor> editor, QWidget* parent = nullptr);
  ~TEditorWidget() override;

  TCustomEditor& Editor() const { return *FEditor; }
  QSize sizeHint() const override;

  // The caret as painted (for tests): its rectangle, empty when there is none on screen.
  QRect CaretRect() const;
  bool CaretBlinkOn() const { return FBlinkOn; }

  // --- TCaretHost
  void CreateCaret(const TCaret& caret) override;
  void DestroyCaret() override;
  void ShowCaret() override;
  void HideCaret() override;
  void SetCaretPos(int x, int y) override;
  unsigned CaretBlinkTime() override;
  void SetCaretBlinkTime(unsigned milliseconds) override;

  // --- TEditorHost
  int ClientWidth() const override;
  int ClientHeight() const override;
  bool Focused() const override;
  bool CanFocus() const override;
  void SetFocus() override;
  bool Enabled() const override;
  void Invalidate() override;
  void InvalidateRect(const TRect& rect) override;
  void Update() override;
  void ScrollRect(const TRect& area, int dx, int dy) override;
  void SetScrollBarStyle(bool horizontal, bool vertical) override;
  void SetScrollBar(TScrollBarKind bar, const TScrollBarInfo& info) override;
  void SetScrollPos(TScrollBarKind bar, int pos) override;
  int HorzScrollBarHeight() const override;
  TFontMetrics FontMetrics(const TFontDesc& font) override;
  int TextWidth(const TFontDesc& font, std::string_view text) override;
  TGlyphOverhang GlyphOverhang(const TFontDesc& font, unsigned char byte) override;
  void PostStatus(int column, int line) override;
  void Beep() override;
  void SetBusyCursor(bool on) override;
  bool SetClipboardText(std::string_view bytes) override;
  bool GetClipboardText(std::string& bytes) override;
  void SetMouseCursor(TMouseCursorKind kind) override;
  void SetMouseCapture(bool captured) override;
  void StartAutoScrollTimer() override;
  void StopAutoScrollTimer() override;
  std::int64_t Milliseconds() const override;

 signals:
  // The caret was placed (after every move and edit); the accessibility interface listens.
  void CaretPlaced();
  // The control is about to go: listeners of its text let go of it.
  void Destroying();

 protected:
  bool focusNextPrevChild(bool next) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  // The bars are driven by the control, not by pixel offsets.
  void scrollContentsBy(int dx, int dy) override;

 private:
  void Init();
  // Key-down and the characters of the key, to the control.
  void ForwardKey(const QKeyEvent& event);
  const TQtEditorFont& FontFor(const TFontDesc& desc);
  void BarAction(TScrollBarKind kind, int action);
  void UpdateCaretRect();
  void MarkDirty(const QRegion& region);

  std::unique_ptr<TCustomEditor> FEditor;
  std::unique_ptr<TQtEditorFont> FFont;
  TFontDesc FFontDesc;
  TGlyphOverhangs FOverhangs;

  // What has been asked of the viewport and not painted yet.
  QRegion FPending;

  bool FHasHorzBar = true;
  bool FHasVertBar = true;
  int FBarPos[2] = {0, 0};

  bool FCaretCreated = false;
  bool FCaretShown = false;
  bool FCaretGray = false;
  int FCaretWidth = 2;
  int FCaretHeight = 10;
  int FCaretX = kCaretHidden;
  int FCaretY = kCaretHidden;
  bool FBlinkOn = true;
  unsigned FBlinkTime = 0;
  QTimer FBlinkTimer;

  QTimer FAutoScrollTimer;
  QElapsedTimer FClock;
  QCursor FLineCursor;
  TMouseCursorKind FCursorKind = TMouseCursorKind::mcIBeam;
  int FBusyCount = 0;
  int FWheelRemainder = 0;
};

}  // namespace quilmo
