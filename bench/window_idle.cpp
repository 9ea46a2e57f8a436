// The main window after every key: typing at the end of the 100 MB document in the whole
// window (menus, tool bar, status bar, the recovery journal), each key followed by its paint
// and the window's idle refresh (status bar, lock keys). Run it with QT_QPA_PLATFORM=xcb on an
// X server to count the window system's part too.
// Instructions per key: valgrind --tool=callgrind --collect-atstart=no
//   --toggle-collect='*TimedKey*' quilmo_window_idle_bench --benchmark_filter=WindowTyping/case:2
// and divide by the calls of TimedKey.

#include <QApplication>
#include <QKeyEvent>

#include "app/EditForm.h"
#include "bench/QtBench.h"
#include "bench/window_fixture.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo::bench {
namespace {

// Keys per round, each round typing kKeys characters at the end of the document and undoing
// them (untimed).
constexpr int kKeys = 60;
constexpr int kRounds = 20;

// What a round measures (the benchmark's argument).
enum TTypingCase : int {
  tcInView = 0,          // the key, its paint and the idle refresh; the text stays within the width
  tcIdleOnly = 1,        // the idle refresh alone, after each key (key and paint untimed)
  tcSideways = 2,        // like tcInView past the right edge: every key scrolls the line sideways
  tcSidewaysMarked = 3,  // the same with the marker glyphs shown and a marker mid-document
};

QKeyEvent KeyOf(int i) {
  return QKeyEvent(QEvent::KeyPress, Qt::Key_A + i % 26, Qt::NoModifier, QString(QChar('a' + i % 26)));
}

// The measured part of a key; kept out of line so that callgrind can collect it alone.
[[gnu::noinline]] void TimedKey(TEditForm& form, QWidget* target, QKeyEvent& key, bool withKey) {
  if (withKey) {
    QApplication::sendEvent(target, &key);
    PaintWindow(form);
  }
  form.AppIdle();
}

void BM_WindowTyping(benchmark::State& state) {
  const auto what = static_cast<TTypingCase>(state.range(0));
  TEditForm* form = MainWindowWithDoc100(state, TJournalUse::On);
  if (!form) return;
  TTextFileEditor& editor = form->Editor1();
  QWidget* target = form->Editor1Widget();
  TSamples wall;
  TSamples cpu;
  TOpTimer timer;
  int scrolled = 0;
  for (auto _ : state) {
    state.PauseTiming();
    CaretToEnd(*form);
    const bool sideways = what == tcSideways || what == tcSidewaysMarked;
    const bool showedBookmarks = editor.ShowBookmarks();
    if (what == tcSidewaysMarked) {
      editor.SetShowBookmarks(true);
      editor.SetMarkerAt(1, editor.LineCount() / 2, 1);
    }
    // Sideways: typed up to the right edge first, so that each timed key scrolls.
    if (sideways) {
      for (int i = 0; editor.CaretCol() < editor.LeftColumn() + editor.VisibleColumns(); ++i) {
        QKeyEvent key = KeyOf(i);
        QApplication::sendEvent(target, &key);
        PaintWindow(*form);
      }
      QApplication::processEvents();
    }
    state.ResumeTiming();
    for (int i = 0; i < kKeys; ++i) {
      QKeyEvent key = KeyOf(i);
      const std::int32_t left = editor.LeftColumn();
      if (what == tcIdleOnly) {
        QApplication::sendEvent(target, &key);
        PaintWindow(*form);
      }
      timer.Start();
      TimedKey(*form, target, key, what != tcIdleOnly);
      timer.Stop(wall, cpu);
      if (editor.LeftColumn() != left) ++scrolled;
      QApplication::processEvents();
    }
    state.PauseTiming();
    while (editor.CanUndo()) editor.Undo();
    if (what == tcSidewaysMarked) {
      editor.ClearMarker(1);
      editor.SetShowBookmarks(showedBookmarks);
    }
    QApplication::processEvents();
    state.ResumeTiming();
  }
  ReportMicroseconds(state, wall);
  ReportMicroseconds(state, cpu, "cpu_");
  // The share of timed keys that scrolled the view sideways (1 for the sideways case).
  state.counters["scrolled"] = static_cast<double>(scrolled) / static_cast<double>(wall.Count());
}
BENCHMARK(BM_WindowTyping)
    ->ArgName("case")
    ->Arg(tcInView)
    ->Arg(tcIdleOnly)
    ->Arg(tcSideways)
    ->Arg(tcSidewaysMarked)
    ->Iterations(kRounds)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench

int main(int argc, char** argv) {
  return quilmo::bench::RunQtBenchmarks(argc, argv);
}
