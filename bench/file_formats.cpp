// Loading and saving the 100 MB document in each text format, beside the Windows-1252 CR LF
// document it is made from, in the same run.

#include <array>
#include <filesystem>
#include <string>
#include <system_error>

#include "bench/BenchDoc.h"
#include "bench/file_fixture.h"
#include "editor/TextFileEditor.h"

namespace quilmo::bench {
namespace {

constexpr std::array<TTextFormat, 4> kFormats = {{
    {TEncoding::enWindows1252, TLineEnd::leCrLf, TByteOrderMark::bomNone},
    {TEncoding::enUtf8, TLineEnd::leCrLf, TByteOrderMark::bomNone},
    {TEncoding::enWindows1252, TLineEnd::leLf, TByteOrderMark::bomNone},
    {TEncoding::enUtf8, TLineEnd::leLf, TByteOrderMark::bomNone},
}};
// Counter prefixes of the formats after the first (the base).
constexpr std::array<const char*, 4> kNames = {"", "utf8_", "lf_", "utf8lf_"};

// Every iteration loads the four documents one after the other, each into a new non-painting
// editor (LoadTextFile: reading, format detection, conversion, AppendPara), each timed; the
// previous editor is destroyed untimed, so that every load starts from the same empty
// paragraph storage (a load into storage freed by the previous text runs faster or slower
// depending on that text). The files are in the page cache (read once before).
// Counters: cpu_median_ms of the base load, <format>_cpu_median_ms and <format>_cpu_ratio =
// that median / the base's, from CPU times (the machine may be shared); wall medians too.
void BM_LoadFormats(benchmark::State& state) {
  std::array<std::string, 4> paths;
  try {
    for (std::size_t i = 0; i < kFormats.size(); ++i) {
      paths[i] = EnsureFormatDoc(kFormats[i]).string();
      ReadFileBytes(paths[i]);  // into the page cache
    }
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  std::array<TSamples, 4> wall, cpu;
  TOpTimer timer;
  std::int32_t paras = 0;
  std::size_t first = 0;
  for (auto _ : state) {
    double seconds = 0;
    // Each iteration starts with another format, so that none always follows the same one.
    for (std::size_t k = 0; k < kFormats.size(); ++k) {
      const std::size_t i = (first + k) % kFormats.size();
      THeadlessEditor* headless = NewFormatEditor(state);
      if (!headless) return;
      TTextFileEditor& editor = headless->Editor();
      TrimHeap();
      timer.Start();
      editor.LoadTextFile(paths[i]);
      seconds += timer.Stop(wall[i], cpu[i]);
      if (paras == 0) paras = editor.ParaCount();
      if (editor.ParaCount() != paras || !(editor.TextFormat() == kFormats[i])) {
        state.SkipWithError("a document in another format loaded differently");
        return;
      }
    }
    state.SetIterationTime(seconds);
    ++first;
  }
  DropFormatEditor();
  for (std::size_t i = 0; i < kFormats.size(); ++i) {
    const std::string name = kNames[i];
    state.counters[name + "median_ms"] = wall[i].Median() * 1e3;
    state.counters[name + "cpu_median_ms"] = cpu[i].Median() * 1e3;
    if (i > 0) {
      state.counters[name + "ratio"] = Ratio(wall[i].Median(), wall[0].Median());
      state.counters[name + "cpu_ratio"] = Ratio(cpu[i].Median(), cpu[0].Median());
    }
  }
  state.counters["paras"] = paras;
}
BENCHMARK(BM_LoadFormats)->Iterations(9)->UseManualTime()->Unit(benchmark::kMillisecond);

// Arg: folder (SaveBenchFolder: 0 = on the documents' disk, 1 = /dev/shm). The editor holds
// the 100 MB document; every iteration saves it in each of the four formats (SaveTextFile:
// temporary file, conversion, sync, rename), each timed and deleted afterwards (untimed).
// Counters as BM_LoadFormats, against the Windows-1252 CR LF save; bytes of each file.
void BM_SaveFormats(benchmark::State& state) {
  THeadlessEditor* headless = NewFormatEditor(state);
  if (!headless) return;
  TTextFileEditor& editor = headless->Editor();
  const std::filesystem::path dir = SaveBenchFolder(state, state.range(0) != 0, "format-bench");
  if (dir.empty()) return;
  const std::filesystem::path path = dir / "saved.txt";
  try {
    LoadDoc(editor, 100);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  std::array<TSamples, 4> wall, cpu;
  std::array<std::uintmax_t, 4> sizes{};
  TSaveTimer timer;
  for (auto _ : state) {
    double seconds = 0;
    try {
      for (std::size_t i = 0; i < kFormats.size(); ++i) {
        editor.SetTextFormat(kFormats[i]);
        seconds += TimedSave(editor, path, timer, wall[i], cpu[i], sizes[i]);
      }
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
      break;  // the folder is still removed
    }
    state.SetIterationTime(seconds);
  }
  DropFormatEditor();
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  for (std::size_t i = 0; i < kFormats.size(); ++i) {
    const std::string name = kNames[i];
    state.counters[name + "median_ms"] = wall[i].Median() * 1e3;
    state.counters[name + "cpu_median_ms"] = cpu[i].Median() * 1e3;
    state.counters[name + "bytes"] = static_cast<double>(sizes[i]);
    if (i > 0) {
      state.counters[name + "ratio"] = Ratio(wall[i].Median(), wall[0].Median());
      state.counters[name + "cpu_ratio"] = Ratio(cpu[i].Median(), cpu[0].Median());
    }
  }
}
BENCHMARK(BM_SaveFormats)
    ->ArgName("in_memory")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(7)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench
