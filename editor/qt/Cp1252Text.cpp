#include "editor/qt/Cp1252Text.h"

#include "engine/Cp1252.h"

namespace quilmo {

QChar ByteToQChar(unsigned char byte) {
  return QChar(static_cast<char16_t>(Cp1252ToUnicode(byte)));  // every code point is in the BMP
}

QString BytesToQString(std::string_view bytes) {
  QString result;
  result.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) result.append(ByteToQChar(static_cast<unsigned char>(c)));
  return result;
}

std::string QStringToBytes(const QString& text, char replacement) {
  std::string result;
  result.reserve(static_cast<size_t>(text.size()));
  for (char32_t cp : text.toUcs4()) {
    unsigned char b = 0;
    result.push_back(UnicodeToCp1252(cp, b) ? static_cast<char>(b) : replacement);
  }
  return result;
}

bool QCharToByte(char32_t codePoint, unsigned char& byte) {
  return UnicodeToCp1252(codePoint, byte);
}

}  // namespace quilmo
