#pragma once
// The reference programs the editor's file operations are measured against: the simplest
// code that does the same job on the raw bytes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quilmo::bench {

// A file's bytes and the offsets of its lines, as the simplest editor would hold them.
struct TRefText {
  std::unique_ptr<char[]> Bytes;
  std::size_t Size = 0;
  std::vector<std::uint64_t> LineStarts;
};
// Reads the whole file with one read into an uninitialised buffer, then records the offset of
// every line (after each LF) with memchr. Throws std::runtime_error on failure.
TRefText ReferenceLoad(const std::filesystem::path& path);

// Writes `bytes` to a new file and flushes it to the disk (fsync). Throws on failure.
void ReferenceSave(const std::filesystem::path& path, std::string_view bytes);

// Boyer-Moore-Horspool over contiguous bytes. Case-insensitive patterns compare the bytes
// upper-cased with the Windows-1252 table (the table the editor's search uses).
class THorspool {
 public:
  THorspool(std::string_view pattern, bool matchCase);
  // Offset of the first occurrence at or after `from`, or std::string_view::npos.
  std::size_t Find(std::string_view text, std::size_t from) const;
  std::size_t Length() const { return FPattern.size(); }

 private:
  std::string FPattern;  // upper-cased when case-insensitive
  bool FMatchCase;
  std::size_t FSkip[256];
  const unsigned char* FFold;
};

// Occurrences, not overlapping.
std::int64_t ReferenceCount(std::string_view text, const THorspool& pattern);
// The text with every occurrence replaced, built in one pass; `count` gets the number.
std::string ReferenceReplaceAll(std::string_view text, const THorspool& pattern, std::string_view replacement,
                                std::int64_t& count);

}  // namespace quilmo::bench
