// Editors holding the benchmark documents, loaded on first use.

#include "bench/editor_fixture.h"

#include <exception>
#include <memory>

#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo::bench {

namespace {

std::unique_ptr<TBenchWindow> shownWindow;
int shownDoc = -1;  // megabytes of the document in shownWindow, -1 = unknown
std::unique_ptr<THeadlessEditor> headless;
std::unique_ptr<TBenchWindow> hiddenWindow;

void RegisterCleanup() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  AtBenchEnd([] {
    shownWindow.reset();
    hiddenWindow.reset();
    headless.reset();
    shownDoc = -1;
  });
}

}  // namespace

TBenchWindow* ShownWindowWithDoc(benchmark::State& state, int megabytes) {
  return OrSkip(state, RegisterCleanup, [&]() -> TBenchWindow* {
    if (!shownWindow) shownWindow = std::make_unique<TBenchWindow>(true);
    if (shownDoc != megabytes) {
      shownDoc = -1;
      if (megabytes == 0)
        shownWindow->Editor().ClearText(true);
      else
        LoadDoc(shownWindow->Editor(), megabytes);
      shownWindow->Editor().ClearUndo();
      shownWindow->Paint();
      shownDoc = megabytes;
    }
    return shownWindow.get();
  });
}

void ForgetWindowDoc() {
  shownDoc = -1;
}

THeadlessEditor* HeadlessDoc100(benchmark::State& state) {
  return OrSkip(state, RegisterCleanup, [&]() -> THeadlessEditor* {
    if (!headless) {
      auto editor = std::make_unique<THeadlessEditor>();
      LoadDoc(editor->Editor(), 100);
      headless = std::move(editor);
    }
    return headless.get();
  });
}

TBenchWindow* HiddenWindowDoc100(benchmark::State& state) {
  return OrSkip(state, RegisterCleanup, [&]() -> TBenchWindow* {
    if (!hiddenWindow) {
      // Shown once so that the viewport gets its size, then hidden: no paint happens.
      auto window = std::make_unique<TBenchWindow>(true);
      LoadDoc(window->Editor(), 100);
      window->Paint();
      window->Widget().hide();
      TBenchWindow::DeliverPosted();
      hiddenWindow = std::move(window);
    }
    return hiddenWindow.get();
  });
}

}  // namespace quilmo::bench
