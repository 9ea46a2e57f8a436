#pragma once
// The form a text has on disk: its character encoding, its line end and whether it starts with
// a byte-order mark. The text itself is always Windows-1252 bytes; the file layer converts.

#include <cstdint>
#include <string>

namespace quilmo {

enum class TEncoding : std::uint8_t {
  enWindows1252,  // the text's bytes as they are
  enUtf8,         // every byte from 128 up written as its UTF-8 sequence
};

enum class TLineEnd : std::uint8_t {
  leCrLf,  // CR LF after every line; a lone CR also ends a line, a lone LF belongs to its line
  leLf,    // LF after every line
};

enum class TByteOrderMark : std::uint8_t { bomNone, bomPresent };

struct TTextFormat {
  TEncoding Encoding = TEncoding::enWindows1252;
  TLineEnd LineEnd = TLineEnd::leCrLf;
  TByteOrderMark ByteOrderMark = TByteOrderMark::bomNone;  // UTF-8 only

  bool operator==(const TTextFormat&) const = default;
};

// What new documents and files of ASCII only take: LF and UTF-8 on Linux and other Unix
// systems, CR LF and Windows-1252 on Windows.
constexpr TTextFormat PlatformTextFormat() {
#ifdef _WIN32
  return {TEncoding::enWindows1252, TLineEnd::leCrLf, TByteOrderMark::bomNone};
#else
  return {TEncoding::enUtf8, TLineEnd::leLf, TByteOrderMark::bomNone};
#endif
}

// A short French description for the status bar, e.g. "UTF-8 · LF",
// "UTF-8 avec BOM · CR LF", "Windows-1252 · CR LF" (UTF-8 text).
std::string DescribeTextFormat(const TTextFormat& format);

}  // namespace quilmo
