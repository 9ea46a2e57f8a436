#pragma once
// Places a dialog over the main window: centred on it, pushed back left or up when it would
// leave the screen on the right or at the bottom (never moved right or down).

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace quilmo {

QPoint CenterOverPos(const QRect& mainFrame, const QSize& dialog, const QSize& screen);
// With the main window's frame and its screen; a null main window leaves the dialog alone.
void CenterOver(QWidget* mainWindow, QWidget* dialog);

}  // namespace quilmo
