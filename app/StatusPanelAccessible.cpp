#include "app/StatusPanelAccessible.h"

#include "app/StatusPanel.h"

namespace quilmo {

namespace {

constexpr int kCount = TStatusPanel::kPanelCount;
constexpr int kFirstToggle = 4;  // "Modifié", "Num" and "Maj" are grey while off

// One painted panel: no widget of its own, everything read from the bar.
class TPanelItem : public QAccessibleInterface {
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

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return TStatusPanelAccessible::PanelName(FIndex);
    if (t == QAccessible::Value) return FBar->Panel()->PanelText(FIndex);
    return {};
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
    if (FIndex >= kFirstToggle && FIndex < kCount - 1) {
      s.checkable = true;
      s.checked = panel->PanelLit(FIndex);
    }
    return s;
  }

 private:
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
