// Go to line, date and time, properties and the about box.
#include <QInputDialog>
#include <QLineEdit>

#include "app/EditFormDialogsHost.h"
#include "app/Prompter.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/AccessibleNames.h"
#include "app/dialogs/DateForm.h"
#include "app/dialogs/GoToLine.h"
#include "app/dialogs/OptionsForm.h"

namespace quilmo {

TEditForm::TDialogsHost& TEditForm::DialogsHost() {
  if (!FDialogsHost) FDialogsHost = new TDialogsHost(*this);
  return *FDialogsHost;
}

void TEditForm::Ligne1Click() {
  GoToLineCommand(DialogsHost(), [this](const QString& caption, const QString& prompt, QString& value) {
    QInputDialog box(this);
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(caption);
    box.setLabelText(prompt);
    box.setTextValue(value);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Annuler"));
    if (auto* edit = box.findChild<QLineEdit*>()) edit->setMaxLength(255);
    NameForReaders(&box);
    if (Prompter().Exec(box) != QDialog::Accepted) return false;
    value = box.textValue();
    return true;
  });
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
