#include "app/dialogs/GoToLine.h"

#include <QInputDialog>
#include <QLineEdit>

#include "app/dialogs/AccessibleNames.h"
#include "editor/CustomTextFileEditor.h"

namespace quilmo {

QString GoToLinePrompt(int lineCount) {
  return QStringLiteral("Entrez un numéro de ligne entre (1 et %1)").arg(lineCount);
}

int ParseLineNumber(const QString& value, int lineCount) {
  bool ok = false;
  const int line = value.trimmed().toInt(&ok, 10);
  return ok && line >= 1 && line <= lineCount ? line : 0;
}

bool GoToLine(TCustomEditor& editor, const QString& value) {
  const int line = ParseLineNumber(value, editor.LineCount());
  if (line == 0) return false;
  editor.SetTopLine(line);
  editor.SetCaretPosition(line, 1);
  return true;
}

TLineAsker InputBoxAsker(QWidget* parent, TDialogRunner run) {
  return [parent, run = std::move(run)](const QString& caption, const QString& prompt, QString& value) {
    QInputDialog dialog(parent);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    if (auto* edit = dialog.findChild<QLineEdit*>()) edit->setMaxLength(255);
    NameForReaders(&dialog);
    if (run(dialog) != QDialog::Accepted) return false;
    value = dialog.textValue();
    return true;
  };
}

void GoToLineCommand(TDialogHost& host, const TLineAsker& ask) {
  const TTopmostOff topmostOff(host);
  TCustomTextFileEditor& editor = host.Editor();
  QString value = QStringLiteral("1");
  if (ask(QString::fromUtf8(kGoToLineCaption), GoToLinePrompt(editor.LineCount()), value))
    GoToLine(editor, value);
}

}  // namespace quilmo
