#pragma once
// Every message box and modal dialog of the main window goes through a TPrompter, so that
// tests answer them ("&Oui", "&Non", "Annuler", a file name, a cancel) without modal loops.
// TQtPrompter is the real one: QMessageBox with the buttons "&Oui", "&Non" and "Annuler",
// QFileDialog, QFontDialog, and QDialog::exec for the others.

#include <QFont>
#include <QString>
#include <QStringList>

#include "app/Answer.h"

class QDialog;
class QWidget;

namespace quilmo {

enum class TMessageKind { Information, Warning, Error, Question };

// What a file dialog is asked for; the filter chosen is given back in SelectedFilter.
struct TFileDialogRequest {
  QString Title;
  QString Filter;  // Qt form: "Tous les fichiers (*.*);;Fichiers texte (*.txt *.ini)"
  QString SelectedFilter;
  QString FileName;  // the file or folder the dialog starts with
  QString DefaultSuffix;
  bool MultipleFiles = false;
  bool CreatePrompt = false;  // Open: a name that does not exist may be chosen after a question
};

class TPrompter {
 public:
  virtual ~TPrompter() = default;

  virtual TAnswer Ask(QWidget* parent, TMessageKind kind, const QString& caption, const QString& text,
                      TButtons buttons) = 0;
  virtual void Show(QWidget* parent, TMessageKind kind, const QString& caption, const QString& text) = 0;
  // A question with buttons of its own (texts with their "&" keys, the first one the default):
  // the index of the button chosen, or `escape` when the box was closed without one.
  virtual int Choose(QWidget* parent, TMessageKind kind, const QString& caption, const QString& text,
                     const QStringList& buttons, int escape) = 0;
  // The chosen names; empty when cancelled.
  virtual QStringList OpenFileNames(QWidget* parent, TFileDialogRequest& request) = 0;
  // The chosen name; empty when cancelled.
  virtual QString SaveFileName(QWidget* parent, TFileDialogRequest& request) = 0;
  // A fixed-pitch font; false when cancelled.
  virtual bool ChooseFont(QWidget* parent, QFont& font) = 0;
  // Any other modal dialog (print, options, about …): its result code.
  virtual int Exec(QDialog& dialog) = 0;
};

class TQtPrompter : public TPrompter {
 public:
  TAnswer Ask(QWidget* parent, TMessageKind kind, const QString& caption, const QString& text,
              TButtons buttons) override;
  void Show(QWidget* parent, TMessageKind kind, const QString& caption, const QString& text) override;
  int Choose(QWidget* parent, TMessageKind kind, const QString& caption, const QString& text,
             const QStringList& buttons, int escape) override;
  QStringList OpenFileNames(QWidget* parent, TFileDialogRequest& request) override;
  QString SaveFileName(QWidget* parent, TFileDialogRequest& request) override;
  bool ChooseFont(QWidget* parent, QFont& font) override;
  int Exec(QDialog& dialog) override;
};

// Filters as the settings keep them ("Text|*.txt;*.ini|…") and as Qt's dialogs take them
// ("Text (*.txt *.ini);;…"), both ways; the index is 1-based as the settings count.
QString QtFilterFromStored(const QString& stored);
// The Qt filter string of entry `index` (1-based) of a stored filter; empty when out of range.
QString QtFilterEntry(const QString& stored, int index);
// The 1-based index of a Qt filter entry within a stored filter; 1 when not found.
int StoredFilterIndex(const QString& stored, const QString& qtEntry);

// The name of the font's style as its family lists it ("Book", "Bold Oblique" …), found by
// weight and slant; empty when the family lists none that matches. The font dialog selects
// the style by this name and falls back on the first one listed (often an italic) without it.
QString MatchingStyleName(const QFont& font);

}  // namespace quilmo
