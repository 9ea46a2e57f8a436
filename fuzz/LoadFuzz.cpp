// Random bytes through the text-file reader. Every line must hold no CR and no NUL, and the
// lines, their line ends, the Ctrl-Z and the bytes behind it must account for every input byte
// in order (NUL read as a blank).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/TextFileReader.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "LoadFuzz: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quilmo;
  // An empty input may come as a null pointer, which memchr must not see.
  const char* bytes = size > 0 ? reinterpret_cast<const char*>(data) : "";
  // The first byte picks a block size, so that line ends fall across block boundaries.
  const size_t blockSize = size > 0 ? 1 + data[0] % 97 : 1;

  std::vector<std::string> lines;
  TTextFileReader reader;
  reader.SetBlockSize(blockSize);
  reader.SetParaLengthLimit(8);
  reader.SetPlatformFormat({});  // Windows-1252, CR LF
  uint16_t code = reader.LoadBuffer(
      bytes, size,
      [&](const char* text, size_t length) -> uint16_t {
        Check(text[length] == '\0', "line not followed by a NUL");
        Check(std::memchr(text, '\r', length) == nullptr, "CR inside a line");
        Check(std::memchr(text, '\0', length) == nullptr, "NUL inside a line");
        lines.emplace_back(text, length);
        return 0;
      },
      [&] { lines.clear(); });
  Check(code == 0, "non-zero result without a stopping sink");
  const TLoadReport& report = reader.Report();
  // LF and UTF-8 files are checked by the load-and-save target; here the bytes as they are.
  if (report.Format != TTextFormat{}) return 0;

  const size_t hidden = report.EndedByCtrlZ ? 1 + report.BytesAfterCtrlZ : 0;
  Check(hidden <= size, "more bytes behind the Ctrl-Z than input");
  const size_t textEnd = size - hidden;
  Check(std::memchr(bytes, 26, textEnd) == nullptr, "Ctrl-Z inside the text");
  Check(!report.EndedByCtrlZ || bytes[textEnd] == 26, "text does not end at the Ctrl-Z");
  Check(report.EndedByCtrlZ || std::memchr(bytes, 26, size) == nullptr, "Ctrl-Z not reported");

  size_t pos = 0;
  uint64_t nuls = 0, longLines = 0, longest = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    Check(pos + line.size() <= textEnd, "lines longer than the text");
    for (size_t k = 0; k < line.size(); ++k) {
      char c = bytes[pos + k];
      if (c == '\0') ++nuls;
      Check(line[k] == (c == '\0' ? ' ' : c), "line differs from the input");
    }
    pos += line.size();
    longLines += line.size() > 8;
    if (line.size() > longest) longest = line.size();
    if (pos == textEnd) {
      Check(i + 1 == lines.size(), "lines after the end of the text");
      break;
    }
    Check(bytes[pos] == '\r', "line not ended by a CR");
    ++pos;
    if (pos < textEnd && bytes[pos] == '\n') ++pos;
  }
  Check(pos == textEnd, "input bytes not accounted for");
  Check(lines.size() == report.LineCount, "line count");
  Check(nuls == report.NulCount, "NUL count");
  Check(longLines == report.LongLineCount, "long line count");
  Check(longest == report.LongestLine, "longest line");
  return 0;
}
