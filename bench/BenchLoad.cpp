// Loading benchmark documents into a paragraph list without the file layer: the bytes are in
// memory and split at the line ends here.

#include <cstring>

#include "bench/BenchDoc.h"
#include "engine/ParaList.h"

namespace quilmo::bench {

namespace {

// Calls `line` for every line of `bytes`; stops at the first non-zero result and returns it.
template <typename Sink>
std::uint16_t ForEachLine(std::string_view bytes, Sink&& line) {
  if (const void* z = std::memchr(bytes.data(), 26, bytes.size()))
    bytes = bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(z) - bytes.data()));
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  while (p < end) {
    const auto* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(end - p)));
    const char* lineEnd = cr ? cr : end;
    if (const std::uint16_t rc = line(std::string_view(p, static_cast<std::size_t>(lineEnd - p)))) return rc;
    p = lineEnd;
    if (p < end) {
      ++p;                             // the CR
      if (p < end && *p == '\n') ++p;  // and its LF
    }
  }
  return 0;
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  lines.reserve(bytes.size() / 64);
  ForEachLine(bytes, [&](std::string_view line) -> std::uint16_t {
    lines.push_back(line);
    return 0;
  });
  return lines;
}

std::uint16_t AppendLines(TParaList& list, const std::vector<std::string_view>& lines) {
  for (const std::string_view line : lines)
    if (const std::uint16_t rc = list.AppendPara(line, true)) return rc;
  return 0;
}

std::uint16_t LoadBytes(TParaList& list, std::string_view bytes) {
  return ForEachLine(bytes, [&](std::string_view line) { return list.AppendPara(line, true); });
}

}  // namespace quilmo::bench
