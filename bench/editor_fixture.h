#pragma once
// Shared state of the editor benchmarks: the documents are loaded once per process into a
// few editors kept for the whole run (loading the 100 MB document takes seconds).

#include <benchmark/benchmark.h>

#include "bench/QtBench.h"

namespace quilmo::bench {

// The shown 1000 x 700 window holding document `megabytes` (0 = an empty text), loaded when
// it holds another one. Benchmarks that change the text put it back as they found it, or
// call ForgetWindowDoc() so that the next one reloads. Null after marking the benchmark as
// failed.
TBenchWindow* ShownWindowWithDoc(benchmark::State& state, int megabytes);
void ForgetWindowDoc();

// The 100 MB document in an editor that never paints: a THeadlessEditor (host 0) or the
// editor widget, shown once for its layout and then hidden (host 1). Null after marking the
// benchmark as failed.
THeadlessEditor* HeadlessDoc100(benchmark::State& state);
TBenchWindow* HiddenWindowDoc100(benchmark::State& state);

}  // namespace quilmo::bench
