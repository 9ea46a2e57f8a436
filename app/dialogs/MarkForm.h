#pragma once
// The marks manager's tool window "Gestionnaire de marques": a dockable window holding the
// sorted list ListBox1, hidden until asked for. Enter in the list and a double click show the
// selected mark, Delete removes it, and the context menu is asked for by the mouse, the menu
// key or Shift+F10; the window's own close button is reported so that the window's menus and
// button follow.

#include <QDockWidget>

#include <functional>

class QListWidget;

namespace quilmo {

class TMarkForm : public QDockWidget {
  Q_OBJECT

 public:
  // The client area the list fills when the window is shown.
  static constexpr int kClientWidth = 453;
  static constexpr int kClientHeight = 46;

  explicit TMarkForm(QWidget* parent = nullptr);

  QListWidget* ListBox1 = nullptr;

  // ListBox1DblClick: a double click, or Enter while the list has entries.
  std::function<void()> OnShowMark;
  // Delete while an entry is selected.
  std::function<void()> OnRemoveMark;
  // The context menu, asked for at this place of the screen.
  std::function<void(const QPoint&)> OnContextMenu;
  // MarkFormClose: the user closed the window with its close button.
  std::function<void()> OnClose;

  QSize sizeHint() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool ListKeyPressed(int key, Qt::KeyboardModifiers modifiers);
  void AskContextMenu(const QPoint& global);
};

}  // namespace quilmo
