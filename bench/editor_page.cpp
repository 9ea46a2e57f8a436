// Page down through the 100 MB document in the shown 1000 x 700 window, the window repainted
// after every page.

#include <QPainter>
#include <QPixmap>

#include "bench/editor_fixture.h"
#include "editor/CommandCodes.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"
#include "editor/qt/FontList.h"
#include "editor/qt/QtCanvas.h"

namespace quilmo::bench {
namespace {

constexpr int kPages = 2000;

// Arg: word wrap (0 / 1 at column 80). One iteration = kPages times ProcessCommand(ccNextPage)
// (a page is VisibleLines - 1 lines) from the middle of the document, each followed by a synchronous repaint
// of the whole viewport (TBenchWindow::Paint). Timed per page: the command (which scrolls and paints what it
// invalidated at once) and the repaint after it; cmd_* is the command alone, cpu_median_us the median of the
// thread's CPU time per page.
void BM_PageDown(benchmark::State& state) {
  const bool wrap = state.range(0) != 0;
  TBenchWindow* window = ShownWindowWithDoc(state, 100);
  if (!window) return;
  TTextFileEditor& editor = window->Editor();
  editor.SetWrapColumn(80);
  editor.SetWordWrap(wrap);
  window->Paint();

  TSamples pages;
  TSamples commands;
  TSamples pagesCpu;
  TOpTimer timer;
  pages.Reserve(kPages);
  commands.Reserve(kPages);
  for (auto _ : state) {
    editor.MoveCaretTo(editor.LineCount() / 2, 1);
    window->Paint();
    const std::int32_t startLine = editor.CaretLine();
    pages.Clear();
    commands.Clear();
    pagesCpu.Clear();
    for (int i = 0; i < kPages; ++i) {
      timer.Start();
      const auto t0 = TClock::now();
      editor.ProcessCommand(ccNextPage, 0);
      const auto t1 = TClock::now();
      window->Paint();
      timer.Stop(pages, pagesCpu);
      commands.Add(SecondsBetween(t0, t1));
    }
    state.SetIterationTime(pages.Sum());
    const std::int64_t expected = startLine + static_cast<std::int64_t>(kPages) * (editor.VisibleLines() - 1);
    if (expected <= editor.LineCount() && editor.CaretLine() != expected) {
      state.SkipWithError("page down did not move the caret by a page (VisibleLines - 1)");
      break;
    }
  }
  ReportMicroseconds(state, pages);
  ReportMicroseconds(state, commands, "cmd_");
  state.counters["cpu_median_us"] = pagesCpu.Median() * 1e6;
  state.counters["visible_lines"] = editor.VisibleLines();
  state.counters["viewport_w"] = window->ViewportWidth();
  state.counters["viewport_h"] = window->ViewportHeight();
  state.counters["focused"] = window->HasFocus() ? 1 : 0;
  state.counters["chars_on_grid"] = window->CharsOnGrid();
  state.counters["printable_chars"] = window->PrintableChars();
  state.SetItemsProcessed(static_cast<std::int64_t>(kPages) * static_cast<std::int64_t>(state.iterations()));
  editor.SetWordWrap(false);
  editor.MoveCaretTo(1, 1);
  window->Paint();
}
BENCHMARK(BM_PageDown)
    ->ArgName("wrap")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

enum TRepaintMode {
  rmBlitOnly = 0,   // nothing invalid: nothing is painted (the cost of asking)
  rmFullPaint = 1,  // everything invalid: the control paints every row
  rmCanvasOnly = 2  // the control's Paint into a pixmap through TQtCanvas, no widget at all
};

// Where the time of one repaint of the window goes. Arg: mode (above). The view shows 40-odd
// rows of the middle of the 100 MB document, word wrap off.
void BM_Repaint(benchmark::State& state) {
  const auto mode = static_cast<TRepaintMode>(state.range(0));
  TBenchWindow* window = ShownWindowWithDoc(state, 100);
  if (!window) return;
  TTextFileEditor& editor = window->Editor();
  editor.MoveCaretTo(editor.LineCount() / 2, 1);
  window->Paint();
  QPixmap pixmap(window->ViewportWidth(), window->ViewportHeight());
  const TQtEditorFont font(editor.FixedFont().Desc());
  const TRect client{0, 0, window->ViewportWidth(), window->ViewportHeight()};
  TSamples samples;
  TSamples cpu;
  TOpTimer timer;
  for (auto _ : state) {
    timer.Start();
    switch (mode) {
      case rmBlitOnly: window->Paint(); break;
      case rmFullPaint:
        window->Widget().Invalidate();
        window->Paint();
        break;
      case rmCanvasOnly: {
        QPainter painter(&pixmap);
        TQtCanvas canvas(painter, font, window->Widget().viewport()->palette());
        editor.Paint(canvas, client);
        break;
      }
    }
    state.SetIterationTime(timer.Stop(samples, cpu));
  }
  ReportMicroseconds(state, samples);
  state.counters["cpu_median_us"] = cpu.Median() * 1e6;
}
BENCHMARK(BM_Repaint)
    ->ArgName("mode")
    ->Arg(rmBlitOnly)
    ->Arg(rmFullPaint)
    ->Arg(rmCanvasOnly)
    ->MinTime(1.0)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quilmo::bench
