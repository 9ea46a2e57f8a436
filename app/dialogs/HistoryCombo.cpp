#include "app/dialogs/HistoryCombo.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace quilmo {

QStringList TenEntries(QStringList entries) {
  while (entries.size() > kHistorySize) entries.removeLast();
  while (entries.size() < kHistorySize) entries.append(QString());
  return entries;
}

void PushHistory(QStringList& entries, const QString& text) {
  if (text.isEmpty()) return;
  entries.removeAll(text);
  while (entries.size() > kHistorySize - 1) entries.removeLast();
  while (entries.size() < kHistorySize - 1) entries.append(QString());
  entries.prepend(text);
}

THistoryCombo::THistoryCombo(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  setMaxVisibleItems(3);
  setDuplicatesEnabled(true);
  lineEdit()->setMaxLength(kSearchTextMax);
}

QStringList THistoryCombo::Entries() const {
  QStringList entries;
  for (int i = 0; i < count(); ++i) entries.append(itemText(i));
  return entries;
}

void THistoryCombo::SetEntries(const QStringList& entries) {
  const QString text = currentText();
  {
    // Filling the list changes the edit text; only the final text is reported.
    const QSignalBlocker blocker(this);
    const QSignalBlocker editBlocker(lineEdit());
    clear();
    addItems(entries);
    setCurrentIndex(-1);
    setEditText(text);
  }
}

void THistoryCombo::Push(const QString& text) {
  QStringList entries = Entries();
  PushHistory(entries, text);
  SetEntries(entries);
}

}  // namespace quilmo
