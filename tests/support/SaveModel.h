#pragma once
// What loading a file into a paragraph list and saving it again make of the file's bytes,
// from the bytes alone: the text ends at the first Ctrl-Z, a NUL reads as a blank, a line
// ends at CR LF or at a lone CR (a lone LF is an ordinary character), a line longer than the
// paragraph length limit is split after the last blank that fits (or at the limit), trailing
// blanks go only with TrimWhiteSpace, codes 1 to 9 are written as blanks and every line gets
// CR LF. Shared by the random load-and-save test and the load-and-save fuzz target.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/TextFileReader.h"

namespace quilmo::test {

struct TSavePrediction {
  std::string Saved;
  std::int32_t ParaCount = 1;  // the empty last paragraph
  TLoadReport Report;
};

inline TSavePrediction PredictSave(std::string text, std::size_t limit, bool trim) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  TSavePrediction result;
  TLoadReport& report = result.Report;
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
  }
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
        result.Saved += (c >= 1 && c <= 9) ? ' ' : static_cast<char>(c);
      }
      result.Saved += "\r\n";
      ++result.ParaCount;
      start += piece;
    } while (start < line.size());
  };
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '\r') {
      addLine(text.substr(start, i - start));
      ++i;
      if (i < text.size() && text[i] == '\n') ++i;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) addLine(text.substr(start));
  return result;
}

}  // namespace quilmo::test
