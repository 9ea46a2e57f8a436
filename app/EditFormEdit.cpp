// The edit commands, word wrap, the option toggles of the window and the editor's events.
#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDockWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QToolBar>

#include "app/EditForm.h"
#include "app/NameBytes.h"
#include "app/Settings.h"
#include "editor/KeyBinding.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo {

void TEditForm::Undo1Click() {
  FEditor->Undo();
  UpdateButtons(FEditor->ByteCount() != 0);
}

void TEditForm::Rcuprer1Click() {
  FEditor->Redo();
  UpdateButtons(FEditor->ByteCount() != 0);
}

void TEditForm::Cut1Click() {
  FEditor->CutToClipboard();
  UpdateButtons(FEditor->ByteCount() != 0);
}

void TEditForm::Copy1Click() {
  FEditor->CopyToClipboard();
  if (FEditingOptions.CollapseAfterCopy) FEditor->CollapseSelection(true);
}

void TEditForm::Paste1Click() {
  FEditor->PasteFromClipboard();
  UpdateButtons(FEditor->ByteCount() != 0);
}

void TEditForm::Delete1Click() {
  FEditor->ProcessCommand(ccDel, 0);
}

void TEditForm::SelectAll1Click() {
  FEditor->SelectAll(true);
}

void TEditForm::SetWordWrapChecked(bool on) {
  FEdit.Retourlaligneautomatique1->setChecked(on);
  FButtons.WrapBtn->setChecked(on);
  if (on) {
    FEditor->SetWrapColumn(FEditor->VisibleColumns());
    FEditor->SetWordWrap(true);
  } else {
    FEditor->SetWordWrap(false);
  }
}

void TEditForm::Retourlaligneautomatique1Click() {
  SetWordWrapChecked(!FEdit.Retourlaligneautomatique1->isChecked());
}

void TEditForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (FEdit.Retourlaligneautomatique1->isChecked()) FEditor->SetWrapColumn(FEditor->VisibleColumns());
}

void TEditForm::Ouverturesmultiple1Click() {
  FOptions.Ouverturesmultiple1->setChecked(!FOptions.Ouverturesmultiple1->isChecked());
  FMultipleOpenings = FOptions.Ouverturesmultiple1->isChecked();
}

void TEditForm::Resteraudessus1Click() {
  const bool topmost = !FView.Resteraudessus1->isChecked();
  const QRect bounds = geometry();
  const bool wasVisible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
  if (wasVisible) {
    setGeometry(bounds);
    show();
  }
  FView.Resteraudessus1->setChecked(topmost);
}

void TEditForm::Enregistrerlaposition1Click() {
  FOptions.Enregistrerlaposition1->setChecked(!FOptions.Enregistrerlaposition1->isChecked());
  FEditingOptions.RememberPosition = FOptions.Enregistrerlaposition1->isChecked();
}

void TEditForm::Enregistrerlaconfiguration1Click() {
  if (!FFullScreen) SaveSettings();
}

void TEditForm::Enregistrerlaconfigurationenquittant1Click() {
  QAction* item = FOptions.Enregistrerlaconfigurationenquittant1;
  item->setChecked(!item->isChecked());
  FEditingOptions.SaveOnExit = item->isChecked();
}

// ------------------------------------------------------------------ editor events

void TEditForm::Editor1Change() {
  UpdateButtons(FEditor->ByteCount() != 0);
}

void TEditForm::Editor1ShowStatus(int, int) {
  RefreshToolButtons();
}

void TEditForm::Editor1KeyDown(std::uint16_t& key, std::uint8_t shift) {
  if (FFullScreen) {
    if (key == vkEscape) {
      LeaveFullScreen();
    } else if (key == vkF1 + 8) {
      // F9: the document's name, readable without a caption bar.
      FFichiercourant1->setText(DisplayName(DocumentName()));
      FPopupMenu2->popup(frameGeometry().topLeft() + QPoint(10, 10));
    }
  }
  AutoScrollKey(key, shift);
  FHelpFile = FProgramFolder + QStringLiteral("Kel.hlp");
  if (key == vkF1) ShowHelp(FFullScreen ? 56 : 0);
}

// ------------------------------------------------------------------ application-wide events

bool TEditForm::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto& key = *static_cast<QKeyEvent*>(event);
      if (watched == FEditorWidget && key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier) {
        // Shift+F10 asks for the context menu at the caret, as the menu key does.
        QWidget* viewport = FEditorWidget->viewport();
        const QWidget* editor = FEditorWidget;
        const QPoint at = editor->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, viewport->mapToGlobal(at));
        QCoreApplication::sendEvent(viewport, &menu);
        return true;
      }
      // Menu shortcuts of this window, matched before the focused control sees the key.
      auto* widget = qobject_cast<QWidget*>(watched);
      if (!widget || widget->window() != this || qobject_cast<QMenu*>(widget)) break;
      if (HandleMenuShortcut(key)) return true;
      break;
    }
    case QEvent::Close:
      if (watched == FBars.MarkForm) MarkFormClose();
      break;
    case QEvent::ContextMenu:
      // The editor's context menu, asked for by the mouse on the text or by the keyboard. The
      // scroll area would pass its viewport's request to itself, past any policy of the viewport.
      if (watched == FEditorWidget->viewport() || watched == FEditorWidget) {
        FContext.PopupMenu1->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
      }
      break;
    case QEvent::DragEnter:
      if (watched == FEditorWidget->viewport()) {
        dragEnterEvent(static_cast<QDragEnterEvent*>(event));
        return event->isAccepted();
      }
      break;
    case QEvent::Drop:
      if (watched == FEditorWidget->viewport()) {
        dropEvent(static_cast<QDropEvent*>(event));
        return true;
      }
      break;
    default: break;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace quilmo
