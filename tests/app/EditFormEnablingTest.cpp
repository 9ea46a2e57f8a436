#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo::test {
namespace {

class EditFormEnabling : public FormFixture {
 protected:
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Form->Editor1Widget(), key, modifiers);
    QApplication::processEvents();
  }
};

// What is enabled after each kind of change, on the tool bar and in the opened menus.
TEST_F(EditFormEnabling, AfterEachKindOfChange) {
  const QString named = MakeFile("doc.txt", "");
  TEditForm& form = Start({named});
  QApplication::clipboard()->clear();
  const TToolButtons& b = form.ToolButtons();
  const TEditMenu& e = form.EditMenu();
  const TSearchMenu& s = form.SearchMenu();
  const TFileMenu& f = form.FileMenu();
  const auto state = [&] {
    form.File1Click();
    form.Edit1Click();
    form.Search1Click();
    std::string text;
    for (QAction* item : {b.SaveBtn, b.PrintBtn, b.UndoBtn, b.RedoBtn, b.CutBtn, b.FindBtn, b.FindNextBtn,
                          b.PasteBtn, f.Save1, f.Print1, e.Undo1, e.Rcuprer1, e.Copy1, e.SelectAll1, e.Paste1,
                          s.Find1, s.FindNext1, s.Ligne1})
      text += item->isEnabled() ? '1' : '0';
    return text;
  };
  //                           tool bar  Fichier Edition Recherche
  //                           SPURCFNV  SP      URCAV   FNL
  EXPECT_EQ(state(),
            "00000000"
            "00"
            "00000"
            "000")
      << "empty document";
  Key(Qt::Key_A);
  EXPECT_EQ(state(),
            "11100100"
            "11"
            "10010"
            "101")
      << "typed";
  form.Search().SearchText = "a";
  form.UpdateButtons(true);
  EXPECT_EQ(state(),
            "11100110"
            "11"
            "10010"
            "111")
      << "search text";
  Key(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(state(),
            "11101110"
            "11"
            "10110"
            "111")
      << "selected";
  form.Copy1Click();
  QApplication::processEvents();
  Key(Qt::Key_Right);
  EXPECT_EQ(state(),
            "11100111"
            "11"
            "10011"
            "111")
      << "copied";
  form.Undo1Click();
  Key(Qt::Key_Right);
  EXPECT_EQ(state(),
            "00010001"
            "00"
            "01001"
            "000")
      << "undone";
  form.Save1Click();
  Key(Qt::Key_Right);
  EXPECT_EQ(state(),
            "00010001"
            "00"
            "01001"
            "000")
      << "saved";
}

TEST_F(EditFormEnabling, MenuShortcutsRunOnlyEnabledItemsHiddenOnesIncluded) {
  const QString named = MakeFile("doc.txt", "abc\r\n");
  TEditForm& form = Start({named});
  // Unmodified: Ctrl+S does nothing, so the deleted file is not written again.
  QFile::remove(named);
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(QFile::exists(named));
  Key(Qt::Key_X);
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(ReadFileBytes(named.toStdString()), "xabc\r\n");
  // Nothing to redo: the key is the menu's and does nothing.
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(form.Editor1().GetLineText(1), "xabc");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form.Editor1().GetLineText(1), "abc");
  // "Ou&vertures multiples" is hidden; its shortcut works.
  ASSERT_FALSE(form.OptionsMenu().Ouverturesmultiple1->isVisible());
  Key(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(form.MultipleOpenings());
  EXPECT_TRUE(form.OptionsMenu().Ouverturesmultiple1->isChecked());
  Key(Qt::Key_R, Qt::ControlModifier);
  EXPECT_TRUE(form.Editor1().WordWrap());
  EXPECT_TRUE(form.ToolButtons().WrapBtn->isChecked());
  form.ToolButtons().WrapBtn->trigger();
  EXPECT_FALSE(form.Editor1().WordWrap());
  EXPECT_FALSE(form.EditMenu().Retourlaligneautomatique1->isChecked());
}

TEST_F(EditFormEnabling, ContextMenuFollowsTheMarksList) {
  TEditForm& form = Start();
  const TContextMenu& c = form.ContextMenu();
  const struct {
    int Marks;
    bool Show, Delete, DeleteAll, Add;
  } cases[] = {{0, false, false, false, true},
               {1, true, true, false, true},
               {2, true, true, true, true},
               {10, true, true, true, false}};
  for (const auto& k : cases) {
    form.ClearMarksList();
    for (int i = 0; i < k.Marks; ++i) form.Bars().ListBox1->addItem(QString::number(i));
    form.PopupMenu1Popup();
    EXPECT_EQ(c.Afficherlamarque1->isEnabled(), k.Show) << k.Marks;
    EXPECT_EQ(c.Supprimerunemarque1->isEnabled(), k.Delete) << k.Marks;
    EXPECT_EQ(c.Supprimertouteslesmarques2->isEnabled(), k.DeleteAll) << k.Marks;
    EXPECT_EQ(c.Ajouterunemarque1->isEnabled(), k.Add) << k.Marks;
  }
}

}  // namespace
}  // namespace quilmo::test
