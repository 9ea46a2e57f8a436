// quilmo_gendoc [DIR]: writes the benchmark documents (doc10.txt, doc100.txt) into DIR, or into
// the benchmark data folder ($QUILMO_BENCH_DATA, else <source tree>/bench-data). Files already
// present with the right size are kept.

#include <exception>
#include <iostream>

#include "bench/BenchDoc.h"

int main(int argc, char** argv) {
  if (argc > 2 ||
      (argc == 2 && (std::string_view(argv[1]) == "-h" || std::string_view(argv[1]) == "--help"))) {
    std::cerr << "usage: quilmo_gendoc [DIR]\n";
    return 2;
  }
  try {
    const std::filesystem::path dir =
        argc == 2 ? std::filesystem::path(argv[1]) : quilmo::bench::BenchDataDir();
    const int written = quilmo::bench::EnsureDocs(dir, true);
    std::cout << written << " file(s) written\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "quilmo_gendoc: " << e.what() << '\n';
    return 1;
  }
}
