// Qt side of the editor benchmarks: program entry, the non-painting host, the benchmark window.

#include "bench/QtBench.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QScrollBar>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <numeric>
#include <stdexcept>
#include <utility>

#include "bench/BenchDoc.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"
#include "editor/qt/FontList.h"
#include "engine/Cp1252.h"

namespace quilmo::bench {

namespace {
std::vector<std::function<void()>>& Cleanups() {
  static std::vector<std::function<void()>> cleanups;
  return cleanups;
}
}  // namespace

void AtBenchEnd(std::function<void()> cleanup) {
  Cleanups().push_back(std::move(cleanup));
}

int RunQtBenchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  QApplication app(argc, argv);
  InstallFixedFontNames();
  benchmark::RunSpecifiedBenchmarks();
  for (auto it = Cleanups().rbegin(); it != Cleanups().rend(); ++it) (*it)();
  Cleanups().clear();
  benchmark::Shutdown();
  return 0;
}

TFontDesc BenchFontDesc() {
  TFontDesc desc;
  desc.Name = "DejaVu Sans Mono";
  desc.Size = 10;
  return desc;
}

namespace {

// Sets the benchmark font; the name must be one of the fixed-pitch families found.
void ApplyBenchFont(TTextFileEditor& editor) {
  const TFontDesc desc = BenchFontDesc();
  if (!TFixedFont::IsFixedFontName(desc.Name))
    throw std::runtime_error("the font " + desc.Name + " is not installed (package fonts-dejavu-core)");
  editor.FixedFont().SetName(desc.Name);
  editor.FixedFont().SetSize(desc.Size);
}

}  // namespace

// ---------------------------------------------------------------- TBenchHost

TBenchHost::TBenchHost(int width, int height) : FWidth(width), FHeight(height) {}

TBenchHost::~TBenchHost() = default;

TFontMetrics TBenchHost::FontMetrics(const TFontDesc& font) {
  if (FCharWidth == 0 || !(font == FMetricsFont)) {
    const TQtEditorFont qtFont(font);
    FMetrics = TFontMetrics{qtFont.CharWidth(), qtFont.Height(), qtFont.ExternalLeading()};
    FCharWidth = qtFont.CharWidth();
    FMetricsFont = font;
  }
  return FMetrics;
}

int TBenchHost::TextWidth(const TFontDesc& font, std::string_view text) {
  return FontMetrics(font).AveCharWidth * static_cast<int>(text.size());
}

// ---------------------------------------------------------------- THeadlessEditor

THeadlessEditor::THeadlessEditor(int width, int height)
    : FHost(width, height), FEditor(std::make_unique<TTextFileEditor>()) {
  ApplyBenchFont(*FEditor);
  FEditor->SetHost(&FHost);
  FEditor->CreateWnd();
}

THeadlessEditor::~THeadlessEditor() {
  FEditor->SetHost(nullptr);
}

// ---------------------------------------------------------------- TBenchWindow

TBenchWindow::TBenchWindow(bool show) {
  auto editor = std::make_unique<TTextFileEditor>();
  FEditor = editor.get();
  FWidget = std::make_unique<TEditorWidget>(std::move(editor));
  ApplyBenchFont(*FEditor);
  FWidget->resize(kWindowWidth, kWindowHeight);
  if (show) {
    FWidget->show();
    FWidget->activateWindow();
    FWidget->setFocus();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    FShown = true;
  }
}

TBenchWindow::~TBenchWindow() = default;

void TBenchWindow::Paint() {
  // What the control left invalid is painted now, as the window's update request does between
  // events.
  QEvent update(QEvent::UpdateRequest);
  QCoreApplication::sendEvent(FWidget.get(), &update);
  DeliverPosted();
}

void TBenchWindow::DeliverPosted() {
  QCoreApplication::sendPostedEvents();
}

int TBenchWindow::ViewportWidth() const {
  return FWidget->viewport()->width();
}

int TBenchWindow::ViewportHeight() const {
  return FWidget->viewport()->height();
}

bool TBenchWindow::HasFocus() const {
  return FWidget->hasFocus();
}

int TBenchWindow::CharsOnGrid() const {
  const TQtEditorFont font(FEditor->FixedFont().Desc());
  int count = 0;
  for (int b = 0; b < 256; ++b) count += font.OnGrid(static_cast<unsigned char>(b)) ? 1 : 0;
  return count;
}

int TBenchWindow::PrintableChars() const {
  int count = 0;
  for (int b = 0; b < 256; ++b) {
    const char32_t cp = Cp1252ToUnicode(static_cast<unsigned char>(b));
    if (cp >= 0x20 && !(cp >= 0x7F && cp < 0xA0)) ++count;
  }
  return count;
}

void LoadDoc(TTextFileEditor& editor, int megabytes) {
  editor.LoadTextFile(EnsureDoc(megabytes).string());
}

// ---------------------------------------------------------------- TSamples

double ThreadCpuSeconds() {
#if defined(CLOCK_THREAD_CPUTIME_ID)
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
#else
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
#endif
}

double TSamples::Percentile(double p) const {
  if (FValues.empty()) return 0;
  std::vector<double> sorted = FValues;
  const auto last = static_cast<double>(sorted.size() - 1);
  const auto k = static_cast<std::size_t>(std::clamp(std::floor(p * last), 0.0, last));
  std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(k), sorted.end());
  return sorted[k];
}

double TSamples::Max() const {
  return FValues.empty() ? 0 : *std::max_element(FValues.begin(), FValues.end());
}

double TSamples::Sum() const {
  return std::accumulate(FValues.begin(), FValues.end(), 0.0);
}

double TSamples::Mean() const {
  return FValues.empty() ? 0 : Sum() / static_cast<double>(FValues.size());
}

void ReportMicroseconds(benchmark::State& state, const TSamples& samples, const std::string& prefix) {
  state.counters[prefix + "median_us"] = samples.Median() * 1e6;
  state.counters[prefix + "p90_us"] = samples.Percentile(0.9) * 1e6;
  state.counters[prefix + "p99_us"] = samples.Percentile(0.99) * 1e6;
  state.counters[prefix + "max_us"] = samples.Max() * 1e6;
  state.counters[prefix + "mean_us"] = samples.Mean() * 1e6;
}

void ReportMilliseconds(benchmark::State& state, const TSamples& samples, const std::string& prefix) {
  state.counters[prefix + "median_ms"] = samples.Median() * 1e3;
  state.counters[prefix + "min_ms"] = samples.Percentile(0) * 1e3;
  state.counters[prefix + "max_ms"] = samples.Max() * 1e3;
}

}  // namespace quilmo::bench
