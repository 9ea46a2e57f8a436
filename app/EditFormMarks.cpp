// The marks manager and the marks margin.
#include <QDockWidget>
#include <QListWidget>
#include <QMenu>

#include "app/EditFormDialogsHost.h"
#include "app/dialogs/MarksManager.h"

namespace quilmo {

namespace {

// The window, its two menu items and its tool button always agree.
void ShowMarkForm(QDockWidget& form, QAction& menuItem, QAction& contextItem, QAction& button, bool show) {
  form.setVisible(show);
  for (QAction* item : {&menuItem, &contextItem, &button}) {
    item->setCheckable(true);
    item->setChecked(show);
  }
  // Floating, the window comes back into its dock.
  if (show && form.isFloating()) form.setFloating(false);
}

}  // namespace

void TEditForm::Gestionnairedemarques1Click() {
  ShowMarkForm(*FBars.MarkForm, *FSearch.Gestionnairedemarques1, *FContext.Gestionnairedemarques2,
               *FButtons.MarkBtn, FBars.MarkForm->isHidden());
}

void TEditForm::MarkBtnClick() {
  Gestionnairedemarques1Click();
}

// The window's own close button has hidden it already.
void TEditForm::MarkFormClose() {
  ShowMarkForm(*FBars.MarkForm, *FSearch.Gestionnairedemarques1, *FContext.Gestionnairedemarques2,
               *FButtons.MarkBtn, false);
}

// The list's own menu: the context menu's mark items, enabled by the same rule.
void TEditForm::ShowMarkListMenu(const QPoint& at) {
  const QString name = QStringLiteral("MarkListMenu");
  auto* menu = findChild<QMenu*>(name, Qt::FindDirectChildrenOnly);
  if (menu == nullptr) {
    menu = new QMenu(this);
    menu->setObjectName(name);
    menu->addActions({FContext.Afficherlamarque1, FContext.Ajouterunemarque1, FContext.Supprimerunemarque1,
                      FContext.Supprimertouteslesmarques2});
    connect(menu, &QMenu::aboutToShow, this, &TEditForm::PopupMenu1Popup);
  }
  menu->popup(at);
}

void TEditForm::Afficherlamarque1Click() {
  ShowMarkReporting(DialogsHost(), *FBars.ListBox1);
}

void TEditForm::Ajouterunemarque1Click() {
  AddMark(*FEditor, *FBars.ListBox1);
}

void TEditForm::Supprimerunemarque1Click() {
  RemoveSelectedMark(*FEditor, *FBars.ListBox1);
}

void TEditForm::Supprimertouteslesmarques2Click() {
  RemoveAllMarks(*FEditor, *FBars.ListBox1, TRemoveAllFrom::raContextMenu);
}

void TEditForm::Supprimertouteslesmarques1Click() {
  RemoveAllMarks(*FEditor, *FBars.ListBox1, TRemoveAllFrom::raMainMenu);
}

void TEditForm::Signets1Click() {
  const bool on = !FView.Signets1->isChecked();
  FView.Signets1->setChecked(on);
  FViewFlags.MarksMargin = on;
  FEditor->SetLeftMargin(on ? 15 : 2);
}

void TEditForm::ClearMarksList() {
  FBars.ListBox1->clear();
}

int TEditForm::MarkCount() const {
  return FBars.ListBox1->count();
}

}  // namespace quilmo
