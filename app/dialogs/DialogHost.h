#pragma once
// What the dialogs ask of the main window. The window implements it; tests use a fake that
// records calls. Texts are QStrings; the document's bytes are reached through Editor().

#include <QString>
#include <QStringList>

#include "app/dialogs/SearchState.h"

class QWidget;

namespace quilmo {

class TCustomTextFileEditor;

// The window's own options shown by the options dialog.
struct TWindowOptions {
  bool OpenDialogAtStart = false;
  bool CollapseAfterCopy = false;   // setting "Selection"
  bool ClearUndoAfterSave = false;  // setting "Tampon"
  bool operator==(const TWindowOptions&) const = default;
};

// The registered owner and organization of the computer (empty when unknown).
struct TRegisteredUser {
  QString Owner;
  QString Organization;
};

class TDialogHost {
 public:
  virtual ~TDialogHost() = default;

  // --- the window
  // The main window: parent of the dialogs and the rectangle CenterOver places them over.
  virtual QWidget* DialogParent() = 0;
  // The editor control Editor1.
  virtual TCustomTextFileEditor& Editor() = 0;
  virtual TSearchState& SearchState() = 0;
  // Gives the keyboard focus to the editor control.
  virtual void FocusEditor() = 0;

  // --- messages
  virtual void Beep() = 0;
  // A message box with the caption "Information" and one "OK" button.
  virtual void ShowInformation(const QString& text) = 0;
  // The application's error box: the application title as caption, the text, "OK".
  virtual void ShowError(const QString& text) = 0;

  // --- always on top: the state of "&Toujours au premier plan" and its toggle
  virtual bool StayOnTop() const = 0;
  virtual void SetStayOnTop(bool on) = 0;

  // --- enabling
  // UpdateButtons of the window: the tool buttons that need a non-empty document.
  virtual void UpdateButtons(bool hasText) = 0;
  // FindNextBtn and FindPrevBtn together.
  virtual void SetFindNextEnabled(bool enabled) = 0;
  // The enabling rule of the "&Recherche" menu.
  virtual void UpdateSearchMenu() = 0;

  // --- histories: sections "Rechercher" and "Remplacer", values "0".."9" in list order.
  // A value that is missing or cannot be read is an empty string.
  virtual QStringList ReadHistory(const QString& section) = 0;
  virtual void WriteHistory(const QString& section, const QStringList& entries) = 0;

  // --- the options dialog
  virtual TWindowOptions WindowOptions() const = 0;
  virtual void SetWindowOptions(const TWindowOptions& options) = 0;
  // The filter string of the Open dialog (description|patterns|...).
  virtual QString OpenFilter() const = 0;
  virtual void SetOpenFilter(const QString& filter) = 0;
  // "Messages d'aide": long hints go to the status bar only when this is on.
  virtual bool HintsInStatusBar() const = 0;
  virtual void ShowHint(const QString& longHint) = 0;
  // The help topic of a context number.
  virtual void ShowHelp(int context) = 0;

  // --- the about box
  virtual TRegisteredUser RegisteredUser() = 0;
};

// Switches the always-on-top mode off for its lifetime when it is on, and back on at the end
// (also when an exception leaves the scope).
class TTopmostOff {
 public:
  explicit TTopmostOff(TDialogHost& host) : FHost(host), FWasOn(host.StayOnTop()) {
    if (FWasOn) FHost.SetStayOnTop(false);
  }
  ~TTopmostOff() {
    if (FWasOn) FHost.SetStayOnTop(true);
  }
  TTopmostOff(const TTopmostOff&) = delete;
  TTopmostOff& operator=(const TTopmostOff&) = delete;

 private:
  TDialogHost& FHost;
  bool FWasOn;
};

}  // namespace quilmo
