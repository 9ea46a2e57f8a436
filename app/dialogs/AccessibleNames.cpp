#include "app/dialogs/AccessibleNames.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace quilmo {

namespace {

void SetName(QWidget* widget, const QString& name) {
  if (widget != nullptr && widget->accessibleName().isEmpty() && !name.isEmpty())
    widget->setAccessibleName(name);
}

void Describe(QWidget* widget) {
  const QString hint = widget->statusTip();
  if (hint.isEmpty() || !widget->accessibleDescription().isEmpty()) return;
  widget->setAccessibleDescription(HintDescription(hint));
}

}  // namespace

QString WithoutMnemonic(const QString& caption) {
  QString result;
  result.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
    result.append(caption[i]);
  }
  return result.trimmed();
}

QString HintDescription(const QString& hint) {
  return hint.mid(hint.indexOf(QLatin1Char('|')) + 1);
}

void NameForReaders(QWidget* root) {
  if (root == nullptr) return;
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  for (QWidget* widget : widgets) {
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
      SetName(label->buddy(), WithoutMnemonic(label->text()));
    Describe(widget);
  }
  // After the buddies: the parts of a combo box take its name.
  for (QWidget* widget : widgets) {
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      SetName(combo->lineEdit(), combo->accessibleName());
      SetName(combo->view(), combo->accessibleName());
    }
    if (auto* bar = qobject_cast<QToolBar*>(widget)) {
      if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"),
                                                    Qt::FindDirectChildrenOnly))
        SetName(more, QStringLiteral("Autres boutons"));
    }
  }
}

}  // namespace quilmo
