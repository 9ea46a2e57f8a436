// Auto-scroll by line on the 100 MB document with word wrap on: one step of the window's
// timer (the view one line down) and the paint it causes, from the middle of the document.
// The step runs every 10 ms at the fastest interval, so it must take well under that.

#include <QAction>
#include <QApplication>
#include <QTimer>

#include "app/EditForm.h"
#include "bench/QtBench.h"
#include "bench/window_fixture.h"
#include "editor/KeyBinding.h"
#include "editor/TextFileEditor.h"

namespace quilmo::bench {
namespace {

constexpr int kSteps = 500;
constexpr std::uint8_t kKeyF6 = vkF1 + 5;  // starts scrolling down by line
constexpr std::uint8_t kKeyF8 = vkF1 + 7;  // stops

void BM_AutoScrollLine(benchmark::State& state) {
  TEditForm* form = MainWindowWithDoc100(state, TJournalUse::On);
  if (!form) return;
  TTextFileEditor& editor = form->Editor1();
  const bool wrapWas = form->EditMenu().Retourlaligneautomatique1->isChecked();
  if (!wrapWas) form->Retourlaligneautomatique1Click();
  TSamples wall;
  TSamples cpu;
  TOpTimer timer;
  for (auto _ : state) {
    editor.MoveCaretToPara(editor.ParaCount() / 2, 1);
    editor.SetTopLine(editor.CaretLine());
    PaintWindow(*form);
    const std::int32_t topBefore = editor.TopLine();
    form->AutoScrollKey(kKeyF6, 0);
    form->Timer1()->stop();  // the steps are driven here, one by one
    wall.Clear();
    cpu.Clear();
    for (int i = 0; i < kSteps; ++i) {
      timer.Start();
      form->Timer1Timer();
      PaintWindow(*form);
      timer.Stop(wall, cpu);
    }
    state.SetIterationTime(wall.Sum());
    state.counters["lines_scrolled"] = editor.TopLine() - topBefore;
    form->AutoScrollKey(kKeyF8, 0);
  }
  if (!wrapWas) form->Retourlaligneautomatique1Click();
  ReportMicroseconds(state, wall);
  ReportMicroseconds(state, cpu, "cpu_");
}
BENCHMARK(BM_AutoScrollLine)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench
