// The reference programs: reading a file into one buffer with a line index, writing bytes
// with a sync, Horspool scans and a one-pass replace.

#include "bench/Reference.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "engine/SearchPattern.h"

#if defined(__unix__)
#include <unistd.h>
#endif

namespace quilmo::bench {

TRefText ReferenceLoad(const std::filesystem::path& path) {
  TRefText text;
  std::FILE* f = std::fopen(path.string().c_str(), "rb");
  if (f == nullptr) throw std::runtime_error("cannot open " + path.string());
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) {
    std::fclose(f);
    throw std::runtime_error("cannot stat " + path.string());
  }
  text.Bytes.reset(new char[size]);
  text.Size = static_cast<std::size_t>(size);
  const std::size_t read = std::fread(text.Bytes.get(), 1, text.Size, f);
  std::fclose(f);
  if (read != text.Size) throw std::runtime_error("cannot read " + path.string());

  const char* const begin = text.Bytes.get();
  const char* const end = begin + text.Size;
  const char* p = begin;
  text.LineStarts.push_back(0);
  while (p < end) {
    const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    if (lf == nullptr) break;
    p = lf + 1;
    if (p < end) text.LineStarts.push_back(static_cast<std::uint64_t>(p - begin));
  }
  return text;
}

void ReferenceSave(const std::filesystem::path& path, std::string_view bytes) {
  std::FILE* f = std::fopen(path.string().c_str(), "wb");
  if (f == nullptr) throw std::runtime_error("cannot create " + path.string());
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
#if defined(__unix__)
  ok = ::fsync(fileno(f)) == 0 && ok;
#endif
  ok = std::fclose(f) == 0 && ok;
  if (!ok) throw std::runtime_error("cannot write " + path.string());
}

THorspool::THorspool(std::string_view pattern, bool matchCase)
    : FPattern(pattern), FMatchCase(matchCase), FFold(SearchUpperTable().data()) {
  if (!matchCase)
    for (char& c : FPattern) c = static_cast<char>(FFold[static_cast<unsigned char>(c)]);
  const std::size_t n = FPattern.size();
  for (std::size_t& s : FSkip) s = n;
  for (std::size_t i = 0; i + 1 < n; ++i) FSkip[static_cast<unsigned char>(FPattern[i])] = n - 1 - i;
}

std::size_t THorspool::Find(std::string_view text, std::size_t from) const {
  const std::size_t n = FPattern.size();
  if (n == 0 || text.size() < n) return std::string_view::npos;
  const auto* t = reinterpret_cast<const unsigned char*>(text.data());
  const auto* p = reinterpret_cast<const unsigned char*>(FPattern.data());
  const unsigned char last = p[n - 1];
  if (FMatchCase) {
    for (std::size_t i = from; i + n <= text.size();) {
      const unsigned char c = t[i + n - 1];
      if (c == last && std::memcmp(t + i, p, n - 1) == 0) return i;
      i += FSkip[c];
    }
  } else {
    for (std::size_t i = from; i + n <= text.size();) {
      const unsigned char c = FFold[t[i + n - 1]];
      if (c == last) {
        std::size_t k = 0;
        while (k + 1 < n && FFold[t[i + k]] == p[k]) ++k;
        if (k + 1 == n) return i;
      }
      i += FSkip[c];
    }
  }
  return std::string_view::npos;
}

std::int64_t ReferenceCount(std::string_view text, const THorspool& pattern) {
  std::int64_t count = 0;
  for (std::size_t at = pattern.Find(text, 0); at != std::string_view::npos;
       at = pattern.Find(text, at + pattern.Length()))
    ++count;
  return count;
}

std::string ReferenceReplaceAll(std::string_view text, const THorspool& pattern, std::string_view replacement,
                                std::int64_t& count) {
  std::string out;
  out.reserve(text.size() + text.size() / 64);
  count = 0;
  std::size_t copied = 0;
  for (std::size_t at = pattern.Find(text, 0); at != std::string_view::npos;
       at = pattern.Find(text, copied)) {
    out.append(text.substr(copied, at - copied));
    out.append(replacement);
    copied = at + pattern.Length();
    ++count;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace quilmo::bench
