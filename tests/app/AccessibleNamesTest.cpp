// What a screen reader finds in the window: every control it can reach has a name (the main
// window, its menus and context menus, the bars and their buttons, the status bar's panels
// and every dialog the window opens), and the status bar's panels read what they show.

#include <QAccessible>
#include <QDialog>
#include <QGroupBox>
#include <QMenu>
#include <QMetaEnum>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "app/StatusPanel.h"
#include "app/StatusPanelAccessible.h"
#include "app/dialogs/FindDlg.h"
#include "app/dialogs/ReplaceDlg.h"

namespace quilmo::test {
namespace {

// Roles a reader lets the user reach and act on (or that group such controls).
bool NeedsName(QAccessible::Role role) {
  switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::MenuItem:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::PageTab:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::ToolBar:
    case QAccessible::StatusBar:
    case QAccessible::Grouping:
    case QAccessible::Dialog:
    case QAccessible::Window: return true;
    default: return false;
  }
}

QStringList Named;  // every name met on the way

// The path of each control below `node` that needs a name and has none.
void FindUnnamed(QAccessibleInterface* node, const QString& path, QStringList& unnamed, int depth = 0) {
  if (node == nullptr || depth > 30) return;
  const char* role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role());
  QString here = path + QLatin1Char('/') + QLatin1String(role ? role : "?");
  if (node->object() != nullptr && !node->object()->objectName().isEmpty())
    here += QLatin1Char(':') + node->object()->objectName();
  // A grouping needs a name where it shows a title (a group box), not as a mere container.
  const bool titled = node->role() != QAccessible::Grouping || qobject_cast<QGroupBox*>(node->object());
  if (NeedsName(node->role()) && titled && node->text(QAccessible::Name).trimmed().isEmpty()) unnamed << here;
  Named << node->text(QAccessible::Name);
  for (int i = 0; i < node->childCount(); ++i) FindUnnamed(node->child(i), here, unnamed, depth + 1);
}

void FindUnnamed(QObject* object, QStringList& unnamed) {
  FindUnnamed(QAccessible::queryAccessibleInterface(object), object->metaObject()->className(), unnamed);
}

class AccessibleNames : public FormFixture {};

TEST_F(AccessibleNames, EveryControlOfTheWindowAndItsDialogsHasAName) {
  TEditForm& form = Start({MakeFile("doc.txt", "un deux\r\n")});
  form.show();
  form.Gestionnairedemarques1Click();  // the marks window too
  QStringList unnamed;
  FindUnnamed(&form, unnamed);
  for (QMenu* menu : form.findChildren<QMenu*>()) FindUnnamed(menu, unnamed);  // context menus

  int dialogs = 0;
  Prompter.OnExec = [&](QDialog& dialog) {
    dialog.show();
    FindUnnamed(&dialog, unnamed);
    ++dialogs;
  };
  form.Ligne1Click();
  form.HeureDate1Click();
  form.Prfrences1Click();
  form.Apropos1Click();
  EXPECT_EQ(dialogs, 4);
  form.Find1Click();
  ASSERT_NE(form.findChild<TFindDlg*>(), nullptr);
  FindUnnamed(form.findChild<TFindDlg*>(), unnamed);
  form.findChild<TFindDlg*>()->close();
  form.Replace1Click();
  ASSERT_NE(form.findChild<TReplaceDlg*>(), nullptr);
  FindUnnamed(form.findChild<TReplaceDlg*>(), unnamed);
  EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
  // The walk reached the menus, the tool bar, the status bar, hidden pages and the dialogs.
  for (const char* name :
       {"Enregistrer sous...", "Occurrence suivante", "Position du curseur", "Taille des tabulations",
        "Type des tabulations", "Formats disponibles:", "Remplacer"})
    EXPECT_TRUE(Named.contains(QString::fromUtf8(name))) << name;
}

TEST(StatusPanelAccessible, EachPanelReadsWhatItShowsAndIsFoundAtItsPlace) {
  TStatusPanel panel;
  panel.resize(600, 24);
  panel.show();
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(&panel);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->role(), QAccessible::StatusBar);
  ASSERT_EQ(bar->childCount(), TStatusPanel::kPanelCount);
  struct Case {
    TDocumentStatus Status;
    bool NumLock, CapsLock;
  } cases[] = {
      {{12, 5, 40, 300, false, true}, true, false},
      {{1, 1, 1, 0, true, false}, false, true},
  };
  for (const Case& c : cases) {
    panel.SetDocumentStatus(c.Status);
    panel.SetLockKeys(c.NumLock, c.CapsLock);
    QStringList names;
    for (int i = 0; i < TStatusPanel::kPanelCount; ++i) {
      SCOPED_TRACE(i);
      QAccessibleInterface* item = bar->child(i);
      ASSERT_NE(item, nullptr);
      EXPECT_EQ(item, bar->child(i));  // the same interface each time
      EXPECT_EQ(bar->indexOfChild(item), i);
      EXPECT_EQ(item->parent(), bar);
      EXPECT_EQ(item->text(QAccessible::Value), panel.PanelText(i));
      const bool on[] = {false, false, false, false, c.Status.Modified, c.NumLock, c.CapsLock, false};
      EXPECT_EQ(item->state().checked, on[i]);
      const QRect place = item->rect();
      EXPECT_EQ(bar->childAt(place.center().x(), place.center().y()), item);
      EXPECT_FALSE(item->state().invisible);
      names << item->text(QAccessible::Name);
    }
    names.removeDuplicates();
    EXPECT_EQ(names.size(), TStatusPanel::kPanelCount);
  }
  panel.SetHintText(QStringLiteral("Ouvrir un document existant"));
  EXPECT_EQ(bar->text(QAccessible::Value), "Ouvrir un document existant");
  EXPECT_TRUE(bar->child(0)->state().invisible);
}

}  // namespace
}  // namespace quilmo::test
