// The dialogs as the main window opens them: the search histories across a restart, the two
// search dialogs excluding each other, the marks manager's window and the marks margin.

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "app/dialogs/FindDlg.h"
#include "app/dialogs/HistoryCombo.h"
#include "app/dialogs/ReplaceDlg.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

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

// Shown, the marks window is as tall as its client area, whatever the window's height.
TEST_F(EditFormDialogs, TheMarksWindowTakesItsClientHeightOnly) {
  for (const int height : {480, 768}) {
    SCOPED_TRACE(height);
    TEditForm& form = Start({MakeFile("doc.txt", "a\r\nb\r\n")});
    form.setGeometry(100, 100, 640, height);
    form.show();
    QApplication::processEvents();
    const int editorHeight = form.Editor1Widget()->height();
    form.Gestionnairedemarques1Click();
    QApplication::processEvents();
    EXPECT_EQ(form.Bars().ListBox1->height(), 46);
    // The window's title bar and the dock's separator come on top of the list, nothing more.
    EXPECT_LT(editorHeight - form.Editor1Widget()->height(), 46 + 40);
    Stop();
  }
}

// Delete in the list removes the selected mark; the list's menu holds the mark items.
TEST_F(EditFormDialogs, TheMarksListTakesDeleteAndHasAMenuOfMarks) {
  TEditForm& form = Start({MakeFile("doc.txt", "a\r\nb\r\nc\r\n")});
  form.show();
  form.Gestionnairedemarques1Click();
  for (const int line : {1, 3}) {
    form.Editor1().SetCaretPosition(line, 1);
    form.Ajouterunemarque1Click();
  }
  QListWidget& list = *form.Bars().ListBox1;
  list.setCurrentRow(1);
  list.setFocus();
  QTest::keyClick(&list, Qt::Key_Delete);
  EXPECT_EQ(form.MarkCount(), 1);
  std::int32_t column = 0;
  EXPECT_EQ(form.Editor1().GetMarkerPosition(1, column), -1);
  EXPECT_EQ(form.Editor1().GetMarkerPosition(0, column), 1);

  QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);
  auto* menu = form.findChild<QMenu*>(QStringLiteral("MarkListMenu"));
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->isVisible());
  QStringList items;
  for (QAction* item : menu->actions()) items << item->text() + (item->isEnabled() ? "" : " (off)");
  EXPECT_EQ(items, (QStringList{"Afficher la marque", "Ajouter une marque", "Supprimer une marque",
                                "Supprimer toutes les marques (off)"}));
  menu->hide();
}

}  // namespace
}  // namespace quilmo::test
