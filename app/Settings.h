#pragma once
// The per-user settings store: sections of named values, every value kept as text, section
// and value names compared without regard to case (QSettings' INI keys are case sensitive on
// Linux, so the lookup is done here). Integers are decimal text, Booleans "0" and "1".
//
// Reads fall back on the reader's default when the section or value is missing, is not text,
// cannot be read or, for integers, is not a decimal number: a bad value never stops the
// program, and the next save writes a good one over it. Writes are collected and reach the
// storage at Flush(), which raises ESettingsError with the French message the user sees.
// The file the settings are kept in is readable by its owner only.

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

#include "engine/EditorErrors.h"

class QSettings;

namespace quilmo {

class ESettingsError : public EQuilmoException {
 public:
  using EQuilmoException::EQuilmoException;
};

class TSettingsStore {
 public:
  // The program's own store: QSettings("Orvane", "Quilmo") in the platform's format.
  TSettingsStore();
  // A store in the INI file `path` (tests use a temporary folder).
  explicit TSettingsStore(const QString& path);
  ~TSettingsStore();
  TSettingsStore(const TSettingsStore&) = delete;
  TSettingsStore& operator=(const TSettingsStore&) = delete;

  // The key holds no section at all: the program was never started by this user.
  bool HasSubKeys() const;
  // Names of the sections, as stored.
  QStringList Sections() const;
  bool ValueExists(const QString& section, const QString& name) const;

  QString ReadString(const QString& section, const QString& name, const QString& defaultValue) const;
  int ReadInteger(const QString& section, const QString& name, int defaultValue) const;
  // The default too for a number outside lowest..highest.
  int ReadInteger(const QString& section, const QString& name, int defaultValue, int lowest,
                  int highest) const;
  bool ReadBool(const QString& section, const QString& name, bool defaultValue) const;

  void WriteString(const QString& section, const QString& name, const QString& value);
  void WriteInteger(const QString& section, const QString& name, int value);
  void WriteBool(const QString& section, const QString& name, bool value);
  // Removes a whole section (all its values).
  void EraseSection(const QString& section);

  // Writes what was changed since the last flush to the storage. Raises ESettingsError
  // naming the first value written since then the first time the storage refuses it; later
  // refusals are not raised again.
  void Flush();

  static QString WriteErrorMessage(const QString& name);

 private:
  // The stored path "Section/Value" of a name, in the stored spelling when one matches
  // without regard to case, else as given.
  QString StoredPath(const QString& section, const QString& name) const;
  QString StoredSection(const QString& section) const;
  // Lower-cased section → stored section, and lower-cased "section/value" → stored path,
  // built once from the storage and kept up to date by the writes.
  void BuildIndex() const;
  // The value as text; false when missing. Raises for an unreadable store or a non-text value.
  bool Lookup(const QString& section, const QString& name, QString& text) const;

  std::unique_ptr<QSettings> FSettings;
  QString FFirstUnflushed;
  bool FRefusalReported = false;
  mutable bool FIndexBuilt = false;
  mutable QHash<QString, QString> FSectionIndex;
  mutable QHash<QString, QString> FPathIndex;
};

}  // namespace quilmo
