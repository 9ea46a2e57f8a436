// Find, replace and find again.
#include "app/EditForm.h"

namespace quilmo {

void TEditForm::Find1Click() {}
void TEditForm::Replace1Click() {}
void TEditForm::FindNext1Click() {}
void TEditForm::Rechercherleprcdent1Click() {}

}  // namespace quilmo
