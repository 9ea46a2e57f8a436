#include "app/Settings.h"

#include <QMetaType>
#include <QSettings>
#include <QVariant>

#include "app/AppInfo.h"

namespace quilmo {

namespace {

QString FindIgnoringCase(const QStringList& names, const QString& name) {
  for (const QString& stored : names)
    if (stored.compare(name, Qt::CaseInsensitive) == 0) return stored;
  return name;
}

}  // namespace

TSettingsStore::TSettingsStore()
    : FSettings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganization,
                                            kApplicationTitle)) {}

TSettingsStore::TSettingsStore(const QString& path)
    : FSettings(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

TSettingsStore::~TSettingsStore() = default;

bool TSettingsStore::HasSubKeys() const {
  return !FSettings->childGroups().isEmpty();
}

QStringList TSettingsStore::Sections() const {
  return FSettings->childGroups();
}

QString TSettingsStore::StoredSection(const QString& section) const {
  return FindIgnoringCase(FSettings->childGroups(), section);
}

QString TSettingsStore::StoredKey(const QString& storedSection, const QString& name) const {
  FSettings->beginGroup(storedSection);
  const QStringList keys = FSettings->childKeys();
  FSettings->endGroup();
  return FindIgnoringCase(keys, name);
}

bool TSettingsStore::Lookup(const QString& section, const QString& name, QString& text) const {
  if (FSettings->status() == QSettings::AccessError)
    throw ESettingsError(ReadErrorMessage(name).toStdString());
  const QString storedSection = StoredSection(section);
  const QString path = storedSection + '/' + StoredKey(storedSection, name);
  const QVariant value = FSettings->value(path);
  if (!value.isValid()) return false;
  if (value.typeId() != QMetaType::QString) throw ESettingsError(TypeErrorMessage(name).toStdString());
  text = value.toString();
  return true;
}

bool TSettingsStore::ValueExists(const QString& section, const QString& name) const {
  QString text;
  return Lookup(section, name, text);
}

QString TSettingsStore::ReadString(const QString& section, const QString& name,
                                   const QString& defaultValue) const {
  QString text;
  return Lookup(section, name, text) ? text : defaultValue;
}

int TSettingsStore::ReadInteger(const QString& section, const QString& name, int defaultValue) const {
  QString text;
  if (!Lookup(section, name, text)) return defaultValue;
  bool ok = false;
  const int value = text.toInt(&ok, 10);
  return ok ? value : defaultValue;
}

bool TSettingsStore::ReadBool(const QString& section, const QString& name, bool defaultValue) const {
  return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

void TSettingsStore::WriteString(const QString& section, const QString& name, const QString& value) {
  const QString storedSection = StoredSection(section);
  FSettings->setValue(storedSection + '/' + StoredKey(storedSection, name), value);
  if (FFirstUnflushed.isEmpty()) FFirstUnflushed = name;
}

void TSettingsStore::WriteInteger(const QString& section, const QString& name, int value) {
  WriteString(section, name, QString::number(value));
}

void TSettingsStore::WriteBool(const QString& section, const QString& name, bool value) {
  WriteString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TSettingsStore::EraseSection(const QString& section) {
  FSettings->remove(StoredSection(section));
}

void TSettingsStore::Flush() {
  const QString name = FFirstUnflushed;
  FFirstUnflushed.clear();
  FSettings->sync();
  if (FSettings->status() == QSettings::AccessError && !name.isEmpty())
    throw ESettingsError(WriteErrorMessage(name).toStdString());
}

QString TSettingsStore::WriteErrorMessage(const QString& name) {
  return QStringLiteral("Erreur à définition des données pour '%1'").arg(name);
}

QString TSettingsStore::ReadErrorMessage(const QString& name) {
  return QStringLiteral("Erreur à l'obtention des données pour '%1'").arg(name);
}

QString TSettingsStore::TypeErrorMessage(const QString& name) {
  return QStringLiteral("Type de données incorrect pour '%1'").arg(name);
}

}  // namespace quilmo
