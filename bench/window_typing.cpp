// quilmo_window_bench: typing 1,000 characters at the end of the 100 MB document in the whole
// main window (the menu shortcuts looked up for every key, the tool buttons refreshed on every
// change and status call), 1000 x 700 pixels on the offscreen platform, the editor repainted
// and the posted events delivered after every key. Settings are kept in a temporary folder.

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "app/EditForm.h"
#include "app/InstanceStarter.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "bench/BenchDoc.h"
#include "bench/QtBench.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo::bench {
namespace {

constexpr int kKeys = 1000;

struct TWindowFixture {
  QTemporaryDir Dir;
  std::unique_ptr<TSettingsStore> Settings;
  TQtPrompter Prompter;
  TProcessStarter Starter;
  std::unique_ptr<TEditForm> Form;
};

std::unique_ptr<TWindowFixture> fixture;

void RegisterCleanup() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  AtBenchEnd([] { fixture.reset(); });
}

TWindowFixture* WindowWithDoc100(benchmark::State& state) {
  return OrSkip(state, RegisterCleanup, [&]() -> TWindowFixture* {
    if (!fixture) {
      auto f = std::make_unique<TWindowFixture>();
      f->Settings = std::make_unique<TSettingsStore>(f->Dir.filePath(QStringLiteral("Quilmo.conf")));
      TEditFormServices services;
      services.Settings = f->Settings.get();
      services.Prompter = &f->Prompter;
      services.Starter = &f->Starter;
      services.Arguments << QString::fromStdString(EnsureDoc(100).string());
      services.ProgramFile = QApplication::applicationFilePath();
      f->Form = std::make_unique<TEditForm>(services);
      f->Form->resize(kWindowWidth, kWindowHeight);
      f->Form->show();
      f->Form->Editor1Widget()->setFocus();
      f->Form->Editor1().FixedFont().Assign(BenchFontDesc());
      QApplication::processEvents();
      fixture = std::move(f);
    }
    return fixture.get();
  });
}

void Paint(TEditForm& form) {
  form.Editor1Widget()->viewport()->repaint();
  QCoreApplication::sendPostedEvents();
}

// Per key: the key event through the application (its event filters included), the editor's
// repaint and every posted event (status call, tool-button updates).
void BM_WindowTypeKeys(benchmark::State& state) {
  TWindowFixture* f = WindowWithDoc100(state);
  if (!f) return;
  TEditForm& form = *f->Form;
  TTextFileEditor& editor = form.Editor1();
  const std::int32_t bytesBefore = editor.ByteCount();
  std::vector<std::unique_ptr<QKeyEvent>> events;
  const QString text = QStringLiteral("Le cœur a ses raisons que la raison ne connaît point. ");
  for (int i = 0; i < kKeys; ++i) {
    const QChar c = text[i % text.size()];
    const int key =
        c.isLetter() && c.unicode() < 128 ? Qt::Key_A + (c.toUpper().unicode() - 'A') : Qt::Key_unknown;
    events.push_back(std::make_unique<QKeyEvent>(QEvent::KeyPress, key, Qt::NoModifier, QString(c)));
  }
  TSamples keys;
  TSamples keysCpu;
  TOpTimer timer;
  for (auto _ : state) {
    editor.MoveCaretToPara(editor.ParaCount(), editor.ParaList().ParaLength(editor.ParaCount()) + 1);
    Paint(form);
    keys.Clear();
    keysCpu.Clear();
    for (int i = 0; i < kKeys; ++i) {
      timer.Start();
      QCoreApplication::sendEvent(form.Editor1Widget(), events[static_cast<std::size_t>(i)].get());
      Paint(form);
      timer.Stop(keys, keysCpu);
    }
    state.SetIterationTime(keys.Sum());
    for (int undo = 0; undo < 100 && editor.ByteCount() != bytesBefore && editor.CanUndo(); ++undo)
      editor.Undo();
    editor.ClearUndo();
    editor.SetModified(false);
    Paint(form);
  }
  ReportMicroseconds(state, keys);
  state.counters["cpu_median_us"] = keysCpu.Median() * 1e6;
  state.counters["typed_ok"] = editor.ByteCount() == bytesBefore ? 1 : 0;
}
BENCHMARK(BM_WindowTypeKeys)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench

int main(int argc, char** argv) {
  return quilmo::bench::RunQtBenchmarks(argc, argv);
}
