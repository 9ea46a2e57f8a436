#pragma once
// The main window as its dialogs see it (TDialogHost), with the find and replace dialogs it
// opens. Included by the window's dialog, search and marks files only.

#include <QAction>
#include <QApplication>
#include <QStatusTipEvent>

#include "app/AppInfo.h"
#include "app/EditForm.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "app/dialogs/DialogHost.h"
#include "app/dialogs/HistoryCombo.h"
#include "app/dialogs/SearchDialogs.h"
#include "app/platform/Platform.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo {

// A child object of the window: it goes with the window and never outlives it.
class TEditForm::TDialogsHost : public QObject, public TDialogHost {
 public:
  explicit TDialogsHost(TEditForm& form) : QObject(&form), FForm(form), Search(*this) {}

  QWidget* DialogParent() override { return &FForm; }
  TCustomTextFileEditor& Editor() override { return *FForm.FEditor; }
  TSearchState& SearchState() override { return FForm.FSearchState; }
  void FocusEditor() override { FForm.FEditorWidget->setFocus(); }
  void Beep() override { QApplication::beep(); }
  void ShowInformation(const QString& text) override {
    FForm.WithTopmostOff([&] {
      FForm.Prompter().Show(&FForm, TMessageKind::Information, QStringLiteral("Information"), text);
    });
  }
  void ShowError(const QString& text) override {
    FForm.WithTopmostOff([&] {
      FForm.Prompter().Show(&FForm, TMessageKind::Error, QString::fromLatin1(kApplicationTitle), text);
    });
  }
  bool StayOnTop() const override { return FForm.FView.Resteraudessus1->isChecked(); }
  void SetStayOnTop(bool on) override {
    if (StayOnTop() != on) FForm.Resteraudessus1Click();
  }
  void UpdateButtons(bool hasText) override { FForm.UpdateButtons(hasText); }
  void SetFindNextEnabled(bool enabled) override {
    FForm.FButtons.FindNextBtn->setEnabled(enabled);
    FForm.FButtons.FindPrevBtn->setEnabled(enabled);
  }
  void UpdateSearchMenu() override { FForm.Search1Click(); }
  QStringList ReadHistory(const QString& section) override {
    QStringList entries;
    for (int n = 0; n < kSearchHistorySize; ++n) {
      try {
        entries << FForm.Settings().ReadString(section, QString::number(n), QString());
      } catch (const std::exception&) {
        entries << QString();  // a value that cannot be read is an empty entry
      }
    }
    return entries;
  }
  void WriteHistory(const QString& section, const QStringList& entries) override {
    try {
      for (int n = 0; n < kSearchHistorySize; ++n)
        FForm.Settings().WriteString(section, QString::number(n), entries.value(n));
      FForm.Settings().Flush();
    } catch (const std::exception& error) {
      FForm.ShowError(error);
    }
  }
  TWindowOptions WindowOptions() const override {
    return {FForm.FOpenDialogAtStart, FForm.FEditingOptions.CollapseAfterCopy,
            FForm.FEditingOptions.ClearUndoAfterSave};
  }
  void SetWindowOptions(const TWindowOptions& options) override {
    FForm.FOpenDialogAtStart = options.OpenDialogAtStart;
    FForm.FEditingOptions.CollapseAfterCopy = options.CollapseAfterCopy;
    FForm.FEditingOptions.ClearUndoAfterSave = options.ClearUndoAfterSave;
  }
  QString OpenFilter() const override { return FForm.FOpenDialog1.Filter; }
  void SetOpenFilter(const QString& filter) override { FForm.FOpenDialog1.Filter = filter; }
  bool HintsInStatusBar() const override { return FForm.FViewFlags.StatusHelp; }
  void ShowHint(const QString& longHint) override {
    QStatusTipEvent tip(longHint);
    QCoreApplication::sendEvent(&FForm, &tip);
  }
  void ShowHelp(int context) override { FForm.ShowHelp(context); }
  TRegisteredUser RegisteredUser() override {
    const platform::TRegisteredUser user = platform::RegisteredUser();
    return {QString::fromStdString(user.Owner), QString::fromStdString(user.Organization)};
  }

 private:
  TEditForm& FForm;

 public:
  TSearchDialogs Search;
};

}  // namespace quilmo
