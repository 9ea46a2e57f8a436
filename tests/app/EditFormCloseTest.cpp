#include <QAction>
#include <QFile>

#include <cerrno>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "editor/TextFileEditor.h"
#include "support/FaultyFileSystem.h"

namespace quilmo::test {
namespace {

class EditFormClose : public FormFixture {
 protected:
  void Type(const std::string& text) { Form->Editor1().InsertString(text); }
};

TEST_F(EditFormClose, EachAnswerOfTheCloseQuestion) {
  enum TDoc { Unmodified, NamedModified, UntitledModified };
  const struct {
    const char* Label;
    TDoc Doc;
    std::deque<TAnswer> Answers;
    std::deque<QString> SaveNames;  // "$S" stands for the Save As target
    bool FailingSave;
    bool Closes;
    const char* OnDisk;  // the named file's bytes afterwards
    bool SavedAs;
  } rows[] = {
      {"unmodified", Unmodified, {}, {}, false, true, "abc\r\n", false},
      {"no", NamedModified, {TAnswer::No}, {}, false, true, "abc\r\n", false},
      {"cancel", NamedModified, {TAnswer::Cancel}, {}, false, false, "abc\r\n", false},
      {"yes", NamedModified, {TAnswer::Yes}, {}, false, true, "xabc\r\n", false},
      {"yes, save fails", NamedModified, {TAnswer::Yes}, {}, true, false, "abc\r\n", false},
      {"yes, save as", UntitledModified, {TAnswer::Yes}, {"$S"}, false, true, "abc\r\n", true},
      {"yes, save as cancelled", UntitledModified, {TAnswer::Yes}, {""}, false, false, "abc\r\n", false},
  };
  for (const auto& row : rows) {
    const QString named = MakeFile("doc.txt", "abc\r\n");
    const QString target = TempFile("as.txt");
    QFile::remove(target);
    TEditForm& form = Start(row.Doc == UntitledModified ? QStringList() : QStringList{named});
    if (row.Doc != Unmodified) Type("x");
    TFaultyFileSystem faulty;
    if (row.FailingSave) {
      faulty.FailAt(TFsOp::WriteGathered, 1, ENOSPC, true);
      form.Editor1().SetFileSystem(faulty);
    }
    Prompter.Answers = row.Answers;
    Prompter.SaveNames = row.SaveNames;
    for (QString& name : Prompter.SaveNames) name.replace("$S", target);
    const QString asked = form.DocumentName() + " a été modifié, voulez vous enregistrer les modifications ?";
    EXPECT_EQ(form.close(), row.Closes) << row.Label;
    EXPECT_EQ(ReadFileBytes(named.toStdString()), row.OnDisk) << row.Label;
    EXPECT_EQ(QFile::exists(target), row.SavedAs) << row.Label;
    const bool saved = row.Closes && !row.Answers.empty() && row.Answers.front() == TAnswer::Yes;
    EXPECT_EQ(form.Editor1().Modified(), row.Doc != Unmodified && !saved) << row.Label;
    EXPECT_EQ(Prompter.Shown.size(), row.FailingSave ? 1u : 0u) << row.Label;
    if (row.Doc != Unmodified) {
      ASSERT_EQ(Prompter.Asked.size(), 1u) << row.Label;
      EXPECT_EQ(Prompter.Asked[0].Caption, "Avertissement");
      EXPECT_EQ(Prompter.Asked[0].Text, asked);
    }
    Prompter.Asked.clear();
    Prompter.Shown.clear();
    form.Editor1().SetModified(false);
    Form.reset();
    Store.reset();
  }
}

TEST_F(EditFormClose, EveryCloseWritesTheSaveOnExitOptionAndTheHistory) {
  const QString named = MakeFile("doc.txt", "abc\r\n");
  for (const bool saveOnExit : {false, true}) {
    QFile::remove(SettingsPath());
    {
      auto store = OpenStore();
      store->WriteBool("Edition", "Enregistrer en quittant", saveOnExit);
      store->Flush();
    }
    TEditForm& form = Start({named});
    form.Editor1().SetTabSize(6);
    form.Enregistrerlaconfigurationenquittant1Click();
    Stop();
    auto store = OpenStore();
    EXPECT_EQ(store->ReadString("Edition", "Enregistrer en quittant", "?"), saveOnExit ? "0" : "1");
    // The settings themselves only when the option was on while closing.
    EXPECT_EQ(store->ReadString("Edition", "Taille des tabulations", "?"), saveOnExit ? "?" : "6");
    EXPECT_EQ(store->ReadString("Historique", "0", "?"), named);
    EXPECT_EQ(store->ReadString("Historique", "9", "?"), "");
  }
}

TEST_F(EditFormClose, CancelledPromptLeavesTheDocumentAndCaption) {
  const QString named = MakeFile("doc.txt", "abc\r\n");
  TEditForm& form = Start({named});
  Type("x");
  Prompter.Answers = {TAnswer::Cancel};
  form.New1Click();
  EXPECT_EQ(form.windowTitle(), "Quilmo - " + named);
  EXPECT_EQ(form.Editor1().GetLineText(1), "xabc");
  // A confirmed save lets New go on.
  Prompter.Answers = {TAnswer::Yes};
  form.New1Click();
  EXPECT_EQ(form.windowTitle(), "Quilmo - Sans titre");
  EXPECT_EQ(ReadFileBytes(named.toStdString()), "xabc\r\n");
}

}  // namespace
}  // namespace quilmo::test
