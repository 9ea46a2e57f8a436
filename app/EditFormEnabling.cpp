// When commands are enabled: eagerly on the tool bar, lazily when a menu opens, and afresh
// before a menu shortcut runs its item.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QToolBar>

#include "app/EditForm.h"
#include "editor/TextFileEditor.h"

namespace quilmo {

namespace {

int KeyOf(const QKeySequence& sequence) {
  return sequence.isEmpty() ? 0 : sequence[0].toCombined();
}

}  // namespace

void TEditForm::UpdateButtons(bool hasText) {
  for (QAction* button :
       {FButtons.PrintBtn, FButtons.FindBtn, FButtons.ReplaceBtn, FButtons.LineBtn, FButtons.MarkBtn})
    button->setEnabled(hasText);
  const bool canSearchAgain = hasText && FEditor->ByteCount() > 0 && !FSearchState.SearchText.isEmpty();
  FButtons.FindNextBtn->setEnabled(canSearchAgain);
  FButtons.FindPrevBtn->setEnabled(canSearchAgain);
}

bool TEditForm::ClipboardHasText() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasText();
}

void TEditForm::RefreshToolButtons() {
  if (FBars.Toolbar->isHidden()) return;
  const bool selection = FEditor->HasSelection();
  FButtons.PasteBtn->setEnabled(ClipboardHasText());
  FButtons.SaveBtn->setEnabled(FEditor->Modified());
  FButtons.UndoBtn->setEnabled(FEditor->CanUndo());
  FButtons.RedoBtn->setEnabled(FEditor->CanRedo());
  FButtons.CutBtn->setEnabled(selection);
  FButtons.CopyBtn->setEnabled(selection);
  FButtons.DelBtn->setEnabled(selection);
}

void TEditForm::File1Click() {
  RefreshHistoryMenu();
  FFile.Print1->setEnabled(FEditor->ByteCount() > 0);
  FFile.Save1->setEnabled(FEditor->Modified());
  FFile.SaveAs1->setEnabled(true);
}

void TEditForm::Edit1Click() {
  const bool selection = FEditor->HasSelection();
  FEdit.SelectAll1->setEnabled(FEditor->ByteCount() > 0);
  FEdit.Undo1->setEnabled(FEditor->CanUndo());
  FEdit.Rcuprer1->setEnabled(FEditor->CanRedo());
  FEdit.Copy1->setEnabled(selection);
  FEdit.Cut1->setEnabled(selection);
  FEdit.Delete1->setEnabled(selection);
  FEdit.Paste1->setEnabled(ClipboardHasText());
}

void TEditForm::Search1Click() {
  const bool hasText = FEditor->ByteCount() > 0;
  FSearch.Find1->setEnabled(hasText);
  FSearch.Replace1->setEnabled(hasText);
  FSearch.FindNext1->setEnabled(hasText && !FSearchState.SearchText.isEmpty());
  FSearch.Rechercherleprcdent1->setEnabled(hasText && !FSearchState.SearchText.isEmpty());
  FSearch.Ligne1->setEnabled(hasText);
  FSearch.Supprimertouteslesmarques1->setEnabled(hasText);
  FSearch.Gestionnairedemarques1->setEnabled(hasText);
}

void TEditForm::Voir1Click() {
  // The clipboard viewer exists only where the system has one.
  const bool viewer = !ClipboardViewerPath().isEmpty();
  FView.Pressepapiers1->setVisible(viewer);
  FView.N15->setVisible(viewer);
}

void TEditForm::PopupMenu1Popup() {
  const bool selection = FEditor->HasSelection();
  FContext.SelectAll2->setEnabled(FEditor->ByteCount() > 0);
  FContext.Undo2->setEnabled(FEditor->CanUndo());
  FContext.Copy2->setEnabled(selection);
  FContext.Cut2->setEnabled(selection);
  FContext.Delete2->setEnabled(selection);
  FContext.Paste2->setEnabled(ClipboardHasText());
  FContext.Rcuprer2->setEnabled(FEditor->CanRedo());
  FContext.Gestionnairedemarques2->setEnabled(FEditor->ByteCount() > 0);
  const int marks = MarkCount();
  FContext.Afficherlamarque1->setEnabled(marks > 0);
  FContext.Supprimerunemarque1->setEnabled(marks > 0);
  FContext.Supprimertouteslesmarques2->setEnabled(marks >= 2);
  FContext.Ajouterunemarque1->setEnabled(marks < 10);
}

void TEditForm::RegisterShortcut(QAction* item, QMenu* topMenu) {
  if (const int key = KeyOf(item->shortcut())) FShortcuts.insert(key, {item, topMenu});
}

bool TEditForm::HandleMenuShortcut(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  const auto found = FShortcuts.constFind(QKeyCombination(modifiers, Qt::Key(key.key())).toCombined());
  if (found == FShortcuts.cend()) return false;
  auto [item, menu] = found.value();
  // The menu's opening handler decides afresh; visibility is not looked at. Qt reports a
  // hidden action as disabled, and no rule of this window disables a hidden item.
  emit menu->aboutToShow();
  if (item->isEnabled() || !item->isVisible()) item->activate(QAction::Trigger);
  return true;
}

}  // namespace quilmo
