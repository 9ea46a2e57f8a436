#pragma once
// The main window's search commands: opening the find or the replace dialog (at most one of
// them at a time), find next (F3) and find previous (Ctrl+F3) with the dialogs' options.

#include <QPointer>

#include "app/dialogs/DialogHost.h"

namespace quilmo {

class TFindDlg;
class TReplaceDlg;

class TSearchDialogs {
 public:
  explicit TSearchDialogs(TDialogHost& host);
  TSearchDialogs(const TSearchDialogs&) = delete;
  TSearchDialogs& operator=(const TSearchDialogs&) = delete;

  // At start: SearchText := the newest entry of the search history.
  void LoadSearchText();
  // Ctrl+F, Ctrl+H: open their dialog, or bring back the one already open.
  void Find1Click();
  void Replace1Click();
  // F3 / FindNextBtn and Ctrl+F3 / FindPrevBtn.
  void FindNext1Click();
  void Rechercherleprcdent1Click();
  // Closes the open dialog as if the user had closed it (its histories are written). The
  // window calls it when it closes, while it can still answer the dialog's calls; a dialog
  // left open is destroyed with its parent without calling the host.
  void CloseDialogs();

  TFindDlg* FindDialog() const;
  TReplaceDlg* ReplaceDialog() const;

 private:
  enum class TRepeatDirection { rdNext, rdPrevious };
  // Switches always-on-top off for a dialog's lifetime; RestoreOnTop gives it back.
  void TopmostOffForDialog();
  // The find or replace dialog already open, restored if minimised, raised and active; false
  // when neither is open.
  bool BringBackOpenDialog();
  void Repeat(TRepeatDirection direction);

  TDialogHost& FHost;
  QPointer<TFindDlg> FFind;
  QPointer<TReplaceDlg> FReplace;
};

}  // namespace quilmo
