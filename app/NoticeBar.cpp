#include "app/NoticeBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace quilmo {

TNoticeBar::TNoticeBar(const QString& action, QWidget* parent)
    : QFrame(parent),
      FLabel(new QLabel(this)),
      FAction(new QPushButton(action, this)),
      FClose(new QPushButton(QStringLiteral("&Ignorer"), this)) {
  setObjectName(QStringLiteral("NoticeBar"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::ToolTipBase);
  setForegroundRole(QPalette::ToolTipText);
  setFocusPolicy(Qt::NoFocus);
  setAccessibleName(QStringLiteral("Avis"));
  FLabel->setWordWrap(true);
  FLabel->setTextFormat(Qt::PlainText);
  FLabel->setForegroundRole(QPalette::ToolTipText);
  FLabel->setTextInteractionFlags(Qt::NoTextInteraction);
  for (QPushButton* button : {FAction, FClose}) button->setFocusPolicy(Qt::NoFocus);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 4, 4, 4);
  layout->addWidget(FLabel, 1);
  layout->addWidget(FAction);
  layout->addWidget(FClose);
  FTimeout.setSingleShot(true);
  FTimeout.setInterval(kInformationMs);
  connect(&FTimeout, &QTimer::timeout, this, [this] {
    if (OnClose) OnClose();
  });
  connect(FAction, &QPushButton::clicked, this, [this] {
    if (OnAction) OnAction();
  });
  connect(FClose, &QPushButton::clicked, this, [this] {
    if (OnClose) OnClose();
  });
  hide();
}

void TNoticeBar::ShowNotice(const QString& text, TNoticeOffer offer, TNoticeStay stay) {
  FLabel->setText(text);
  FAction->setVisible(offer == TNoticeOffer::Action);
  if (stay == TNoticeStay::Passing)
    FTimeout.start();
  else
    FTimeout.stop();
  show();
}

void TNoticeBar::HideNotice() {
  FTimeout.stop();
  hide();
}

QString TNoticeBar::Text() const {
  return FLabel->text();
}

}  // namespace quilmo
