#pragma once
// The date and time dialog "Date et heure": the current date and time in twelve formats;
// the chosen one is inserted at the caret.

#include <QDialog>

#include "app/dialogs/DateFormat.h"
#include "app/dialogs/DialogHost.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace quilmo {

class TDateForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 277;
  static constexpr int kClientHeight = 201;

  // The clock is read once for every entry while the list is built.
  TDateForm(TDialogHost& host, QWidget* parent, const TClock& clock = SystemClock,
            const TDateNames& names = FrenchDateNames());

  QLabel* Label1 = nullptr;
  QListWidget* DateList = nullptr;
  QPushButton* Button1 = nullptr;  // "OK"
  QPushButton* Button2 = nullptr;  // "Annuler"

  // "OK", a double click or Enter in the list: the selected entry is inserted and the dialog
  // closes; the tool buttons are updated in every case.
  void Button1Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TDialogHost& FHost;
};

}  // namespace quilmo
