#include "app/dialogs/AboutBox.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/dialogs/AccessibleNames.h"
#include "app/dialogs/DialogPlacement.h"

#ifndef QUILMO_VERSION
#define QUILMO_VERSION "0"
#endif

namespace quilmo {

QString AboutUserLabel(const TRegisteredUser& user) {
  if (!user.Owner.isEmpty()) return user.Owner;
  if (!user.Organization.isEmpty()) return user.Organization;
  return QStringLiteral("Utilisation libre");
}

namespace {

QLabel* NewLabel(QWidget* parent, const QString& text, int pointSize, bool bold, const QColor& color) {
  auto* label = new QLabel(text, parent);
  QFont font = label->font();
  font.setPointSize(pointSize);
  font.setBold(bold);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  return label;
}

}  // namespace

TAboutBox::TAboutBox(TDialogHost& host, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  UseDialogFont(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QStringLiteral("A propos..."));

  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameShape(QFrame::StyledPanel);
  Panel1->setFrameShadow(QFrame::Sunken);
  Panel1->setFixedSize(285, 140);
  Panel1->setAutoFillBackground(true);
  QPalette panelPalette = Panel1->palette();
  panelPalette.setColor(QPalette::Window, QColor(255, 251, 240));
  Panel1->setPalette(panelPalette);

  const QColor black(Qt::black);
  const QColor grey(Qt::darkGray);
  ProgramIcon = new QLabel(Panel1);
  ProgramIcon->setFixedSize(32, 32);
  QIcon icon = QApplication::windowIcon();
  if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_FileIcon);
  ProgramIcon->setPixmap(icon.pixmap(32, 32));
  Label3 = NewLabel(Panel1, QStringLiteral("Quilmo"), 12, true, black);
  Label2 =
      NewLabel(Panel1, QStringLiteral("Version %1").arg(QStringLiteral(QUILMO_VERSION)), 8, false, black);
  Comment = NewLabel(Panel1, QStringLiteral("Éditeur de textes"), 8, false, grey);
  Adresse = NewLabel(Panel1, QStringLiteral("Orvane"), 8, false, grey);
  Label4 = NewLabel(Panel1, QString(), 8, false, grey);
  Label4->hide();
  Label5 = NewLabel(Panel1, QStringLiteral("Ce programme est utilisé par :"), 8, false, black);
  Label1 = NewLabel(Panel1, AboutUserLabel(host.RegisteredUser()), 8, false, black);
  Label1->setObjectName(QStringLiteral("Label1"));

  auto* panelLayout = new QGridLayout(Panel1);
  panelLayout->setContentsMargins(8, 8, 8, 8);
  panelLayout->setVerticalSpacing(1);
  panelLayout->addWidget(ProgramIcon, 0, 0, 2, 1, Qt::AlignTop);
  panelLayout->addWidget(Label3, 0, 1);
  panelLayout->addWidget(Label2, 1, 1);
  panelLayout->addWidget(Comment, 2, 1);
  panelLayout->addWidget(Adresse, 3, 1);
  panelLayout->addWidget(Label4, 4, 1);
  panelLayout->setRowStretch(5, 1);
  panelLayout->addWidget(Label5, 6, 0, 1, 2);
  panelLayout->addWidget(Label1, 7, 0, 1, 2);
  panelLayout->setColumnStretch(1, 1);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch();
  buttonRow->addWidget(Button1);
  buttonRow->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(Panel1, 0, Qt::AlignHCenter);
  layout->addLayout(buttonRow);

  FixClientSize(this, {kClientWidth, kClientHeight});
  CenterOver(host.DialogParent(), this);
  Button1->setFocus();
  NameForReaders(this);
}

}  // namespace quilmo
