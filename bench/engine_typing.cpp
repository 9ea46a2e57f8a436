// Typing into the 100 MiB document: one InsertText of one character per key, at consecutive
// positions, so that the undo buffer merges the keys into one record as it does for a user.

#include "bench/engine_fixture.h"
#include "engine/ParaList.h"

namespace quilmo::bench {
namespace {

constexpr int kTyped = 10000;

enum TPlace { plEnd = 0, plMiddle = 1 };

// Args: place (0 = the last paragraph of the document, where Ctrl+End puts the caret;
// 1 = the middle of the paragraph in the middle of the document), word wrap (0 / 1, column 80).
// The typed characters are deleted again (untimed) after each iteration.
void BM_TypeChars(benchmark::State& state) {
  TParaList* list = Doc100ListOrSkip(state);
  if (!list) return;
  const bool wrap = state.range(1) != 0;
  list->SetWrapColumn(80);
  list->SetWordWrap(wrap);
  const std::int32_t para = state.range(0) == plEnd ? list->ParaCount() : list->ParaCount() / 2;
  const std::int32_t start =
      state.range(0) == plEnd ? list->ParaLength(para) + 1 : list->ParaLength(para) / 2 + 1;
  const std::int32_t lengthBefore = list->ParaLength(para);
  const std::int32_t linesBefore = list->LineCount();
  static const char kKeys[] = "Le cœur a ses raisons que la raison ne connaît point. ";
  std::int32_t undoCount = 0;

  for (auto _ : state) {
    std::uint16_t rc = 0;
    for (int i = 0; i < kTyped && rc == 0; ++i)
      rc = list->InsertText(para, start + i, &kKeys[i % (sizeof kKeys - 1)], 1);

    state.PauseTiming();
    const bool grew = list->ParaLength(para) == lengthBefore + kTyped;
    undoCount = list->UndoCount();
    const std::uint16_t deleted = list->DeleteText(para, start, kTyped);
    list->ClearUndo();
    const bool restored = list->ParaLength(para) == lengthBefore && list->LineCount() == linesBefore;
    if (rc != 0 || deleted != 0 || !grew || !restored) {
      state.SkipWithError(rc != 0        ? "InsertText failed"
                          : deleted != 0 ? "DeleteText failed"
                                         : "typing did not give the expected paragraph");
      break;
    }
    state.ResumeTiming();
  }
  list->SetWordWrap(false);
  state.SetItemsProcessed(static_cast<std::int64_t>(kTyped) * static_cast<std::int64_t>(state.iterations()));
  state.counters["time/char"] = TimePerItem(kTyped);
  state.counters["undo_records"] = undoCount;
}
BENCHMARK(BM_TypeChars)
    ->ArgNames({"middle", "wrap"})
    ->Args({plEnd, 0})
    ->Args({plMiddle, 0})
    ->Args({plEnd, 1})
    ->Args({plMiddle, 1})
    ->MinWarmUpTime(0.1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quilmo::bench
