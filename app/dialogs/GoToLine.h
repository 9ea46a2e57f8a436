#pragma once
// "&Ligne...": asks for a display line number and scrolls that line to the top of the window
// with the caret at its start. A value that is not a number or not a line changes nothing.

#include <QDialog>
#include <QString>

#include <functional>

#include "app/dialogs/DialogHost.h"

namespace quilmo {

class TCustomEditor;

inline constexpr const char* kGoToLineCaption = "Aller à la ligne...";

// "Entrez un numéro de ligne entre (1 et N)"
QString GoToLinePrompt(int lineCount);
// The typed value as a line of the text, or 0 when it is not one.
int ParseLineNumber(const QString& value, int lineCount);
// Scrolls to the line and puts the caret at its start; false (and nothing moved) for a value
// that is not a line.
bool GoToLine(TCustomEditor& editor, const QString& value);

// The input box: caption, prompt and a preset value that the user edits; false on Cancel.
using TLineAsker = std::function<bool(const QString& caption, const QString& prompt, QString& value)>;
// Runs a modal dialog and returns its result (the window's prompter, or QDialog::exec).
using TDialogRunner = std::function<int(QDialog& dialog)>;
// The standard input box (at most 255 characters, named for screen readers) over a parent
// window, run by `run`.
TLineAsker InputBoxAsker(QWidget* parent, TDialogRunner run);

// The whole command: always-on-top off for the prompt, the prompt preset with "1", the jump.
void GoToLineCommand(TDialogHost& host, const TLineAsker& ask);

}  // namespace quilmo
