// quilmo_window_bench: typing 1,000 characters at the end of the 100 MB document in the whole
// main window (the menu shortcuts looked up for every key, the tool buttons refreshed on every
// change and status call), the editor repainted and the posted events delivered after every
// key; without (journal:0) and with (journal:1) the recovery journal Kel keeps, whose flush
// runs when its timer is due, as in the program.

#include <QApplication>
#include <QKeyEvent>

#include <memory>
#include <vector>

#include "app/EditForm.h"
#include "bench/QtBench.h"
#include "bench/window_fixture.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo::bench {
namespace {

constexpr int kKeys = 1000;

std::vector<std::unique_ptr<QKeyEvent>> KeyEvents() {
  std::vector<std::unique_ptr<QKeyEvent>> events;
  const QString text = QStringLiteral("Le cœur a ses raisons que la raison ne connaît point. ");
  for (int i = 0; i < kKeys; ++i) {
    const QChar c = text[i % text.size()];
    const int key =
        c.isLetter() && c.unicode() < 128 ? Qt::Key_A + (c.toUpper().unicode() - 'A') : Qt::Key_unknown;
    events.push_back(std::make_unique<QKeyEvent>(QEvent::KeyPress, key, Qt::NoModifier, QString(c)));
  }
  return events;
}

// Per key: the key event through the application (its event filters included), the editor's
// repaint and every posted event; timers due (the journal's flush) run between keys, untimed.
void BM_WindowTypeKeys(benchmark::State& state) {
  const TJournalUse journal = state.range(0) != 0 ? TJournalUse::On : TJournalUse::Off;
  TEditForm* form = MainWindowWithDoc100(state, journal);
  if (!form) return;
  TTextFileEditor& editor = form->Editor1();
  const std::int32_t bytesBefore = editor.ByteCount();
  const std::vector<std::unique_ptr<QKeyEvent>> events = KeyEvents();
  TSamples keys;
  TSamples keysCpu;
  TOpTimer timer;
  for (auto _ : state) {
    CaretToEnd(*form);
    keys.Clear();
    keysCpu.Clear();
    for (const auto& event : events) {
      timer.Start();
      QCoreApplication::sendEvent(form->Editor1Widget(), event.get());
      PaintWindow(*form);
      timer.Stop(keys, keysCpu);
      QCoreApplication::processEvents();
    }
    state.SetIterationTime(keys.Sum());
    for (int undo = 0; undo < 100 && editor.ByteCount() != bytesBefore && editor.CanUndo(); ++undo)
      editor.Undo();
    editor.SetModified(false);
  }
  ReportMicroseconds(state, keys);
  state.counters["cpu_median_us"] = keysCpu.Median() * 1e6;
  state.counters["typed_ok"] = editor.ByteCount() == bytesBefore ? 1 : 0;
}
BENCHMARK(BM_WindowTypeKeys)
    ->ArgName("journal")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench

int main(int argc, char** argv) {
  return quilmo::bench::RunQtBenchmarks(argc, argv);
}
