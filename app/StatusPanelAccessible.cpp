#include "app/StatusPanelAccessible.h"

#include "app/StatusPanel.h"

namespace quilmo {

namespace {

constexpr int kCount = TStatusPanelAccessible::kCount;
static_assert(kCount == TStatusPanel::kPanelCount);
constexpr int kPosition = 0;
constexpr int kFirstToggle = 4;  // "Modifié", "Num" and "Maj" are grey while off
constexpr int kLastToggle = 6;

bool IsToggle(int index) {
  return index >= kFirstToggle && index <= kLastToggle;
}

TStatusPanelAccessible::TEventSink Sink = nullptr;

bool EventsWanted() {
  return Sink != nullptr || QAccessible::isActive();
}

void Send(QAccessibleEvent&& event) {
  if (Sink != nullptr)
    Sink(&event);
  else
    QAccessible::updateAccessibility(&event);
}

// One painted panel: no widget of its own, everything read from the bar. Its text is what it
// reads, so that a reader may read it as text as well as by name.
class TPanelItem : public QAccessibleInterface, public QAccessibleTextInterface {
 public:
  TPanelItem(const TStatusPanelAccessible* bar, int index) : FBar(bar), FIndex(index) {}

  bool isValid() const override { return FBar->isValid(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return FBar->window(); }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return const_cast<TStatusPanelAccessible*>(FBar); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::StaticText; }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this) : nullptr;
  }

  QString text(QAccessible::Text t) const override {
    switch (t) {
      case QAccessible::Name:
      case QAccessible::Value: return Reading();
      case QAccessible::Description: return TStatusPanelAccessible::PanelName(FIndex);
      default: return {};
    }
  }

  QRect rect() const override {
    const TStatusPanel* panel = FBar->Panel();
    const QRect local(TStatusPanel::PanelLeft(FIndex), 0,
                      TStatusPanel::kPanelWidths[static_cast<std::size_t>(FIndex)], panel->height());
    return QRect(panel->mapToGlobal(local.topLeft()), local.size());
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    const TStatusPanel* panel = FBar->Panel();
    s.invisible = !panel->isVisible() || panel->SinglePanel();
    s.readOnly = true;
    if (IsToggle(FIndex)) {
      s.checkable = true;
      s.checked = panel->PanelLit(FIndex);
    }
    return s;
  }

  // --- QAccessibleTextInterface: the reading, without caret or selection
  void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int startOffset, int endOffset) const override {
    const QString reading = Reading();
    if (endOffset < 0 || endOffset > reading.size()) endOffset = static_cast<int>(reading.size());
    if (startOffset < 0 || startOffset >= endOffset) return {};
    return reading.mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return static_cast<int>(Reading().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = offset;
    return {};
  }

 private:
  QString Reading() const { return TStatusPanelAccessible::Reading(*FBar->Panel(), FIndex); }

  const TStatusPanelAccessible* FBar;
  int FIndex;
};

QAccessibleInterface* StatusPanelFactory(const QString& /*key*/, QObject* object) {
  if (auto* panel = dynamic_cast<TStatusPanel*>(object)) return new TStatusPanelAccessible(panel);
  return nullptr;
}

}  // namespace

TStatusPanelAccessible::TStatusPanelAccessible(TStatusPanel* panel)
    : QAccessibleWidget(panel, QAccessible::StatusBar) {}

TStatusPanelAccessible::~TStatusPanelAccessible() {
  for (QAccessible::Id id : FChildren)
    if (id != 0) QAccessible::deleteAccessibleInterface(id);
}

void TStatusPanelAccessible::Install() {
  static const bool installed = [] {
    QAccessible::installFactory(&StatusPanelFactory);
    return true;
  }();
  (void)installed;
}

void TStatusPanelAccessible::SetEventSink(TEventSink sink) {
  Sink = sink;
}

QString TStatusPanelAccessible::PanelName(int index) {
  static const std::array<QString, kCount> names = {
      QStringLiteral("Position du curseur"),
      QStringLiteral("Nombre de lignes"),
      QStringLiteral("Nombre d'octets"),
      QStringLiteral("Mode de saisie"),
      QStringLiteral("Document modifié"),
      QStringLiteral("Verrouillage numérique"),
      QStringLiteral("Verrouillage des majuscules"),
      QStringLiteral("Panneau vide"),
  };
  return index >= 0 && index < kCount ? names[static_cast<std::size_t>(index)] : QString();
}

QString TStatusPanelAccessible::Reading(const TStatusPanel& panel, int index) {
  if (!IsToggle(index) || panel.PanelLit(index)) return panel.PanelText(index);
  static const std::array<QString, 3> off = {QStringLiteral("Non modifié"), QStringLiteral("Num désactivé"),
                                             QStringLiteral("Maj désactivé")};
  return off[static_cast<std::size_t>(index - kFirstToggle)];
}

TStatusPanelAccessible::TReadings TStatusPanelAccessible::ReadingsIfListened(const TStatusPanel& panel) {
  TReadings readings;
  if (!EventsWanted()) return readings;
  for (int i = 0; i < kCount; ++i) readings[static_cast<std::size_t>(i)] = Reading(panel, i);
  return readings;
}

void TStatusPanelAccessible::Announce(TStatusPanel& panel, const TReadings& before) {
  if (!EventsWanted()) return;
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(&panel);
  if (bar == nullptr) return;
  for (int i = 0; i < kCount; ++i) {
    const QString& was = before[static_cast<std::size_t>(i)];
    const QString now = Reading(panel, i);
    if (now == was) continue;
    QAccessibleInterface* item = bar->child(i);
    Send(QAccessibleEvent(item, QAccessible::NameChanged));
    if (IsToggle(i)) {
      QAccessible::State changed;
      changed.checked = true;
      Send(QAccessibleStateChangeEvent(item, changed));
    }
    // The caret's place is announced as a status bar's text is: what went, what came.
    if (i == kPosition) Send(QAccessibleTextUpdateEvent(item, 0, was, now));
  }
}

TStatusPanel* TStatusPanelAccessible::Panel() const {
  return static_cast<TStatusPanel*>(widget());
}

QString TStatusPanelAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
    return QStringLiteral("Barre de statut");
  if (t == QAccessible::Value) return Panel()->HintText();
  return QAccessibleWidget::text(t);
}

int TStatusPanelAccessible::childCount() const {
  return kCount;
}

QAccessibleInterface* TStatusPanelAccessible::child(int index) const {
  if (index < 0 || index >= kCount) return nullptr;
  QAccessible::Id& id = FChildren[static_cast<std::size_t>(index)];
  if (id == 0) id = QAccessible::registerAccessibleInterface(new TPanelItem(this, index));
  return QAccessible::accessibleInterface(id);
}

int TStatusPanelAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (int i = 0; i < kCount; ++i) {
    const QAccessible::Id id = FChildren[static_cast<std::size_t>(i)];
    if (id != 0 && QAccessible::accessibleInterface(id) == child) return i;
  }
  return -1;
}

QAccessibleInterface* TStatusPanelAccessible::childAt(int x, int y) const {
  for (int i = 0; i < kCount; ++i) {
    QAccessibleInterface* item = child(i);
    if (item->rect().contains(x, y)) return item;
  }
  return nullptr;
}

}  // namespace quilmo
