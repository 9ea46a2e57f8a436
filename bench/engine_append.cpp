// Building a paragraph list from a document with AppendPara: speed and memory per paragraph.

#include <exception>
#include <memory>
#include <string>

#include "bench/BenchDoc.h"
#include "bench/engine_fixture.h"
#include "engine/ParaList.h"
#include "engine/TextFileReader.h"

namespace quilmo::bench {
namespace {

// Arg: document size in MiB. Only the AppendPara calls are timed (the lines are split
// beforehand); the list is destroyed untimed. With the 100 MiB document the memory of the
// process's first build of it is reported:
//   rss_B/para   resident memory gained per appended paragraph, its characters subtracted
//   heap_B/para  the same from malloc's count of bytes in use (chunk headers included)
//   first_build_s  wall time of that first build (no memory of earlier lists to reuse)
void BM_AppendPara(benchmark::State& state) {
  const int megabytes = static_cast<int>(state.range(0));
  if (!Doc100ListOrSkip(state)) return;  // the measured first build happens there
  const auto* lines = DocLinesOrSkip(state, megabytes);
  if (!lines) return;
  std::int64_t paras = 0;
  std::int64_t bytes = 0;
  for (auto _ : state) {
    auto list = std::make_unique<TParaList>();
    const std::uint16_t rc = AppendLines(*list, *lines);
    state.PauseTiming();
    if (rc != 0) {
      state.SkipWithError("AppendPara failed");
      break;
    }
    if (list->ParaCount() != static_cast<std::int32_t>(lines->size()) + 1) {
      state.SkipWithError("paragraph count differs from the line count");
      break;
    }
    paras = list->ParaCount() - 1;
    bytes += list->ByteCount();
    list.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(bytes);
  state.SetItemsProcessed(paras * static_cast<std::int64_t>(state.iterations()));
  state.counters["paras"] = static_cast<double>(paras);
  if (megabytes == 100) {
    const TBuildMemory& memory = Doc100BuildMemory();
    state.counters["rss_B/para"] = memory.RssPerPara;
    state.counters["heap_B/para"] = memory.HeapPerPara;
    state.counters["first_build_s"] = memory.Seconds;
  }
}
BENCHMARK(BM_AppendPara)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// Splitting the bytes at the line ends and appending, in one pass (what loading a file costs
// without the file reads).
void BM_LoadBytes(benchmark::State& state) {
  if (!Doc100ListOrSkip(state)) return;
  std::string_view bytes;
  try {
    bytes = DocBytes(static_cast<int>(state.range(0)));
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  for (auto _ : state) {
    auto list = std::make_unique<TParaList>();
    if (LoadBytes(*list, bytes) != 0) {
      state.SkipWithError("AppendPara failed");
      break;
    }
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) *
                          static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_LoadBytes)->Arg(100)->Unit(benchmark::kMillisecond);

// Loading the file the way the editor does: TTextFileReader reads it in blocks and hands every
// line to AppendPara (file in the page cache after the first run).
void BM_LoadTextFile(benchmark::State& state) {
  if (!Doc100ListOrSkip(state)) return;
  std::string path;
  std::int64_t size = 0;
  try {
    path = EnsureDoc(static_cast<int>(state.range(0))).string();
    size = static_cast<std::int64_t>(DocInfo(static_cast<int>(state.range(0))).Size);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  for (auto _ : state) {
    auto list = std::make_unique<TParaList>();
    TTextFileReader reader;
    std::uint16_t rc = 0;
    try {
      rc = reader.Load(
          path,
          [&](const char* text, std::size_t length) {
            return list->AppendPara(std::string_view(text, length), true);
          },
          [&] { list = std::make_unique<TParaList>(); });
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
      break;
    }
    if (rc != 0) {
      state.SkipWithError("AppendPara failed");
      break;
    }
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(size * static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_LoadTextFile)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench
