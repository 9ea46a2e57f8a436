// The file commands through the main window: its dialogs, menus, error box and copies.

#include <QAction>
#include <QFile>

#include <cerrno>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "editor/TextFileEditor.h"
#include "support/FaultyFileSystem.h"

namespace quilmo::test {
namespace {

using EditFormFile = FormFixture;

TEST_F(EditFormFile, HistoryMenuAfterOpeningAndAMissingEntry) {
  const QString a = MakeFile("a.txt", "a\r\n"), b = MakeFile("b & c.txt", "b\r\n");
  TEditForm& form = Start();
  Prompter.OpenNames = {{a}, {b}};
  form.Open1Click();
  form.Open1Click();
  form.New1Click();
  QFile::remove(a);
  Prompter.Answers = {TAnswer::No};
  form.Mru1Click(1);
  EXPECT_EQ(Prompter.Asked.back().Text,
            "Le fichier " + a + " est introuvable, voulez-vous en créer un nouveau ?");
  EXPECT_EQ(Prompter.Asked.back().Caption, "Avertissement");
  form.File1Click();  // rebuilds the menu
  const auto& mru = form.FileMenu().Mru;
  EXPECT_EQ(mru[0]->text(), "&0  " + QString(b).replace("&", "&&"));
  EXPECT_TRUE(mru[0]->isVisible());
  EXPECT_FALSE(mru[1]->isVisible());
  EXPECT_EQ(form.windowTitle(), "Quilmo - Sans titre");
}

TEST_F(EditFormFile, SaveAsDialogAndAFailingSaveInThePrompt) {
  const QString a = MakeFile("a.txt", "a\r\n");
  TEditForm& form = Start({a});
  form.Editor1().InsertString("x");
  TFaultyFileSystem faulty;
  faulty.FailAt(TFsOp::WriteGathered, 1, ENOSPC, true);
  form.Editor1().SetFileSystem(faulty);
  Prompter.Answers = {TAnswer::Yes};
  form.Open1Click();
  ASSERT_EQ(Prompter.Shown.size(), 1U);
  EXPECT_EQ(Prompter.Shown[0].Text,
            "Impossible d'enregistrer le fichier « " + a + " » : plus de place sur le disque");
  EXPECT_TRUE(Prompter.OpenRequests.empty());
  EXPECT_EQ(form.windowTitle(), "Quilmo - " + a);

  form.Editor1().SetFileSystem(DefaultFileSystem());
  Prompter.SaveNames = {TempFile("b.txt")};
  form.SaveAs1Click();
  ASSERT_EQ(Prompter.SaveRequests.size(), 1U);
  EXPECT_EQ(Prompter.SaveRequests[0].Title, "Enregistrer " + a + " Sous");
  EXPECT_EQ(Prompter.SaveRequests[0].FileName, a);
  EXPECT_EQ(Prompter.SaveRequests[0].DefaultSuffix, "txt");
  EXPECT_EQ(form.windowTitle(), "Quilmo - " + TempFile("b.txt"));
  EXPECT_EQ(QString::fromStdString(form.History().Entry(0)), TempFile("b.txt"));
}

// Enter on a question whose "&Oui" would replace the file answers "&Non".
TEST_F(EditFormFile, QuestionsBeforeReplacingAFileTakeNoAsDefault) {
  const struct {
    const char* Label;
    std::string Bytes;
    bool ChangedOnDisk;
  } rows[] = {
      {"changed at open (a NUL)", std::string("a\0b\r\n", 5), false},
      {"changed by another program", "ab\r\n", true},
  };
  for (const auto& row : rows) {
    const QString name = MakeFile("a.txt", row.Bytes);
    TEditForm& form = Start({name});
    form.Editor1().InsertString("x");
    if (row.ChangedOnDisk) WriteFileBytes(Dir.File("a.txt"), "autre programme\r\n");
    const std::string before = ReadFileBytes(Dir.File("a.txt"));
    Prompter.Answers = {TAnswer::No};
    form.Save1Click();
    ASSERT_EQ(Prompter.Asked.size(), 1U) << row.Label;
    EXPECT_EQ(Prompter.Asked[0].Buttons, TButtons::YesNoDefaultNo) << row.Label;
    EXPECT_EQ(ReadFileBytes(Dir.File("a.txt")), before) << row.Label;
    Prompter.Answers = {TAnswer::No};
    Stop();
    Prompter = {};
  }
}

TEST_F(EditFormFile, MultipleOpeningsStartCopies) {
  const QString a = MakeFile("a.txt", "a\r\n"), b = MakeFile("b.txt", "b\r\n");
  TEditForm& form = Start({"-i"});
  Prompter.OpenNames = {{a, b}};
  form.Open1Click();
  form.New1Click();
  form.AddToHistory(b);
  form.Mru1Click(0);
  EXPECT_EQ(Starter.Started, (std::vector<QStringList>{{"-i", a}, {"-i", b}, {"-i"}, {"-i", b}}));
  EXPECT_TRUE(form.History().Entry(1).empty()) << "the Open dialog's files are not added";
  EXPECT_TRUE(Prompter.OpenRequests.at(0).MultipleFiles);
  EXPECT_EQ(form.windowTitle(), "Quilmo - Sans titre");
}

}  // namespace
}  // namespace quilmo::test
