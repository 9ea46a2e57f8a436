// Saving the 100 MB document (SaveTextFile: temporary file, sync, rename, folder sync) beside
// a reference that writes the same bytes to a new file and syncs it.

#include <filesystem>
#include <string>
#include <system_error>

#include "bench/BenchDoc.h"
#include "bench/file_fixture.h"
#include "editor/TextFileEditor.h"

namespace quilmo::bench {
namespace {

// Arg: folder (SaveBenchFolder: 0 = on the documents' disk, 1 = /dev/shm). The bytes of the
// reference are those of a first, untimed save by the editor. Every iteration writes the
// reference's file, then the editor's, each timed and deleted afterwards (untimed).
// ratio = editor median / reference median; the CPU times are the process's, for the editor
// writes a large text on a second thread.
void BM_SaveTextFile(benchmark::State& state) {
  TBenchWindow* window = FileWindowDoc100(state);
  if (!window) return;
  TTextFileEditor& editor = window->Editor();
  const std::filesystem::path dir = SaveBenchFolder(state, state.range(0) != 0, "save-bench");
  if (dir.empty()) return;
  const std::filesystem::path editorPath = dir / "editor.txt";
  const std::filesystem::path referencePath = dir / "reference.txt";
  std::string bytes;
  try {
    editor.SaveTextFile(editorPath.string());
    bytes = ReadFileBytes(editorPath);
    std::filesystem::remove(editorPath);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  TSamples editorWall, editorCpu, refWall, refCpu;
  TSaveTimer timer;
  std::error_code ec;
  for (auto _ : state) {
    try {
      timer.Start();
      ReferenceSave(referencePath, bytes);
      timer.Stop(refWall, refCpu);

      std::uintmax_t size = 0;
      state.SetIterationTime(TimedSave(editor, editorPath, timer, editorWall, editorCpu, size));
      std::filesystem::remove(referencePath);
      if (size != bytes.size()) {
        state.SkipWithError("the saved file's size changed");
        break;
      }
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
      break;
    }
  }
  std::filesystem::remove_all(dir, ec);
  ReportMilliseconds(state, editorWall);
  ReportMilliseconds(state, refWall, "ref_");
  state.counters["cpu_median_ms"] = editorCpu.Median() * 1e3;
  state.counters["ref_cpu_median_ms"] = refCpu.Median() * 1e3;
  state.counters["ratio"] = Ratio(editorWall.Median(), refWall.Median());
  state.counters["cpu_ratio"] = Ratio(editorCpu.Median(), refCpu.Median());
  state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_SaveTextFile)
    ->ArgName("in_memory")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench
