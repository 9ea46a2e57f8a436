#include "app/dialogs/MenuItemAccessible.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWindow>

#include "app/dialogs/AccessibleNames.h"

namespace quilmo {

namespace {

// The menu or menu bar that shows `action` (the first one, for an action shown in several).
QWidget* MenuOf(QAction* action) {
  for (QObject* object : action->associatedObjects()) {
    if (qobject_cast<QMenu*>(object) != nullptr || qobject_cast<QMenuBar*>(object) != nullptr)
      return static_cast<QWidget*>(object);
  }
  return nullptr;
}

QAccessibleInterface* MenuItemFactory(const QString& /*key*/, QObject* object) {
  auto* action = qobject_cast<QAction*>(object);
  if (action == nullptr || action->statusTip().isEmpty()) return nullptr;
  QWidget* owner = MenuOf(action);
  return owner != nullptr ? new TMenuItemAccessible(owner, action) : nullptr;
}

// The letter after the single "&" of a caption, or none.
QChar Mnemonic(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] != QLatin1Char('&')) return caption[i + 1].toUpper();
    ++i;  // "&&" is a shown "&"
  }
  return {};
}

}  // namespace

TMenuItemAccessible::TMenuItemAccessible(QWidget* owner, QAction* action) : FOwner(owner), FAction(action) {}

void TMenuItemAccessible::Install() {
  static const bool installed = [] {
    QAccessible::installFactory(&MenuItemFactory);
    return true;
  }();
  (void)installed;
}

bool TMenuItemAccessible::isValid() const {
  return FOwner != nullptr && FAction != nullptr;
}

QObject* TMenuItemAccessible::object() const {
  return FAction;
}

QWindow* TMenuItemAccessible::window() const {
  return FOwner != nullptr ? FOwner->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TMenuItemAccessible::parent() const {
  return QAccessible::queryAccessibleInterface(FOwner);
}

// An item that opens a menu has that menu as its only child.
QAccessibleInterface* TMenuItemAccessible::child(int index) const {
  if (index != 0 || !isValid() || FAction->menu() == nullptr) return nullptr;
  return QAccessible::queryAccessibleInterface(FAction->menu());
}

int TMenuItemAccessible::childCount() const {
  return isValid() && FAction->menu() != nullptr ? 1 : 0;
}

int TMenuItemAccessible::indexOfChild(const QAccessibleInterface* child) const {
  return child != nullptr && isValid() && FAction->menu() != nullptr && child->object() == FAction->menu()
             ? 0
             : -1;
}

QAccessibleInterface* TMenuItemAccessible::childAt(int /*x*/, int /*y*/) const {
  return nullptr;
}

QAccessibleInterface* TMenuItemAccessible::focusChild() const {
  return nullptr;
}

QString TMenuItemAccessible::text(QAccessible::Text t) const {
  if (!isValid()) return {};
  switch (t) {
    case QAccessible::Name: return WithoutMnemonic(FAction->text());
    case QAccessible::Description: return HintDescription(FAction->statusTip());
    case QAccessible::Accelerator: {
      if (!FAction->shortcut().isEmpty()) return FAction->shortcut().toString(QKeySequence::NativeText);
      const QChar letter = Mnemonic(FAction->text());
      return letter.isNull() ? QString() : QStringLiteral("Alt+") + letter;
    }
    default: return {};
  }
}

void TMenuItemAccessible::setText(QAccessible::Text /*t*/, const QString& /*text*/) {}

QRect TMenuItemAccessible::rect() const {
  if (!isValid()) return {};
  QRect r;
  if (auto* menu = qobject_cast<QMenu*>(FOwner.data()))
    r = menu->actionGeometry(FAction);
  else if (auto* bar = qobject_cast<QMenuBar*>(FOwner.data()))
    r = bar->actionGeometry(FAction);
  return r.isNull() ? r : QRect(FOwner->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::Role TMenuItemAccessible::role() const {
  return isValid() && FAction->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
}

QAccessible::State TMenuItemAccessible::state() const {
  QAccessible::State s;
  if (!isValid()) {
    s.invalid = true;
    return s;
  }
  s.invisible = !FAction->isVisible() || !FOwner->isVisible();
  s.disabled = !FAction->isEnabled() || FAction->isSeparator();
  s.checkable = FAction->isCheckable();
  s.checked = FAction->isChecked();
  s.hasPopup = FAction->menu() != nullptr;
  s.focusable = !s.disabled;
  const QAction* active = nullptr;
  if (auto* menu = qobject_cast<QMenu*>(FOwner.data()))
    active = menu->activeAction();
  else if (auto* bar = qobject_cast<QMenuBar*>(FOwner.data()))
    active = bar->activeAction();
  s.focused = active == FAction;
  return s;
}

void* TMenuItemAccessible::interface_cast(QAccessible::InterfaceType type) {
  return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList TMenuItemAccessible::actionNames() const {
  if (!isValid() || !FAction->isEnabled() || FAction->isSeparator()) return {};
  return FAction->menu() != nullptr ? QStringList{showMenuAction()} : QStringList{pressAction()};
}

void TMenuItemAccessible::doAction(const QString& actionName) {
  if (!actionNames().contains(actionName)) return;
  if (FAction->menu() == nullptr) {
    FAction->trigger();
  } else if (auto* menu = qobject_cast<QMenu*>(FOwner.data())) {
    menu->setActiveAction(FAction);  // opens the submenu
  } else if (auto* bar = qobject_cast<QMenuBar*>(FOwner.data())) {
    bar->setActiveAction(FAction);
  }
}

QStringList TMenuItemAccessible::keyBindingsForAction(const QString& actionName) const {
  if (!actionNames().contains(actionName)) return {};
  const QString key = text(QAccessible::Accelerator);
  return key.isEmpty() ? QStringList() : QStringList{key};
}

}  // namespace quilmo
