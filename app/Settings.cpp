#include "app/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaType>
#include <QSettings>
#include <QVariant>

#include "app/AppInfo.h"

namespace quilmo {

namespace {

// The settings hold the recent files and the searches: their file is readable by its owner
// only. It is created so, or narrowed, before the settings are written into it; the saving
// keeps the mode of the file it replaces.
void KeepToOwner(const QString& path) {
#ifndef Q_OS_WIN
  constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
  constexpr QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                        QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
  QFile file(path);
  if (file.exists()) {
    const QFile::Permissions mode = file.permissions();
    if (mode & others) file.setPermissions(mode & (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    return;
  }
  QDir().mkpath(QFileInfo(path).absolutePath());
  if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly)) file.close();
#else
  Q_UNUSED(path);  // the registry, or a file whose access the folder's rights decide
#endif
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

void TSettingsStore::BuildIndex() const {
  if (FIndexBuilt) return;
  FSectionIndex.clear();
  FPathIndex.clear();
  for (const QString& path : FSettings->allKeys()) {
    const qsizetype slash = path.indexOf('/');
    if (slash < 0) continue;  // a value outside every section
    FSectionIndex.insert(path.left(slash).toLower(), path.left(slash));
    FPathIndex.insert(path.toLower(), path);
  }
  FIndexBuilt = true;
}

QString TSettingsStore::StoredSection(const QString& section) const {
  BuildIndex();
  return FSectionIndex.value(section.toLower(), section);
}

QString TSettingsStore::StoredPath(const QString& section, const QString& name) const {
  BuildIndex();
  const QString wanted = section + '/' + name;
  if (const auto found = FPathIndex.constFind(wanted.toLower()); found != FPathIndex.cend()) return *found;
  return StoredSection(section) + '/' + name;
}

bool TSettingsStore::Lookup(const QString& section, const QString& name, QString& text) const {
  // A store that cannot be read holds nothing, and a value that is not text (an
  // "@ByteArray(...)", a list) counts as missing: the reader's default stands for it until the
  // settings are saved again.
  const QVariant value = FSettings->value(StoredPath(section, name));
  if (value.typeId() != QMetaType::QString) return false;
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

int TSettingsStore::ReadInteger(const QString& section, const QString& name, int defaultValue, int lowest,
                                int highest) const {
  const int value = ReadInteger(section, name, defaultValue);
  return value >= lowest && value <= highest ? value : defaultValue;
}

bool TSettingsStore::ReadBool(const QString& section, const QString& name, bool defaultValue) const {
  return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

void TSettingsStore::WriteString(const QString& section, const QString& name, const QString& value) {
  const QString path = StoredPath(section, name);
  FSettings->setValue(path, value);
  FSectionIndex.insert(section.toLower(), path.left(path.indexOf('/')));
  FPathIndex.insert(path.toLower(), path);
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
  FIndexBuilt = false;
}

void TSettingsStore::Flush() {
  const QString name = FFirstUnflushed;
  FFirstUnflushed.clear();
  if (!name.isEmpty()) KeepToOwner(FSettings->fileName());
  FSettings->sync();
  FIndexBuilt = false;  // the storage may hold another copy's values now
  // A storage that refuses writes is reported once: every later save would only say it again.
  if (FSettings->status() == QSettings::AccessError && !name.isEmpty() && !FRefusalReported) {
    FRefusalReported = true;
    throw ESettingsError(WriteErrorMessage(name).toStdString());
  }
}

QString TSettingsStore::WriteErrorMessage(const QString& name) {
  return QStringLiteral("Erreur à définition des données pour '%1'").arg(name);
}

}  // namespace quilmo
