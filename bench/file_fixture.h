#pragma once
// Shared pieces of the file benchmarks (quilmo_file_bench): the reference programs each
// editor operation is compared with, the document with a rare word, and the editors holding
// the documents between benchmarks.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/QtBench.h"
#include "bench/Reference.h"
#include "engine/TextFormat.h"

namespace quilmo {
class TTextFileEditor;
}

namespace quilmo::bench {

// ---- The rare word

// A six-letter word the generator never writes.
inline constexpr std::string_view kRareWord = "brumel";
// What replace-all puts in its place.
inline constexpr std::string_view kRareReplacement = "brumelade";
inline constexpr int kRareCount = 1000;

// A copy of the 100 MB document with kRareWord and a blank put in front of kRareCount lines
// spread evenly over it (doc100-rare.txt in the data folder, written when missing).
std::filesystem::path EnsureRareWordDoc();

// ---- The document in other text formats

// The 100 MB document written in `format` (doc100-<encoding>-<line end>.txt in the data folder,
// converted from the Windows-1252 CR LF document when missing); that document itself for its
// own format.
std::filesystem::path EnsureFormatDoc(const TTextFormat& format);

// ---- Editors kept between benchmarks

// The shown 1000 x 700 window of the file benchmarks, its text about to be replaced (the load
// benchmark): the next FileWindowDoc100 call reloads the document.
TBenchWindow* FileWindowForLoading(benchmark::State& state);
// The same window holding the 100 MB document, loaded when needed. Null after marking the
// benchmark as failed.
TBenchWindow* FileWindowDoc100(benchmark::State& state);
// A non-painting editor holding the rare-word document.
THeadlessEditor* RareWordEditor(benchmark::State& state);
// A new non-painting editor for the format benchmarks (the previous one destroyed first),
// kept until DropFormatEditor or the end of the benchmarks.
THeadlessEditor* NewFormatEditor(benchmark::State& state);
void DropFormatEditor();

// ---- Saving

// A folder for the files a save benchmark writes, made afresh: quilmo-<name>/ in the data
// folder (or in $QUILMO_BENCH_SAVE_DIR), on the documents' disk (in_memory 0), or in /dev/shm, a memory file
// system where syncing costs nothing, which leaves the CPU work (in_memory 1). Empty after marking the
// benchmark as failed.
std::filesystem::path SaveBenchFolder(benchmark::State& state, bool inMemory, const std::string& name);

// Wall time and the CPU time of the whole process: a large save writes on a second thread.
class TSaveTimer {
 public:
  void Start();
  // Returns the wall time.
  double Stop(TSamples& wall, TSamples& cpu);

 private:
  std::chrono::steady_clock::time_point FWall;
  double FCpu = 0;
};

// Saves the editor's text as `path` with SaveTextFile, timed into wall and cpu, then reads the
// saved file's size and removes it (untimed). Returns the wall time; throws on failure.
double TimedSave(TTextFileEditor& editor, const std::filesystem::path& path, TSaveTimer& timer,
                 TSamples& wall, TSamples& cpu, std::uintmax_t& size);

// Ratio of two medians as a counter.
inline double Ratio(double editor, double reference) {
  return reference > 0 ? editor / reference : 0;
}

}  // namespace quilmo::bench
