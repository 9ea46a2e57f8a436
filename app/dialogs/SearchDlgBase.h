#pragma once
// What the find and replace dialogs have in common: the search box with its history, the
// whole-word and case boxes, the direction and the "&Suivant" button, the search itself and
// the work done when the dialog closes (history written, open flag cleared, always-on-top
// mode given back).

#include <QDialog>

#include <cstdint>
#include <string>

#include "app/dialogs/DialogHost.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace quilmo {

class THistoryCombo;

inline constexpr const char* kSearchHistorySection = "Rechercher";
inline constexpr const char* kReplaceHistorySection = "Remplacer";

// Direction1's items.
enum class TSearchDirection : std::uint8_t { sdUp = 0, sdDown = 1 };

// "Le texte "…" est introuvable"
QString NotFoundMessage(const QString& text);
// A beep, then the not-found message in an information box.
void ReportNotFound(TDialogHost& host, const QString& text);
// The search text as document bytes; false when it holds a character the document's code
// page lacks: such a text cannot occur, so it is reported not found rather than searched for
// with a stand-in character.
bool SearchBytes(const QString& text, std::string& bytes);
// Search in the host's editor for a text given as the user typed it.
bool SearchEditor(TDialogHost& host, const QString& text, std::uint8_t options);
// Replace in the host's editor (the editor's result: -1 when nothing was found).
int ReplaceInEditor(TDialogHost& host, const QString& text, const QString& replacement, std::uint8_t options);

class TSearchDlgBase : public QDialog {
  Q_OBJECT

 public:
  TSearchDlgBase(TDialogHost& host, QWidget* parent);

  QLabel* Label1 = nullptr;
  THistoryCombo* FindBox1 = nullptr;
  QCheckBox* MotEntier1 = nullptr;
  QCheckBox* Casse1 = nullptr;
  QGroupBox* Direction1 = nullptr;
  QRadioButton* Haut = nullptr;
  QRadioButton* Bas = nullptr;
  QPushButton* Button1 = nullptr;  // "&Suivant"

  TSearchDirection Direction() const;
  void SetDirection(TSearchDirection direction);

  // Closing in any way ends here: the closing work runs once, then the dialog goes.
  void done(int result) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Called once when the dialog closes, while the host is still there.
  virtual void Finish() = 0;
  // The so* bits the controls stand for: soBackward, soMatchCase, soWholeWord.
  std::uint8_t OptionsFromControls() const;
  // Sets or clears bits of the shared options.
  void SetOptionBit(std::uint8_t bit, bool on);
  // Creation steps common to both dialogs: options cleared to match the controls.
  void ClearSearchOptions();
  // The search of "&Suivant": options rebuilt from the controls, search, report, menu state.
  void FindNextFromDialog();
  // The not-found report, after which the dialog has the keyboard again.
  void ReportNotFoundHere(const QString& text);
  // "&Fermer": an empty search box empties SearchText and disables find next/previous.
  void CloseFromButton();
  // Enables Button1 (and what SetFindButtonsEnabled adds) by the text.
  virtual void SetFindButtonsEnabled(bool enabled);
  // Gives back the always-on-top mode when opening switched it off.
  void RestoreTopmost();
  // Focus on "&Suivant", the search box's text all selected.
  void FocusSuivant();

  TDialogHost& FHost;
  TSearchState& FState;

 private:
  void DirectionChanged(int id, bool checked);
  void CaseClicked(bool checked);

  QButtonGroup* FDirectionGroup = nullptr;
  bool FFinished = false;
};

}  // namespace quilmo
