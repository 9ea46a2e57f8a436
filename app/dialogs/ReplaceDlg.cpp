#include "app/dialogs/ReplaceDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/AccessibleNames.h"
#include "app/dialogs/DialogPlacement.h"
#include "app/dialogs/HistoryCombo.h"
#include "editor/CustomTextFileEditor.h"
#include "editor/qt/Cp1252Text.h"
#include "engine/Search.h"
#include "engine/UndoGroup.h"

namespace quilmo {

TReplaceDlg::TReplaceDlg(TDialogHost& host, QWidget* parent) : TSearchDlgBase(host, parent) {
  setObjectName(QStringLiteral("ReplaceDlg"));
  setWindowTitle(QStringLiteral("Remplacement"));
  // Alt+E: "Rem&placer" has P, and no other control of the dialog uses E.
  Label2 = new QLabel(QStringLiteral("R&emplacer"), this);
  ReplaceBox1 = new THistoryCombo(this);
  ReplaceBox1->setObjectName(QStringLiteral("ReplaceBox1"));
  Label2->setBuddy(ReplaceBox1);
  Button2 = new QPushButton(QStringLiteral("Rem&placer"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button3 = new QPushButton(QStringLiteral("&Tout remplacer"), this);
  Button3->setObjectName(QStringLiteral("Button3"));
  Button4 = new QPushButton(QStringLiteral("&Fermer"), this);
  Button4->setObjectName(QStringLiteral("Button4"));
  for (QPushButton* button : {Button2, Button3, Button4}) button->setAutoDefault(false);

  // The two boxes side by side under the texts, the direction under them: the buttons
  // column leaves too little width for boxes and direction in one row.
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(FindBox1, 0, 1);
  grid->addWidget(Label2, 1, 0);
  grid->addWidget(ReplaceBox1, 1, 1);
  auto* boxes = new QHBoxLayout;
  boxes->setSpacing(8);
  boxes->addWidget(MotEntier1);
  boxes->addWidget(Casse1);
  boxes->addStretch();
  grid->addLayout(boxes, 2, 0, 1, 2);
  grid->addWidget(Direction1, 3, 0, 1, 2, Qt::AlignLeft);
  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(4);
  for (QPushButton* button : {Button1, Button2, Button3, Button4}) buttons->addWidget(button);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 2, 4, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(3, 1);

  setTabOrder(FindBox1, ReplaceBox1);
  setTabOrder(ReplaceBox1, MotEntier1);
  setTabOrder(MotEntier1, Casse1);
  setTabOrder(Casse1, Haut);
  setTabOrder(Haut, Bas);
  setTabOrder(Bas, Button1);
  setTabOrder(Button1, Button2);
  setTabOrder(Button2, Button3);
  setTabOrder(Button3, Button4);

  FState.ReplaceDialogOpen = true;
  FindBox1->SetEntries(TenEntries(FHost.ReadHistory(QString::fromLatin1(kSearchHistorySection))));
  ReplaceBox1->SetEntries(TenEntries(FHost.ReadHistory(QString::fromLatin1(kReplaceHistorySection))));
  FixClientSize(this, {kClientWidth, kClientHeight});
  ClearSearchOptions();

  const std::string word = FHost.Editor().GetWordAtCaret();
  if (!word.empty()) {
    FindBox1->setEditText(BytesToQString(word));
    ReplaceBox1->setEditText(QString());
  } else {
    FindBox1->setEditText(FindBox1->itemText(0));
    ReplaceBox1->setEditText(ReplaceBox1->itemText(0));
  }
  FState.SearchText = FindBox1->currentText();
  FState.ReplacementText = ReplaceBox1->currentText();
  SetFindButtonsEnabled(!FState.SearchText.isEmpty());
  FocusSuivant();

  connect(FindBox1, &QComboBox::editTextChanged, this, &TReplaceDlg::FindBox1Change);
  connect(ReplaceBox1, &QComboBox::editTextChanged, this, &TReplaceDlg::ReplaceBox1Change);
  connect(MotEntier1, &QCheckBox::clicked, this,
          [this](bool checked) { SetOptionBit(soWholeWord, checked); });
  connect(Button1, &QPushButton::clicked, this, &TReplaceDlg::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TReplaceDlg::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TReplaceDlg::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TReplaceDlg::CloseFromButton);
  NameForReaders(this);
}

void TReplaceDlg::SetFindButtonsEnabled(bool enabled) {
  TSearchDlgBase::SetFindButtonsEnabled(enabled);
  Button2->setEnabled(enabled);
  Button3->setEnabled(enabled);
}

void TReplaceDlg::FindBox1Change(const QString& text) {
  FState.SearchText = text;
  SetFindButtonsEnabled(!text.isEmpty());
}

void TReplaceDlg::ReplaceBox1Change(const QString& text) {
  FState.ReplacementText = text;
}

void TReplaceDlg::PushBoth() {
  // Pushing one list must not lose the other text, so both are taken first.
  const QString search = FState.SearchText;
  const QString replacement = FState.ReplacementText;
  FindBox1->Push(search);
  ReplaceBox1->Push(replacement);
  FindBox1->setEditText(search);
  ReplaceBox1->setEditText(replacement);
}

void TReplaceDlg::Button1Click() {
  PushBoth();
  FindNextFromDialog();
}

void TReplaceDlg::Button2Click() {
  PushBoth();
  TCustomTextFileEditor& editor = FHost.Editor();
  std::uint8_t options = FState.SearchOptions;
  if (editor.HasSelection()) options |= soReplace;
  const int result = ReplaceInEditor(FHost, FState.SearchText, ReplaceBox1->currentText(), options);
  if (result == -1) ReportNotFoundHere(FState.SearchText);
}

void TReplaceDlg::Button3Click() {
  PushBoth();
  {
    // Every replacement of the run is undone by one Undo.
    const TUndoGroup group(FHost.Editor().ParaList());
    ReplaceInEditor(FHost, FindBox1->currentText(), ReplaceBox1->currentText(),
                    static_cast<std::uint8_t>(FState.SearchOptions | soReplaceAll));
  }
  close();
}

void TReplaceDlg::Finish() {
  FHost.WriteHistory(QString::fromLatin1(kSearchHistorySection), FindBox1->Entries());
  FHost.WriteHistory(QString::fromLatin1(kReplaceHistorySection), ReplaceBox1->Entries());
  FState.ReplaceDialogOpen = false;
  RestoreTopmost();
}

}  // namespace quilmo
