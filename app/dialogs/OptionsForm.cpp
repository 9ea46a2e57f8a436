#include "app/dialogs/OptionsForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/dialogs/AccessibleNames.h"
#include "app/dialogs/DialogPlacement.h"
#include "app/dialogs/FilterGrid.h"
#include "app/dialogs/TabSizeEdit.h"
#include "editor/CustomTextFileEditor.h"

namespace quilmo {

namespace {

QCheckBox* NewBox(QWidget* page, const char* name, const QString& caption, const QString& hint) {
  auto* box = new QCheckBox(caption, page);
  box->setObjectName(QString::fromLatin1(name));
  box->setStatusTip(hint);
  return box;
}

}  // namespace

TOptionsForm::TOptionsForm(TDialogHost& host, QWidget* parent) : QDialog(parent), FHost(host) {
  setObjectName(QStringLiteral("OptionsForm"));
  UseDialogFont(this);
  setWindowTitle(QStringLiteral("Propriétés"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  PageControl1 = new QTabWidget(this);
  auto* options = new QWidget;
  auto* tabs = new QWidget;
  auto* filters = new QWidget;
  BuildOptionsPage(options);
  BuildTabsPage(tabs);
  Panel1 = new QWidget(filters);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  auto* filtersLayout = new QVBoxLayout(filters);
  filtersLayout->setContentsMargins(4, 4, 4, 4);
  filtersLayout->addWidget(Panel1);
  PageControl1->addTab(options, QStringLiteral("Options"));
  PageControl1->addTab(tabs, QStringLiteral("Tabulations"));
  PageControl1->addTab(filters, QStringLiteral("Filtres de fichiers"));

  OkBtn = new QPushButton(QStringLiteral("&OK"), this);
  AppliquerBtn = new QPushButton(QStringLiteral("&Appliquer"), this);
  AnnulerBtn = new QPushButton(QStringLiteral("A&nnuler"), this);
  AideBtn = new QPushButton(QStringLiteral("A&ide"), this);
  OkBtn->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(4);
  buttons->addStretch();
  for (QPushButton* button : {OkBtn, AppliquerBtn, AnnulerBtn, AideBtn}) buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 4, 3, 4);
  layout->setSpacing(4);
  layout->addWidget(PageControl1);
  layout->addLayout(buttons);

  FHints = FHost.HintsInStatusBar();
  FixClientSize(this, {kClientWidth, kClientHeight});
  CenterOver(FHost.DialogParent(), this);
  LoadValues();
  NameForReaders(this);

  for (QCheckBox* box : {Dialogue1, Backup1, AutoIndent1, Deactive1, Flush1, Trim1})
    connect(box, &QCheckBox::clicked, this, &TOptionsForm::ControlChanged);
  connect(FTabsGroup, &QButtonGroup::idClicked, this, &TOptionsForm::ControlChanged);
  connect(Edit1, &TTabSizeEdit::TextChanged, this, &TOptionsForm::ControlChanged);
  connect(PageControl1, &QTabWidget::currentChanged, this, &TOptionsForm::PageControl1Change);
  connect(OkBtn, &QPushButton::clicked, this, &TOptionsForm::OkBtnClick);
  connect(AppliquerBtn, &QPushButton::clicked, this, &TOptionsForm::AppliquerBtnClick);
  connect(AnnulerBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(AideBtn, &QPushButton::clicked, this, [this] { FHost.ShowHelp(kOptionsHelpContext); });
}

void TOptionsForm::BuildOptionsPage(QWidget* page) {
  Dialogue1 = NewBox(page, "Dialogue1", QStringLiteral("Dialogue &Ouvrir au démarrage"),
                     QStringLiteral("Affiche la boîte de dialogue Ouvrir au démarrage de l'éditeur"));
  Backup1 =
      NewBox(page, "Backup1", QStringLiteral("&Créer des fichiers de sauvegarde"),
             QStringLiteral("Active/Désactive la création de fichiers de sauvegarde à l'enregistrement"));
  AutoIndent1 = NewBox(page, "AutoIndent1", QStringLiteral("&Activer l'indentation automatique "),
                       QStringLiteral("Active/Désactive l'indentation automatique"));
  Deactive1 = NewBox(page, "Deactive1", QStringLiteral("&Désactiver la sélection après copier"),
                     QStringLiteral("Active/Désactive l'affichage de la sélection après copier"));
  Flush1 = NewBox(page, "Flush1", QStringLiteral("&Vider le tampon d'annulation à l' enregistrement"),
                  QStringLiteral("Bascule la possibilité d'annuler aprés l'enregistrement"));
  Trim1 = NewBox(page, "Trim1", QStringLiteral("&Supprimer les espaces de fin de ligne à l'ouverture"),
                 QStringLiteral("Active/Désactive la suppression des espaces blancs de fin de ligne à "
                                "l'ouverture des documents"));
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(4, 2, 2, 2);
  layout->setSpacing(0);
  for (QCheckBox* box : {Dialogue1, Backup1, AutoIndent1, Deactive1, Flush1, Trim1}) layout->addWidget(box);
  layout->addStretch();
}

void TOptionsForm::BuildTabsPage(QWidget* page) {
  Tabs1 = new QGroupBox(QStringLiteral("Type des tabulations"), page);
  Tabs1->setObjectName(QStringLiteral("Tabs1"));
  Tabs1->setStatusTip(QStringLiteral("Sélection du type de tabulations"));
  FTabsGroup = new QButtonGroup(this);
  auto* radios = new QHBoxLayout(Tabs1);
  const QString captions[] = {QStringLiteral("&Réelles"), QStringLiteral("&Fixes"),
                              QStringLiteral("&Automatiques")};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(captions[i], Tabs1);
    radio->setStatusTip(Tabs1->statusTip());
    FTabsGroup->addButton(radio, i);
    radios->addWidget(radio);
  }
  Edit1 = new TTabSizeEdit(page);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setStatusTip(QStringLiteral("Taille des tabulations en nombre d'espaces"));
  Edit1->setFixedWidth(56);
  Label1 = new QLabel(QStringLiteral("&Taille des tabulations"), page);
  Label1->setBuddy(Edit1);
  auto* sizeRow = new QHBoxLayout;
  sizeRow->addWidget(Edit1);
  sizeRow->addWidget(Label1);
  sizeRow->addStretch();
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->addWidget(Tabs1);
  layout->addLayout(sizeRow);
  layout->addStretch();
}

void TOptionsForm::LoadValues() {
  const TCustomTextFileEditor& editor = FHost.Editor();
  const TWindowOptions window = FHost.WindowOptions();
  Dialogue1->setChecked(window.OpenDialogAtStart);
  Backup1->setChecked(editor.MakeBackup());
  AutoIndent1->setChecked(editor.AutoIndent());
  Deactive1->setChecked(window.CollapseAfterCopy);
  Flush1->setChecked(window.ClearUndoAfterSave);
  Trim1->setChecked(editor.TrimWhiteSpace());
  Edit1->SetText(QString::number(editor.TabSize()));
  if (QAbstractButton* radio = FTabsGroup->button(static_cast<int>(editor.TabType())))
    radio->setChecked(true);
  AppliquerBtn->setEnabled(false);
  FOptionsDirty = false;
}

int TOptionsForm::TabsIndex() const {
  return FTabsGroup->checkedId();
}

void TOptionsForm::ControlChanged() {
  AppliquerBtn->setEnabled(true);
  FOptionsDirty = true;
}

void TOptionsForm::PageControl1Change(int index) {
  if (index == pgFilters) {
    AppliquerBtn->setEnabled(true);
    if (!FGrid) CreateGrid();
    return;
  }
  if (FGrid) AppliquerBtn->setEnabled(FGrid->Filter() != FSavedFilter || FOptionsDirty);
}

void TOptionsForm::CreateGrid() {
  FGrid = new TFilterGrid(Panel1);
  auto* layout = new QVBoxLayout(Panel1);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FGrid);
  FGrid->SetFilter(FHost.OpenFilter());
  FSavedFilter = FGrid->Filter();
  FGrid->show();
  FGrid->setFocus();
  FGrid->setCurrentCell(0, 0);
}

bool TOptionsForm::AppliquerBtnClick() {
  int tabSize = 0;
  if (const QString problem = ParseTabSize(Edit1->text(), tabSize); !problem.isEmpty()) {
    FHost.ShowError(problem);
    return false;
  }
  TCustomTextFileEditor& editor = FHost.Editor();
  TWindowOptions window;
  window.OpenDialogAtStart = Dialogue1->isChecked();
  window.CollapseAfterCopy = Deactive1->isChecked();
  window.ClearUndoAfterSave = Flush1->isChecked();
  FHost.SetWindowOptions(window);
  editor.SetAutoIndent(AutoIndent1->isChecked());
  editor.SetMakeBackup(Backup1->isChecked());
  editor.SetTrimWhiteSpace(Trim1->isChecked());
  editor.SetTabSize(static_cast<std::uint8_t>(tabSize));
  if (TabsIndex() >= 0) editor.SetTabType(static_cast<TTabType>(TabsIndex()));
  if (FGrid) {
    FSavedFilter = FGrid->Filter();
    FHost.SetOpenFilter(FSavedFilter);
  }
  AppliquerBtn->setEnabled(false);
  FOptionsDirty = false;
  return true;
}

void TOptionsForm::OkBtnClick() {
  if (AppliquerBtnClick()) accept();
}

bool TOptionsForm::event(QEvent* event) {
  // Hints have no short part: no tooltip, only the status bar when its help texts are on.
  if (event->type() == QEvent::StatusTip) {
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    if (FHints) FHost.ShowHint(tip);
    return true;
  }
  return QDialog::event(event);
}

void TOptionsForm::hideEvent(QHideEvent* event) {
  if (FHints) FHost.ShowHint(QString());
  QDialog::hideEvent(event);
}

void TOptionsForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    FHost.ShowHelp(kOptionsHelpContext);
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace quilmo
