// What a screen reader costs on the 100 MB document: word and line lookups through the
// accessible text interface, and the cost per key of the caret and text events while
// accessibility is active, inactive, or the interface was never asked for.

#include <QAccessible>

#include <array>
#include <cstdint>

#include "bench/editor_fixture.h"
#include "editor/CommandCodes.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorAccessible.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo::bench {
namespace {

constexpr int kLookups = 1000;

std::int64_t EventCount = 0;
std::int64_t EventCharacters = 0;
// Stands for the platform bridge: takes every event and reads what it carries.
void CountEvent(QAccessibleEvent* event) {
  ++EventCount;
  if (event->type() == QAccessible::TextInserted)
    EventCharacters += static_cast<QAccessibleTextInsertEvent*>(event)->textInserted().size();
}

QAccessibleTextInterface* TextOf(TBenchWindow& window) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&window.Widget());
  return iface ? iface->textInterface() : nullptr;
}

// Args: boundary (0 = word, 1 = display line, word wrap at column 80), place (0 = the middle
// of the text, 1 = its end, 2 = by turns the middle and the end, 50 MB apart). One iteration =
// 1,000 textAtOffset calls at offsets spread over 100,000 characters, each timed on its own. `index_ms`: the
// first call after loading, which builds the paragraph offset index (first iteration only).
void BM_AccessLookup(benchmark::State& state) {
  const bool line = state.range(0) != 0;
  const int place = static_cast<int>(state.range(1));
  TBenchWindow* window = ShownWindowWithDoc(state, 100);
  if (!window) return;
  TTextFileEditor& editor = window->Editor();
  editor.SetWrapColumn(80);
  editor.SetWordWrap(line);
  QAccessibleTextInterface* text = TextOf(*window);
  if (!text) return state.SkipWithError("no accessible text interface");
  const QAccessible::TextBoundaryType boundary = line ? QAccessible::LineBoundary : QAccessible::WordBoundary;
  const auto build0 = TClock::now();
  const int count = text->characterCount();
  int start = 0;
  int end = 0;
  text->textAtOffset(count / 3, boundary, &start, &end);
  state.counters["index_ms"] = SecondsBetween(build0, TClock::now()) * 1e3;
  const int middle = count / 2;
  const int last = count - 100000;

  TSamples wall;
  TSamples cpu;
  TOpTimer timer;
  std::int64_t characters = 0;
  for (auto _ : state) {
    wall.Clear();
    cpu.Clear();
    for (int i = 0; i < kLookups; ++i) {
      const int base = place == 0 || (place == 2 && i % 2 == 0) ? middle : last;
      const int offset = base + static_cast<int>((std::int64_t{i} * 7919) % 100000);
      timer.Start();
      const QString found = text->textAtOffset(offset, boundary, &start, &end);
      timer.Stop(wall, cpu);
      characters += found.size();
      if (start > offset || end <= offset) {
        state.SkipWithError("the segment does not hold its offset");
        break;
      }
    }
    state.SetIterationTime(wall.Sum());
  }
  benchmark::DoNotOptimize(characters);
  ReportMicroseconds(state, wall);
  state.counters["cpu_median_us"] = cpu.Median() * 1e6;
  editor.SetWordWrap(false);
}
BENCHMARK(BM_AccessLookup)
    ->ArgNames({"line", "place"})
    ->ArgsProduct({{0, 1}, {0, 1, 2}})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

enum TMode { mdNoInterface, mdInactive, mdActive, kModes };
const char* const kModeNames[kModes] = {"none_", "inactive_", "active_"};

// Args: key (0 = Right, no paint; 1 = a typed character and a repaint). The three modes take
// turns in blocks of 50 keys, 20 blocks each, in the middle of the 100 MB document: no
// accessible interface was ever made for the widget, the interface exists but accessibility
// is inactive, and active (every event built and handed over). Medians per mode and the
// ratios to the mode without an interface, from the same run.
void BM_AccessKeys(benchmark::State& state) {
  const bool typing = state.range(0) != 0;
  TBenchWindow* window = ShownWindowWithDoc(state, 100);
  if (!window) return;
  TTextFileEditor& editor = window->Editor();
  const std::int32_t para = editor.ParaCount() / 2;
  const std::int32_t bytesBefore = editor.ByteCount();
  constexpr int kBlock = 50;
  constexpr int kRounds = 20;
  std::array<TSamples, kModes> wall;
  std::array<TSamples, kModes> cpu;
  TOpTimer timer;
  for (auto _ : state) {
    for (auto& s : wall) s.Clear();
    for (auto& s : cpu) s.Clear();
    double total = 0;
    for (int round = 0; round < kRounds; ++round) {
      for (int mode = 0; mode < kModes; ++mode) {
        // Untimed: set the mode up and start from the paragraph's start.
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&window->Widget());
        if (mode == mdNoInterface && iface)
          QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
        if (mode != mdNoInterface) iface->textInterface()->cursorPosition();  // builds the index
        TEditorAccessible::SetEventSink(mode == mdActive ? &CountEvent : nullptr);
        editor.MoveCaretToPara(para + round, 1);
        window->Paint();
        for (int k = 0; k < kBlock; ++k) {
          timer.Start();
          if (typing) {
            editor.ProcessCommand(ccTypeChar, 'x');
            window->Paint();
          } else {
            editor.ProcessCommand(ccRight, 0);
          }
          total += timer.Stop(wall[static_cast<std::size_t>(mode)], cpu[static_cast<std::size_t>(mode)]);
        }
        TEditorAccessible::SetEventSink(nullptr);
        if (typing) {
          for (int undo = 0; undo < 100 && editor.ByteCount() != bytesBefore && editor.CanUndo(); ++undo)
            editor.Undo();
          editor.ClearUndo();
        }
      }
    }
    state.SetIterationTime(total);
    if (editor.ByteCount() != bytesBefore) {
      ForgetWindowDoc();
      state.SkipWithError("undo did not restore the text");
      break;
    }
  }
  for (int mode = 0; mode < kModes; ++mode) {
    const auto m = static_cast<std::size_t>(mode);
    ReportMicroseconds(state, wall[m], kModeNames[mode]);
    state.counters[std::string(kModeNames[mode]) + "cpu_median_us"] = cpu[m].Median() * 1e6;
    state.counters[std::string(kModeNames[mode]) + "ratio"] = wall[m].Median() / wall[mdNoInterface].Median();
    state.counters[std::string(kModeNames[mode]) + "cpu_ratio"] =
        cpu[m].Median() / cpu[mdNoInterface].Median();
  }
  state.counters["events"] = static_cast<double>(EventCount);
  benchmark::DoNotOptimize(EventCharacters);
  window->Paint();
}
BENCHMARK(BM_AccessKeys)
    ->ArgName("typing")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench
