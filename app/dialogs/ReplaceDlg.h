#pragma once
// The replace dialog "Remplacement": modeless, on top of the main window, fixed size.

#include "app/dialogs/SearchDlgBase.h"

namespace quilmo {

class TReplaceDlg : public TSearchDlgBase {
  Q_OBJECT

 public:
  // Creation: sets ReplaceDialogOpen, loads both histories, clears the options, takes the
  // word at the caret (with an empty replacement) or else the newest entry of each history.
  TReplaceDlg(TDialogHost& host, QWidget* parent);

  QLabel* Label2 = nullptr;
  THistoryCombo* ReplaceBox1 = nullptr;
  QPushButton* Button2 = nullptr;  // "Rem&placer"
  QPushButton* Button3 = nullptr;  // "&Tout remplacer"
  QPushButton* Button4 = nullptr;  // "&Fermer"

  static constexpr int kClientWidth = 345;
  static constexpr int kClientHeight = 137;

 protected:
  void Finish() override;
  void SetFindButtonsEnabled(bool enabled) override;

 private:
  void FindBox1Change(const QString& text);
  void ReplaceBox1Change(const QString& text);
  // Both texts pushed into their histories and shown again.
  void PushBoth();
  void Button1Click();
  void Button2Click();
  void Button3Click();
};

}  // namespace quilmo
