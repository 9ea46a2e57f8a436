#pragma once
// The commands of the "&Fichier" menu: New, Open, Save, Save As, Print and the ten history
// entries, over what they need of the main window (TFileCommandsWindow), so that every prompt
// flow runs in tests without the window or a modal loop.
//
// A command that fails stops where it failed: a file that cannot be read is found before the
// document changes, and a failed save changes neither the name, the caption nor the history.
// Errors are raised (EFileError, EEditorError) for the window's error box.

#include <string>
#include <vector>

#include "app/Answer.h"
#include "app/DiskStamp.h"

class QPrinter;

namespace quilmo {

class THistory;
class TTextFileEditor;

inline constexpr char kUntitledName[] = "Sans titre";

// A document counts as untitled when its name begins with "Sans titre", or when it has none
// (a start that named no document): Save then asks for a name instead of doing nothing.
bool IsUntitled(const std::string& fileName);

// What the modified-document prompt led to.
enum class TDiscard { Unmodified, Saved, Discarded, Cancelled };

// What the file commands ask of the main window. Every dialog and message box is shown by the
// window inside its always-on-top wrapper.
class TFileCommandsWindow {
 public:
  virtual ~TFileCommandsWindow() = default;

  virtual TTextFileEditor& Editor() = 0;
  // The modified-document prompt; its "&Oui" runs TFileCommands::Save.
  virtual TDiscard ConfirmDiscard(bool beep) = 0;
  // The Open dialog with its default title, the settings' filter and the filter chosen last:
  // several names when `multiple`, otherwise one, which may be a new file after the dialog's
  // question. Empty when cancelled.
  virtual std::vector<std::string> AskOpenFiles(bool multiple) = 0;
  // The Save dialog with this title, starting at fileName (empty: the name it showed last),
  // the Open dialog's filter, default extension "txt", asking before it overwrites. Empty when
  // cancelled.
  virtual std::string AskSaveFile(const std::string& title, const std::string& fileName) = 0;
  // The print dialog (selection offered when hasSelection); false when cancelled.
  virtual bool AskPrint(QPrinter& printer, bool hasSelection) = 0;
  // A warning box captioned "Avertissement" with these buttons.
  virtual TAnswer AskWarning(const std::string& text, TButtons buttons) = 0;
  virtual void Beep() = 0;

  virtual bool MultipleOpenings() const = 0;
  // Starts a copy of the program with {"-i"} (an empty document) or {"-i", file}.
  virtual void SpawnInstance(const std::vector<std::string>& arguments) = 0;
  virtual bool ClearUndoAfterSave() const = 0;  // the option "Tampon"

  // After a document was read from disk: what its load changed, if anything, is shown.
  virtual void DocumentLoaded() = 0;
  virtual void ApplyLogStamp() = 0;
  // Before a file is read into the document: false when the user does not want it opened here
  // (another running copy has unsaved changes of it).
  virtual bool MayOpenFile(const std::string& /*name*/) { return true; }
  // Before Save writes the document over its file: false when the user does not want the file
  // replaced (its load changed something a save would keep).
  virtual bool MayReplaceFile() = 0;
  virtual void DocumentSaved() = 0;
  // A new empty document (New, or a file created empty) is now in the window.
  virtual void DocumentStarted() {}
  virtual void UpdateButtons(bool hasText) = 0;
  // Caption "Quilmo - " + name, copied to the application title.
  virtual void SetDocumentCaption(const std::string& name) = 0;
  // The application title := the caption.
  virtual void CopyCaptionToTitle() = 0;
  virtual void RefreshEditMenu() = 0;
  virtual void RefreshSearchMenu() = 0;
  virtual void ClearMarksList() = 0;
};

class TFileCommands {
 public:
  TFileCommands(TFileCommandsWindow& window, THistory& history);

  void New();
  void Open();
  // True when the text was written (false: Save As cancelled, or replacing a file changed on
  // disk refused).
  bool Save();
  bool SaveAs();
  void Print();
  // The history item of index 0..9.
  void OpenHistoryEntry(int index);

  // The document's file as it is now on disk is the one loaded or saved here; the window calls
  // it after loading a document itself (command line, drops).
  void RememberDiskState();
  // The document's file was changed on disk by another program since the text the document
  // started from was read (a recovery onto the journal's copy): the next save asks first.
  void RememberChangedOnDisk();
  // The document's file now differs from what was last loaded or saved here.
  bool ChangedOnDisk();

 private:
  TTextFileEditor& Editor();
  // Loads an existing file (checked readable first); false when the window declined it.
  bool Load(const std::string& name);
  // Creates the empty file, then empties the document under that name.
  void CreateEmpty(const std::string& name);
  void SaveUnder(const std::string& name);

  TFileCommandsWindow& FWindow;
  THistory& FHistory;
  TDiskStamp FDiskStamp;
};

}  // namespace quilmo
