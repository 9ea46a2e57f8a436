// The dialogs as the main window opens them: the search histories across a restart, the two
// search dialogs excluding each other, the marks manager's window and the marks margin.

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "app/dialogs/FindDlg.h"
#include "app/dialogs/HistoryCombo.h"
#include "app/dialogs/ReplaceDlg.h"
#include "editor/TextFileEditor.h"

namespace quilmo::test {
namespace {

class EditFormDialogs : public FormFixture {
 protected:
  static void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(EditFormDialogs, TheSearchHistorySurvivesARestart) {
  TEditForm& form = Start({MakeFile("doc.txt", "one two three\r\n")});
  form.Find1Click();
  auto* find = form.findChild<TFindDlg*>();
  ASSERT_NE(find, nullptr);
  find->FindBox1->setEditText(QStringLiteral("three"));
  find->Button1->click();
  EXPECT_EQ(form.Editor1().HasSelection(), true);
  find->Button2->click();
  Flush();
  EXPECT_EQ(form.findChild<TFindDlg*>(), nullptr);
  Stop();
  TEditForm& again = Start({MakeFile("doc.txt", "one two three\r\n")});
  EXPECT_EQ(again.Search().SearchText, "three");
  EXPECT_EQ(OpenStore()->ReadString(QStringLiteral("Rechercher"), QStringLiteral("0"), QString()), "three");
}

TEST_F(EditFormDialogs, FindIsNotOpenedWhileReplaceIsAndClosingTheWindowWritesItsHistory) {
  TEditForm& form = Start({MakeFile("doc.txt", "abc\r\n")});
  form.Replace1Click();
  auto* replace = form.findChild<TReplaceDlg*>();
  ASSERT_NE(replace, nullptr);
  form.Find1Click();
  EXPECT_EQ(form.findChild<TFindDlg*>(), nullptr);
  replace->ReplaceBox1->setEditText(QStringLiteral("xyz"));
  replace->Button1->click();
  Stop();
  EXPECT_EQ(OpenStore()->ReadString(QStringLiteral("Remplacer"), QStringLiteral("0"), QString()), "xyz");
}

TEST_F(EditFormDialogs, AReplaceAllTheUndoHistoryCannotHoldIsAskedAboutFirst) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "foo bar foo baz foo\r\n";
  for (const TAnswer answer : {TAnswer::No, TAnswer::Yes}) {
    TEditForm& form = Start({MakeFile("doc.txt", text)});
    TTextFileEditor& editor = form.Editor1();
    // 3000 replacements take more than the 65535 bytes the history may hold here.
    editor.ParaList().UndoBuffer().SetCeiling(editor.UndoBufferSize());
    const std::int32_t bytes = editor.ByteCount();
    Prompter.Asked.clear();
    Prompter.Answers = {answer};
    form.Replace1Click();
    auto* replace = form.findChild<TReplaceDlg*>();
    ASSERT_NE(replace, nullptr);
    replace->FindBox1->setEditText(QStringLiteral("foo"));
    replace->ReplaceBox1->setEditText(QStringLiteral("quux"));
    replace->Button3->click();
    Flush();
    ASSERT_EQ(Prompter.Asked.size(), 1u);
    EXPECT_EQ(Prompter.Asked[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(Prompter.Asked[0].Caption, "Avertissement");
    EXPECT_EQ(Prompter.Asked[0].Text,
              "Cette modification est trop grande pour pouvoir être annulée. Continuer ?");
    EXPECT_EQ(editor.ByteCount(), answer == TAnswer::No ? bytes : bytes + 3000);
    EXPECT_EQ(editor.Modified(), answer == TAnswer::Yes);
    EXPECT_FALSE(editor.CanUndo());
    editor.SetModified(false);  // closes without asking
    Stop();
  }
}

TEST_F(EditFormDialogs, TheMarksWindowMenusAndButtonAgreeAndTheMarginFollowsItsItem) {
  TEditForm& form = Start({MakeFile("doc.txt", "a\r\nb\r\n")});
  QDockWidget& window = *form.Bars().MarkForm;
  const QList<QAction*> items{form.SearchMenu().Gestionnairedemarques1,
                              form.ContextMenu().Gestionnairedemarques2, form.ToolButtons().MarkBtn};
  for (bool shown : {true, false, true}) {
    form.Gestionnairedemarques1Click();
    EXPECT_EQ(window.isHidden(), !shown);
    for (QAction* item : items) EXPECT_EQ(item->isChecked(), shown);
  }
  window.close();  // its own close button
  for (QAction* item : items) EXPECT_FALSE(item->isChecked());

  form.Ajouterunemarque1Click();
  EXPECT_EQ(form.MarkCount(), 1);
  form.Supprimertouteslesmarques2Click();
  EXPECT_EQ(form.MarkCount(), 0);

  const int before = form.Editor1().LeftMargin();
  form.Signets1Click();
  EXPECT_EQ(form.Editor1().LeftMargin(), before == 15 ? 2 : 15);
  form.Signets1Click();
  EXPECT_EQ(form.Editor1().LeftMargin(), before);
}

}  // namespace
}  // namespace quilmo::test
