#pragma once
// Shared pieces of the benchmarks that drive the editor control: the program entry (a
// QApplication on the offscreen platform, then Google Benchmark), a host that never paints,
// a 1000 x 700 window showing a text-file editor, and per-operation time samples.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "editor/EditorHost.h"
#include "editor/FixedFont.h"

namespace quilmo {
class TEditorWidget;
class TTextFileEditor;
}  // namespace quilmo

namespace quilmo::bench {

// Entry of a benchmark program that needs Qt: QT_QPA_PLATFORM defaults to "offscreen", the
// fixed-pitch family list is installed, then the benchmarks named on the command line run.
int RunQtBenchmarks(int argc, char** argv);
// Runs `cleanup` after the benchmarks, while the QApplication still exists (for widgets and
// editors kept between benchmarks). Later registrations run first.
void AtBenchEnd(std::function<void()> cleanup);

// The editor font of every benchmark: DejaVu Sans Mono, 10 points.
TFontDesc BenchFontDesc();

// Size of the benchmark window.
inline constexpr int kWindowWidth = 1000;
inline constexpr int kWindowHeight = 700;

// Runs `make` (which builds a shared fixture) after `registerCleanup`; an exception marks the
// benchmark skipped with its message and gives null.
template <typename F>
auto OrSkip(benchmark::State& state, void (*registerCleanup)(), F&& make) -> decltype(make()) {
  try {
    registerCleanup();
    return make();
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return nullptr;
  }
}

// A host with a client area of the given size that paints nothing: invalidation, scrolling,
// scroll bars, the caret and the queued status call are counted and dropped. Its font
// metrics are those of the Qt editor font, so the layout is the widget's.
class TBenchHost final : public TNullEditorHost {
 public:
  TBenchHost(int width, int height);
  ~TBenchHost() override;

  std::int64_t Invalidations() const { return FInvalidations; }
  std::int64_t StatusCalls() const { return FStatusCalls; }

  unsigned CaretBlinkTime() override { return 500; }
  int ClientWidth() const override { return FWidth; }
  int ClientHeight() const override { return FHeight; }
  bool Focused() const override { return true; }
  bool CanFocus() const override { return true; }
  void Invalidate() override { ++FInvalidations; }
  void InvalidateRect(const TRect&) override { ++FInvalidations; }
  TFontMetrics FontMetrics(const TFontDesc& font) override;
  int TextWidth(const TFontDesc& font, std::string_view text) override;
  void PostStatus(int, int) override { ++FStatusCalls; }

 private:
  int FWidth;
  int FHeight;
  int FCharWidth = 0;
  TFontMetrics FMetrics;
  TFontDesc FMetricsFont;
  std::int64_t FInvalidations = 0;
  std::int64_t FStatusCalls = 0;
};

// A text-file editor on a TBenchHost (no window, no paint), with the benchmark font.
class THeadlessEditor {
 public:
  THeadlessEditor(int width = kWindowWidth, int height = kWindowHeight);
  ~THeadlessEditor();
  TTextFileEditor& Editor() { return *FEditor; }
  TBenchHost& Host() { return FHost; }

 private:
  TBenchHost FHost;
  std::unique_ptr<TTextFileEditor> FEditor;
};

// The editor widget showing a text-file editor as a top-level window of 1000 x 700 pixels
// on the (offscreen) platform, focused, with the benchmark font.
class TBenchWindow {
 public:
  explicit TBenchWindow(bool show = true);
  ~TBenchWindow();
  TBenchWindow(const TBenchWindow&) = delete;
  TBenchWindow& operator=(const TBenchWindow&) = delete;

  TEditorWidget& Widget() { return *FWidget; }
  TTextFileEditor& Editor() { return *FEditor; }
  bool Shown() const { return FShown; }

  // Repaints the whole viewport synchronously (what the control left invalid is painted into
  // the widget's buffer, the buffer is copied to the window), then delivers the posted
  // events (the queued status call and any update request).
  void Paint();
  // Delivers the posted events only.
  static void DeliverPosted();

  int ViewportWidth() const;
  int ViewportHeight() const;
  bool HasFocus() const;
  // Characters of the document's code page the font draws exactly one cell wide (of the
  // printable ones): when all are, every run is drawn with one drawText call.
  int CharsOnGrid() const;
  int PrintableChars() const;

 private:
  std::unique_ptr<TEditorWidget> FWidget;
  TTextFileEditor* FEditor = nullptr;
  bool FShown = false;
};

// Loads document `megabytes` (10 or 100) of the benchmark data folder into the editor.
void LoadDoc(TTextFileEditor& editor, int megabytes);

// Durations of single operations, in seconds.
class TSamples {
 public:
  void Reserve(std::size_t n) { FValues.reserve(n); }
  void Add(double seconds) { FValues.push_back(seconds); }
  void Clear() { FValues.clear(); }
  std::size_t Count() const { return FValues.size(); }
  bool Empty() const { return FValues.empty(); }
  // p in [0, 1]; 0.5 is the median (the lower middle value for an even count).
  double Percentile(double p) const;
  double Median() const { return Percentile(0.5); }
  double Max() const;
  double Mean() const;
  double Sum() const;

 private:
  std::vector<double> FValues;
};

using TClock = std::chrono::steady_clock;
inline double SecondsBetween(TClock::time_point a, TClock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// CPU time of the calling thread in seconds (the process's where threads cannot be told
// apart). The machine may be shared: CPU time leaves out the time the thread waited.
double ThreadCpuSeconds();

// Wall and CPU time of one operation, added to two sample sets.
class TOpTimer {
 public:
  void Start() {
    FCpu = ThreadCpuSeconds();
    FWall = TClock::now();
  }
  // Returns the wall time.
  double Stop(TSamples& wall, TSamples& cpu) {
    const auto end = TClock::now();
    const double cpuEnd = ThreadCpuSeconds();
    const double seconds = SecondsBetween(FWall, end);
    wall.Add(seconds);
    cpu.Add(cpuEnd - FCpu);
    return seconds;
  }

 private:
  TClock::time_point FWall;
  double FCpu = 0;
};

// Counters median_us, p90_us, p99_us, max_us and mean_us of the samples (prefix + name).
void ReportMicroseconds(benchmark::State& state, const TSamples& samples, const std::string& prefix = "");
// Counters median_ms, min..max of the samples (prefix + name).
void ReportMilliseconds(benchmark::State& state, const TSamples& samples, const std::string& prefix = "");

}  // namespace quilmo::bench
