// Typing 1,000 characters one by one into the 10 MB and 100 MB documents in the shown
// 1000 x 700 window, the window repainted after every key.

#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "bench/editor_fixture.h"
#include "editor/CommandCodes.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"
#include "engine/Cp1252.h"

namespace quilmo::bench {
namespace {

constexpr int kKeys = 1000;

// The typed text, Windows-1252: "Le cœur a ses raisons que la raison ne connaît point. "
const std::string& TypedText() {
  static const std::string text =
      "Le c\x9C"
      "ur a ses raisons que la raison ne conna\xEEt point. ";
  return text;
}

// The key event a keyboard gives for a character: letters and a few keys with their key code,
// the others (accented letters, œ) as a key unknown to the key map, carrying the text.
std::unique_ptr<QKeyEvent> KeyEventFor(unsigned char byte) {
  const QString text(QChar(static_cast<char16_t>(Cp1252ToUnicode(byte))));
  int key = Qt::Key_unknown;
  if (byte >= 'a' && byte <= 'z') key = Qt::Key_A + (byte - 'a');
  if (byte >= 'A' && byte <= 'Z') key = Qt::Key_A + (byte - 'A');
  if (byte == ' ') key = Qt::Key_Space;
  if (byte == '.') key = Qt::Key_Period;
  const Qt::KeyboardModifiers modifiers = byte >= 'A' && byte <= 'Z' ? Qt::ShiftModifier : Qt::NoModifier;
  return std::make_unique<QKeyEvent>(QEvent::KeyPress, key, modifiers, text);
}

enum TPlace { plEnd = 0, plMiddle = 1 };

// Args: document (10 / 100 MB), place (0 = the end of the text, where Ctrl+End puts the caret;
// 1 = the middle of the paragraph in the middle of the document), path (0 = ProcessCommand(
// ccTypeChar, ch); 1 = a key event sent to the widget, as the keyboard delivers it).
// Timed per key: the key and the synchronous repaint of the viewport after it (cmd_*: the key
// alone; cpu_median_us: the median of the thread's CPU time per key). A line of 1,000 typed
// characters outgrows the window: the keys that scrolled the view sideways (scrolled_*) are
// told apart from the others (inview_*), figures of the last iteration. The typed text
// is undone (untimed) after each iteration.
void BM_TypeKeys(benchmark::State& state) {
  const int megabytes = static_cast<int>(state.range(0));
  const bool middle = state.range(1) == plMiddle;
  const bool keyEvents = state.range(2) != 0;
  TBenchWindow* window = ShownWindowWithDoc(state, megabytes);
  if (!window) return;
  TTextFileEditor& editor = window->Editor();
  const std::int32_t para = middle ? editor.ParaCount() / 2 : editor.ParaCount();
  const std::int32_t lengthBefore = editor.ParaList().ParaLength(para);
  const std::int32_t pos = middle ? lengthBefore / 2 + 1 : lengthBefore + 1;
  const std::int32_t bytesBefore = editor.ByteCount();
  const std::string& text = TypedText();
  std::vector<std::unique_ptr<QKeyEvent>> events;
  for (int i = 0; i < kKeys; ++i)
    events.push_back(KeyEventFor(static_cast<unsigned char>(text[i % text.size()])));

  TSamples keys;
  TSamples commands;
  TSamples keysCpu;
  TSamples inView;    // keys after which the view kept its LeftColumn
  TSamples scrolled;  // keys that scrolled the view sideways
  TOpTimer timer;
  keys.Reserve(kKeys);
  commands.Reserve(kKeys);
  for (auto _ : state) {
    editor.MoveCaretToPara(para, pos);
    window->Paint();
    keys.Clear();
    commands.Clear();
    keysCpu.Clear();
    inView.Clear();
    scrolled.Clear();
    std::int32_t leftColumn = editor.LeftColumn();
    for (int i = 0; i < kKeys; ++i) {
      timer.Start();
      const auto t0 = TClock::now();
      if (keyEvents)
        QCoreApplication::sendEvent(&window->Widget(), events[static_cast<std::size_t>(i)].get());
      else
        editor.ProcessCommand(ccTypeChar,
                              static_cast<unsigned char>(text[static_cast<std::size_t>(i) % text.size()]));
      const auto t1 = TClock::now();
      window->Paint();
      const double seconds = timer.Stop(keys, keysCpu);
      commands.Add(SecondsBetween(t0, t1));
      (editor.LeftColumn() == leftColumn ? inView : scrolled).Add(seconds);
      leftColumn = editor.LeftColumn();
    }
    state.SetIterationTime(keys.Sum());
    const bool typed = editor.ParaList().ParaLength(para) == lengthBefore + kKeys;
    // Untimed: undo the typing (one merged record, or a few).
    for (int undo = 0; undo < 100 && editor.ByteCount() != bytesBefore && editor.CanUndo(); ++undo)
      editor.Undo();
    editor.ClearUndo();
    window->Paint();
    if (!typed || editor.ByteCount() != bytesBefore || editor.ParaList().ParaLength(para) != lengthBefore) {
      ForgetWindowDoc();
      state.SkipWithError(typed ? "undo did not restore the text" : "the keys did not type 1,000 characters");
      break;
    }
  }
  ReportMicroseconds(state, keys);
  ReportMicroseconds(state, commands, "cmd_");
  state.counters["cpu_median_us"] = keysCpu.Median() * 1e6;
  state.counters["inview_median_us"] = inView.Median() * 1e6;
  state.counters["scrolled_median_us"] = scrolled.Median() * 1e6;
  state.counters["scrolled_keys"] = static_cast<double>(scrolled.Count());
  state.counters["focused"] = window->HasFocus() ? 1 : 0;
  state.SetItemsProcessed(static_cast<std::int64_t>(kKeys) * static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_TypeKeys)
    ->ArgNames({"doc", "middle", "keyevent"})
    ->ArgsProduct({{10, 100}, {plEnd, plMiddle}, {0, 1}})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quilmo::bench
