// quilmo_dialogs_bench: "&Tout remplacer" clicked in the replace dialog on the 100 MB
// document with a rare six-letter word, until the window is repainted, beside the control's
// own replace-all of the same text in the same run (QT_QPA_PLATFORM defaults to "offscreen").

#include <QCoreApplication>
#include <QPushButton>

#include <memory>
#include <string>

#include "app/dialogs/DialogHost.h"
#include "app/dialogs/HistoryCombo.h"
#include "app/dialogs/ReplaceDlg.h"
#include "bench/QtBench.h"
#include "bench/file_fixture.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"
#include "engine/Search.h"

namespace quilmo::bench {
namespace {

// The main window as far as the replace dialog needs it: the editor of the benchmark window,
// the search state, histories in memory; messages and buttons are dropped.
class TBenchDialogHost final : public TDialogHost {
 public:
  explicit TBenchDialogHost(TBenchWindow& window) : FWindow(window) {}
  QWidget* DialogParent() override { return &FWindow.Widget(); }
  TCustomTextFileEditor& Editor() override { return FWindow.Editor(); }
  TSearchState& SearchState() override { return FState; }
  void FocusEditor() override {}
  void Beep() override {}
  void ShowInformation(const QString&) override {}
  void ShowError(const QString&) override {}
  bool StayOnTop() const override { return false; }
  void SetStayOnTop(bool) override {}
  void UpdateButtons(bool) override {}
  void SetFindNextEnabled(bool) override {}
  void UpdateSearchMenu() override {}
  QStringList ReadHistory(const QString& section) override { return FHistories[section]; }
  void WriteHistory(const QString& section, const QStringList& entries) override {
    FHistories[section] = entries;
  }
  TWindowOptions WindowOptions() const override { return {}; }
  void SetWindowOptions(const TWindowOptions&) override {}
  QString OpenFilter() const override { return {}; }
  void SetOpenFilter(const QString&) override {}
  bool HintsInStatusBar() const override { return false; }
  void ShowHint(const QString&) override {}
  void ShowHelp(int) override {}
  TRegisteredUser RegisteredUser() override { return {}; }

 private:
  TBenchWindow& FWindow;
  TSearchState FState;
  QMap<QString, QStringList> FHistories;
};

std::unique_ptr<TBenchWindow> window;

TBenchWindow* RareWordWindow(benchmark::State& state) {
  return OrSkip(
      state,
      [] {
        static bool registered = false;
        if (registered) return;
        registered = true;
        AtBenchEnd([] { window.reset(); });
      },
      []() -> TBenchWindow* {
        if (!window) {
          window = std::make_unique<TBenchWindow>(true);
          window->Editor().LoadTextFile(EnsureRareWordDoc().string());
          window->Paint();
        }
        return window.get();
      });
}

// Puts the rare word back and forgets the history, untimed.
bool Restore(TTextFileEditor& editor, const std::string& word, const std::string& replacement,
             std::int32_t bytes) {
  const int back = editor.Replace(replacement, word, soReplaceAll | soEntireScope | soMatchCase);
  editor.ClearUndo();
  editor.MoveCaretTo(1, 1);
  return back == kRareCount && editor.ByteCount() == bytes;
}

// Every iteration: the control's Replace(word, longer word, soReplaceAll) from the start of
// the text (timed alone: ref_*), then the same from the dialog: the texts typed, the caret at
// the start, "&Tout remplacer" clicked, the window repainted (timed: median_ms).
// ratio = dialog median / control median.
void BM_ReplaceAllFromDialog(benchmark::State& state) {
  TBenchWindow* shown = RareWordWindow(state);
  if (!shown) return;
  TTextFileEditor& editor = shown->Editor();
  TBenchDialogHost host(*shown);
  const std::string word(kRareWord);
  const std::string replacement(kRareReplacement);
  const std::int32_t bytes = editor.ByteCount();
  editor.MoveCaretTo(1, 1);

  TSamples dialogWall, dialogCpu, refWall, refCpu;
  TOpTimer timer;
  for (auto _ : state) {
    timer.Start();
    const int replaced = editor.Replace(word, replacement, soReplaceAll);
    timer.Stop(refWall, refCpu);
    if (replaced != kRareCount || !Restore(editor, word, replacement, bytes)) {
      state.SkipWithError("the control replaced a different count");
      break;
    }

    auto* dialog = new TReplaceDlg(host, &shown->Widget());
    dialog->show();
    dialog->FindBox1->setEditText(QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size())));
    dialog->ReplaceBox1->setEditText(
        QString::fromLatin1(replacement.data(), static_cast<qsizetype>(replacement.size())));
    QCoreApplication::processEvents();
    timer.Start();
    dialog->Button3->click();
    shown->Paint();
    state.SetIterationTime(timer.Stop(dialogWall, dialogCpu));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (editor.ByteCount() == bytes || !Restore(editor, word, replacement, bytes)) {
      state.SkipWithError("the dialog replaced a different count");
      break;
    }
  }
  ReportMilliseconds(state, dialogWall);
  ReportMilliseconds(state, refWall, "ref_");
  state.counters["cpu_median_ms"] = dialogCpu.Median() * 1e3;
  state.counters["ref_cpu_median_ms"] = refCpu.Median() * 1e3;
  state.counters["ratio"] = Ratio(dialogWall.Median(), refWall.Median());
  state.counters["cpu_ratio"] = Ratio(dialogCpu.Median(), refCpu.Median());
}
BENCHMARK(BM_ReplaceAllFromDialog)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench

int main(int argc, char** argv) {
  return quilmo::bench::RunQtBenchmarks(argc, argv);
}
