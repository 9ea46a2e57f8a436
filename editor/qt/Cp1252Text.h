#pragma once
// The one place where document bytes (Windows-1252) become QString and back.

#include <QList>
#include <QString>

#include <string>
#include <string_view>

namespace quilmo {

QString BytesToQString(std::string_view bytes);

// The character a single byte stands for.
QChar ByteToQChar(unsigned char byte);

// Characters outside the code page become `replacement` ('?' for clipboard text).
std::string QStringToBytes(const QString& text, char replacement = '?');

// A single typed character; false when it is outside the code page (it is then not typed).
bool QCharToByte(char32_t codePoint, unsigned char& byte);

}  // namespace quilmo
