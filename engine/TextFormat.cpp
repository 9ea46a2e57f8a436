#include "engine/TextFormat.h"

namespace quilmo {

std::string DescribeTextFormat(const TTextFormat& format) {
  std::string text;
  if (format.Encoding == TEncoding::enUtf8) {
    text = format.ByteOrderMark == TByteOrderMark::bomPresent ? "UTF-8 avec BOM" : "UTF-8";
  } else {
    text = "Windows-1252";
  }
  text += " \u00b7 ";
  text += format.LineEnd == TLineEnd::leLf ? "LF" : "CR LF";
  return text;
}

}  // namespace quilmo
