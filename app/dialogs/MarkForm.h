#pragma once
// The marks manager's tool window "Gestionnaire de marques": a dockable window holding the
// sorted list ListBox1. Enter in the list and a double click show the selected mark; the
// window's own close button is reported so that the window's menus and button follow.

#include <QDockWidget>

#include <functional>

class QListWidget;

namespace quilmo {

class TMarkForm : public QDockWidget {
  Q_OBJECT

 public:
  explicit TMarkForm(QWidget* parent = nullptr);

  QListWidget* ListBox1 = nullptr;

  // ListBox1DblClick: a double click, or Enter while the list has entries.
  std::function<void()> OnShowMark;
  // MarkFormClose: the user closed the window with its close button.
  std::function<void()> OnClose;

  QSize sizeHint() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace quilmo
