#pragma once
// A main window on a temporary settings file, with scripted answers to its prompts and a
// record of the copies of the program it would start.

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/EditForm.h"
#include "app/InstanceStarter.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "support/TempDir.h"

namespace quilmo::test {

class TScriptedPrompter : public TPrompter {
 public:
  struct TMessage {
    TMessageKind Kind;
    QString Caption;
    QString Text;
    TButtons Buttons = TButtons::YesNo;
  };

  std::deque<TAnswer> Answers;
  // Each question with buttons of its own takes the next index.
  std::deque<int> Choices;
  // Each Open dialog takes the next entry; an empty list is a cancel.
  std::deque<QStringList> OpenNames;
  // Each Save dialog takes the next entry; an empty name is a cancel.
  std::deque<QString> SaveNames;
  std::vector<TMessage> Asked;
  std::vector<TMessage> Shown;
  std::vector<TFileDialogRequest> OpenRequests;
  std::vector<TFileDialogRequest> SaveRequests;

  TAnswer Ask(QWidget*, TMessageKind kind, const QString& caption, const QString& text, TButtons) override;
  void Show(QWidget*, TMessageKind kind, const QString& caption, const QString& text) override;
  int Choose(QWidget*, TMessageKind kind, const QString& caption, const QString& text, const QStringList&,
             int escape) override;
  QStringList OpenFileNames(QWidget*, TFileDialogRequest& request) override;
  QString SaveFileName(QWidget*, TFileDialogRequest& request) override;
  bool ChooseFont(QWidget*, QFont&) override { return false; }
  // Each modal dialog the window opens comes here instead of running; it is then cancelled.
  std::function<void(QDialog&)> OnExec;
  int Exec(QDialog& dialog) override {
    if (OnExec) OnExec(dialog);
    return 0;
  }
};

class TRecordingStarter : public TInstanceStarter {
 public:
  std::vector<QStringList> Started;
  bool Succeeds = true;                // what Start answers
  std::function<void()> WhenStarting;  // called as each copy starts
  bool Start(const QString&, const QStringList& arguments) override;
};

class FormFixture : public ::testing::Test {
 protected:
  FormFixture();
  ~FormFixture() override;

  QString SettingsPath() const;
  // A fresh store on the settings file (what a new start reads).
  std::unique_ptr<TSettingsStore> OpenStore() const;
  // Starts the window with these arguments.
  TEditForm& Start(const QStringList& arguments = {});
  // Closes (when asked) and destroys the window.
  void Stop();
  QString TempFile(const std::string& name) const { return QString::fromStdString(Dir.File(name)); }
  // A file with these bytes in the temporary folder; its full name.
  QString MakeFile(const std::string& name, const std::string& bytes) const;

  TTempDir Dir;
  TScriptedPrompter Prompter;
  TRecordingStarter Starter;
  std::unique_ptr<TSettingsStore> Store;
  std::unique_ptr<TEditForm> Form;
  QString JournalFolder;              // empty: windows started without a recovery journal
  TFileSystem* FileSystem = nullptr;  // null: documents on the real file system
};

}  // namespace quilmo::test
