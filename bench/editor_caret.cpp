// Moving the caret down one line at a time through the whole 100 MB document, without paint.

#include "bench/editor_fixture.h"
#include "editor/CommandCodes.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo::bench {
namespace {

// Args: host (0 = a host that paints nothing, 1 = the editor widget, hidden so that nothing
// is painted; its queued status call is delivered after every move and timed apart), word
// wrap (0 / 1 at column 80). One iteration = ProcessCommand(ccDown) from line 1 to the last
// line, every move timed on its own. The view scrolls one line per move once the caret has
// reached the bottom row, as it does for a user holding the key down.
void BM_CaretDown(benchmark::State& state) {
  const bool widget = state.range(0) != 0;
  const bool wrap = state.range(1) != 0;
  TBenchWindow* window = nullptr;
  TTextFileEditor* editor = nullptr;
  if (widget) {
    window = HiddenWindowDoc100(state);
    if (window) editor = &window->Editor();
  } else if (THeadlessEditor* headless = HeadlessDoc100(state)) {
    editor = &headless->Editor();
  }
  if (!editor) return;
  editor->SetWrapColumn(80);
  editor->SetWordWrap(wrap);

  TSamples moves;
  TSamples status;  // widget: delivering the queued status call
  std::int64_t lines = 0;
  for (auto _ : state) {
    editor->MoveCaretTo(1, 1);
    if (window) TBenchWindow::DeliverPosted();
    lines = editor->LineCount();
    moves.Clear();
    status.Clear();
    moves.Reserve(static_cast<std::size_t>(lines));
    if (window) status.Reserve(static_cast<std::size_t>(lines));
    double total = 0;
    for (std::int64_t i = 1; i < lines; ++i) {
      const auto t0 = TClock::now();
      editor->ProcessCommand(ccDown, 0);
      const auto t1 = TClock::now();
      moves.Add(SecondsBetween(t0, t1));
      total += SecondsBetween(t0, t1);
      if (window) {
        TBenchWindow::DeliverPosted();
        const auto t2 = TClock::now();
        status.Add(SecondsBetween(t1, t2));
      }
    }
    state.SetIterationTime(total);
    if (editor->CaretLine() != lines || editor->TopLine() + editor->VisibleLines() <= lines) {
      state.SkipWithError("the caret did not reach the last line");
      break;
    }
  }
  ReportMicroseconds(state, moves);
  if (window) ReportMicroseconds(state, status, "status_");
  state.counters["moves"] = static_cast<double>(moves.Count());
  state.counters["visible_lines"] = editor->VisibleLines();
  state.SetItemsProcessed(static_cast<std::int64_t>(moves.Count()) *
                          static_cast<std::int64_t>(state.iterations()));
  editor->SetWordWrap(false);
  editor->MoveCaretTo(1, 1);
  if (window) TBenchWindow::DeliverPosted();
}
BENCHMARK(BM_CaretDown)
    ->ArgNames({"widget", "wrap"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench
