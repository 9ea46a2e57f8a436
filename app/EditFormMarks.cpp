// The marks manager and the marks margin.
#include <QListWidget>

#include "app/EditForm.h"

namespace quilmo {

void TEditForm::Gestionnairedemarques1Click() {}
void TEditForm::Supprimertouteslesmarques1Click() {}
void TEditForm::Signets1Click() {}
void TEditForm::Afficherlamarque1Click() {}
void TEditForm::Ajouterunemarque1Click() {}
void TEditForm::Supprimerunemarque1Click() {}
void TEditForm::MarkBtnClick() {}
void TEditForm::MarkFormClose() {}

void TEditForm::ClearMarksList() {
  FBars.ListBox1->clear();
}

int TEditForm::MarkCount() const {
  return FBars.ListBox1->count();
}

}  // namespace quilmo
