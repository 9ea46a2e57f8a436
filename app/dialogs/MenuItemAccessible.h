#pragma once
// What a screen reader finds for an item of a menu or of the menu bar: the item as Qt shows it
// (name without "&", shortcut, states, press and open) plus its description, the long part of
// its hint (the text the status bar shows for it), which Qt's own menu items leave out.

#include <QAccessibleInterface>
#include <QPointer>

class QAction;
class QWidget;

namespace quilmo {

class TMenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  // `owner` is the menu or menu bar that shows `action`.
  TMenuItemAccessible(QWidget* owner, QAction* action);

  // Installs the factory that gives every item of a menu or of the menu bar with a hint this
  // interface (once per process); items without a hint keep Qt's own.
  static void Install();

  bool isValid() const override;
  QObject* object() const override;
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text t, const QString& text) override;
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // --- QAccessibleActionInterface
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;
  QStringList keyBindingsForAction(const QString& actionName) const override;

 private:
  QPointer<QWidget> FOwner;
  QPointer<QAction> FAction;
};

}  // namespace quilmo
