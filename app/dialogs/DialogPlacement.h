#pragma once
// Size, font and place of the fixed-size dialogs.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace quilmo {

// The dialogs' texts: the system's UI font at 8 points at most, the size their fixed
// layouts are drawn for.
void UseDialogFont(QWidget* dialog);

// Fixes the client size of a dialog at `size`, or larger where its layout needs more (a
// larger system font), so that no text is ever cut.
void FixClientSize(QWidget* dialog, const QSize& size);

// CenterOver: centred on the main window, pushed back left or up when it would leave the
// screen on the right or at the bottom (never moved right or down).
QPoint CenterOverPos(const QRect& mainFrame, const QSize& dialog, const QSize& screen);
// With the main window's frame and its screen; a null main window leaves the dialog alone.
void CenterOver(QWidget* mainWindow, QWidget* dialog);

}  // namespace quilmo
