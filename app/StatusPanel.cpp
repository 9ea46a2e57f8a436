#include "app/StatusPanel.h"

#include <qdrawutil.h>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "app/DarkPalette.h"
#include "app/StatusPanelAccessible.h"

namespace quilmo {

namespace {

// Double-click ranges, inclusive; the gaps between them (79, 160..255, 315..365, 402 and
// beyond 462) do nothing.
struct TActionRange {
  int First;
  int Last;
  TStatusAction Action;
};
constexpr TActionRange kActionRanges[] = {
    {0, 78, TStatusAction::saGoToLine},      {80, 159, TStatusAction::saLastLine},
    {256, 314, TStatusAction::saInsertMode}, {366, 401, TStatusAction::saNumLock},
    {403, 462, TStatusAction::saCapsLock},
};

const QString kModifiedLabel = QStringLiteral("Modifié");
const QString kNumLabel = QStringLiteral("Num");
const QString kCapsLabel = QStringLiteral("Maj");

constexpr int kModifiedPanel = 4;
// The narrowest a label is drawn, in percent of its width.
constexpr int kNarrowest = 50;
constexpr int kNumPanel = 5;
constexpr int kCapsPanel = 6;

// The pixels a label may take inside its panel's frame.
int LabelRoom(int index) {
  return TStatusPanel::kPanelWidths[static_cast<std::size_t>(index)] - 4;
}

}  // namespace

TStatusAction StatusActionAt(int x, std::int64_t byteCount) {
  for (const TActionRange& range : kActionRanges) {
    if (x < range.First || x > range.Last) continue;
    if (range.Action == TStatusAction::saGoToLine && byteCount <= 0) return TStatusAction::saNone;
    return range.Action;
  }
  return TStatusAction::saNone;
}

QString LongHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.mid(bar + 1);
}

TStatusPanel::TStatusPanel(QWidget* parent) : QWidget(parent) {
  TStatusPanelAccessible::Install();
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  // The panels' widths are fixed in pixels: a small font keeps their labels inside them.
  QFont small = font();
  small.setPointSizeF(8);
  setFont(small);
}

int TStatusPanel::PanelLeft(int index) {
  int left = 0;
  for (int i = 0; i < index && i < kPanelCount; ++i) left += kPanelWidths[static_cast<std::size_t>(i)];
  return left;
}

void TStatusPanel::SetDocumentStatus(const TDocumentStatus& status) {
  if (status == Status_) return;
  const auto before = TStatusPanelAccessible::ReadingsIfListened(*this);
  Status_ = status;
  TStatusPanelAccessible::Announce(*this, before);
  if (!SinglePanel()) update();
}

void TStatusPanel::SetLockKeys(bool numLock, bool capsLock) {
  if (numLock == NumLock_ && capsLock == CapsLock_) return;
  const auto before = TStatusPanelAccessible::ReadingsIfListened(*this);
  NumLock_ = numLock;
  CapsLock_ = capsLock;
  TStatusPanelAccessible::Announce(*this, before);
  if (!SinglePanel()) update();
}

void TStatusPanel::SetHintText(const QString& text) {
  if (text == Hint_) return;
  Hint_ = text;
  update();
}

QString TStatusPanel::PanelText(int index) const {
  switch (index) {
    case 0: return QStringLiteral("%1:%2").arg(Status_.CaretLine).arg(Status_.CaretColumn);
    case 1: return QStringLiteral("Total: %1").arg(Status_.LineCount);
    case 2: return QStringLiteral("Octets: %1").arg(Status_.ByteCount);
    case 3: return Status_.InsertMode ? QStringLiteral("Insertion") : QStringLiteral("Surfrappe");
    case kModifiedPanel: return kModifiedLabel;
    case kNumPanel: return kNumLabel;
    case kCapsPanel: return kCapsLabel;
    default: return {};
  }
}

bool TStatusPanel::PanelLit(int index) const {
  switch (index) {
    case kModifiedPanel: return Status_.Modified;
    case kNumPanel: return NumLock_;
    case kCapsPanel: return CapsLock_;
    default: return true;
  }
}

QFont TStatusPanel::LabelFont(int index) const {
  QFont label = font();
  const int room = LabelRoom(index);
  const QString text = PanelText(index);
  const int wide = fontMetrics().horizontalAdvance(text);
  if (wide <= room) return label;
  for (int stretch = 100 * room / wide; stretch >= kNarrowest; --stretch) {
    label.setStretch(stretch);
    if (QFontMetrics(label).horizontalAdvance(text) <= room) break;
  }
  return label;
}

QSize TStatusPanel::sizeHint() const {
  return {PanelLeft(kPanelCount), fontMetrics().height() + 2 * kLabelTop};
}

QSize TStatusPanel::minimumSizeHint() const {
  return {0, sizeHint().height()};
}

void TStatusPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor face = palette().color(QPalette::Button);
  painter.fillRect(rect(), face);
  const int textHeight = fontMetrics().height();
  if (SinglePanel()) {
    painter.setPen(palette().color(QPalette::ButtonText));
    const QRect area(kLabelIndent, kLabelTop, width() - 2 * kLabelIndent, textHeight);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Hint_);
    return;
  }
  for (int index = 0; index < kPanelCount; ++index) {
    const QRect panel(PanelLeft(index), 0, kPanelWidths[static_cast<std::size_t>(index)], height());
    // Each panel is sunk into the bar, two pixels apart from the next.
    const QRect frame = panel.adjusted(0, 1, -2, -1);
    if (frame.width() > 2) qDrawShadePanel(&painter, frame, palette(), true, 1);
    const QString text = PanelText(index);
    if (text.isEmpty()) continue;
    painter.save();
    painter.setClipRect(panel.adjusted(1, 1, -3, -1));
    // Labels of the states that are off are written grey on the button face.
    painter.setPen(PanelLit(index) ? palette().color(QPalette::ButtonText) : DimmedLabelColor(palette()));
    painter.setFont(LabelFont(index));
    if (index == 0) {
      painter.drawText(QRect(panel.left(), kLabelTop, panel.width() - 2, textHeight),
                       Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text);
    } else {
      // A label too wide for its indent ("Surfrappe") moves left rather than lose its end.
      const int wide = painter.fontMetrics().horizontalAdvance(text);
      const int indent = std::clamp(LabelRoom(index) + 1 - wide, 1, kLabelIndent);
      painter.drawText(QRect(panel.left() + indent, kLabelTop, panel.width(), textHeight),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }
    painter.restore();
  }
}

void TStatusPanel::mouseMoveEvent(QMouseEvent* event) {
  LastMouseX_ = event->position().toPoint().x();
  QWidget::mouseMoveEvent(event);
}

void TStatusPanel::mousePressEvent(QMouseEvent* event) {
  LastMouseX_ = event->position().toPoint().x();
  QWidget::mousePressEvent(event);
}

void TStatusPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
  const TStatusAction action = StatusActionAt(LastMouseX_, Status_.ByteCount);
  if (action != TStatusAction::saNone && OnAction) OnAction(action);
}

}  // namespace quilmo
