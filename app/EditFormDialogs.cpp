// Go to line, date and time, properties and the about box.
#include "app/EditForm.h"

namespace quilmo {

void TEditForm::Ligne1Click() {}
void TEditForm::HeureDate1Click() {}
void TEditForm::Prfrences1Click() {}
void TEditForm::Apropos1Click() {}

}  // namespace quilmo
