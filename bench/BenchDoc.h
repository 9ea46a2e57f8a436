#pragma once
// Benchmark documents: where they live, how they are generated, and how one is loaded into a
// paragraph list.
//
// The documents are French-looking text in Windows-1252 with CR LF line ends, generated from a
// fixed seed so that every run measures the same bytes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quilmo {
class TParaList;
}

namespace quilmo::bench {

// The documents the benchmarks use: doc10.txt (10 MiB) and doc100.txt (100 MiB).
struct TDocInfo {
  const char* FileName;
  std::uint64_t Size;  // exact size in bytes
  std::uint64_t Seed;
};
const std::vector<TDocInfo>& DocInfos();
const TDocInfo& DocInfo(int megabytes);  // 10 or 100; throws std::invalid_argument otherwise

// The data folder: $QUILMO_BENCH_DATA, or <source tree>/bench-data.
std::filesystem::path BenchDataDir();

// Writes `size` bytes of generated text to `path` (through a temporary file renamed at the end).
// The same size and seed always give the same bytes. Throws std::runtime_error on I/O failure.
void GenerateDoc(const std::filesystem::path& path, std::uint64_t size, std::uint64_t seed);

// Writes every document of DocInfos() into `dir` that is missing or has the wrong size.
// Returns the number of files written; `log` (when set) gets one line per file.
int EnsureDocs(const std::filesystem::path& dir, bool log = false);

// Path of document `megabytes` in BenchDataDir(), generated first when needed.
std::filesystem::path EnsureDoc(int megabytes);

// Whole file contents. Throws std::runtime_error on failure.
std::string ReadFileBytes(const std::filesystem::path& path);

// Splits file bytes into lines the way the text file loader does: a line ends at CR LF or at a
// lone CR, a lone LF stays in the line, the first Ctrl-Z ends the text. The views point into
// `bytes`. A final line without line end is delivered as well; like the loader, nothing is
// delivered for the empty text behind a final CR LF.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// Appends every line to `list` with AppendPara (trailing blanks trimmed, as the editor does by
// default). Returns 0 or the first error code. The lines must not contain NUL characters.
std::uint16_t AppendLines(TParaList& list, const std::vector<std::string_view>& lines);

// SplitLines + AppendLines in one pass, without building the vector.
std::uint16_t LoadBytes(TParaList& list, std::string_view bytes);

// Memory of this process: resident set (from /proc/self/statm) and bytes handed out by malloc
// (mallinfo2). Both are 0 where the platform does not offer them.
std::uint64_t ResidentBytes();
std::uint64_t HeapBytesInUse();
// Returns freed heap memory to the system (malloc_trim) so that the resident set can be compared.
void TrimHeap();

}  // namespace quilmo::bench
