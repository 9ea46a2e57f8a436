// The recovery journal's cost: typing at the end of the 100 MB document in the shown window
// with and without the journal, the journal's own CPU time per key, writing out a batch, and
// a replace-all of 1,000 matches with and without the journal.

#include <unistd.h>

#include <filesystem>
#include <string>

#include "bench/QtBench.h"
#include "bench/file_fixture.h"
#include "editor/CommandCodes.h"
#include "editor/TextFileEditor.h"
#include "engine/JournalWriter.h"
#include "engine/ParaList.h"
#include "engine/Search.h"

namespace quilmo::bench {
namespace {

constexpr int kKeys = 1000;
constexpr int kEngineKeys = 10000;
// Keys typed in one second by a fast typist: one batch written out by the flush timer.
constexpr int kKeysPerBatch = 10;
const std::string kTyped = "Le cœur a ses raisons que la raison ne connaît point. ";

std::string JournalPath() {
  return (std::filesystem::temp_directory_path() / ("quilmo-bench-" + std::to_string(getpid()) + ".journal"))
      .string();
}

// Arg: journal off (0) or on (1). 1,000 characters typed by ProcessCommand(ccTypeChar) at the
// end of the document, the window repainted after each key (median_us). With the journal,
// every tenth key is followed by a flush (write and fsync of the batch, as the timer does it
// a second later), timed apart (flush_*). The typing is undone untimed after each iteration.
void BM_JournalTypeKeys(benchmark::State& state) {
  const bool journal = state.range(0) != 0;
  TBenchWindow* window = FileWindowDoc100(state);
  if (!window) return;
  TTextFileEditor& editor = window->Editor();
  TParaList& list = editor.ParaList();
  const std::int32_t para = list.ParaCount();
  const std::int32_t bytesBefore = editor.ByteCount();
  TJournalWriter writer(DefaultFileSystem(), JournalPath());
  TSamples keys, keysCpu, flushes, flushesCpu;
  TOpTimer timer;
  for (auto _ : state) {
    if (journal) writer.Start(list, {});
    editor.MoveCaretToPara(para, list.ParaLength(para) + 1);
    window->Paint();
    keys.Clear();
    keysCpu.Clear();
    for (int i = 0; i < kKeys; ++i) {
      timer.Start();
      editor.ProcessCommand(ccTypeChar,
                            static_cast<unsigned char>(kTyped[static_cast<std::size_t>(i) % kTyped.size()]));
      window->Paint();
      timer.Stop(keys, keysCpu);
      if (journal && i % kKeysPerBatch == kKeysPerBatch - 1) {
        timer.Start();
        writer.Flush(i);
        timer.Stop(flushes, flushesCpu);
      }
    }
    state.SetIterationTime(keys.Sum());
    writer.Stop();
    for (int undo = 0; undo < 100 && editor.ByteCount() != bytesBefore && editor.CanUndo(); ++undo)
      editor.Undo();
    editor.ClearUndo();
    if (editor.ByteCount() != bytesBefore) {
      state.SkipWithError("undo did not restore the text");
      break;
    }
  }
  ReportMicroseconds(state, keys);
  state.counters["cpu_median_us"] = keysCpu.Median() * 1e6;
  if (journal) {
    ReportMicroseconds(state, flushes, "flush_");
    state.counters["flush_cpu_median_us"] = flushesCpu.Median() * 1e6;
  }
}
BENCHMARK(BM_JournalTypeKeys)
    ->ArgName("journal")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The journal's own CPU time per key: 10,000 one-character InsertText calls at the end of the
// document's last paragraph without the journal, then the same with it (no flush), in the
// same iteration; journal_ns_per_key is the difference per key, each run undone untimed.
void BM_JournalPerKey(benchmark::State& state) {
  TBenchWindow* window = FileWindowDoc100(state);
  if (!window) return;
  TParaList& list = window->Editor().ParaList();
  const std::int32_t para = list.ParaCount();
  const std::int32_t length = list.ParaLength(para);
  TJournalWriter writer(DefaultFileSystem(), JournalPath());
  TSamples wall[2], cpu[2];
  TOpTimer timer;
  for (auto _ : state) {
    for (int journal = 0; journal < 2; ++journal) {
      if (journal == 1) writer.Start(list, {});
      timer.Start();
      for (int i = 0; i < kEngineKeys; ++i)
        list.InsertText(para, length + 1 + i, &kTyped[static_cast<std::size_t>(i) % kTyped.size()], 1);
      timer.Stop(wall[journal], cpu[journal]);
      writer.Stop();
      list.DeleteText(para, length + 1, kEngineKeys);
      list.ClearUndo();
    }
    state.SetIterationTime(wall[1].Sum());
  }
  state.counters["off_ns_per_key"] = cpu[0].Median() / kEngineKeys * 1e9;
  state.counters["on_ns_per_key"] = cpu[1].Median() / kEngineKeys * 1e9;
  state.counters["journal_ns_per_key"] = (cpu[1].Median() - cpu[0].Median()) / kEngineKeys * 1e9;
}
BENCHMARK(BM_JournalPerKey)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

// Starting the journal of the 100 MB document, as after opening it: one pass over the text
// for its hash (too large to be copied into the journal).
void BM_JournalStart(benchmark::State& state) {
  TBenchWindow* window = FileWindowDoc100(state);
  if (!window) return;
  TParaList& list = window->Editor().ParaList();
  TJournalWriter writer(DefaultFileSystem(), JournalPath());
  TSamples wall, cpu;
  TOpTimer timer;
  for (auto _ : state) {
    timer.Start();
    writer.Start(list, {});
    state.SetIterationTime(timer.Stop(wall, cpu));
    writer.Stop();
  }
  ReportMilliseconds(state, wall);
  state.counters["cpu_median_ms"] = cpu.Median() * 1e3;
}
BENCHMARK(BM_JournalStart)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

// Replace(word, longer word, soReplaceAll | soEntireScope) of the 1,000 rare words, without
// the journal and then with it, in the same iteration; added_ms is the difference of the
// medians (CPU time), flush_ms the flush of the replace-all's records.
void BM_JournalReplaceAll(benchmark::State& state) {
  THeadlessEditor* headless = RareWordEditor(state);
  if (!headless) return;
  TTextFileEditor& editor = headless->Editor();
  const std::string word(kRareWord);
  const std::string replacement(kRareReplacement);
  TJournalWriter writer(DefaultFileSystem(), JournalPath());
  TSamples wall[2], cpu[2], flushes, flushesCpu;
  TOpTimer timer;
  for (auto _ : state) {
    for (int journal = 0; journal < 2; ++journal) {
      if (journal == 1) writer.Start(editor.ParaList(), {});
      editor.MoveCaretTo(1, 1);
      timer.Start();
      const int replaced = editor.Replace(word, replacement, soReplaceAll | soEntireScope);
      timer.Stop(wall[journal], cpu[journal]);
      if (journal == 1) {
        timer.Start();
        writer.Flush(1);
        timer.Stop(flushes, flushesCpu);
      }
      writer.Stop();
      const int back = editor.Replace(replacement, word, soReplaceAll | soEntireScope | soMatchCase);
      editor.ClearUndo();
      if (replaced != kRareCount || back != replaced) {
        state.SkipWithError("replace-all did not replace 1,000 words");
        return;
      }
    }
    state.SetIterationTime(wall[1].Sum());
  }
  state.counters["off_cpu_median_ms"] = cpu[0].Median() * 1e3;
  state.counters["on_cpu_median_ms"] = cpu[1].Median() * 1e3;
  state.counters["added_ms"] = (cpu[1].Median() - cpu[0].Median()) * 1e3;
  state.counters["flush_median_ms"] = flushes.Median() * 1e3;
}
BENCHMARK(BM_JournalReplaceAll)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench
