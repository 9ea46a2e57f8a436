#pragma once
// File names between Qt and the file layer. The file layer takes a name as bytes: UTF-8 on
// Windows; on Linux whatever bytes the name has, which need not be UTF-8. A QString carries such
// a name losslessly: each byte that is not part of a UTF-8 character travels as the lone
// surrogate U+DC80 + (byte - 0x80), so that NameBytes(NameFromBytes(b)) == b for every b.
// Only DisplayName shows those bytes, as U+FFFD.
//
// Qt itself decodes names it reads from the system (argv, dialogs, URLs) with U+FFFD for such
// bytes, which names another file: names are taken from the bytes where they exist (argv, the
// bytes of a dropped URL), and a name that reaches us only decoded by Qt is checked
// (CheckedNameBytes).

#include <QString>
#include <QStringList>
#include <QUrl>

#include <string>

namespace quilmo {

class TFileSystem;

QString NameFromBytes(const std::string& bytes);
std::string NameBytes(const QString& name);
// The name as the user reads it: the bytes that are no UTF-8 shown as U+FFFD.
QString DisplayName(const QString& name);

// The bytes of a name that Qt decoded itself (a dialog's answer). A U+FFFD in it may stand for
// bytes that are not UTF-8: when no file has the name as spelled, the name cannot be the one
// the user chose and EFileError is raised, rather than reading or creating another file.
std::string CheckedNameBytes(TFileSystem& fileSystem, const QString& name);

// The name of a local file's URL (a drop), with the bytes the URL holds percent-encoded.
QString LocalFileName(const QUrl& url);

// The program's arguments from the bytes the system gave (argv[1] to argv[argc - 1]; on
// Windows the system's UTF-16 command line).
QStringList ArgumentsFromBytes(int argc, const char* const* argv);

// The absolute form of a name, made from the bytes of the current folder: "." and empty
// components dropped, ".." taking the component before it away.
QString AbsoluteName(const QString& name);

// A name as the settings keep it: a UTF-8 name as itself (as it always was), another one as a
// "file://" URL of its bytes, percent-encoded; NameFromStored reads either.
QString StoredName(const std::string& bytes);
std::string NameFromStored(const QString& stored);

}  // namespace quilmo
