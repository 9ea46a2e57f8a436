#pragma once
// The about box "A propos...": the program's icon, name and version, and who the computer
// is registered to.

#include <QDialog>

#include "app/dialogs/DialogHost.h"

class QFrame;
class QLabel;
class QPushButton;

namespace quilmo {

// The registered owner, else the organization, else "Utilisation libre".
QString AboutUserLabel(const TRegisteredUser& user);

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 297;
  static constexpr int kClientHeight = 185;

  TAboutBox(TDialogHost& host, QWidget* parent);

  QFrame* Panel1 = nullptr;
  QLabel* ProgramIcon = nullptr;
  QLabel* Label3 = nullptr;   // program name
  QLabel* Label2 = nullptr;   // version
  QLabel* Comment = nullptr;  // what the program is
  QLabel* Adresse = nullptr;
  QLabel* Label4 = nullptr;  // hidden
  QLabel* Label5 = nullptr;
  QLabel* Label1 = nullptr;  // registered user
  QPushButton* Button1 = nullptr;
};

}  // namespace quilmo
