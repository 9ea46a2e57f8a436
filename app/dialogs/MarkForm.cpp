#include "app/dialogs/MarkForm.h"

#include <QKeyEvent>
#include <QListWidget>

namespace quilmo {

namespace {

// The list asks for the window's client area, not the tall default of a list: the dock takes
// its height from it.
class TMarksList : public QListWidget {
 public:
  using QListWidget::QListWidget;
  QSize sizeHint() const override { return {TMarkForm::kClientWidth, TMarkForm::kClientHeight}; }
  QSize minimumSizeHint() const override {
    return {QListWidget::minimumSizeHint().width(), fontMetrics().height() + 2 * frameWidth()};
  }
};

}  // namespace

TMarkForm::TMarkForm(QWidget* parent) : QDockWidget(QStringLiteral("Gestionnaire de marques"), parent) {
  setObjectName(QStringLiteral("MarkForm"));
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
              QDockWidget::DockWidgetFloatable);
  // No mark is listed before the window is asked for.
  hide();
  ListBox1 = new TMarksList(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setAccessibleName(QStringLiteral("Marques"));
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setSortingEnabled(true);
  QFont font = ListBox1->font();
  font.setPointSize(8);
  ListBox1->setFont(font);
  setWidget(ListBox1);
  ListBox1->installEventFilter(this);
  // The mouse's right button and the menu key, on the entries (the viewport's coordinates).
  ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBox1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { AskContextMenu(ListBox1->viewport()->mapToGlobal(at)); });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] {
    if (OnShowMark) OnShowMark();
  });
}

QSize TMarkForm::sizeHint() const {
  return {kClientWidth, kClientHeight};
}

bool TMarkForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (ListKeyPressed(key->key(), key->modifiers() & ~Qt::KeypadModifier)) return true;
  }
  return QDockWidget::eventFilter(watched, event);
}

bool TMarkForm::ListKeyPressed(int key, Qt::KeyboardModifiers modifiers) {
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && ListBox1->count() > 0) {
    if (OnShowMark) OnShowMark();
    return true;
  }
  if (key == Qt::Key_Delete && modifiers == Qt::NoModifier) {
    const QListWidgetItem* item = ListBox1->currentItem();
    if (item != nullptr && item->isSelected() && OnRemoveMark) OnRemoveMark();
    return true;
  }
  // Shift+F10 asks for the context menu as the menu key does; it opens under the current entry.
  if (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier) {
    const QListWidgetItem* item = ListBox1->currentItem();
    const QRect place = item != nullptr ? ListBox1->visualItemRect(item) : QRect();
    const QPoint local = place.isValid() ? place.bottomLeft() : QPoint(0, 0);
    AskContextMenu(ListBox1->viewport()->mapToGlobal(local));
    return true;
  }
  return false;
}

void TMarkForm::AskContextMenu(const QPoint& global) {
  if (OnContextMenu) OnContextMenu(global);
}

void TMarkForm::closeEvent(QCloseEvent* event) {
  QDockWidget::closeEvent(event);
  if (OnClose) OnClose();
}

}  // namespace quilmo
