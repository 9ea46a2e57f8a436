#include "app/dialogs/SearchDialogs.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

#include "app/dialogs/FindDlg.h"
#include "app/dialogs/ReplaceDlg.h"
#include "editor/CustomTextFileEditor.h"
#include "engine/Search.h"

namespace quilmo {

namespace {

// Shows a new search dialog centred on the screen of the main window.
void ShowCentred(QDialog* dialog, QWidget* mainWindow) {
  QScreen* screen = mainWindow ? mainWindow->screen() : QGuiApplication::primaryScreen();
  if (screen)
    dialog->move(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, dialog->size(), screen->geometry()).topLeft());
  dialog->show();
}

}  // namespace

TSearchDialogs::TSearchDialogs(TDialogHost& host) : FHost(host) {}

TFindDlg* TSearchDialogs::FindDialog() const {
  return FFind.data();
}

TReplaceDlg* TSearchDialogs::ReplaceDialog() const {
  return FReplace.data();
}

void TSearchDialogs::LoadSearchText() {
  const QStringList history = FHost.ReadHistory(QString::fromLatin1(kSearchHistorySection));
  FHost.SearchState().SearchText = history.isEmpty() ? QString() : history.first();
}

void TSearchDialogs::TopmostOffForDialog() {
  if (!FHost.StayOnTop()) return;
  FHost.SetStayOnTop(false);
  FHost.SearchState().RestoreOnTop = true;
}

bool TSearchDialogs::BringBackOpenDialog() {
  const TSearchState& state = FHost.SearchState();
  QDialog* open = nullptr;
  if (state.FindDialogOpen && FFind)
    open = FFind;
  else if (state.ReplaceDialogOpen && FReplace)
    open = FReplace;
  if (open == nullptr) return state.FindDialogOpen || state.ReplaceDialogOpen;
  open->setWindowState(open->windowState() & ~Qt::WindowMinimized);
  open->show();
  open->raise();
  open->activateWindow();
  return true;
}

void TSearchDialogs::Find1Click() {
  TopmostOffForDialog();
  // At most one of the two dialogs: the open one comes back instead, minimised or not.
  if (BringBackOpenDialog()) return;
  FFind = new TFindDlg(FHost, FHost.DialogParent());
  ShowCentred(FFind, FHost.DialogParent());
}

void TSearchDialogs::Replace1Click() {
  TopmostOffForDialog();
  if (BringBackOpenDialog()) return;
  FReplace = new TReplaceDlg(FHost, FHost.DialogParent());
  ShowCentred(FReplace, FHost.DialogParent());
}

void TSearchDialogs::Repeat(TRepeatDirection direction) {
  const TTopmostOff topmostOff(FHost);
  TSearchState& state = FHost.SearchState();
  TCustomTextFileEditor& editor = FHost.Editor();
  const bool backward = direction == TRepeatDirection::rdPrevious;
  const bool wasBackward = (state.SearchOptions & soBackward) != 0;
  if (backward)
    state.SearchOptions = static_cast<std::uint8_t>(state.SearchOptions | soBackward);
  else
    state.SearchOptions = static_cast<std::uint8_t>(state.SearchOptions & ~soBackward);
  // A match found in the other direction is selected with the caret at its far end: one
  // silent search in the new direction first steps over it.
  if (editor.HasSelection() && wasBackward != backward)
    SearchEditor(FHost, state.SearchText, state.SearchOptions);
  if (!SearchEditor(FHost, state.SearchText, state.SearchOptions)) ReportNotFound(FHost, state.SearchText);
}

void TSearchDialogs::FindNext1Click() {
  Repeat(TRepeatDirection::rdNext);
}

void TSearchDialogs::Rechercherleprcdent1Click() {
  Repeat(TRepeatDirection::rdPrevious);
}

void TSearchDialogs::CloseDialogs() {
  if (FFind) FFind->close();
  if (FReplace) FReplace->close();
}

}  // namespace quilmo
