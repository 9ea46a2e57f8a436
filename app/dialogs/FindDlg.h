#pragma once
// The find dialog "Rechercher": modeless, on top of the main window, fixed size.

#include "app/dialogs/SearchDlgBase.h"

namespace quilmo {

class TFindDlg : public TSearchDlgBase {
  Q_OBJECT

 public:
  // Creation: sets FindDialogOpen, loads the history, clears the options, takes the word at
  // the caret (else the newest history entry) as the search text.
  TFindDlg(TDialogHost& host, QWidget* parent);

  QPushButton* Button2 = nullptr;  // "&Fermer"

  static constexpr int kClientWidth = 353;
  static constexpr int kClientHeight = 90;

 protected:
  void Finish() override;

 private:
  void FindBox1Change(const QString& text);
  void Button1Click();
};

}  // namespace quilmo
