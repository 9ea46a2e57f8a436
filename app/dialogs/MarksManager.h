#pragma once
// The marks manager's commands: the editor's ten markers listed in ListBox1 as "n text",
// sorted by number, with adding, showing and removing marks.

#include <QString>

#include <string_view>

#include "app/dialogs/DialogHost.h"

class QListWidget;

namespace quilmo {

class TCustomEditor;

inline constexpr int kMarkCount = 10;

// "n " + the line's text without its leading blanks and control characters.
QString MarkEntry(int n, std::string_view lineText);
// The marker number an entry stands for (its first character), -1 when it has none.
int MarkNumber(const QString& entry);

// Which context-menu items the list allows.
struct TMarkMenuEnabling {
  bool Show = false;       // "Afficher la marque"
  bool Remove = false;     // "Supprimer une marque"
  bool RemoveAll = false;  // "Supprimer toutes les marques": two entries or more
  bool Add = false;        // "Ajouter une marque": fewer than ten
  bool operator==(const TMarkMenuEnabling&) const = default;
};
TMarkMenuEnabling MarkMenuEnabling(int entries);

// Sets the first free marker at the caret and lists it; nothing when the caret's line already
// holds an earlier-examined marker, or when all ten are set. Returns the number examined last
// (10 when all were in use) and selects the list entry at that index.
int AddMark(TCustomEditor& editor, QListWidget& list);
// The selected entry's line to the top of the window, the caret at its start. Raises
// EInvalidLineOrPara when its marker no longer exists; false with no selection.
bool ShowMark(TCustomEditor& editor, QListWidget& list);
// Clears the selected entry's marker, removes the entry, selects the one before it.
void RemoveSelectedMark(TCustomEditor& editor, QListWidget& list);
enum class TRemoveAllFrom { raContextMenu, raMainMenu };
// Clears the markers (from the context menu only when the text is not empty) and empties the list.
void RemoveAllMarks(TCustomEditor& editor, QListWidget& list, TRemoveAllFrom from);

// ShowMark for the window: a marker that no longer exists is reported in the error box and
// the entry stays; the editor gets the focus after a jump.
void ShowMarkReporting(TDialogHost& host, QListWidget& list);

}  // namespace quilmo
