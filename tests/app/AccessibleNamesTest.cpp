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
#include "app/StatusPanelAccessible.h"
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
  for (const char* name : {"Enregistrer sous...", "Occurrence suivante", "1:1", "Taille des tabulations",
                           "Type des tabulations", "Formats disponibles:", "Remplacer"})
    EXPECT_TRUE(Named.contains(QString::fromUtf8(name))) << name;
  EXPECT_EQ(Described.value("1:1"), "Position du curseur");
}

// Each panel reads what it shows, by name and as text (a reader reads a label by its name), and
// says what it is in its description; a grey toggle label reads as off.
TEST(StatusPanelAccessible, EachPanelReadsWhatItShowsAndIsFoundAtItsPlace) {
  TStatusPanel panel;
  panel.resize(600, 24);
  panel.show();
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(&panel);
  ASSERT_EQ(bar->childCount(), TStatusPanel::kPanelCount);
  panel.SetDocumentStatus({12, 5, 40, 300, false, true});
  panel.SetLockKeys(true, false);
  const char* readings[] = {"12:5",    "Total: 40", "Octets: 300",   "Surfrappe",
                            "Modifié", "Num",       "Maj désactivé", ""};
  const bool lit[] = {false, false, false, false, true, true, false, false};  // modified, Num on
  for (int i = 0; i < TStatusPanel::kPanelCount; ++i) {
    SCOPED_TRACE(i);
    QAccessibleInterface* item = bar->child(i);
    EXPECT_EQ(bar->indexOfChild(item), i);
    EXPECT_EQ(item->parent(), bar);
    const QString reading = QString::fromUtf8(readings[i]);
    EXPECT_EQ(item->text(QAccessible::Name), reading);
    EXPECT_EQ(item->text(QAccessible::Value), reading);
    ASSERT_NE(item->textInterface(), nullptr);
    EXPECT_EQ(item->textInterface()->text(0, item->textInterface()->characterCount()), reading);
    EXPECT_EQ(item->text(QAccessible::Description), TStatusPanelAccessible::PanelName(i));
    EXPECT_EQ(item->state().checked, lit[i]);
    EXPECT_EQ(bar->childAt(item->rect().center().x(), item->rect().center().y()), item);
  }
  EXPECT_EQ(bar->child(0)->textInterface()->text(1, 3), "2:");
  panel.SetDocumentStatus({12, 5, 40, 300, false, false});
  panel.SetLockKeys(false, true);
  EXPECT_EQ(bar->child(4)->text(QAccessible::Name), "Non modifié");
  EXPECT_EQ(bar->child(5)->text(QAccessible::Name), "Num désactivé");
  EXPECT_EQ(bar->child(6)->text(QAccessible::Name), "Maj");
  panel.SetHintText(QStringLiteral("Ouvrir un document existant"));
  EXPECT_EQ(bar->text(QAccessible::Value), "Ouvrir un document existant");
  EXPECT_TRUE(bar->child(0)->state().invisible);
}

QStringList Told;  // what a reader was told, "event panel [removed>inserted]"

void Record(QAccessibleEvent* event) {
  QAccessibleInterface* item = event->accessibleInterface();
  const int index = item != nullptr && item->parent() != nullptr ? item->parent()->indexOfChild(item) : -1;
  QString line;
  switch (event->type()) {
    case QAccessible::NameChanged: line = QStringLiteral("name %1").arg(index); break;
    case QAccessible::StateChanged: line = QStringLiteral("state %1").arg(index); break;
    case QAccessible::TextUpdated: {
      const auto* update = static_cast<QAccessibleTextUpdateEvent*>(event);
      line = QStringLiteral("text %1 %2>%3").arg(index).arg(update->textRemoved(), update->textInserted());
      break;
    }
    default: return;
  }
  Told << line;
}

// A reader is told of each panel whose reading changed, and of the caret's new place as a
// change of text (what a status bar announces); nothing when nothing changed.
TEST(StatusPanelAccessible, AReaderIsToldWhatChangedAndTheCaretsPlaceAsText) {
  TStatusPanel panel;
  panel.resize(600, 24);
  panel.show();
  panel.SetDocumentStatus({1, 1, 1, 0, true, false});
  TStatusPanelAccessible::SetEventSink(&Record);
  const struct {
    const char* Label;
    TDocumentStatus Status;
    bool NumLock;
    QStringList Expected;
  } steps[] = {
      {"caret moved", {1, 2, 1, 0, true, false}, false, {"name 0", "text 0 1:1>1:2"}},
      {"nothing", {1, 2, 1, 0, true, false}, false, {}},
      {"typed", {1, 3, 1, 1, true, true}, false, {"name 0", "text 0 1:2>1:3", "name 2", "name 4", "state 4"}},
      {"overwrite", {1, 3, 1, 1, false, true}, false, {"name 3"}},
      {"new line", {2, 1, 2, 2, false, true}, false, {"name 0", "text 0 1:3>2:1", "name 1", "name 2"}},
      {"Num Lock", {2, 1, 2, 2, false, true}, true, {"name 5", "state 5"}},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.Label);
    Told.clear();
    panel.SetDocumentStatus(step.Status);
    panel.SetLockKeys(step.NumLock, false);
    EXPECT_EQ(Told, step.Expected);
  }
  TStatusPanelAccessible::SetEventSink(nullptr);
}

}  // namespace
}  // namespace quilmo::test
