// Finding every occurrence of a rare word with the control's Search, and replacing them all,
// beside Horspool scans of the raw bytes.

#include <string>

#include "bench/BenchDoc.h"
#include "bench/file_fixture.h"
#include "editor/TextFileEditor.h"
#include "engine/Search.h"

namespace quilmo::bench {
namespace {

std::string RareDocBytes(benchmark::State& state) {
  try {
    return ReadFileBytes(EnsureRareWordDoc());
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return {};
  }
}

// Arg: match case (1 = soMatchCase, 0 = case-insensitive). Every iteration counts the
// occurrences with the reference (ReferenceCount over the file's bytes in memory), then with
// the control: caret to the start, then Search(word, options) until it finds nothing, each
// call selecting the next occurrence (no window: the host paints nothing). Both timed.
// ratio = editor median / reference median.
void BM_SearchCount(benchmark::State& state) {
  const bool matchCase = state.range(0) != 0;
  const std::string bytes = RareDocBytes(state);
  if (bytes.empty()) return;
  THeadlessEditor* headless = RareWordEditor(state);
  if (!headless) return;
  TTextFileEditor& editor = headless->Editor();
  const THorspool pattern(kRareWord, matchCase);
  const std::uint8_t options = matchCase ? soMatchCase : 0;
  const std::string word(kRareWord);

  TSamples editorWall, editorCpu, refWall, refCpu;
  TOpTimer timer;
  std::int64_t found = 0;
  std::int64_t expected = 0;
  for (auto _ : state) {
    timer.Start();
    expected = ReferenceCount(bytes, pattern);
    timer.Stop(refWall, refCpu);

    editor.MoveCaretTo(1, 1);
    timer.Start();
    found = 0;
    while (editor.Search(word, options)) ++found;
    state.SetIterationTime(timer.Stop(editorWall, editorCpu));
    if (found != expected || expected != kRareCount) {
      state.SkipWithError("the control and the reference found different counts");
      break;
    }
  }
  ReportMilliseconds(state, editorWall);
  ReportMilliseconds(state, refWall, "ref_");
  state.counters["cpu_median_ms"] = editorCpu.Median() * 1e3;
  state.counters["ref_cpu_median_ms"] = refCpu.Median() * 1e3;
  state.counters["ratio"] = Ratio(editorWall.Median(), refWall.Median());
  state.counters["cpu_ratio"] = Ratio(editorCpu.Median(), refCpu.Median());
  state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_SearchCount)
    ->ArgName("match_case")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Replace(word, longer word, soReplaceAll | soEntireScope) (case-insensitive, as those
// options say) beside ReferenceReplaceAll, which builds the replaced bytes in one pass with
// the same case-insensitive Horspool scan. The replacement is undone untimed by replacing
// the longer word back (matching case) and the history is cleared. Arg: where the caret (and
// so the view) is when replacing: 0 = the start of the text, 1 = its middle paragraph.
void BM_ReplaceAll(benchmark::State& state) {
  const bool fromMiddle = state.range(0) != 0;
  const std::string bytes = RareDocBytes(state);
  if (bytes.empty()) return;
  THeadlessEditor* headless = RareWordEditor(state);
  if (!headless) return;
  TTextFileEditor& editor = headless->Editor();
  const THorspool pattern(kRareWord, false);
  const std::string word(kRareWord);
  const std::string replacement(kRareReplacement);
  const std::int32_t bytesBefore = editor.ByteCount();

  TSamples editorWall, editorCpu, refWall, refCpu;
  TOpTimer timer;
  int replaced = 0;
  for (auto _ : state) {
    std::int64_t count = 0;
    timer.Start();
    std::string out = ReferenceReplaceAll(bytes, pattern, replacement, count);
    timer.Stop(refWall, refCpu);
    benchmark::DoNotOptimize(out.data());
    out = std::string();

    editor.MoveCaretTo(fromMiddle ? editor.LineCount() / 2 : 1, 1);
    timer.Start();
    replaced = editor.Replace(word, replacement, soReplaceAll | soEntireScope);
    state.SetIterationTime(timer.Stop(editorWall, editorCpu));

    const int back = editor.Replace(replacement, word, soReplaceAll | soEntireScope | soMatchCase);
    editor.ClearUndo();
    if (replaced != count || count != kRareCount || back != replaced || editor.ByteCount() != bytesBefore) {
      state.SkipWithError("the control and the reference replaced different counts");
      break;
    }
  }
  ReportMilliseconds(state, editorWall);
  ReportMilliseconds(state, refWall, "ref_");
  state.counters["cpu_median_ms"] = editorCpu.Median() * 1e3;
  state.counters["ref_cpu_median_ms"] = refCpu.Median() * 1e3;
  state.counters["ratio"] = Ratio(editorWall.Median(), refWall.Median());
  state.counters["cpu_ratio"] = Ratio(editorCpu.Median(), refCpu.Median());
  state.counters["replaced"] = replaced;
}
BENCHMARK(BM_ReplaceAll)
    ->ArgName("caret_middle")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench
