#include "app/dialogs/MarkForm.h"

#include <QKeyEvent>
#include <QListWidget>

namespace quilmo {

TMarkForm::TMarkForm(QWidget* parent) : QDockWidget(QStringLiteral("Gestionnaire de marques"), parent) {
  setObjectName(QStringLiteral("MarkForm"));
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
              QDockWidget::DockWidgetFloatable);
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setAccessibleName(QStringLiteral("Marques"));
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setSortingEnabled(true);
  QFont font = ListBox1->font();
  font.setPointSize(8);
  ListBox1->setFont(font);
  setWidget(ListBox1);
  ListBox1->installEventFilter(this);
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] {
    if (OnShowMark) OnShowMark();
  });
}

QSize TMarkForm::sizeHint() const {
  return {453, 46};
}

bool TMarkForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && ListBox1->count() > 0) {
      if (OnShowMark) OnShowMark();
      return true;
    }
  }
  return QDockWidget::eventFilter(watched, event);
}

void TMarkForm::closeEvent(QCloseEvent* event) {
  QDockWidget::closeEvent(event);
  if (OnClose) OnClose();
}

}  // namespace quilmo
