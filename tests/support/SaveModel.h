#pragma once
// What loading a file into a paragraph list and saving it again make of the file's bytes,
// from the bytes alone, the slow and obvious way: the text ends at the first Ctrl-Z, a NUL
// reads as a blank; a text that is well-formed UTF-8 with a multi-byte character or a
// byte-order mark is UTF-8 (characters outside Windows-1252 read as "?" and make the text
// read-only), ASCII takes the platform's encoding, anything else is Windows-1252; a text
// without CR but with LF is split at every LF, any other text at CR LF or a lone CR (a lone LF
// is an ordinary character), a text without line ends takes the platform's line end; a line
// longer than the paragraph length limit is split after the last blank that fits (or at the
// limit), trailing blanks go only with TrimWhiteSpace; codes 1 to 8 are written as blanks,
// every line gets the format's line end and the text its encoding and mark back.
// Shared by the random load-and-save test and the load-and-save fuzz target.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/Cp1252.h"
#include "engine/LoadReport.h"
#include "engine/TextFormat.h"

namespace quilmo::test {

struct TSavePrediction {
  std::string Saved;
  std::int32_t ParaCount = 1;  // the empty last paragraph
  TLoadReport Report;
};

// Decodes strict UTF-8 into Windows-1252 bytes ("?" for other characters); false when the
// bytes are not UTF-8.
inline bool ModelDecodeUtf8(const std::string& bytes, std::string& text, std::uint64_t& multiByte,
                            std::uint64_t& unmappable) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    std::size_t n = 0;
    char32_t cp = 0;
    char32_t least = 0;
    if (c < 0x80) {
      text += static_cast<char>(c);
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      n = 2, cp = c & 0x1F, least = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      n = 3, cp = c & 0x0F, least = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      n = 4, cp = c & 0x07, least = 0x10000;
    } else {
      return false;
    }
    if (i + n > bytes.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      const auto t = static_cast<unsigned char>(bytes[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (t & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    unsigned char byte = 0;
    if (!UnicodeToCp1252(cp, byte)) {
      byte = '?';
      ++unmappable;
    }
    text += static_cast<char>(byte);
    ++multiByte;
    i += n;
  }
  return true;
}

inline std::string ModelEncodeUtf8(const std::string& text) {
  std::string out;
  for (char ch : text) {
    const char32_t cp = Cp1252ToUnicode(static_cast<unsigned char>(ch));
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

inline TSavePrediction PredictSave(std::string text, std::size_t limit, bool trim,
                                   const TTextFormat& platform = PlatformTextFormat()) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  const std::string bom = "\xEF\xBB\xBF";
  TSavePrediction result;
  TLoadReport& report = result.Report;
  TTextFormat& format = report.Format;
  const std::size_t z = text.find('\x1A');
  if (z != std::string::npos) {
    report.EndedByCtrlZ = true;
    report.BytesAfterCtrlZ = text.size() - z - 1;
    text.resize(z);
  }
  for (char& c : text) {
    if (c == '\0') {
      c = ' ';
      ++report.NulCount;
    }
    if (c >= 1 && c <= 8) ++report.ControlCodeCount;
  }

  const bool hasMark = text.compare(0, 3, bom) == 0;
  std::string decoded;
  std::uint64_t multiByte = 0;
  std::uint64_t unmappable = 0;
  if (ModelDecodeUtf8(hasMark ? text.substr(3) : text, decoded, multiByte, unmappable)) {
    if (hasMark || multiByte > 0) {
      format.Encoding = TEncoding::enUtf8;
      format.ByteOrderMark = hasMark ? TByteOrderMark::bomPresent : TByteOrderMark::bomNone;
      report.UnmappableCount = unmappable;
      text = decoded;
    } else {
      format.Encoding = platform.Encoding;
    }
  } else {
    format.Encoding = TEncoding::enWindows1252;
  }

  const bool hasCr = text.find('\r') != std::string::npos;
  const bool hasLf = text.find('\n') != std::string::npos;
  format.LineEnd = hasCr ? TLineEnd::leCrLf : hasLf ? TLineEnd::leLf : platform.LineEnd;
  const std::string lineEnd = format.LineEnd == TLineEnd::leLf ? "\n" : "\r\n";

  std::string saved;
  auto addLine = [&](const std::string& line) {
    ++report.LineCount;
    report.LongestLine = std::max<std::uint64_t>(report.LongestLine, line.size());
    if (line.size() > limit) ++report.LongLineCount;
    std::size_t start = 0;
    do {  // an empty line is one empty paragraph
      const std::size_t remaining = line.size() - start;
      std::size_t piece = remaining;
      if (remaining > limit) {
        piece = limit;
        for (std::size_t i = limit; i > 0; --i) {
          if (isBlank(line[start + i - 1])) {
            piece = i;
            break;
          }
        }
      }
      std::size_t kept = piece;
      while (trim && kept > 0 && isBlank(line[start + kept - 1])) --kept;
      for (std::size_t i = 0; i < kept; ++i) {
        const auto c = static_cast<unsigned char>(line[start + i]);
        saved += (c >= 1 && c <= 8) ? ' ' : static_cast<char>(c);
      }
      saved += lineEnd;
      ++result.ParaCount;
      start += piece;
    } while (start < line.size());
  };
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (hasCr && text[i] == '\r') {
      addLine(text.substr(start, i - start));
      ++i;
      if (i < text.size() && text[i] == '\n') {
        ++i;
        ++report.CrLfCount;
      } else {
        ++report.LoneCrCount;
      }
      start = i;
    } else if (!hasCr && text[i] == '\n') {
      addLine(text.substr(start, i - start));
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) addLine(text.substr(start));
  if (hasCr) report.LoneLfCount = std::count(text.begin(), text.end(), '\n') - report.CrLfCount;

  if (format.Encoding == TEncoding::enUtf8) {
    saved = ModelEncodeUtf8(saved);
    if (format.ByteOrderMark == TByteOrderMark::bomPresent) saved = bom + saved;
  }
  result.Saved = saved;
  return result;
}

// The report says that saving the unedited text changes nothing but, perhaps, a line end added
// behind the last line.
inline bool ReportPromisesSameBytes(const TLoadReport& report) {
  return !report.HasWarnings() && !report.EndedByCtrlZ && report.LongLineCount == 0;
}

// The file's bytes with the line end of its format behind the last line, as saving writes them.
inline std::string WithFinalLineEnd(const std::string& bytes, const TTextFormat& format) {
  const std::string lineEnd = format.LineEnd == TLineEnd::leLf ? "\n" : "\r\n";
  const bool textEmpty = bytes.empty() || bytes == "\xEF\xBB\xBF";
  const bool ended = bytes.size() >= lineEnd.size() &&
                     bytes.compare(bytes.size() - lineEnd.size(), lineEnd.size(), lineEnd) == 0;
  return textEmpty || ended ? bytes : bytes + lineEnd;
}

}  // namespace quilmo::test
