// InsertString of a 10 MB text (the 10 MB document's bytes, CR LF lines) at the caret.

#include <string>

#include "bench/BenchDoc.h"
#include "bench/editor_fixture.h"
#include "editor/TextFileEditor.h"

namespace quilmo::bench {
namespace {

// Arg: into (0 = an empty text, 1 = the middle of the paragraph in the middle of the 100 MB
// document). Timed: InsertString and the repaint of the shown window after it. Untimed: the
// inserted text is removed again (cleared, or selected and deleted) and the history cleared.
// MB_per_s is 10^6 bytes per second of the median.
void BM_InsertString(benchmark::State& state) {
  const bool middle = state.range(0) != 0;
  std::string text;
  try {
    text = ReadFileBytes(EnsureDoc(10));
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  TBenchWindow* window = ShownWindowWithDoc(state, middle ? 100 : 0);
  if (!window) return;
  TTextFileEditor& editor = window->Editor();
  const std::int32_t bytesBefore = editor.ByteCount();
  const std::int32_t parasBefore = editor.ParaCount();
  const std::int32_t para = middle ? editor.ParaCount() / 2 : 1;
  const std::int32_t pos = middle ? editor.ParaList().ParaLength(para) / 2 + 1 : 1;

  TSamples samples;
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
    if (middle) {
      editor.SetSelection(line, column, editor.CaretLine(), editor.CaretCol(), true);
      editor.DeleteSelection();
    } else {
      editor.ClearText(false);
    }
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
  state.SetBytesProcessed(static_cast<std::int64_t>(text.size()) * static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_InsertString)->ArgName("into_middle")->Arg(0)->Arg(1)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench
