#include "app/dialogs/DateForm.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/AccessibleNames.h"
#include "app/dialogs/DialogPlacement.h"
#include "editor/CustomTextFileEditor.h"
#include "editor/qt/Cp1252Text.h"

namespace quilmo {

TDateForm::TDateForm(TDialogHost& host, QWidget* parent, const TClock& clock, const TDateNames& names)
    : QDialog(parent), FHost(host) {
  setObjectName(QStringLiteral("DateForm"));
  UseDialogFont(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QStringLiteral("Date et heure"));
  Label1 = new QLabel(QStringLiteral("Formats disponibles:"), this);
  DateList = new QListWidget(this);
  DateList->setObjectName(QStringLiteral("DateList"));
  DateList->setSelectionMode(QAbstractItemView::SingleSelection);
  DateList->setFixedSize(170, 166);
  Label1->setBuddy(DateList);
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button2 = new QPushButton(QStringLiteral("Annuler"), this);
  Button1->setDefault(true);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addStretch();
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(8, 6, 8, 8);
  grid->setVerticalSpacing(2);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(DateList, 1, 0);
  grid->addLayout(buttons, 1, 1);

  FixClientSize(this, {kClientWidth, kClientHeight});
  CenterOver(FHost.DialogParent(), this);
  for (const QString& format : DateDialogFormats()) DateList->addItem(FormatDateTime(format, clock(), names));
  DateList->setCurrentRow(0);
  Button1->setFocus();

  DateList->installEventFilter(this);
  connect(DateList, &QListWidget::itemDoubleClicked, this, &TDateForm::Button1Click);
  connect(Button1, &QPushButton::clicked, this, &TDateForm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  NameForReaders(this);
}

void TDateForm::Button1Click() {
  if (const QListWidgetItem* item = DateList->currentItem(); item && item->isSelected()) {
    FHost.Editor().InsertString(QStringToBytes(item->text()));
    accept();
  }
  FHost.UpdateButtons(true);
}

bool TDateForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == DateList && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Button1Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace quilmo
