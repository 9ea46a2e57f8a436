#include "app/NameBytes.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <vector>

#include "engine/FileError.h"
#include "engine/FileSystem.h"

namespace quilmo {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

#ifndef _WIN32
constexpr char16_t kEscapeBase = 0xDC00;  // + the byte, 0x80 to 0xFF

// The length of the well-formed UTF-8 character at p (no overlong form, no surrogate, nothing
// above U+10FFFF), 0 when the bytes there are none.
size_t CharacterLength(const unsigned char* p, size_t n) {
  const unsigned char c = p[0];
  if (c < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (n < length || p[1] < low || p[1] > high) return 0;
  for (size_t i = 2; i < length; ++i)
    if (p[i] < 0x80 || p[i] > 0xBF) return 0;
  return length;
}

bool IsUtf8(const std::string& bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t i = 0; i < bytes.size();) {
    const size_t length = CharacterLength(p + i, bytes.size() - i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

bool IsEscape(char16_t c) {
  return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF;
}
#else
bool IsUtf8(const std::string& bytes) {
  return QString::fromUtf8(bytes).toUtf8().toStdString() == bytes;
}
#endif

constexpr char kStoredPrefix[] = "file://";

}  // namespace

#ifndef _WIN32
QString NameFromBytes(const std::string& bytes) {
  QString name;
  name.reserve(static_cast<qsizetype>(bytes.size()));
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t i = 0; i < bytes.size();) {
    const size_t length = CharacterLength(p + i, bytes.size() - i);
    if (length == 0) {
      name += QChar(static_cast<char16_t>(kEscapeBase + p[i]));
      ++i;
    } else {
      name += QString::fromUtf8(reinterpret_cast<const char*>(p + i), static_cast<qsizetype>(length));
      i += length;
    }
  }
  return name;
}

std::string NameBytes(const QString& name) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(name.size()));
  qsizetype runStart = 0;
  const auto flush = [&](qsizetype end) {
    if (end > runStart) bytes += name.mid(runStart, end - runStart).toUtf8().toStdString();
  };
  for (qsizetype i = 0; i < name.size(); ++i) {
    const char16_t c = name[i].unicode();
    if (!IsEscape(c)) continue;
    flush(i);
    bytes += static_cast<char>(c - kEscapeBase);
    runStart = i + 1;
  }
  flush(name.size());
  return bytes;
}

QString DisplayName(const QString& name) {
  QString shown = name;
  for (QChar& c : shown)
    if (IsEscape(c.unicode())) c = QChar(kReplacement);
  return shown;
}

QString LocalFileName(const QUrl& url) {
  // toLocalFile() would decode the bytes as UTF-8 and lose those that are not.
  return NameFromBytes(
      QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
}

QStringList ArgumentsFromBytes(int argc, const char* const* argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << NameFromBytes(argv[i]);
  return arguments;
}

QString AbsoluteName(const QString& name) {
  std::string bytes = NameBytes(name);
  if (!IsAbsolutePath(bytes)) {
    std::error_code error;
    const std::string folder = std::filesystem::current_path(error).native();
    if (!error) bytes = JoinPath(folder, bytes);
  }
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= bytes.size()) {
    size_t end = bytes.find('/', start);
    if (end == std::string::npos) end = bytes.size();
    const std::string part = bytes.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string absolute;
  for (const std::string& part : parts) absolute += "/" + part;
  return NameFromBytes(absolute.empty() ? "/" : absolute);
}
#else
QString NameFromBytes(const std::string& bytes) {
  return QString::fromUtf8(bytes);
}

std::string NameBytes(const QString& name) {
  return name.toUtf8().toStdString();
}

QString DisplayName(const QString& name) {
  return name;
}

QString LocalFileName(const QUrl& url) {
  return QDir::toNativeSeparators(url.toLocalFile());
}

// The system's own UTF-16 command line, which Qt reads (argv is in the ANSI code page).
QStringList ArgumentsFromBytes(int, const char* const*) {
  return QCoreApplication::arguments().mid(1);
}

QString AbsoluteName(const QString& name) {
  return QFileInfo(name).absoluteFilePath();
}
#endif

std::string CheckedNameBytes(TFileSystem& fileSystem, const QString& name) {
  std::string bytes = NameBytes(name);
  TFileInfo info;
  if (name.contains(QChar(kReplacement)) && fileSystem.Stat(bytes, info) != 0) {
    throw EFileError("Le nom « " + bytes +
                         " » a été abîmé en chemin : la boîte de dialogue écrit « \xEF\xBF\xBD » à "
                         "la place des octets d'un nom qui ne sont pas de l'UTF-8, et aucun fichier "
                         "ne porte ce nom. Ouvrez ce fichier par la ligne de commande ou en le "
                         "déposant sur la fenêtre, ou renommez-le.",
                     bytes, 0);
  }
  return bytes;
}

QString StoredName(const std::string& bytes) {
  if (IsUtf8(bytes) && !bytes.starts_with(kStoredPrefix)) return QString::fromUtf8(bytes);
  return QString::fromLatin1(kStoredPrefix) +
         QString::fromLatin1(QByteArray::fromStdString(bytes).toPercentEncoding("/"));
}

std::string NameFromStored(const QString& stored) {
  if (!stored.startsWith(QLatin1String(kStoredPrefix))) return stored.toUtf8().toStdString();
  return QByteArray::fromPercentEncoding(
             stored.mid(static_cast<qsizetype>(sizeof kStoredPrefix - 1)).toLatin1())
      .toStdString();
}

}  // namespace quilmo
