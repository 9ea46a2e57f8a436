// quilmo_editor_bench: the editor control's caret, paging, typing and insertion benchmarks
// on the offscreen platform (QT_QPA_PLATFORM defaults to "offscreen").

#include "bench/QtBench.h"

int main(int argc, char** argv) {
  return quilmo::bench::RunQtBenchmarks(argc, argv);
}
