#pragma once
// Shared data of the engine benchmarks: the documents' bytes and lines, and the 100 MiB
// document loaded once per process (building it takes seconds).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

namespace quilmo {
class TParaList;
}

namespace quilmo::bench {

// Bytes of document `megabytes` (10 or 100), read once; generated first when missing.
const std::string& DocBytes(int megabytes);
// Its lines as the loader delivers them (views into DocBytes).
const std::vector<std::string_view>& DocLines(int megabytes);

// The 100 MiB document in a paragraph list, built on first use. Benchmarks that change it
// (word wrap, typing) put it back as they found it: word wrap off, WrapColumn 80, TabSize 8.
// Every benchmark that builds lists of its own calls this first, so that this build is the
// first of the process and its memory figures are not flattered by memory freed earlier
// (paragraph nodes come from a pool that may keep freed nodes).
TParaList& Doc100List();

// Memory of that first build, measured around its AppendPara calls.
struct TBuildMemory {
  double RssPerPara = 0;   // resident memory gained per paragraph, its characters subtracted
  double HeapPerPara = 0;  // the same from malloc's bytes in use (chunk headers included)
  std::int64_t Paras = 0;  // paragraphs appended
  double Seconds = 0;      // wall time of the AppendPara calls
  // Resident memory gained per paragraph when word wrap at column 80 is first switched on
  // (the line-start tables of the paragraphs that wrap).
  double WrapRssPerPara = 0;
};
const TBuildMemory& Doc100BuildMemory();

// Characters of all paragraphs (ByteCount without the line breaks).
std::int64_t CharCount(const TParaList& list);

// Seconds per item as a counter (shown with an SI prefix: 250n = 250 ns).
inline benchmark::Counter TimePerItem(double itemsPerIteration) {
  return benchmark::Counter(itemsPerIteration,
                            benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace quilmo::bench

namespace quilmo::bench {

// Doc100List(), or null after marking the benchmark as failed (data or loading error).
TParaList* Doc100ListOrSkip(benchmark::State& state);
// DocLines(), or null after marking the benchmark as failed.
const std::vector<std::string_view>* DocLinesOrSkip(benchmark::State& state, int megabytes);

}  // namespace quilmo::bench
