#pragma once
// Names and descriptions for screen readers, from what a sighted user reads next to a control.

#include <QString>

class QWidget;

namespace quilmo {

// From `root` down, for what has no accessible name or description yet: a field gets the text
// of the label that points to it (its buddy, "&" removed); the edit field and the list of a
// combo box get the combo box's name; a tool bar's button for buttons that do not fit is named;
// a widget gets the long part of its status hint (after "|") as description.
void NameForReaders(QWidget* root);

// "&Taille des tabulations" -> "Taille des tabulations"; "&&" stays one "&".
QString WithoutMnemonic(const QString& caption);
// The description of a control whose hint is "short|long": the long part, which the status bar
// shows; a hint without "|" is all long part.
QString HintDescription(const QString& hint);

}  // namespace quilmo
