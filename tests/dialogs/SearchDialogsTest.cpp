// The find and replace dialogs and the window's find next / previous, driven through their
// widgets on a fake main window.

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

#include "FakeDialogHost.h"
#include "app/dialogs/FindDlg.h"
#include "app/dialogs/HistoryCombo.h"
#include "app/dialogs/ReplaceDlg.h"
#include "app/dialogs/SearchDialogs.h"
#include "engine/Search.h"

namespace quilmo::test {
namespace {

QStringList History(std::initializer_list<const char*> entries) {
  QStringList list;
  for (const char* entry : entries) list << QString::fromUtf8(entry);
  return TenEntries(list);
}

TEST(PushHistory, KeepsTenEntriesNewestFirstWithoutCopies) {
  struct Case {
    QStringList before;
    const char* text;
    QStringList after;
  };
  const Case cases[] = {
      {History({"x", "abc", "y"}), "abc", History({"abc", "x", "y"})},
      {History({"Abc", "x"}), "abc", History({"abc", "Abc", "x"})},  // case counts
      {History({"x", "y"}), "", History({"x", "y"})},                // empty: nothing
      {History({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}), "k",
       History({"k", "a", "b", "c", "d", "e", "f", "g", "h", "i"})},
      {QStringList{"a", "b", "a"}, "a", History({"a", "b"})},  // short list with two copies
  };
  for (const Case& c : cases) {
    QStringList list = c.before;
    PushHistory(list, QString::fromUtf8(c.text));
    EXPECT_EQ(list, c.after) << c.text;
  }
}

class SearchDialogsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    Dialogs.CloseDialogs();
    Flush();
  }
  static void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  TFindDlg& OpenFind() {
    Dialogs.Find1Click();
    EXPECT_NE(Dialogs.FindDialog(), nullptr);
    return *Dialogs.FindDialog();
  }
  TReplaceDlg& OpenReplace() {
    Dialogs.Replace1Click();
    EXPECT_NE(Dialogs.ReplaceDialog(), nullptr);
    return *Dialogs.ReplaceDialog();
  }
  static void Type(THistoryCombo* box, const char* text) {
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), QString::fromUtf8(text));
  }

  TFakeDialogHost Host;
  TSearchDialogs Dialogs{Host};
};

TEST_F(SearchDialogsTest, OpeningTakesTheWordAtTheCaretElseTheNewestHistoryEntry) {
  struct Case {
    const char* marked;
    QStringList history;
    const char* shown;
  };
  const Case cases[] = {
      {"one tw|o three", History({"old"}), "two"},
      {"one | three", History({"old", "older"}), "old"},
      {"one | three", History({}), ""},
  };
  for (const Case& c : cases) {
    Host.Load(c.marked);
    Host.Histories[QStringLiteral("Rechercher")] = c.history;
    TFindDlg& dialog = OpenFind();
    const QString shown = QString::fromUtf8(c.shown);
    EXPECT_EQ(dialog.FindBox1->currentText(), shown) << c.marked;
    EXPECT_EQ(dialog.FindBox1->Entries(), c.history);
    EXPECT_EQ(Host.State.SearchText, shown);
    EXPECT_EQ(dialog.Button1->isEnabled(), !shown.isEmpty());
    EXPECT_EQ(Host.FindNextEnabled, !shown.isEmpty());
    EXPECT_TRUE(Host.State.FindDialogOpen);
    dialog.Button2->click();
    Flush();
    EXPECT_EQ(Dialogs.FindDialog(), nullptr);
    EXPECT_FALSE(Host.State.FindDialogOpen);
  }
}

TEST_F(SearchDialogsTest, SuivantSearchesPushesTheHistoryAndReportsAMissingText) {
  Host.Load("|a cat, a dog");
  Host.Histories[QStringLiteral("Rechercher")] = History({"x", "dog", "y"});
  TFindDlg& dialog = OpenFind();
  Type(dialog.FindBox1, "dog");
  QTest::keyClick(dialog.FindBox1->lineEdit(), Qt::Key_Return);  // Enter runs "&Suivant"
  EXPECT_EQ(Host.Marked(), "a cat, a [dog]");
  EXPECT_EQ(dialog.FindBox1->Entries(), History({"dog", "x", "y"}));
  EXPECT_EQ(dialog.FindBox1->currentText(), "dog");
  EXPECT_EQ(Host.SearchMenuUpdates, 1);

  Type(dialog.FindBox1, "cow");
  dialog.Button1->click();
  EXPECT_EQ(Host.Calls, (QStringList{"beep", "info:Le texte \"cow\" est introuvable"}));
  EXPECT_NE(Dialogs.FindDialog(), nullptr);  // the dialog stays open
  QTest::keyClick(&dialog, Qt::Key_Escape);
  Flush();
  EXPECT_EQ(Dialogs.FindDialog(), nullptr);
  EXPECT_EQ(Host.Histories[QStringLiteral("Rechercher")], History({"cow", "dog", "x", "y"}));
}

TEST_F(SearchDialogsTest, ATextTheDocumentCannotHoldIsNotFound) {
  Host.Load("|a ? b");
  TFindDlg& dialog = OpenFind();
  dialog.FindBox1->setEditText(QStringLiteral("Ω"));
  dialog.Button1->click();
  EXPECT_EQ(Host.Marked(), "|a ? b");
  EXPECT_EQ(Host.Calls, (QStringList{"beep", "info:Le texte \"Ω\" est introuvable"}));
}

TEST_F(SearchDialogsTest, TheCaseBoxActsAtOnceTheWholeWordBoxOnlyThroughSuivant) {
  Host.Load("|Cat xcat cat");
  TFindDlg& dialog = OpenFind();
  Type(dialog.FindBox1, "cat");
  dialog.Casse1->click();
  dialog.MotEntier1->click();
  dialog.Button2->click();
  Dialogs.FindNext1Click();
  EXPECT_EQ(Host.Marked(), "Cat x[cat] cat");
}

TEST_F(SearchDialogsTest, FindNextAndPreviousStepOverAMatchFoundTheOtherWay) {
  // The last search went backward and left its match selected with the caret at its start.
  struct Case {
    const char* marked;
    std::uint8_t options;
    bool next;
    const char* after;
  };
  const Case cases[] = {
      {"cat1 [|cat]2 cat3", soBackward, true, "cat1 cat2 [cat]3"},
      {"cat1 cat2 |cat3", soBackward, true, "cat1 cat2 [cat]3"},  // no selection: one search
      {"cat1 [cat]2 cat3", 0, false, "[|cat]1 cat2 cat3"},
      {"cat1 [cat]2 cat3", 0, true, "cat1 cat2 [cat]3"},
  };
  for (const Case& c : cases) {
    Host.Load(c.marked);
    Host.State.SearchText = QStringLiteral("cat");
    Host.State.SearchOptions = c.options;
    Host.Calls.clear();
    c.next ? Dialogs.FindNext1Click() : Dialogs.Rechercherleprcdent1Click();
    EXPECT_EQ(Host.Marked(), c.after) << c.marked;
    EXPECT_TRUE(Host.Calls.isEmpty()) << c.marked;
  }
}

TEST_F(SearchDialogsTest, AlwaysOnTopIsOffWhileADialogOrAReportIsShown) {
  Host.Load("|abc");
  Host.OnTop = true;
  OpenFind().Button2->click();
  EXPECT_EQ(Host.Calls, (QStringList{"ontop:0", "ontop:1"}));
  Host.Calls.clear();
  Host.OnTop = false;
  OpenReplace().Button4->click();
  EXPECT_TRUE(Host.Calls.isEmpty());

  Host.OnTop = true;
  Host.State.SearchText = QStringLiteral("zzz");
  Dialogs.FindNext1Click();
  EXPECT_EQ(Host.Calls, (QStringList{"ontop:0", "beep", "info:Le texte \"zzz\" est introuvable", "ontop:1"}));
}

TEST_F(SearchDialogsTest, TheTwoDialogsExcludeEachOther) {
  Host.Load("|abc");
  TReplaceDlg& replace = OpenReplace();
  Dialogs.Find1Click();  // Ctrl+F while the replace dialog is open
  EXPECT_EQ(Dialogs.FindDialog(), nullptr);
  EXPECT_FALSE(Host.State.FindDialogOpen);
  replace.close();
  Flush();
  OpenFind();
  Dialogs.Replace1Click();
  EXPECT_EQ(Dialogs.ReplaceDialog(), nullptr);
}

TEST_F(SearchDialogsTest, RemplacerReplacesOnlyASelectedOccurrence) {
  Host.Load("[a ]cat b cat");
  TReplaceDlg& dialog = OpenReplace();
  Type(dialog.FindBox1, "cat");
  Type(dialog.ReplaceBox1, "dog");
  const char* const steps[] = {
      "a [cat] b cat",  // another selection: nothing replaced, the next one selected
      "a dog b [cat]",
      "a dog b dog|",  // the last one: replaced, no report
  };
  for (const char* expected : steps) {
    dialog.Button2->click();
    EXPECT_EQ(Host.Marked(), expected);
    EXPECT_TRUE(Host.Calls.isEmpty());
  }
  dialog.Button2->click();
  EXPECT_EQ(Host.Calls, (QStringList{"beep", "info:Le texte \"cat\" est introuvable"}));
  EXPECT_EQ(dialog.ReplaceBox1->Entries(), History({"dog"}));
}

TEST_F(SearchDialogsTest, ToutRemplacerFromTheMiddleIsOneUndoStepAndCloses) {
  const char* const original = "cat cat\ncat |cat cat";
  Host.Load(original);
  TReplaceDlg& dialog = OpenReplace();
  Type(dialog.FindBox1, "cat");
  Type(dialog.ReplaceBox1, "");
  dialog.Button3->click();
  Flush();
  EXPECT_EQ(Dialogs.ReplaceDialog(), nullptr);
  EXPECT_EQ(Host.Marked(), "cat cat\ncat | ");
  EXPECT_EQ(Host.Histories[QStringLiteral("Remplacer")], History({}));  // empty: not stored
  Host.Editor().Undo();
  EXPECT_EQ(Host.Marked(), original);
}

// Alt with a control's underlined letter works it, from the text box too, in both dialogs; the
// keys that close a dialog come last.
TEST_F(SearchDialogsTest, AltWithTheUnderlinedLetterWorksEachControl) {
  Host.Load("|un deux un");
  for (const bool replacing : {false, true}) {
    TSearchDlgBase* dialog = replacing ? static_cast<TSearchDlgBase*>(&OpenReplace()) : &OpenFind();
    TReplaceDlg* replace = replacing ? Dialogs.ReplaceDialog() : nullptr;
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    Type(dialog->FindBox1, "un");
    const struct {
      Qt::Key Key;
      QAbstractButton* Button;
    } keys[] = {
        {Qt::Key_M, dialog->MotEntier1},
        {Qt::Key_C, dialog->Casse1},
        {Qt::Key_H, dialog->Haut},
        {Qt::Key_B, dialog->Bas},
        {Qt::Key_S, dialog->findChild<QPushButton*>("Button1")},
        {Qt::Key_P, replace ? replace->Button2 : nullptr},
        // Last: it closes the dialog.
        {replacing ? Qt::Key_T : Qt::Key_F,
         replace ? replace->Button3 : dialog->findChild<QPushButton*>("Button2")},
    };
    for (const auto& k : keys) {
      if (k.Button == nullptr) continue;
      SCOPED_TRACE(k.Button->text().toStdString());
      EXPECT_EQ(dialog->FindBox1->currentText(), "un") << "a letter was typed into the box";
      QSignalSpy clicked(k.Button, &QAbstractButton::clicked);
      dialog->FindBox1->lineEdit()->setFocus();
      QTest::keyClick(QApplication::focusWidget(), k.Key, Qt::AltModifier);
      EXPECT_TRUE(QTest::qWaitFor([&] { return clicked.count() == 1; }));
    }
    Flush();
    EXPECT_EQ(replacing ? static_cast<void*>(Dialogs.ReplaceDialog()) : Dialogs.FindDialog(), nullptr);
  }
}

// The labels' letters put the typing into their boxes at once, and no two controls of a dialog
// share a letter (the second would only move the focus).
TEST_F(SearchDialogsTest, AltWithALabelsLetterTypesIntoItsBox) {
  Host.Load("|un deux");
  for (const bool replacing : {false, true}) {
    TSearchDlgBase* dialog = replacing ? static_cast<TSearchDlgBase*>(&OpenReplace()) : &OpenFind();
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QString letters;
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
      QString text;
      if (auto* button = qobject_cast<QAbstractButton*>(control)) text = button->text();
      if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
      const qsizetype mark = text.indexOf('&');
      if (mark < 0 || mark + 1 >= text.size()) continue;
      const QChar letter = text.at(mark + 1).toLower();
      EXPECT_FALSE(letters.contains(letter)) << text.toStdString();
      letters += letter;
    }
    const struct {
      Qt::Key Key;
      THistoryCombo* Box;
    } labels[] = {{Qt::Key_R, dialog->FindBox1},
                  {Qt::Key_E, replacing ? Dialogs.ReplaceDialog()->ReplaceBox1 : nullptr}};
    for (const auto& l : labels) {
      if (l.Box == nullptr) continue;
      SCOPED_TRACE(l.Box->objectName().toStdString());
      dialog->Button1->setFocus();
      QTest::keyClick(QApplication::focusWidget(), l.Key, Qt::AltModifier);
      EXPECT_TRUE(QTest::qWaitFor([&] { return l.Box->isAncestorOf(QApplication::focusWidget()); }));
      QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("zz"));
      EXPECT_TRUE(l.Box->currentText().endsWith(QStringLiteral("zz")));
    }
    dialog->close();
    Flush();
  }
}

// A dialog left minimised comes back with Ctrl+F and Ctrl+H, whichever is open; never a second.
TEST_F(SearchDialogsTest, AMinimisedDialogComesBackWithEitherCommand) {
  Host.Load("|abc");
  const struct {
    bool Replace;       // the dialog open
    bool PressReplace;  // Ctrl+H, else Ctrl+F
  } cases[] = {{false, false}, {false, true}, {true, true}, {true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Replace ? "replace" : "find") + (c.PressReplace ? " Ctrl+H" : " Ctrl+F"));
    QDialog* dialog = c.Replace ? static_cast<QDialog*>(&OpenReplace()) : &OpenFind();
    dialog->showMinimized();
    ASSERT_TRUE(dialog->isMinimized());
    if (c.PressReplace)
      Dialogs.Replace1Click();
    else
      Dialogs.Find1Click();
    EXPECT_FALSE(dialog->isMinimized());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    EXPECT_EQ(c.Replace ? static_cast<QDialog*>(Dialogs.ReplaceDialog()) : Dialogs.FindDialog(), dialog);
    EXPECT_EQ(c.Replace ? static_cast<QDialog*>(Dialogs.FindDialog()) : Dialogs.ReplaceDialog(), nullptr);
    dialog->close();
    Flush();
  }
}

// The not-found box gives the keyboard back to the main window when it closes: the dialog that
// searched takes it again.
TEST_F(SearchDialogsTest, AfterTheNotFoundBoxTheDialogHasTheKeyboard) {
  QWidget mainWindow;
  mainWindow.resize(200, 100);
  mainWindow.show();
  Host.OnInformation = [&] {
    mainWindow.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
  };
  const struct {
    bool Replace;
    int Button;  // 1 "&Suivant", 2 "Rem&placer"
  } cases[] = {{false, 1}, {true, 1}, {true, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Replace ? "replace " : "find ") + std::to_string(c.Button));
    Host.Load("|abc");
    Host.Calls.clear();
    TSearchDlgBase* dialog = c.Replace ? static_cast<TSearchDlgBase*>(&OpenReplace()) : &OpenFind();
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    Type(dialog->FindBox1, "zzz");
    (c.Button == 1 ? dialog->Button1 : Dialogs.ReplaceDialog()->Button2)->click();
    ASSERT_EQ(Host.Calls, (QStringList{"beep", "info:Le texte \"zzz\" est introuvable"}));
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    EXPECT_EQ(QApplication::activeWindow(), dialog);
    dialog->close();
    Flush();
  }
}

// Opening and closing the drop-down of a box keeps the text typed in it.
TEST_F(SearchDialogsTest, TheDropDownKeepsTheTypedText) {
  Host.Histories["Rechercher"] = History({"ancien", "autre"});
  Host.Histories["Remplacer"] = History({"vieux"});
  Host.Load("|");
  TReplaceDlg& dialog = OpenReplace();
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  for (THistoryCombo* box : {dialog.FindBox1, dialog.ReplaceBox1}) {
    SCOPED_TRACE(box->objectName().toStdString());
    Type(box, "saisi");
    QTest::keyClick(box->lineEdit(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return box->view()->isVisible(); }));
    EXPECT_EQ(box->currentText(), "saisi");
    box->hidePopup();
    EXPECT_EQ(box->currentText(), "saisi");
    EXPECT_EQ(box->lineEdit()->text(), "saisi");
  }
}

TEST_F(SearchDialogsTest, ReplaceOpensWithTheBoxesAndOptionsClear) {
  Host.Load("|cat Cat");
  TFindDlg& find = OpenFind();
  find.Casse1->click();
  find.Haut->click();
  find.Button2->click();
  Flush();
  TReplaceDlg& replace = OpenReplace();
  EXPECT_FALSE(replace.Casse1->isChecked());
  EXPECT_TRUE(replace.Bas->isChecked());
  EXPECT_EQ(Host.State.SearchOptions, 0);
  EXPECT_EQ(replace.FindBox1->currentText(), "cat");  // the word at the caret
  EXPECT_EQ(replace.ReplaceBox1->currentText(), "");
  replace.MotEntier1->click();  // whole word acts at once in this dialog
  EXPECT_EQ(Host.State.SearchOptions, soWholeWord);
}

}  // namespace
}  // namespace quilmo::test
