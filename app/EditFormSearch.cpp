// Find, replace and find again.
#include "app/EditFormDialogsHost.h"

namespace quilmo {

void TEditForm::Find1Click() {
  DialogsHost().Search.Find1Click();
}

void TEditForm::Replace1Click() {
  DialogsHost().Search.Replace1Click();
}

void TEditForm::FindNext1Click() {
  DialogsHost().Search.FindNext1Click();
}

void TEditForm::Rechercherleprcdent1Click() {
  DialogsHost().Search.Rechercherleprcdent1Click();
}

void TEditForm::CloseSearchDialogs() {
  if (FDialogsHost) FDialogsHost->Search.CloseDialogs();
}

}  // namespace quilmo
