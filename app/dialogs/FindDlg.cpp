#include "app/dialogs/FindDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/AccessibleNames.h"
#include "app/dialogs/DialogPlacement.h"
#include "app/dialogs/HistoryCombo.h"
#include "editor/CustomTextFileEditor.h"
#include "editor/qt/Cp1252Text.h"

namespace quilmo {

TFindDlg::TFindDlg(TDialogHost& host, QWidget* parent) : TSearchDlgBase(host, parent) {
  setObjectName(QStringLiteral("FindDlg"));
  setWindowTitle(QStringLiteral("Rechercher"));
  Button2 = new QPushButton(QStringLiteral("&Fermer"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setAutoDefault(false);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(5, 6, 5, 4);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(2);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(FindBox1, 0, 1, 1, 2);
  auto* boxes = new QVBoxLayout;
  boxes->setSpacing(0);
  boxes->addWidget(MotEntier1);
  boxes->addWidget(Casse1);
  grid->addLayout(boxes, 1, 0, 1, 2);
  grid->addWidget(Direction1, 1, 2);
  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(4);
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 3, 2, 1);
  grid->setColumnStretch(1, 1);

  setTabOrder(FindBox1, MotEntier1);
  setTabOrder(MotEntier1, Casse1);
  setTabOrder(Casse1, Haut);
  setTabOrder(Haut, Bas);
  setTabOrder(Bas, Button1);
  setTabOrder(Button1, Button2);

  FState.FindDialogOpen = true;
  FindBox1->SetEntries(TenEntries(FHost.ReadHistory(QString::fromLatin1(kSearchHistorySection))));
  FixClientSize(this, {kClientWidth, kClientHeight});
  SetDirection(TSearchDirection::sdDown);
  MotEntier1->setChecked(false);
  Casse1->setChecked(false);
  ClearSearchOptions();

  const std::string word = FHost.Editor().GetWordAtCaret();
  FindBox1->setEditText(word.empty() ? FindBox1->itemText(0) : BytesToQString(word));
  FState.SearchText = FindBox1->currentText();
  SetFindButtonsEnabled(!FState.SearchText.isEmpty());
  FocusSuivant();

  connect(FindBox1, &QComboBox::editTextChanged, this, &TFindDlg::FindBox1Change);
  connect(Button1, &QPushButton::clicked, this, &TFindDlg::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TFindDlg::CloseFromButton);
  NameForReaders(this);
}

void TFindDlg::FindBox1Change(const QString& text) {
  FState.SearchText = text;
  SetFindButtonsEnabled(!text.isEmpty());
}

void TFindDlg::Button1Click() {
  FindBox1->Push(FState.SearchText);
  FindBox1->setEditText(FState.SearchText);
  FindNextFromDialog();
}

void TFindDlg::Finish() {
  FHost.WriteHistory(QString::fromLatin1(kSearchHistorySection), FindBox1->Entries());
  FState.FindDialogOpen = false;
  RestoreTopmost();
}

}  // namespace quilmo
