// The status bar, the bars' visibility and look, full screen, auto-scroll, fonts and help.
#include <QAction>
#include <QToolBar>

#include "app/EditForm.h"

namespace quilmo {

void TEditForm::CreateStatusPanel() {}
void TEditForm::UpdateStatusBar() {}
// Runs each time the event loop is about to wait: must do nothing when nothing changed.
void TEditForm::AppIdle() {}
void TEditForm::Pressepapiers1Click() {}
QString TEditForm::ClipboardViewerPath() const {
  return {};
}

void TEditForm::Barredoutils1Click() {
  FBars.Toolbar->setVisible(!FView.Barredoutils1->isChecked());
  FView.Barredoutils1->setChecked(!FView.Barredoutils1->isChecked());
  FViewFlags.ToolBarShown = FView.Barredoutils1->isChecked();
}

void TEditForm::ToolbarClose() {
  FView.Barredoutils1->setChecked(false);
  FViewFlags.ToolBarShown = false;
}

void TEditForm::Barredestatus1Click() {
  FBars.PanelBar->setVisible(!FView.Barredestatus1->isChecked());
  FView.Barredestatus1->setChecked(!FView.Barredestatus1->isChecked());
  FViewFlags.StatusBarShown = FView.Barredestatus1->isChecked();
}

void TEditForm::PanelBarClose() {
  FView.Barredestatus1->setChecked(false);
  FViewFlags.StatusBarShown = false;
}

void TEditForm::B1Click() {
  FView.B1->setChecked(!FView.B1->isChecked());
  SetTooltips(FView.B1->isChecked());
  FViewFlags.Tooltips = FView.B1->isChecked();
}

void TEditForm::BoutonsStyle1Click() {
  FView.BoutonsStyle1->setChecked(!FView.BoutonsStyle1->isChecked());
  FViewFlags.StandardButtons = FView.BoutonsStyle1->isChecked();
  SetButtonStyle(FViewFlags.StandardButtons);
}

void TEditForm::Informationslavole1Click() {
  FView.Informationslavole1->setChecked(!FView.Informationslavole1->isChecked());
  FViewFlags.StatusHelp = FView.Informationslavole1->isChecked();
}

void TEditForm::SetButtonStyle(bool) {}
void TEditForm::SetTooltips(bool) {}
void TEditForm::Pleincran1Click() {}
void TEditForm::PEcranBtn1Click() {}
void TEditForm::PecranBtnClick() {}
void TEditForm::Affichagenormal1Click() {}
void TEditForm::ScreenButtonClose() {}
void TEditForm::Barrededfilement1Click() {}
void TEditForm::EnterFullScreen() {}
void TEditForm::LeaveFullScreen() {}
void TEditForm::Polices1Click() {}
void TEditForm::Indexdelaide1Click() {}
void TEditForm::Timer1Timer() {}
void TEditForm::AutoScrollKey(std::uint16_t, std::uint8_t) {}
void TEditForm::ShowHelp(int) {}

}  // namespace quilmo
