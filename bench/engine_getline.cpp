// Reading display lines of the 100 MiB document with GetLine: all of them in order (as drawing
// and saving do), and at random places (as jumps do).

#include <vector>

#include "bench/engine_fixture.h"
#include "engine/ParaList.h"

namespace quilmo::bench {
namespace {

// Arg: word wrap (0 / 1, column 80). Checks that the lines add up to the document's characters.
void BM_GetLineSequential(benchmark::State& state) {
  TParaList* list = Doc100ListOrSkip(state);
  if (!list) return;
  list->SetWrapColumn(80);
  list->SetWordWrap(state.range(0) != 0);
  const std::int32_t lines = list->LineCount();
  const std::int64_t expected = CharCount(*list);
  for (auto _ : state) {
    std::int64_t total = 0;
    for (std::int32_t line = 1; line <= lines; ++line) {
      std::int32_t length = 0;
      const char* text = list->GetLine(line, length);
      benchmark::DoNotOptimize(text);
      total += length;
    }
    if (total != expected) {
      state.SkipWithError("the display lines do not add up to the document's characters");
      break;
    }
  }
  list->SetWordWrap(false);
  state.SetBytesProcessed(expected * static_cast<std::int64_t>(state.iterations()));
  state.SetItemsProcessed(static_cast<std::int64_t>(lines) * static_cast<std::int64_t>(state.iterations()));
  state.counters["time/line"] = TimePerItem(lines);
  state.counters["lines"] = lines;
}
BENCHMARK(BM_GetLineSequential)->ArgName("wrap")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 1,000 GetLine calls at random display lines (fixed seed). Arg: word wrap (0 / 1).
void BM_GetLineRandom(benchmark::State& state) {
  constexpr int kCalls = 1000;
  TParaList* list = Doc100ListOrSkip(state);
  if (!list) return;
  list->SetWrapColumn(80);
  list->SetWordWrap(state.range(0) != 0);
  const std::int32_t lines = list->LineCount();
  std::vector<std::int32_t> targets(kCalls);
  std::uint64_t seed = 12345;
  for (auto& target : targets) {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    target = 1 + static_cast<std::int32_t>((seed >> 33) % static_cast<std::uint64_t>(lines));
  }
  for (auto _ : state) {
    std::int64_t total = 0;
    for (const std::int32_t line : targets) {
      std::int32_t length = 0;
      benchmark::DoNotOptimize(list->GetLine(line, length));
      total += length;
    }
    benchmark::DoNotOptimize(total);
  }
  list->SetWordWrap(false);
  state.SetItemsProcessed(static_cast<std::int64_t>(kCalls) * static_cast<std::int64_t>(state.iterations()));
  state.counters["time/call"] = TimePerItem(kCalls);
}
BENCHMARK(BM_GetLineRandom)->ArgName("wrap")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench
