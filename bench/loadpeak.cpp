// quilmo_loadpeak [--reference] [FILE]: opens FILE (default: the 100 MB benchmark document) in
// the 1000 x 700 editor window, paints it, and prints the process's peak resident memory
// (VmHWM of /proc/self/status) against the file's size. With --reference the file is read by
// the reference program (one buffer and a line index) instead. Run it once per figure: the
// peak of a process only grows.

#include <QApplication>
#include <QtGlobal>

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "bench/BenchDoc.h"
#include "bench/QtBench.h"
#include "bench/Reference.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/FontList.h"

namespace {

// A "VmXXX:  1234 kB" line of /proc/self/status, in bytes; 0 where there is none.
std::uint64_t StatusBytes(std::string_view key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.compare(0, key.size(), key) == 0 && line.size() > key.size() && line[key.size()] == ':')
      return std::stoull(line.substr(key.size() + 1)) * 1024;
  }
  return 0;
}

double MiB(std::uint64_t bytes) {
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quilmo;
  using namespace quilmo::bench;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  bool reference = false;
  std::string path;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--reference") {
      reference = true;
    } else if (arg == "-h" || arg == "--help" || (!arg.empty() && arg[0] == '-') || !path.empty()) {
      std::cerr << "usage: quilmo_loadpeak [--reference] [FILE]\n";
      return 2;
    } else {
      path = std::string(arg);
    }
  }
  try {
    if (path.empty()) path = EnsureDoc(100).string();
    const std::uint64_t fileSize = std::filesystem::file_size(path);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    InstallFixedFontNames();
    std::uint64_t before = 0;
    std::uint64_t lines = 0;
    std::uint64_t peak = 0;
    std::uint64_t resident = 0;
    if (reference) {
      before = StatusBytes("VmHWM");
      const TRefText text = ReferenceLoad(path);
      lines = text.LineStarts.size();
      peak = StatusBytes("VmHWM");
      resident = StatusBytes("VmRSS");
    } else {
      TBenchWindow window(true);
      window.Paint();
      before = StatusBytes("VmHWM");
      window.Editor().LoadTextFile(path);
      window.Paint();
      lines = static_cast<std::uint64_t>(window.Editor().ParaCount());
      peak = StatusBytes("VmHWM");
      resident = StatusBytes("VmRSS");
    }
    std::printf("file              %s\n", path.c_str());
    std::printf("loaded by         %s\n",
                reference ? "reference (buffer + line offsets)" : "TTextFileEditor in the window");
    std::printf("file size         %.1f MiB\n", MiB(fileSize));
    std::printf("lines/paragraphs  %llu\n", static_cast<unsigned long long>(lines));
    std::printf("peak before load  %.1f MiB (VmHWM)\n", MiB(before));
    std::printf("peak after paint  %.1f MiB (VmHWM)\n", MiB(peak));
    std::printf("resident loaded   %.1f MiB (VmRSS)\n", MiB(resident));
    std::printf("peak / file size  %.3f\n", static_cast<double>(peak) / static_cast<double>(fileSize));
    std::printf("(peak - before) / file size  %.3f\n",
                static_cast<double>(peak - before) / static_cast<double>(fileSize));
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "quilmo_loadpeak: " << e.what() << '\n';
    return 1;
  }
}
