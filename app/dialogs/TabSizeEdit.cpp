#include "app/dialogs/TabSizeEdit.h"

#include <QLineEdit>

#include <algorithm>

namespace quilmo {

QString ParseTabSize(const QString& text, int& size) {
  bool ok = false;
  const qlonglong value = text.trimmed().toLongLong(&ok, 10);
  if (!ok) return QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(text);
  if (value < kTypedTabSizeMin || value > kTypedTabSizeMax)
    return QStringLiteral("La taille des tabulations doit être comprise entre %1 et %2")
        .arg(kTypedTabSizeMin)
        .arg(kTypedTabSizeMax);
  size = static_cast<int>(value);
  return {};
}

TTabSizeEdit::TTabSizeEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  setWrapping(false);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  connect(lineEdit(), &QLineEdit::textChanged, this, &TTabSizeEdit::TextChanged);
}

void TTabSizeEdit::SetText(const QString& text) {
  lineEdit()->setText(text);
}

QValidator::State TTabSizeEdit::validate(QString&, int&) const {
  return QValidator::Acceptable;
}

void TTabSizeEdit::stepBy(int steps) {
  bool ok = false;
  const int value = text().trimmed().toInt(&ok, 10);
  const int from = ok ? value : kMin;
  SetText(QString::number(std::clamp(from + steps * kStep, kMin, kMax)));
}

QAbstractSpinBox::StepEnabled TTabSizeEdit::stepEnabled() const {
  bool ok = false;
  const int value = text().trimmed().toInt(&ok, 10);
  if (!ok) return StepUpEnabled | StepDownEnabled;
  StepEnabled enabled = StepNone;
  if (value < kMax) enabled |= StepUpEnabled;
  if (value > kMin) enabled |= StepDownEnabled;
  return enabled;
}

}  // namespace quilmo
