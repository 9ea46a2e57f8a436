// Reference programs, the rare-word document and the editors of the file benchmarks.

#include "bench/file_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <stdexcept>
#include <system_error>

#include "bench/BenchDoc.h"
#include "editor/TextFileEditor.h"
#include "engine/Cp1252Utf8.h"

namespace quilmo::bench {

namespace {

// Writes the bytes under a temporary name renamed to `path` once complete, so that a document
// found under its name is always whole.
void WriteComplete(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::path tmp = path;
  tmp += ".tmp";
  std::FILE* f = std::fopen(tmp.string().c_str(), "wb");
  bool ok = f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f != nullptr && std::fclose(f) != 0) ok = false;
  std::error_code ec;
  if (ok) std::filesystem::rename(tmp, path, ec);
  if (!ok || ec) {
    std::filesystem::remove(tmp, ec);
    throw std::runtime_error("cannot write " + path.string());
  }
}

}  // namespace

// ---------------------------------------------------------------- the rare word

std::filesystem::path EnsureRareWordDoc() {
  const std::filesystem::path source = EnsureDoc(100);
  const std::filesystem::path path = BenchDataDir() / "doc100-rare.txt";
  const std::uint64_t wanted = DocInfo(100).Size + kRareCount * (kRareWord.size() + 1);
  std::error_code ec;
  if (std::filesystem::file_size(path, ec) == wanted && !ec) return path;

  const std::string bytes = ReadFileBytes(source);
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == '\n' && i + 1 < bytes.size()) starts.push_back(i + 1);
  if (starts.size() < static_cast<std::size_t>(kRareCount)) throw std::runtime_error("document too short");
  const std::size_t step = starts.size() / kRareCount;
  std::string out;
  out.reserve(wanted);
  std::size_t copied = 0;
  for (int k = 0; k < kRareCount; ++k) {
    const std::size_t at = starts[static_cast<std::size_t>(k) * step + step / 2];
    out.append(bytes, copied, at - copied);
    out += kRareWord;
    out += ' ';
    copied = at;
  }
  out.append(bytes, copied, std::string::npos);

  WriteComplete(path, out);
  return path;
}

// ---------------------------------------------------------------- other formats

std::filesystem::path EnsureFormatDoc(const TTextFormat& format) {
  const std::filesystem::path source = EnsureDoc(100);
  const bool utf8 = format.Encoding == TEncoding::enUtf8;
  const bool lf = format.LineEnd == TLineEnd::leLf;
  if (!utf8 && !lf) return source;
  const std::filesystem::path path =
      BenchDataDir() / (std::string("doc100-") + (utf8 ? "utf8" : "1252") + (lf ? "-lf" : "-crlf") + ".txt");
  std::error_code ec;
  if (std::filesystem::file_size(path, ec) > 0 && !ec) return path;  // written complete, then renamed

  const std::string bytes = ReadFileBytes(source);
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (lf && bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text += bytes[i];
  }
  std::string out;
  if (utf8) {
    out.resize(text.size() * kMaxUtf8PerByte);
    out.resize(Cp1252ToUtf8(text.data(), text.size(), out.data()));
  } else {
    out = std::move(text);
  }
  WriteComplete(path, out);
  return path;
}

// ---------------------------------------------------------------- saving

namespace {

// QUILMO_BENCH_SAVE_DIR, when set, keeps the written files out of a data folder shared read-only.
std::filesystem::path DiskSaveRoot() {
  if (const char* env = std::getenv("QUILMO_BENCH_SAVE_DIR"); env && *env) return env;
  return BenchDataDir();
}

}  // namespace

std::filesystem::path SaveBenchFolder(benchmark::State& state, bool inMemory, const std::string& name) {
  std::error_code ec;
  if (inMemory && !std::filesystem::is_directory("/dev/shm", ec)) {
    state.SkipWithError("no /dev/shm here");
    return {};
  }
  try {
    const std::filesystem::path dir =
        (inMemory ? std::filesystem::path("/dev/shm") : DiskSaveRoot()) / ("quilmo-" + name);
    std::filesystem::remove_all(dir, ec);
    std::filesystem::create_directories(dir);
    return dir;
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return {};
  }
}

namespace {

double ProcessCpuSeconds() {
#if defined(CLOCK_PROCESS_CPUTIME_ID)
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
#else
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
#endif
}

}  // namespace

void TSaveTimer::Start() {
  FCpu = ProcessCpuSeconds();
  FWall = std::chrono::steady_clock::now();
}

double TSaveTimer::Stop(TSamples& wall, TSamples& cpu) {
  const auto end = std::chrono::steady_clock::now();
  const double cpuEnd = ProcessCpuSeconds();
  const double seconds = std::chrono::duration<double>(end - FWall).count();
  wall.Add(seconds);
  cpu.Add(cpuEnd - FCpu);
  return seconds;
}

double TimedSave(TTextFileEditor& editor, const std::filesystem::path& path, TSaveTimer& timer,
                 TSamples& wall, TSamples& cpu, std::uintmax_t& size) {
  timer.Start();
  editor.SaveTextFile(path.string());
  const double seconds = timer.Stop(wall, cpu);
  size = std::filesystem::file_size(path);
  std::filesystem::remove(path);
  return seconds;
}

// ---------------------------------------------------------------- editors

namespace {

std::unique_ptr<TBenchWindow> window;
bool windowHoldsDoc100 = false;
std::unique_ptr<THeadlessEditor> rareEditor;
std::unique_ptr<THeadlessEditor> formatEditor;

void RegisterCleanup() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  AtBenchEnd([] {
    window.reset();
    rareEditor.reset();
    formatEditor.reset();
    windowHoldsDoc100 = false;
  });
}

}  // namespace

TBenchWindow* FileWindowForLoading(benchmark::State& state) {
  return OrSkip(state, RegisterCleanup, [&]() -> TBenchWindow* {
    if (!window) window = std::make_unique<TBenchWindow>(true);
    windowHoldsDoc100 = false;
    return window.get();
  });
}

TBenchWindow* FileWindowDoc100(benchmark::State& state) {
  return OrSkip(state, RegisterCleanup, [&]() -> TBenchWindow* {
    if (!window) window = std::make_unique<TBenchWindow>(true);
    if (!windowHoldsDoc100) {
      LoadDoc(window->Editor(), 100);
      window->Paint();
      windowHoldsDoc100 = true;
    }
    return window.get();
  });
}

THeadlessEditor* RareWordEditor(benchmark::State& state) {
  return OrSkip(state, RegisterCleanup, [&]() -> THeadlessEditor* {
    if (!rareEditor) {
      auto editor = std::make_unique<THeadlessEditor>();
      editor->Editor().LoadTextFile(EnsureRareWordDoc().string());
      rareEditor = std::move(editor);
    }
    return rareEditor.get();
  });
}

THeadlessEditor* NewFormatEditor(benchmark::State& state) {
  return OrSkip(state, RegisterCleanup, [&]() -> THeadlessEditor* {
    formatEditor.reset();
    formatEditor = std::make_unique<THeadlessEditor>();
    return formatEditor.get();
  });
}

void DropFormatEditor() {
  formatEditor.reset();
}

}  // namespace quilmo::bench
