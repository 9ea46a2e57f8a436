// Re-wrapping the whole 100 MiB document at column 80.

#include "bench/engine_fixture.h"
#include "engine/ParaList.h"

namespace quilmo::bench {
namespace {

// RewrapAll with word wrap on at column 80 (what a change of WrapColumn or TabSize costs).
void BM_RewrapAll(benchmark::State& state) {
  TParaList* list = Doc100ListOrSkip(state);
  if (!list) return;
  list->SetWrapColumn(80);
  list->SetWordWrap(true);
  for (auto _ : state) list->RewrapAll();
  state.counters["lines"] = list->LineCount();
  state.counters["wrap_rss_B/para"] = Doc100BuildMemory().WrapRssPerPara;
  state.counters["paras"] = list->ParaCount();
  list->SetWordWrap(false);
  state.SetBytesProcessed(static_cast<std::int64_t>(list->ByteCount()) *
                          static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_RewrapAll)->Unit(benchmark::kMillisecond);

// Switching word wrap on (arg 1) or off (arg 0); only that switch is timed.
void BM_SetWordWrap(benchmark::State& state) {
  TParaList* list = Doc100ListOrSkip(state);
  if (!list) return;
  const bool on = state.range(0) != 0;
  list->SetWrapColumn(80);
  for (auto _ : state) {
    state.PauseTiming();
    list->SetWordWrap(!on);
    state.ResumeTiming();
    list->SetWordWrap(on);
  }
  state.counters["lines"] = list->LineCount();
  list->SetWordWrap(false);
  state.SetBytesProcessed(static_cast<std::int64_t>(list->ByteCount()) *
                          static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_SetWordWrap)->ArgName("on")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench
