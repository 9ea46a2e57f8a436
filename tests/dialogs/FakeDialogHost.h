#pragma once
// A main window for the dialogs' tests: a real text-file editor on a fake editor host, the
// shared search state, histories in memory, and a record of every call the dialogs make.

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <ostream>
#include <string_view>

#include "app/dialogs/DialogHost.h"
#include "editor/TextFileEditor.h"
#include "support/FakeHost.h"

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace quilmo::test {

class TFakeDialogHost : public TDialogHost {
 public:
  TFakeDialogHost();

  // The editor's text and caret/selection from marked text ("ab|c", "[sel]").
  void Load(std::string_view marked);
  std::string Marked();

  QWidget* DialogParent() override { return nullptr; }
  TCustomTextFileEditor& Editor() override { return FEditor; }
  TSearchState& SearchState() override { return State; }
  void FocusEditor() override { ++EditorFocusCount; }
  void Beep() override { Calls << QStringLiteral("beep"); }
  void ShowInformation(const QString& text) override {
    Calls << QStringLiteral("info:") + text;
    if (OnInformation) OnInformation();
  }
  void ShowError(const QString& text) override { Calls << QStringLiteral("error:") + text; }
  bool StayOnTop() const override { return OnTop; }
  void SetStayOnTop(bool on) override;
  void UpdateButtons(bool hasText) override { UpdateButtonsCalls << hasText; }
  void SetFindNextEnabled(bool enabled) override { FindNextEnabled = enabled; }
  void UpdateSearchMenu() override { ++SearchMenuUpdates; }
  QStringList ReadHistory(const QString& section) override { return Histories.value(section); }
  void WriteHistory(const QString& section, const QStringList& entries) override;
  TWindowOptions WindowOptions() const override { return Options; }
  void SetWindowOptions(const TWindowOptions& options) override { Options = options; }
  QString OpenFilter() const override { return Filter; }
  void SetOpenFilter(const QString& filter) override { Filter = filter; }
  bool HintsInStatusBar() const override { return Hints; }
  void ShowHint(const QString& hint) override { ShownHints << hint; }
  void ShowHelp(int context) override { HelpContexts << context; }
  TRegisteredUser RegisteredUser() override { return User; }

  TFakeHost EditorHost;
  TSearchState State;
  QStringList Calls;  // "beep", "info:…", "error:…", "ontop:0/1"
  // What the information box does besides (a real one hands the keyboard to the main window).
  std::function<void()> OnInformation;
  bool OnTop = false;
  QList<bool> UpdateButtonsCalls;
  bool FindNextEnabled = false;
  int SearchMenuUpdates = 0;
  int EditorFocusCount = 0;
  QMap<QString, QStringList> Histories;
  QStringList WrittenSections;
  TWindowOptions Options;
  QString Filter;
  bool Hints = false;
  QStringList ShownHints;
  QList<int> HelpContexts;
  TRegisteredUser User;

 private:
  TTextFileEditor FEditor;
};

}  // namespace quilmo::test
