// What a screen reader finds in the window: every control it can reach has a name (the main
// window, its menus and context menus, the bars, the status bar's panels and every dialog the
// window opens), and the status bar's panels read what they show.

#include <QAccessible>
#include <QDialog>
#include <QGroupBox>
#include <QHash>
#include <QMenu>
#include <QMetaEnum>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "app/StatusPanel.h"
#include "app/dialogs/FindDlg.h"
#include "app/dialogs/ReplaceDlg.h"

namespace quilmo::test {
namespace {

// Roles a reader lets the user reach and act on, or that group them under a title.
const QList<QAccessible::Role> kNeedName = {
    QAccessible::PushButton,   QAccessible::CheckBox, QAccessible::RadioButton, QAccessible::ComboBox,
    QAccessible::EditableText, QAccessible::SpinBox,  QAccessible::MenuItem,    QAccessible::ButtonMenu,
    QAccessible::PageTab,      QAccessible::List,     QAccessible::Table,       QAccessible::ToolBar,
    QAccessible::StatusBar,    QAccessible::Dialog,   QAccessible::Window,      QAccessible::Grouping};

QStringList Named;                  // every name met on the way
QStringList Unnamed;                // the path of each control that needs a name and has none
QHash<QString, QString> Described;  // name -> description
QStringList Undescribed;            // the path of each control with a hint and no description

void Walk(QAccessibleInterface* node, const QString& path, int depth = 0) {
  if (node == nullptr || depth > 30) return;
  QString here = path + '/' + QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role());
  if (node->object() != nullptr) here += ':' + node->object()->objectName();
  const QString name = node->text(QAccessible::Name).trimmed();
  // A grouping needs a name where it shows a title (a group box), not as a mere container.
  const bool titled = node->role() != QAccessible::Grouping || qobject_cast<QGroupBox*>(node->object());
  if (kNeedName.contains(node->role()) && titled && name.isEmpty()) Unnamed << here;
  Named << name;
  const QString description = node->text(QAccessible::Description);
  if (!description.isEmpty()) Described.insert(name, description);
  if (node->object() != nullptr && !node->object()->property("statusTip").toString().isEmpty() &&
      description.isEmpty())
    Undescribed << here;
  for (int i = 0; i < node->childCount(); ++i) Walk(node->child(i), here, depth + 1);
}

void Walk(QObject* object) {
  Walk(QAccessible::queryAccessibleInterface(object), object->metaObject()->className());
}

class AccessibleNames : public FormFixture {};

TEST_F(AccessibleNames, EveryControlOfTheWindowAndItsDialogsHasAName) {
  TEditForm& form = Start({MakeFile("doc.txt", "un deux\r\n")});
  form.show();
  form.Gestionnairedemarques1Click();  // the marks window too
  Walk(&form);
  for (QMenu* menu : form.findChildren<QMenu*>()) Walk(menu);  // context menus
  int dialogs = 0;
  Prompter.OnExec = [&](QDialog& dialog) {
    dialog.show();
    Walk(&dialog);
    ++dialogs;
  };
  form.Ligne1Click();
  form.HeureDate1Click();
  form.Prfrences1Click();
  form.Apropos1Click();
  EXPECT_EQ(dialogs, 4);
  form.Find1Click();
  ASSERT_NE(form.findChild<TFindDlg*>(), nullptr);
  Walk(form.findChild<TFindDlg*>());
  form.findChild<TFindDlg*>()->close();
  form.Replace1Click();
  ASSERT_NE(form.findChild<TReplaceDlg*>(), nullptr);
  Walk(form.findChild<TReplaceDlg*>());
  EXPECT_TRUE(Unnamed.isEmpty()) << Unnamed.join('\n').toStdString();
  EXPECT_TRUE(Undescribed.isEmpty()) << Undescribed.join('\n').toStdString();
  // Menu items, a submenu and tool buttons read the long part of their hint.
  for (const auto& [name, description] :
       {std::pair{"Enregistrer sous...", "Enregistrer le document sous un nouveau nom"},
        {"Historique", "Liste des 10 derniers documents ouverts dans l'éditeur"},
        {"Retour à la ligne automatique", "Basculer le retour à la ligne automatique"},
        {"Occurrence suivante",
         "Rechercher l'occurrence suivante d'une chaîne de caractères dans le document"}})
    EXPECT_EQ(Described.value(QString::fromUtf8(name)), QString::fromUtf8(description)) << name;
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
  ASSERT_EQ(bar->childCount(), TStatusPanel::kPanelCount);
  panel.SetDocumentStatus({12, 5, 40, 300, false, true});
  panel.SetLockKeys(true, false);
  const bool lit[] = {false, false, false, false, true, true, false, false};  // modified, Num on
  for (int i = 0; i < TStatusPanel::kPanelCount; ++i) {
    SCOPED_TRACE(i);
    QAccessibleInterface* item = bar->child(i);
    EXPECT_EQ(bar->indexOfChild(item), i);
    EXPECT_EQ(item->parent(), bar);
    EXPECT_EQ(item->text(QAccessible::Value), panel.PanelText(i));
    EXPECT_EQ(item->state().checked, lit[i]);
    EXPECT_EQ(bar->childAt(item->rect().center().x(), item->rect().center().y()), item);
  }
  panel.SetHintText(QStringLiteral("Ouvrir un document existant"));
  EXPECT_EQ(bar->text(QAccessible::Value), "Ouvrir un document existant");
  EXPECT_TRUE(bar->child(0)->state().invisible);
}

}  // namespace
}  // namespace quilmo::test
