#include "editor/qt/EditorWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScrollBar>
#include <QStyle>
#include <QStyleHints>
#include <QWheelEvent>

#include <algorithm>

#include "editor/KeyBinding.h"
#include "editor/qt/Cp1252Text.h"
#include "editor/qt/EditorAccessible.h"
#include "editor/qt/ErrorReport.h"
#include "editor/qt/FontList.h"
#include "editor/qt/KeyMap.h"
#include "editor/qt/QtCanvas.h"
#include "editor/qt/ThumbScrollBar.h"

namespace quilmo {

namespace {

QRect ToQRect(const TRect& r) {
  return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// The cursor over the left margin: an arrow pointing up and to the right.
QCursor MakeLineCursor() {
  QPixmap image(20, 22);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  const QPointF arrow[] = {{13, 1}, {13, 17}, {9, 13}, {6, 19}, {4, 18}, {7, 12}, {2, 12}};
  QPainterPath path;
  path.addPolygon(QPolygonF(std::begin(arrow), std::end(arrow)));
  path.closeSubpath();
  p.fillPath(path, Qt::black);
  p.setPen(QPen(Qt::white, 1));
  p.drawPath(path);
  p.end();
  return QCursor(image, 13, 1);
}

// The first time the control is shown: a caret followed before, at a size the control never
// had (text typed while the window was being made), scrolled the view sideways; at its shown
// size the view goes back to the first column when the caret can be seen from there.
class TFirstShowHook : public QObject {
 public:
  explicit TFirstShowHook(TEditorWidget* widget) : QObject(widget), FWidget(widget) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != FWidget || event->type() != QEvent::Show) return false;
    TCustomEditor& editor = FWidget->Editor();
    if (editor.LeftColumn() > 0 && editor.CaretScreenColumn() <= editor.VisibleColumns())
      editor.ScrollView(-editor.LeftColumn(), 0);
    deleteLater();
    return false;
  }

 private:
  TEditorWidget* FWidget;
};

constexpr int kAutoScrollInterval = 5;  // ms between turns of a mouse selection
constexpr int kWheelNotch = 120;
// Rectangles of a paint painted one by one; a paint of more paints the box around them.
constexpr int kMaxPaintRects = 32;

}  // namespace

TEditorWidget::TEditorWidget(QWidget* parent) : TEditorWidget(std::make_unique<TCustomEditor>(), parent) {}

TEditorWidget::TEditorWidget(std::unique_ptr<TCustomEditor> editor, QWidget* parent)
    : QAbstractScrollArea(parent), FEditor(std::move(editor)) {
  if (!FEditor) FEditor = std::make_unique<TCustomEditor>();
  Init();
}

void TEditorWidget::Init() {
  FClock.start();
  TEditorAccessible::Install();
  if (TFixedFont::FixedFontNames().empty()) InstallFixedFontNames();
  if (FEditor->FixedFont().Name().empty() && !TFixedFont::FixedFontNames().empty())
    FEditor->FixedFont().SetName(TFixedFont::FixedFontNames().front());

  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setAttribute(Qt::WA_KeyCompression, false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAttribute(Qt::WA_NoSystemBackground);
  viewport()->setMouseTracking(true);
  viewport()->setCursor(Qt::IBeamCursor);
  FLineCursor = MakeLineCursor();

  FBlinkTime = static_cast<unsigned>(std::max(0, QGuiApplication::styleHints()->cursorFlashTime() / 2));
  connect(&FBlinkTimer, &QTimer::timeout, this, [this] {
    FBlinkOn = !FBlinkOn;
    UpdateCaretRect();
  });
  FAutoScrollTimer.setInterval(kAutoScrollInterval);
  connect(&FAutoScrollTimer, &QTimer::timeout, this,
          [this] { RunReportingErrors([this] { FEditor->AutoScrollTick(); }); });

  setHorizontalScrollBar(new TThumbScrollBar(Qt::Horizontal));
  setVerticalScrollBar(new TThumbScrollBar(Qt::Vertical));
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { BarAction(TScrollBarKind::sbVertical, action); });
  connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { BarAction(TScrollBarKind::sbHorizontal, action); });

  FEditor->SetHost(this);
  FEditor->CreateWnd();
  installEventFilter(new TFirstShowHook(this));
}

TEditorWidget::~TEditorWidget() {
  emit Destroying();
  FEditor->SetHost(nullptr);
  while (FBusyCount > 0) SetBusyCursor(false);
}

QSize TEditorWidget::sizeHint() const {
  return QSize(200, 150);
}

// ---------------------------------------------------------------- paint

void TEditorWidget::MarkDirty(const QRegion& region) {
  FPending += region;
  viewport()->update(region);
}

void TEditorWidget::paintEvent(QPaintEvent* event) {
  // The text is painted straight into the window's buffer, which keeps the pixels between
  // paints and moves them when the view scrolls. A few rectangles (the strip a sideways scroll
  // uncovered beside the row just typed in) are painted one by one, more as the box around
  // them (the paint stays inside the region all the same).
  const QRegion& region = event->region();
  QPainter painter(viewport());
  TQtCanvas canvas(painter, FontFor(FEditor->FixedFont().Desc()), viewport()->palette());
  const auto paint = [&](const QRect& box) {
    // Nothing drawn outside the box: a glyph drawn twice over itself would come out darker.
    painter.setClipRect(box);
    RunReportingErrors([&] {
      FEditor->Paint(canvas, TRect{box.left(), box.top(), box.right() + 1, box.bottom() + 1});
    });
  };
  if (region.rectCount() <= kMaxPaintRects) {
    for (const QRect& box : region) paint(box);
  } else {
    paint(region.boundingRect());
  }
  // The caret is inverted over the text just painted: a paint that meets it paints its cells
  // first, so that it never inverts itself back.
  const QRect caret = CaretRect();
  if (FBlinkOn && caret.isValid() && region.intersects(caret)) {
    painter.setClipping(false);
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.fillRect(caret, FCaretGray ? QColor(128, 128, 128) : QColor(Qt::white));
  }
  FPending -= region;
}

void TEditorWidget::Invalidate() {
  MarkDirty(QRegion(viewport()->rect()));
}

void TEditorWidget::InvalidateRect(const TRect& rect) {
  MarkDirty(QRegion(ToQRect(rect)));
}

void TEditorWidget::Update() {
  if (!isVisible()) return;
  const QRegion region = FPending;
  if (!region.isEmpty()) viewport()->repaint(region);
}

void TEditorWidget::ScrollRect(const TRect& area, int dx, int dy) {
  const QRect r = ToQRect(area).intersected(viewport()->rect());
  if (r.isEmpty()) return;
  // The toolkit moves the pixels in the window's buffer. The parts still to paint move with
  // them, and the uncovered strip is new. The inverted caret would move along: where it lands
  // and where it stands are painted again.
  const QRegion moving = FPending.intersected(r);
  const QRect caret = CaretRect();
  viewport()->scroll(dx, dy, r);
  FPending -= r;
  QRegion dirty =
      moving.translated(dx, dy).intersected(r) + QRegion(r).subtracted(QRegion(r.translated(dx, dy)));
  if (caret.isValid()) dirty += QRegion(caret.translated(dx, dy).intersected(r)) + caret;
  MarkDirty(dirty);
}

void TEditorWidget::scrollContentsBy(int, int) {}

void TEditorWidget::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange) Invalidate();
}

// ---------------------------------------------------------------- size and font

void TEditorWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  RunReportingErrors([this] { FEditor->Resize(); });
}

const TQtEditorFont& TEditorWidget::FontFor(const TFontDesc& desc) {
  if (!FFont || !(desc == FFontDesc)) {
    FFont = std::make_unique<TQtEditorFont>(desc);
    FFontDesc = desc;
    FOverhangs.Clear();
  }
  return *FFont;
}

TFontMetrics TEditorWidget::FontMetrics(const TFontDesc& font) {
  const TQtEditorFont& f = FontFor(font);
  return TFontMetrics{f.CharWidth(), f.Height(), f.ExternalLeading()};
}

int TEditorWidget::TextWidth(const TFontDesc& font, std::string_view text) {
  return FontFor(font).CharWidth() * static_cast<int>(text.size());
}

TGlyphOverhang TEditorWidget::GlyphOverhang(const TFontDesc& font, unsigned char byte) {
  // Measured at the resolution the text is painted at.
  return FOverhangs.Of(FontFor(font), byte, viewport()->logicalDpiY());
}

int TEditorWidget::ClientWidth() const {
  return viewport()->width();
}
int TEditorWidget::ClientHeight() const {
  return viewport()->height();
}

// ---------------------------------------------------------------- focus

bool TEditorWidget::Focused() const {
  return hasFocus();
}

bool TEditorWidget::CanFocus() const {
  return isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus;
}

void TEditorWidget::SetFocus() {
  setFocus(Qt::MouseFocusReason);
}

bool TEditorWidget::Enabled() const {
  return isEnabled();
}

void TEditorWidget::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  RunReportingErrors([this] { FEditor->FocusIn(); });
}

void TEditorWidget::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  RunReportingErrors([this] { FEditor->FocusOut(); });
}

bool TEditorWidget::focusNextPrevChild(bool next) {
  // With WantTab the control takes Tab itself.
  if (FEditor->WantTab()) return false;
  return QAbstractScrollArea::focusNextPrevChild(next);
}

// ---------------------------------------------------------------- keys

void TEditorWidget::keyPressEvent(QKeyEvent* event) {
  event->accept();
  RunReportingErrors([this, event] { ForwardKey(*event); });
}

void TEditorWidget::ForwardKey(const QKeyEvent& event) {
  const TMappedKey mapped = MapKeyEvent(&event);
  std::uint16_t key = mapped.KeyCode;
  const bool alt = (mapped.ShiftFlags & sfAlt) != 0;
  const bool ctrl = (mapped.ShiftFlags & sfCtrl) != 0;
  if (alt && !ctrl) {
    // A key with Alt (not AltGr) is a system key: translated, never typed.
    FEditor->SysKeyDown(key, mapped.ShiftFlags);
    return;
  }
  if (FEditor->KeyDown(key, mapped.ShiftFlags)) return;
  // Ctrl alone makes no characters (only control codes, which are not typed anyway).
  if (ctrl && !alt) return;
  const QString text = event.text();
  for (const char32_t codePoint : text.toUcs4()) {
    unsigned char byte = 0;
    if (codePoint == 0x7F || !QCharToByte(codePoint, byte)) continue;
    FEditor->KeyPress(byte);
  }
}

void TEditorWidget::inputMethodEvent(QInputMethodEvent* event) {
  // Committed text of an input method is typed like keyboard characters.
  RunReportingErrors([this, event] {
    for (const char32_t codePoint : event->commitString().toUcs4()) {
      unsigned char byte = 0;
      if (QCharToByte(codePoint, byte)) FEditor->KeyPress(byte);
    }
  });
  event->accept();
}

QVariant TEditorWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle: {
      const QRect caret = CaretRect();
      return caret.isValid() ? caret : QRect(0, 0, 1, 1);
    }
    default: return QAbstractScrollArea::inputMethodQuery(query);
  }
}

// ---------------------------------------------------------------- mouse

void TEditorWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  RunReportingErrors([&] { FEditor->MouseDown(p.x(), p.y(), ShiftFlagsOf(event->modifiers())); });
}

void TEditorWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  RunReportingErrors([&] { FEditor->MouseMove(p.x(), p.y(), ShiftFlagsOf(event->modifiers())); });
}

void TEditorWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  RunReportingErrors([&] { FEditor->MouseUp(p.x(), p.y()); });
}

void TEditorWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  RunReportingErrors([&] { FEditor->DoubleClick(p.x(), p.y(), ShiftFlagsOf(event->modifiers())); });
}

void TEditorWidget::wheelEvent(QWheelEvent* event) {
  // One editor wheel message per notch; fine-grained devices add up to notches.
  FWheelRemainder += event->angleDelta().y();
  const QPoint p = event->position().toPoint();
  while (std::abs(FWheelRemainder) >= kWheelNotch) {
    const int delta = FWheelRemainder > 0 ? kWheelNotch : -kWheelNotch;
    FWheelRemainder -= delta;
    RunReportingErrors([&] { FEditor->MouseWheel(ShiftFlagsOf(event->modifiers()), delta, p.x(), p.y()); });
  }
  event->accept();
}

void TEditorWidget::SetMouseCursor(TMouseCursorKind kind) {
  if (kind == FCursorKind) return;
  FCursorKind = kind;
  if (kind == TMouseCursorKind::mcLine)
    viewport()->setCursor(FLineCursor);
  else
    viewport()->setCursor(Qt::IBeamCursor);
}

void TEditorWidget::SetMouseCapture(bool) {}  // Qt keeps the mouse while a button is held

void TEditorWidget::StartAutoScrollTimer() {
  FAutoScrollTimer.start();
}

void TEditorWidget::StopAutoScrollTimer() {
  FAutoScrollTimer.stop();
}

std::int64_t TEditorWidget::Milliseconds() const {
  return FClock.elapsed();
}

// ---------------------------------------------------------------- scroll bars

void TEditorWidget::SetScrollBarStyle(bool horizontal, bool vertical) {
  FHasHorzBar = horizontal;
  FHasVertBar = vertical;
  if (!horizontal) setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  if (!vertical) setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  switch (FEditor->BorderStyle()) {
    case TEditorBorderStyle::bsNone: setFrameStyle(QFrame::NoFrame); break;
    case TEditorBorderStyle::bsSingle:
      setFrameStyle(FEditor->Ctl3D() ? (QFrame::StyledPanel | QFrame::Sunken)
                                     : (QFrame::Box | QFrame::Plain));
      break;
  }
}

void TEditorWidget::SetScrollBar(TScrollBarKind kind, const TScrollBarInfo& info) {
  const bool vertical = kind == TScrollBarKind::sbVertical;
  QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
  const bool exists = vertical ? FHasVertBar : FHasHorzBar;
  const bool scrollable = info.Page > 0 ? info.Max - info.Min + 1 > info.Page : info.Max > info.Min;
  // A page of P positions leaves the thumb Max - P + 1 as its last place.
  const int last = info.Page > 0 ? std::max(info.Min, info.Max - info.Page + 1) : info.Max;
  bar->setRange(info.Min, std::max(info.Min, last));
  bar->setPageStep(info.Page > 0 ? info.Page : std::max(1, FEditor->VisibleColumns()));
  bar->setSingleStep(1);
  FBarPos[vertical ? 1 : 0] = info.Pos;
  bar->setValue(info.Pos);
  bar->setEnabled(scrollable);
  const Qt::ScrollBarPolicy policy =
      exists && (scrollable || info.DisableNoScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (vertical && verticalScrollBarPolicy() != policy) setVerticalScrollBarPolicy(policy);
  if (!vertical && horizontalScrollBarPolicy() != policy) setHorizontalScrollBarPolicy(policy);
}

void TEditorWidget::SetScrollPos(TScrollBarKind kind, int pos) {
  const bool vertical = kind == TScrollBarKind::sbVertical;
  FBarPos[vertical ? 1 : 0] = pos;
  (vertical ? verticalScrollBar() : horizontalScrollBar())->setValue(pos);
}

int TEditorWidget::HorzScrollBarHeight() const {
  return style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

void TEditorWidget::BarAction(TScrollBarKind kind, int action) {
  QScrollBar* bar = kind == TScrollBarKind::sbVertical ? verticalScrollBar() : horizontalScrollBar();
  TScrollCode code;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = TScrollCode::scLineDown; break;
    case QAbstractSlider::SliderSingleStepSub: code = TScrollCode::scLineUp; break;
    case QAbstractSlider::SliderPageStepAdd: code = TScrollCode::scPageDown; break;
    case QAbstractSlider::SliderPageStepSub: code = TScrollCode::scPageUp; break;
    case QAbstractSlider::SliderMove: code = TScrollCode::scThumbTrack; break;
    case QAbstractSlider::SliderToMinimum: code = TScrollCode::scTop; break;
    case QAbstractSlider::SliderToMaximum: code = TScrollCode::scBottom; break;
    default: return;
  }
  const int pos = bar->sliderPosition();
  RunReportingErrors([&] {
    if (kind == TScrollBarKind::sbVertical)
      FEditor->VScroll(code, pos);
    else
      FEditor->HScroll(code, pos);
  });
  // The bar shows what the control made of the action, not the step Qt computed.
  bar->setValue(FBarPos[kind == TScrollBarKind::sbVertical ? 1 : 0]);
}

// ---------------------------------------------------------------- caret

QRect TEditorWidget::CaretRect() const {
  if (!FCaretCreated || !FCaretShown || FCaretX == kCaretHidden || FCaretY == kCaretHidden) return {};
  return QRect(FCaretX, FCaretY, FCaretWidth, FCaretHeight);
}

void TEditorWidget::UpdateCaretRect() {
  const QRect r = CaretRect();
  if (r.isValid()) {
    FPending += r;
    viewport()->update(r);
  }
}

void TEditorWidget::CreateCaret(const TCaret& caret) {
  UpdateCaretRect();
  FCaretCreated = true;
  FCaretShown = false;
  FCaretGray = caret.IsGray();
  FCaretWidth = std::max(1, caret.CaretWidth());
  FCaretHeight = std::max(1, caret.CaretHeight());
}

void TEditorWidget::DestroyCaret() {
  UpdateCaretRect();
  FCaretCreated = false;
  FCaretShown = false;
  FBlinkTimer.stop();
}

void TEditorWidget::ShowCaret() {
  if (!FCaretCreated) return;
  FCaretShown = true;
  FBlinkOn = true;
  if (FBlinkTime > 0) FBlinkTimer.start(static_cast<int>(FBlinkTime));
  UpdateCaretRect();
}

void TEditorWidget::HideCaret() {
  UpdateCaretRect();
  FCaretShown = false;
  FBlinkTimer.stop();
}

void TEditorWidget::SetCaretPos(int x, int y) {
  if (x == FCaretX && y == FCaretY) return;
  UpdateCaretRect();
  FCaretX = x;
  FCaretY = y;
  // A moved caret shows at once and blinks from there.
  FBlinkOn = true;
  if (FBlinkTimer.isActive()) FBlinkTimer.start(static_cast<int>(FBlinkTime));
  UpdateCaretRect();
}

unsigned TEditorWidget::CaretBlinkTime() {
  return FBlinkTime;
}

void TEditorWidget::SetCaretBlinkTime(unsigned milliseconds) {
  FBlinkTime = milliseconds;
  if (FBlinkTimer.isActive()) {
    if (milliseconds > 0)
      FBlinkTimer.start(static_cast<int>(milliseconds));
    else
      FBlinkTimer.stop();
  }
}

// ---------------------------------------------------------------- notifications and clipboard

void TEditorWidget::PostStatus(int column, int line) {
  emit CaretPlaced();
  QMetaObject::invokeMethod(
      this, [this, column, line] { RunReportingErrors([&] { FEditor->StatusMessage(column, line); }); },
      Qt::QueuedConnection);
}

void TEditorWidget::Beep() {
  QApplication::beep();
}

void TEditorWidget::SetBusyCursor(bool on) {
  if (on) {
    if (FBusyCount++ == 0) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (FBusyCount > 0) {
    if (--FBusyCount == 0) QGuiApplication::restoreOverrideCursor();
  }
}

bool TEditorWidget::SetClipboardText(std::string_view bytes) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  clipboard->setText(BytesToQString(bytes));
  return true;
}

bool TEditorWidget::GetClipboardText(std::string& bytes) {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
  if (!data || !data->hasText()) return false;
  bytes = QStringToBytes(data->text(), '?');
  return true;
}

}  // namespace quilmo
