// The window's menus, context menus, tool bar and bars, with their captions, shortcuts,
// hints, separators and design states.
#include <QAction>
#include <QDockWidget>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/EditForm.h"
#include "app/GlyphIcon.h"
#include "app/dialogs/MarkForm.h"
#include "app/dialogs/MenuItemAccessible.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo {

namespace {

// Items whose check mark the handler inverts itself: undo Qt's own toggle first.
void ConnectToggle(QAction* item, TEditForm* form, void (TEditForm::*handler)()) {
  QObject::connect(item, &QAction::triggered, form, [item, form, handler] {
    item->setChecked(!item->isChecked());
    (form->*handler)();
  });
}

QAction* AddSeparator(QMenu* menu, bool visible = true) {
  QAction* separator = menu->addSeparator();
  separator->setVisible(visible);
  return separator;
}

}  // namespace

QAction* TEditForm::AddMenuItem(QMenu* menu, const QString& caption, const QString& shortcut,
                                const QString& hint, void (TEditForm::*handler)()) {
  auto* item = new QAction(caption, menu);
  item->setStatusTip(hint);
  if (!shortcut.isEmpty()) {
    // Shown in the menu; matched by the window itself (see HandleMenuShortcut).
    item->setShortcut(QKeySequence(shortcut, QKeySequence::PortableText));
    item->setShortcutContext(Qt::WidgetShortcut);
  }
  menu->addAction(item);
  if (handler) connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  return item;
}

void TEditForm::CreateMenus() {
  TMenuItemAccessible::Install();  // a reader finds each item's hint as its description
  CreateFileMenu();
  CreateEditMenu();
  CreateSearchMenu();
  CreateViewMenu();
  CreateOptionsMenu();
  CreateHelpMenu();
  for (QMenu* menu :
       {FFile.File1, FEdit.Edit1, FSearch.Search1, FView.Voir1, FOptions.Options1, FHelp.Help1}) {
    for (QAction* item : menu->actions()) RegisterShortcut(item, menu);
    // Every menu of the bar points the help at the program's folder when it opens.
    connect(menu, &QMenu::aboutToShow, this,
            [this] { FHelpFile = FProgramFolder + QStringLiteral("Kel.hlp"); });
  }
}

void TEditForm::CreateFileMenu() {
  FFile.File1 = menuBar()->addMenu(QStringLiteral("&Fichier"));
  QMenu* m = FFile.File1;
  FFile.New1 = AddMenuItem(m, QStringLiteral("&Nouveau"), QStringLiteral("Ctrl+N"),
                           QStringLiteral("Créer un nouveau document"), &TEditForm::New1Click);
  FFile.Open1 = AddMenuItem(m, QStringLiteral("&Ouvrir..."), QStringLiteral("Ctrl+O"),
                            QStringLiteral("Ouvrir un document existant"), &TEditForm::Open1Click);
  FFile.Historique1 = m->addMenu(QStringLiteral("&Historique"));
  FFile.Historique1->menuAction()->setStatusTip(
      QStringLiteral("Liste des 10 derniers documents ouverts dans l'éditeur"));
  for (int i = 0; i < 10; ++i) {
    QAction* item = FFile.Historique1->addAction(QString());
    item->setData(i);
    item->setVisible(false);
    connect(item, &QAction::triggered, this, [this, i] { Mru1Click(i); });
    FFile.Mru[static_cast<std::size_t>(i)] = item;
  }
  AddSeparator(m);
  FFile.Save1 = AddMenuItem(m, QStringLiteral("&Enregistrer"), QStringLiteral("Ctrl+S"),
                            QStringLiteral("Enregistrer le document"), &TEditForm::Save1Click);
  FFile.Save1->setEnabled(false);
  FFile.SaveAs1 =
      AddMenuItem(m, QStringLiteral("En&registrer sous..."), QStringLiteral("F12"),
                  QStringLiteral("Enregistrer le document sous un nouveau nom"), &TEditForm::SaveAs1Click);
  AddSeparator(m);
  FFile.Print1 = AddMenuItem(m, QStringLiteral("&Imprimer..."), QStringLiteral("Ctrl+P"),
                             QStringLiteral("Imprimer le document"), &TEditForm::Print1Click);
  FFile.Print1->setEnabled(false);
  AddSeparator(m);
  FFile.Exit1 = AddMenuItem(m, QStringLiteral("&Quitter"), QStringLiteral("Alt+F4"),
                            QStringLiteral("Quitter Quilmo"), &TEditForm::Exit1Click);
  connect(m, &QMenu::aboutToShow, this, &TEditForm::File1Click);
}

void TEditForm::CreateEditMenu() {
  FEdit.Edit1 = menuBar()->addMenu(QStringLiteral("&Edition"));
  QMenu* m = FEdit.Edit1;
  FEdit.Undo1 = AddMenuItem(m, QStringLiteral("&Annuler"), QStringLiteral("Ctrl+Z"),
                            QStringLiteral("Annuler les modifications"), &TEditForm::Undo1Click);
  FEdit.Rcuprer1 = AddMenuItem(m, QStringLiteral("Réc&upérer"), QStringLiteral("Ctrl+Shift+Z"),
                               QStringLiteral("Récupérer les modifications"), &TEditForm::Rcuprer1Click);
  AddSeparator(m);
  FEdit.Cut1 =
      AddMenuItem(m, QStringLiteral("&Couper"), QStringLiteral("Ctrl+X"),
                  QStringLiteral("Supprimer la sélection vers le Presse-papiers"), &TEditForm::Cut1Click);
  FEdit.Copy1 =
      AddMenuItem(m, QStringLiteral("Co&pier"), QStringLiteral("Ctrl+C"),
                  QStringLiteral("Copier la sélection vers le Presse-papiers"), &TEditForm::Copy1Click);
  FEdit.Paste1 =
      AddMenuItem(m, QStringLiteral("C&oller"), QStringLiteral("Ctrl+V"),
                  QStringLiteral("Coller depuis le Presse-papiers sous le curseur"), &TEditForm::Paste1Click);
  FEdit.Delete1 = AddMenuItem(m, QStringLiteral("&Supprimer"), QStringLiteral("Ctrl+Del"),
                              QStringLiteral("Supprimer la sélection"), &TEditForm::Delete1Click);
  AddSeparator(m);
  FEdit.SelectAll1 =
      AddMenuItem(m, QStringLiteral("Sélectionner &tout"), QStringLiteral("Ctrl+A"),
                  QStringLiteral("Sélectionner tout le document"), &TEditForm::SelectAll1Click);
  FEdit.HeureDate1 = AddMenuItem(m, QStringLiteral("Date et heure"), QStringLiteral("F5"),
                                 QStringLiteral("Insérer la date et l'heure courantes sous le curseur"),
                                 &TEditForm::HeureDate1Click);
  AddSeparator(m);
  FEdit.Retourlaligneautomatique1 =
      AddMenuItem(m, QStringLiteral("&Retour à la ligne automatique"), QStringLiteral("Ctrl+R"),
                  QStringLiteral("Basculer le retour à la ligne automatique"), nullptr);
  FEdit.Retourlaligneautomatique1->setCheckable(true);
  ConnectToggle(FEdit.Retourlaligneautomatique1, this, &TEditForm::Retourlaligneautomatique1Click);
  connect(m, &QMenu::aboutToShow, this, &TEditForm::Edit1Click);
}

void TEditForm::CreateSearchMenu() {
  FSearch.Search1 = menuBar()->addMenu(QStringLiteral("&Recherche"));
  QMenu* m = FSearch.Search1;
  FSearch.Find1 = AddMenuItem(m, QStringLiteral("&Rechercher..."), QStringLiteral("Ctrl+F"),
                              QStringLiteral("Rechercher une chaîne de caractères dans le document"),
                              &TEditForm::Find1Click);
  FSearch.Replace1 = AddMenuItem(m, QStringLiteral("Re&mplacer..."), QStringLiteral("Ctrl+H"),
                                 QStringLiteral("Remplacer une chaîne de caractères dans le document"),
                                 &TEditForm::Replace1Click);
  FSearch.FindNext1 = AddMenuItem(
      m, QStringLiteral("Rechercher le &suivant"), QStringLiteral("F3"),
      QStringLiteral("Rechercher l'occurrence suivante d'une chaîne de caractères dans le document"),
      &TEditForm::FindNext1Click);
  FSearch.Rechercherleprcdent1 = AddMenuItem(
      m, QStringLiteral("Rechercher le &précédent"), QStringLiteral("Ctrl+F3"),
      QStringLiteral("Rechercher l'occurrence précédente d'une chaîne de caractères dans le document"),
      &TEditForm::Rechercherleprcdent1Click);
  for (QAction* item : {FSearch.Find1, FSearch.Replace1, FSearch.FindNext1, FSearch.Rechercherleprcdent1})
    item->setEnabled(false);
  AddSeparator(m);
  FSearch.Ligne1 =
      AddMenuItem(m, QStringLiteral("&Ligne..."), QStringLiteral("F4"),
                  QStringLiteral("Rechercher une ligne dans le document"), &TEditForm::Ligne1Click);
  AddSeparator(m);
  FSearch.Gestionnairedemarques1 = AddMenuItem(
      m, QStringLiteral("&Gestionnaire de marques..."), QStringLiteral("Ctrl+G"),
      QStringLiteral("Afficher le gestionnaire de marques"), &TEditForm::Gestionnairedemarques1Click);
  FSearch.Supprimertouteslesmarques1 =
      AddMenuItem(m, QStringLiteral("&Effacer toutes les marques"), QStringLiteral("Ctrl+Shift+D"),
                  QStringLiteral("Supprimer toutes les marques du document courant"),
                  &TEditForm::Supprimertouteslesmarques1Click);
  connect(m, &QMenu::aboutToShow, this, &TEditForm::Search1Click);
}

void TEditForm::CreateViewMenu() {
  FView.Voir1 = menuBar()->addMenu(QStringLiteral("&Affichage"));
  QMenu* m = FView.Voir1;
  FView.Pressepapiers1 =
      AddMenuItem(m, QStringLiteral("&Presse-papiers"), QStringLiteral("Ctrl+F1"),
                  QStringLiteral("Charger le Presse-papiers"), &TEditForm::Pressepapiers1Click);
  FView.N15 = AddSeparator(m);
  const auto toggle = [&](const char* caption, const char* shortcut, const char* hint,
                          void (TEditForm::*handler)()) {
    QAction* item = AddMenuItem(m, QString::fromUtf8(caption), QString::fromLatin1(shortcut),
                                QString::fromUtf8(hint), nullptr);
    item->setCheckable(true);
    ConnectToggle(item, this, handler);
    return item;
  };
  FView.Barredoutils1 = toggle("&Barre d'outils", "Ctrl+B", "Basculer l'affichage de la barre d'outils",
                               &TEditForm::Barredoutils1Click);
  FView.B1 = toggle("B&ulles d'aide", "Ctrl+U", "Bascule l'affichage des bulles d'aide", &TEditForm::B1Click);
  FView.BoutonsStyle1 = toggle("Boutons &standard", "Ctrl+Shift+B",
                               "Basculer l'affichage des boutons standard", &TEditForm::BoutonsStyle1Click);
  AddSeparator(m);
  FView.Barredestatus1 = toggle("Barre d'&état", "Ctrl+T", "Basculer l'affichage de la barre d'état",
                                &TEditForm::Barredestatus1Click);
  FView.Informationslavole1 =
      toggle("Messages d'&aide", "Ctrl+I", "Basculer l'affichage des messages d'aide dans la barre d'état",
             &TEditForm::Informationslavole1Click);
  AddSeparator(m);
  FView.Signets1 = toggle("Afficher les &marques", "Ctrl+M", "Basculer l'affichage des marques",
                          &TEditForm::Signets1Click);
  FView.Themesombre1 = toggle("Thème s&ombre", "", "Basculer entre le thème sombre et le thème clair",
                              &TEditForm::Themesombre1Click);
  AddSeparator(m);
  FView.Resteraudessus1 = toggle("&Toujours au premier plan", "Ctrl+Shift+P",
                                 "Basculer l'affichage au premier plan", &TEditForm::Resteraudessus1Click);
  FView.Pleincran1 =
      AddMenuItem(m, QStringLiteral("P&lein écran"), QStringLiteral("Ctrl+Shift+L"),
                  QStringLiteral("Bascule l'affichage en mode plein écran"), &TEditForm::Pleincran1Click);
  connect(m, &QMenu::aboutToShow, this, &TEditForm::Voir1Click);
}

void TEditForm::CreateOptionsMenu() {
  FOptions.Options1 = menuBar()->addMenu(QStringLiteral("&Options"));
  QMenu* m = FOptions.Options1;
  FOptions.Polices1 =
      AddMenuItem(m, QStringLiteral("Poli&ces..."), QStringLiteral("Ctrl+F2"),
                  QStringLiteral("Modifier la police de caractères"), &TEditForm::Polices1Click);
  AddSeparator(m);
  FOptions.Prfrences1 =
      AddMenuItem(m, QStringLiteral("&Propriétés..."), QStringLiteral("Ctrl+F10"),
                  QStringLiteral("Modifier les propriétés d'édition"), &TEditForm::Prfrences1Click);
  AddSeparator(m);
  FOptions.Ouverturesmultiple1 = AddMenuItem(
      m, QStringLiteral("Ou&vertures multiples"), QStringLiteral("Ctrl+Shift+O"),
      QStringLiteral("Autorise la création d'une nouvelle instance à chaque ouverture de documents"),
      nullptr);
  FOptions.Ouverturesmultiple1->setCheckable(true);
  FOptions.Ouverturesmultiple1->setVisible(false);
  ConnectToggle(FOptions.Ouverturesmultiple1, this, &TEditForm::Ouverturesmultiple1Click);
  FOptions.N19 = AddSeparator(m, false);
  FOptions.Enregistrerlaposition1 =
      AddMenuItem(m, QStringLiteral("Mémoriser la p&osition"), QStringLiteral("Ctrl+Shift+M"),
                  QStringLiteral("Basculer l'enregistrement de la position de l'éditeur"), nullptr);
  FOptions.Enregistrerlaposition1->setCheckable(true);
  ConnectToggle(FOptions.Enregistrerlaposition1, this, &TEditForm::Enregistrerlaposition1Click);
  AddSeparator(m);
  FOptions.Enregistrerlaconfiguration1 =
      AddMenuItem(m, QStringLiteral("Enregistrer &maintenant"), QStringLiteral("Ctrl+E"),
                  QStringLiteral("Enregistrer les paramètres courants immédiatement"),
                  &TEditForm::Enregistrerlaconfiguration1Click);
  FOptions.Enregistrerlaconfigurationenquittant1 =
      AddMenuItem(m, QStringLiteral("&Enregistrer en quittant"), QStringLiteral("Ctrl+Shift+E"),
                  QStringLiteral("Enregistrer les paramètres courants en quittant l'éditeur"), nullptr);
  FOptions.Enregistrerlaconfigurationenquittant1->setCheckable(true);
  ConnectToggle(FOptions.Enregistrerlaconfigurationenquittant1, this,
                &TEditForm::Enregistrerlaconfigurationenquittant1Click);
}

void TEditForm::CreateHelpMenu() {
  FHelp.Help1 = menuBar()->addMenu(QStringLiteral("&?"));
  FHelp.Indexdelaide1 =
      AddMenuItem(FHelp.Help1, QStringLiteral("&Index de l'aide"), {}, {}, &TEditForm::Indexdelaide1Click);
  AddSeparator(FHelp.Help1);
  FHelp.Apropos1 =
      AddMenuItem(FHelp.Help1, QStringLiteral("&A propos de Quilmo..."), {},
                  QStringLiteral("Afficher des informations de copyrigth"), &TEditForm::Apropos1Click);
}

void TEditForm::CreateContextMenus() {
  FContext.PopupMenu1 = new QMenu(this);
  QMenu* m = FContext.PopupMenu1;
  const auto item = [&](const char* caption, void (TEditForm::*handler)()) {
    return AddMenuItem(m, QString::fromUtf8(caption), {}, {}, handler);
  };
  FContext.Undo2 = item("&Annuler", &TEditForm::Undo1Click);
  FContext.Rcuprer2 = item("Réc&upérer", &TEditForm::Rcuprer1Click);
  AddSeparator(m);
  FContext.Cut2 = item("&Couper", &TEditForm::Cut1Click);
  FContext.Copy2 = item("Co&pier", &TEditForm::Copy1Click);
  FContext.Paste2 = item("C&oller", &TEditForm::Paste1Click);
  FContext.Delete2 = item("&Supprimer", &TEditForm::Delete1Click);
  AddSeparator(m);
  FContext.Affichagenormal1 = item("Affichage &normal", &TEditForm::Affichagenormal1Click);
  FContext.Affichagenormal1->setVisible(false);
  FContext.Barrededfilement1 = item("&Barres de défilement", nullptr);
  FContext.Barrededfilement1->setCheckable(true);
  FContext.Barrededfilement1->setChecked(true);
  FContext.Barrededfilement1->setVisible(false);
  ConnectToggle(FContext.Barrededfilement1, this, &TEditForm::Barrededfilement1Click);
  FContext.N22 = AddSeparator(m, false);
  FContext.Gestionnairedemarques2 =
      item("&Gestionnaire de marques...", &TEditForm::Gestionnairedemarques1Click);
  FContext.Afficherlamarque1 = item("Afficher la marque", &TEditForm::Afficherlamarque1Click);
  FContext.Ajouterunemarque1 = item("Ajouter une marque", &TEditForm::Ajouterunemarque1Click);
  FContext.Supprimerunemarque1 = item("Supprimer une marque", &TEditForm::Supprimerunemarque1Click);
  FContext.Supprimertouteslesmarques2 =
      item("Supprimer toutes les marques", &TEditForm::Supprimertouteslesmarques2Click);
  AddSeparator(m);
  FContext.Proprits1 = item("P&ropriétés...", &TEditForm::Prfrences1Click);
  AddSeparator(m);
  FContext.SelectAll2 = item("Sélectionner &tout", &TEditForm::SelectAll1Click);
  connect(m, &QMenu::aboutToShow, this, &TEditForm::PopupMenu1Popup);

  // Shown by the window's event filter (EditFormEdit.cpp).

  FPopupMenu2 = new QMenu(this);
  FFichiercourant1 = FPopupMenu2->addAction(QStringLiteral("Fichier courant"));
}

QAction* TEditForm::AddToolButton(const QString& icon, const QString& hint, bool enabled,
                                  void (TEditForm::*handler)()) {
  const qsizetype bar = hint.indexOf('|');
  auto* button =
      new QAction(GlyphIcon(QStringLiteral(":/toolbar/%1.svg").arg(icon)), hint.left(bar), FBars.Toolbar);
  button->setToolTip(hint.left(bar));
  button->setStatusTip(hint.mid(bar + 1));
  button->setEnabled(enabled);
  FBars.Toolbar->addAction(button);
  if (handler) connect(button, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  return button;
}

void TEditForm::CreateToolbar() {
  FBars.Toolbar = new QToolBar(QStringLiteral("Barre d'outils"), this);
  FBars.Toolbar->setObjectName(QStringLiteral("Toolbar"));
  FBars.Toolbar->setIconSize(QSize(16, 16));
  QToolBar* bar = FBars.Toolbar;
  TToolButtons& b = FButtons;
  const auto separator = [&] { b.Separators << bar->addSeparator(); };
  b.NewBtn = AddToolButton("new", "Nouveau|Créer un nouveau document", true, &TEditForm::New1Click);
  b.OpenBtn = AddToolButton("open", "Ouvrir|Ouvrir un document existant", true, &TEditForm::Open1Click);
  b.SaveBtn = AddToolButton("save", "Enregistrer|Enregistrer le document", false, &TEditForm::Save1Click);
  separator();
  b.PrintBtn = AddToolButton("print", "Imprimer|Imprimer le document", false, &TEditForm::Print1Click);
  separator();
  b.UndoBtn = AddToolButton("undo", "Annuler|Annuler les modifications", false, &TEditForm::Undo1Click);
  b.RedoBtn =
      AddToolButton("redo", "Récupérer|Récupérer les modifications", false, &TEditForm::Rcuprer1Click);
  separator();
  b.CutBtn = AddToolButton("cut", "Couper|Supprimer la sélection vers le Presse-papiers", false,
                           &TEditForm::Cut1Click);
  b.CopyBtn = AddToolButton("copy", "Copier|Copier la sélection vers le Presse-papiers", false,
                            &TEditForm::Copy1Click);
  b.PasteBtn = AddToolButton("paste", "Coller|Coller depuis le Presse-papiers sous le curseur", false,
                             &TEditForm::Paste1Click);
  b.DelBtn = AddToolButton("delete", "Supprimer|Supprimer la sélection", false, &TEditForm::Delete1Click);
  separator();
  b.WrapBtn =
      AddToolButton("wrap", "Retour à la ligne|Basculer le retour à la ligne automatique", true, nullptr);
  b.WrapBtn->setCheckable(true);
  connect(b.WrapBtn, &QAction::triggered, this, [this] {
    FButtons.WrapBtn->setChecked(!FButtons.WrapBtn->isChecked());
    Retourlaligneautomatique1Click();
  });
  separator();
  b.FindBtn = AddToolButton("find", "Rechercher|Rechercher une chaîne de caractères dans le document", false,
                            &TEditForm::Find1Click);
  b.FindNextBtn = AddToolButton(
      "findnext",
      "Occurrence suivante|Rechercher l'occurrence suivante d'une chaîne de caractères dans le document",
      false, &TEditForm::FindNext1Click);
  b.FindPrevBtn = AddToolButton(
      "findprev",
      "Occurrence précédente|Rechercher l'occurrence précédente d'une chaîne de caractères dans le document",
      false, &TEditForm::Rechercherleprcdent1Click);
  b.ReplaceBtn = AddToolButton("replace", "Remplacer|Remplacer une chaîne de caractères dans le document",
                               false, &TEditForm::Replace1Click);
  b.LineBtn =
      AddToolButton("line", "Ligne|Rechercher une ligne dans le document", false, &TEditForm::Ligne1Click);
  separator();
  b.MarkBtn =
      AddToolButton("marks", "Gestionnaire de marques|Afficher le gestionnaire de marques", false, nullptr);
  b.MarkBtn->setCheckable(true);
  ConnectToggle(b.MarkBtn, this, &TEditForm::MarkBtnClick);
  separator();
  b.PEcranBtn1 =
      AddToolButton("fullscreen", "Plein écran|Affichage plein écran", true, &TEditForm::PEcranBtn1Click);
  addToolBar(Qt::TopToolBarArea, bar);
  connect(bar->toggleViewAction(), &QAction::triggered, this, [this](bool shown) {
    if (!shown) ToolbarClose();
  });
}

void TEditForm::CreateBars() {
  FBars.PanelBar = new QToolBar(QStringLiteral("Barre de statut"), this);
  FBars.PanelBar->setObjectName(QStringLiteral("PanelBar"));
  FBars.PanelBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
  addToolBar(Qt::BottomToolBarArea, FBars.PanelBar);
  connect(FBars.PanelBar->toggleViewAction(), &QAction::triggered, this, [this](bool shown) {
    if (!shown) PanelBarClose();
  });
  CreateStatusPanel();

  auto* markForm = new TMarkForm(this);
  markForm->OnShowMark = [this] { Afficherlamarque1Click(); };
  markForm->OnRemoveMark = [this] { Supprimerunemarque1Click(); };
  markForm->OnContextMenu = [this](const QPoint& at) { ShowMarkListMenu(at); };
  FBars.MarkForm = markForm;
  FBars.ListBox1 = markForm->ListBox1;
  addDockWidget(Qt::BottomDockWidgetArea, FBars.MarkForm);
  FBars.MarkForm->installEventFilter(this);

  FBars.ScreenButton = new QToolBar(QString(), this);
  FBars.ScreenButton->setObjectName(QStringLiteral("ScreenButton"));
  FBars.ScreenButton->setAccessibleName(QStringLiteral("Plein écran"));
  FBars.PecranBtn = FBars.ScreenButton->addAction(GlyphIcon(QStringLiteral(":/toolbar/normalview.svg")),
                                                  QStringLiteral("Affichage normal"));
  FBars.PecranBtn->setToolTip(QStringLiteral("Affichage normal"));
  connect(FBars.PecranBtn, &QAction::triggered, this, &TEditForm::PecranBtnClick);
  addToolBar(Qt::TopToolBarArea, FBars.ScreenButton);
  FBars.ScreenButton->hide();
  connect(FBars.ScreenButton->toggleViewAction(), &QAction::triggered, this, [this](bool shown) {
    if (!shown) ScreenButtonClose();
  });
}

}  // namespace quilmo
