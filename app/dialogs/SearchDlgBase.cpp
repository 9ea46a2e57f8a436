#include "app/dialogs/SearchDlgBase.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/dialogs/DialogPlacement.h"
#include "app/dialogs/HistoryCombo.h"
#include "editor/CustomTextFileEditor.h"
#include "editor/qt/Cp1252Text.h"
#include "engine/Search.h"

namespace quilmo {

QString NotFoundMessage(const QString& text) {
  return QStringLiteral("Le texte \"") + text + QStringLiteral("\" est introuvable");
}

void ReportNotFound(TDialogHost& host, const QString& text) {
  host.Beep();
  host.ShowInformation(NotFoundMessage(text));
}

bool SearchBytes(const QString& text, std::string& bytes) {
  bytes = QStringToBytes(text);
  return BytesToQString(bytes) == text;
}

bool SearchEditor(TDialogHost& host, const QString& text, std::uint8_t options) {
  std::string bytes;
  return SearchBytes(text, bytes) && host.Editor().Search(bytes, options);
}

int ReplaceInEditor(TDialogHost& host, const QString& text, const QString& replacement,
                    std::uint8_t options) {
  std::string bytes;
  if (!SearchBytes(text, bytes)) return -1;
  return host.Editor().Replace(bytes, QStringToBytes(replacement), options);
}

TSearchDlgBase::TSearchDlgBase(TDialogHost& host, QWidget* parent)
    : QDialog(parent), FHost(host), FState(host.SearchState()) {
  setAttribute(Qt::WA_DeleteOnClose);
  UseDialogFont(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(false);

  // Alt+R types a search at once; no other control of either dialog uses R.
  Label1 = new QLabel(QStringLiteral("&Rechercher"), this);
  FindBox1 = new THistoryCombo(this);
  FindBox1->setObjectName(QStringLiteral("FindBox1"));
  Label1->setBuddy(FindBox1);
  MotEntier1 = new QCheckBox(QStringLiteral("&Mot entier"), this);
  MotEntier1->setObjectName(QStringLiteral("MotEntier1"));
  Casse1 = new QCheckBox(QStringLiteral("Respecter la &casse"), this);
  Casse1->setObjectName(QStringLiteral("Casse1"));

  Direction1 = new QGroupBox(QStringLiteral("Direction"), this);
  Direction1->setObjectName(QStringLiteral("Direction1"));
  Haut = new QRadioButton(QStringLiteral("&Haut"), Direction1);
  Bas = new QRadioButton(QStringLiteral("&Bas"), Direction1);
  auto* directionLayout = new QHBoxLayout(Direction1);
  directionLayout->setContentsMargins(6, 0, 6, 2);
  directionLayout->addWidget(Haut);
  directionLayout->addWidget(Bas);
  FDirectionGroup = new QButtonGroup(this);
  FDirectionGroup->addButton(Haut, static_cast<int>(TSearchDirection::sdUp));
  FDirectionGroup->addButton(Bas, static_cast<int>(TSearchDirection::sdDown));
  Bas->setChecked(true);

  Button1 = new QPushButton(QStringLiteral("&Suivant"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);

  connect(FDirectionGroup, &QButtonGroup::idToggled, this, &TSearchDlgBase::DirectionChanged);
  connect(Casse1, &QCheckBox::clicked, this, &TSearchDlgBase::CaseClicked);
}

TSearchDirection TSearchDlgBase::Direction() const {
  return Haut->isChecked() ? TSearchDirection::sdUp : TSearchDirection::sdDown;
}

void TSearchDlgBase::SetDirection(TSearchDirection direction) {
  (direction == TSearchDirection::sdUp ? Haut : Bas)->setChecked(true);
}

void TSearchDlgBase::done(int result) {
  if (!FFinished) {
    FFinished = true;
    Finish();
  }
  QDialog::done(result);
}

void TSearchDlgBase::closeEvent(QCloseEvent* event) {
  // A dialog closed before it was ever shown does not pass through done().
  if (!FFinished) {
    FFinished = true;
    Finish();
  }
  QDialog::closeEvent(event);
}

std::uint8_t TSearchDlgBase::OptionsFromControls() const {
  std::uint8_t options = 0;
  if (Direction() == TSearchDirection::sdUp) options |= soBackward;
  if (Casse1->isChecked()) options |= soMatchCase;
  if (MotEntier1->isChecked()) options |= soWholeWord;
  return options;
}

void TSearchDlgBase::SetOptionBit(std::uint8_t bit, bool on) {
  if (on)
    FState.SearchOptions = static_cast<std::uint8_t>(FState.SearchOptions | bit);
  else
    FState.SearchOptions = static_cast<std::uint8_t>(FState.SearchOptions & ~bit);
}

void TSearchDlgBase::ClearSearchOptions() {
  SetOptionBit(soWholeWord | soMatchCase | soBackward, false);
}

void TSearchDlgBase::FindNextFromDialog() {
  FState.SearchOptions = OptionsFromControls();
  const QString text = FindBox1->currentText();
  if (!SearchEditor(FHost, text, FState.SearchOptions)) ReportNotFoundHere(text);
  FHost.UpdateSearchMenu();
}

void TSearchDlgBase::ReportNotFoundHere(const QString& text) {
  ReportNotFound(FHost, text);
  // The closed message box hands the keyboard to the main window; the search goes on here.
  if (!isVisible()) return;
  raise();
  activateWindow();
}

void TSearchDlgBase::CloseFromButton() {
  if (FindBox1->currentText().isEmpty()) {
    FState.SearchText.clear();
    FHost.SetFindNextEnabled(false);
  }
  close();
}

void TSearchDlgBase::SetFindButtonsEnabled(bool enabled) {
  Button1->setEnabled(enabled);
  FHost.SetFindNextEnabled(enabled);
}

void TSearchDlgBase::RestoreTopmost() {
  if (!FState.RestoreOnTop) return;
  FState.RestoreOnTop = false;
  FHost.SetStayOnTop(true);
}

void TSearchDlgBase::FocusSuivant() {
  FindBox1->lineEdit()->selectAll();
  Button1->setFocus();
}

void TSearchDlgBase::DirectionChanged(int id, bool checked) {
  if (!checked) return;
  SetOptionBit(soBackward, id == static_cast<int>(TSearchDirection::sdUp));
  // With a selection, a change of direction moves on at once, without any report.
  if (FHost.Editor().HasSelection()) SearchEditor(FHost, FindBox1->currentText(), FState.SearchOptions);
}

void TSearchDlgBase::CaseClicked(bool checked) {
  SetOptionBit(soMatchCase, checked);
}

}  // namespace quilmo
