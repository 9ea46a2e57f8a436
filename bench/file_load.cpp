// Opening the 100 MB document up to its first paint, beside a reference that reads the file
// and records its line offsets; switching word wrap on for the loaded document.

#include <string>

#include "bench/BenchDoc.h"
#include "bench/file_fixture.h"
#include "editor/TextFileEditor.h"

namespace quilmo::bench {
namespace {

// Every iteration runs the reference (ReferenceLoad), then LoadTextFile into the shown
// 1000 x 700 window and its repaint, each timed. The previous text and the reference's
// buffers are freed untimed before. The file is in the page cache (read once beforehand).
// ratio = editor median / reference median; first_ms = the process's first load (no memory
// of an earlier text to reuse).
void BM_LoadToFirstPaint(benchmark::State& state) {
  TBenchWindow* window = FileWindowForLoading(state);
  if (!window) return;
  TTextFileEditor& editor = window->Editor();
  std::string path;
  try {
    path = EnsureDoc(100).string();
    ReferenceLoad(path);  // into the page cache
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  TSamples editorWall, editorCpu, refWall, refCpu;
  TOpTimer timer;
  double first = 0;
  std::size_t lines = 0;
  for (auto _ : state) {
    editor.ClearText(true);
    window->Paint();
    TrimHeap();

    timer.Start();
    TRefText reference = ReferenceLoad(path);
    timer.Stop(refWall, refCpu);
    lines = reference.LineStarts.size();
    reference = TRefText();
    TrimHeap();

    timer.Start();
    editor.LoadTextFile(path);
    window->Paint();
    const double seconds = timer.Stop(editorWall, editorCpu);
    if (first == 0) first = seconds;
    state.SetIterationTime(seconds);
    if (editor.ParaCount() != static_cast<std::int32_t>(lines) + 1) {
      state.SkipWithError("the editor's paragraphs differ from the reference's lines");
      break;
    }
  }
  ReportMilliseconds(state, editorWall);
  ReportMilliseconds(state, refWall, "ref_");
  state.counters["first_ms"] = first * 1e3;
  state.counters["cpu_median_ms"] = editorCpu.Median() * 1e3;
  state.counters["ref_cpu_median_ms"] = refCpu.Median() * 1e3;
  state.counters["ratio"] = Ratio(editorWall.Median(), refWall.Median());
  state.counters["cpu_ratio"] = Ratio(editorCpu.Median(), refCpu.Median());
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_LoadToFirstPaint)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

// Word wrap switched on at column 80 for the loaded 100 MB document in the shown window,
// with the repaint after it (timed); switched off again untimed.
void BM_WordWrapOn(benchmark::State& state) {
  TBenchWindow* window = FileWindowDoc100(state);
  if (!window) return;
  TTextFileEditor& editor = window->Editor();
  editor.SetWordWrap(false);
  editor.SetWrapColumn(80);
  window->Paint();
  const std::int32_t paras = editor.ParaCount();
  TSamples wall, cpu;
  TOpTimer timer;
  std::int32_t lines = 0;
  for (auto _ : state) {
    timer.Start();
    editor.SetWordWrap(true);
    window->Paint();
    state.SetIterationTime(timer.Stop(wall, cpu));
    lines = editor.LineCount();
    editor.SetWordWrap(false);
    window->Paint();
    if (lines <= paras) {
      state.SkipWithError("word wrap made no more lines");
      break;
    }
  }
  ReportMilliseconds(state, wall);
  state.counters["cpu_median_ms"] = cpu.Median() * 1e3;
  state.counters["lines"] = lines;
  state.counters["paras"] = paras;
}
BENCHMARK(BM_WordWrapOn)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench
