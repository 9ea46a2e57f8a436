// The main window after every key: typing at the end of the 100 MB document in the whole
// window (menus, tool bar, status bar, the recovery journal), each key followed by its paint
// and the window's idle refresh (status bar, lock keys). Run it with QT_QPA_PLATFORM=xcb on an
// X server to count the keyboard-state query too.

#include <QApplication>
#include <QKeyEvent>

#include "app/EditForm.h"
#include "bench/QtBench.h"
#include "bench/window_fixture.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo::bench {
namespace {

// Keys per round: the typed text stays within the window's width (no sideways scroll).
constexpr int kKeys = 60;
constexpr int kRounds = 20;

// Args: 0 = the key, its paint and the idle refresh; 1 = the idle refresh alone, after each
// key (key and paint untimed). Figures per key over all rounds, each round typing kKeys
// characters at the end of the document and undoing them (untimed).
void BM_WindowTyping(benchmark::State& state) {
  const bool idleOnly = state.range(0) != 0;
  TEditForm* form = MainWindowWithDoc100(state, TJournalUse::On);
  if (!form) return;
  TTextFileEditor& editor = form->Editor1();
  QWidget* target = form->Editor1Widget();
  TSamples wall;
  TSamples cpu;
  TOpTimer timer;
  for (auto _ : state) {
    CaretToEnd(*form);
    for (int i = 0; i < kKeys; ++i) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_A + i % 26, Qt::NoModifier, QString(QChar('a' + i % 26)));
      if (!idleOnly) timer.Start();
      QApplication::sendEvent(target, &key);
      PaintWindow(*form);
      if (idleOnly) timer.Start();
      form->AppIdle();
      timer.Stop(wall, cpu);
      QApplication::processEvents();
    }
    state.PauseTiming();
    while (editor.CanUndo()) editor.Undo();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  ReportMicroseconds(state, wall);
  ReportMicroseconds(state, cpu, "cpu_");
}
BENCHMARK(BM_WindowTyping)->Arg(0)->Arg(1)->Iterations(kRounds)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench

int main(int argc, char** argv) {
  return quilmo::bench::RunQtBenchmarks(argc, argv);
}
