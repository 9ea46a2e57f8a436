// InsertString of a 10 MB text (the 10 MB document's bytes, CR LF lines) at the caret.

#include <cstdlib>
#include <string>

#include "bench/BenchDoc.h"
#include "bench/editor_fixture.h"
#include "editor/TextFileEditor.h"

namespace quilmo::bench {
namespace {

// Args: into (0 = an empty text, 1 = the middle of the paragraph in the middle of the 100 MB
// document), size (MiB: the first lines of the 10 MB document, up to that size). Timed:
// InsertString and the repaint of the shown window after it. Untimed: the inserted text is
// removed again (cleared, or selected and deleted: removal_ms) and the history cleared.
// MB_per_s is 10^6 bytes per second of the median.
void BM_InsertString(benchmark::State& state) {
  const bool middle = state.range(0) != 0;
  const auto megabytes = static_cast<std::size_t>(state.range(1));
  std::string text;
  try {
    text = ReadFileBytes(EnsureDoc(10));
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  // The first `megabytes` MiB, ending behind a line end.
  if (megabytes * 1024 * 1024 < text.size()) {
    const std::size_t end = text.find('\n', megabytes * 1024 * 1024);
    if (end != std::string::npos) text.resize(end + 1);
  }
  TBenchWindow* window = ShownWindowWithDoc(state, middle ? 100 : 0);
  if (!window) return;
  TTextFileEditor& editor = window->Editor();
  const std::int32_t bytesBefore = editor.ByteCount();
  const std::int32_t parasBefore = editor.ParaCount();
  const std::int32_t para = middle ? editor.ParaCount() / 2 : 1;
  const std::int32_t pos = middle ? editor.ParaList().ParaLength(para) / 2 + 1 : 1;

  TSamples samples;
  TSamples deletions;  // untimed: removing the text again
  std::int32_t grownBy = 0;
  for (auto _ : state) {
    editor.MoveCaretToPara(para, pos);
    window->Paint();
    const std::int32_t line = editor.CaretLine();
    const std::int32_t column = editor.CaretCol();
    const auto t0 = TClock::now();
    const std::uint16_t code = editor.InsertString(text);
    window->Paint();
    const auto t1 = TClock::now();
    samples.Add(SecondsBetween(t0, t1));
    state.SetIterationTime(SecondsBetween(t0, t1));
    grownBy = editor.ByteCount() - bytesBefore;
    const auto d0 = TClock::now();
    if (middle) {
      editor.SetSelection(line, column, editor.CaretLine(), editor.CaretCol(), true);
      editor.DeleteSelection();
    } else {
      editor.ClearText(false);
    }
    deletions.Add(SecondsBetween(d0, TClock::now()));
    editor.ClearUndo();
    window->Paint();
    if (code != 0 || editor.ByteCount() != bytesBefore || editor.ParaCount() != parasBefore) {
      ForgetWindowDoc();
      state.SkipWithError(code != 0 ? "InsertString failed" : "the text was not restored");
      break;
    }
  }
  ReportMilliseconds(state, samples);
  state.counters["MB_per_s"] = static_cast<double>(text.size()) / 1e6 / samples.Median();
  state.counters["bytes_grown"] = grownBy;
  state.counters["removal_ms"] = deletions.Median() * 1e3;
  state.SetBytesProcessed(static_cast<std::int64_t>(text.size()) *
                          static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_InsertString)
    ->ArgNames({"into_middle", "MiB"})
    ->Args({0, 10})
    ->Args({1, 1})
    ->Args({1, 2})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The whole 10 MiB into the middle of the 100 MB document takes far longer (quadratic, see
// bench/README.md); measured only when QUILMO_BENCH_SLOW is set.
[[maybe_unused]] const bool kSlowRegistered = [] {
  if (const char* slow = std::getenv("QUILMO_BENCH_SLOW"); slow && *slow)
    benchmark::RegisterBenchmark("BM_InsertStringSlow", BM_InsertString)
        ->ArgNames({"into_middle", "MiB"})
        ->Args({1, 10})
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
}  // namespace quilmo::bench
