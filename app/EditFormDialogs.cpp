// Go to line, date and time, properties and the about box.

#include "app/EditFormDialogsHost.h"
#include "app/Prompter.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/DateForm.h"
#include "app/dialogs/GoToLine.h"
#include "app/dialogs/OptionsForm.h"

namespace quilmo {

TEditForm::TDialogsHost& TEditForm::DialogsHost() {
  if (!FDialogsHost) FDialogsHost = new TDialogsHost(*this);
  return *FDialogsHost;
}

void TEditForm::Ligne1Click() {
  GoToLineCommand(DialogsHost(), InputBoxAsker(this, [this](QDialog& box) { return Prompter().Exec(box); }));
}

void TEditForm::HeureDate1Click() {
  WithTopmostOff([&] {
    TDateForm dialog(DialogsHost(), this);
    Prompter().Exec(dialog);
  });
}

void TEditForm::Prfrences1Click() {
  WithTopmostOff([&] {
    TOptionsForm dialog(DialogsHost(), this);
    Prompter().Exec(dialog);
  });
}

void TEditForm::Apropos1Click() {
  WithTopmostOff([&] {
    TAboutBox dialog(DialogsHost(), this);
    Prompter().Exec(dialog);
  });
}

}  // namespace quilmo
