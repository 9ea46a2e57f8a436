#include "app/dialogs/DialogPlacement.h"

#include <QApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

namespace quilmo {

void UseDialogFont(QWidget* dialog) {
  QFont font = QApplication::font();
  if (font.pointSizeF() > 8) font.setPointSizeF(8);
  dialog->setFont(font);
}

void FixClientSize(QWidget* dialog, const QSize& size) {
  QSize client = size;
  if (QLayout* layout = dialog->layout()) {
    layout->activate();
    client = client.expandedTo(layout->minimumSize());
  }
  dialog->setFixedSize(client);
}

QPoint CenterOverPos(const QRect& mainFrame, const QSize& dialog, const QSize& screen) {
  // Division truncating toward zero, as the window's own arithmetic does.
  int left = mainFrame.left() + (mainFrame.width() - dialog.width()) / 2;
  int top = mainFrame.top() + (mainFrame.height() - dialog.height()) / 2;
  if (left + dialog.width() > screen.width()) left = screen.width() - dialog.width();
  if (top + dialog.height() > screen.height()) top = screen.height() - dialog.height();
  return {left, top};
}

void CenterOver(QWidget* mainWindow, QWidget* dialog) {
  if (!mainWindow || !dialog) return;
  const QScreen* screen = mainWindow->screen();
  const QSize screenSize = screen ? screen->geometry().size() : QSize(1 << 20, 1 << 20);
  dialog->move(CenterOverPos(mainWindow->frameGeometry(), dialog->frameGeometry().size(), screenSize));
}

}  // namespace quilmo
