// quilmo_file_bench: opening, saving, searching, replacing and re-wrapping the 100 MB
// document, each beside a reference program measured in the same run (QT_QPA_PLATFORM
// defaults to "offscreen").

#include "bench/QtBench.h"

int main(int argc, char** argv) {
  return quilmo::bench::RunQtBenchmarks(argc, argv);
}
