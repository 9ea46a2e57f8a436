#pragma once
// The whole main window for the window benchmarks: TEditForm with its menus, tool bar and
// status bar, 1000 x 700 pixels, the benchmark font, the 100 MB document opened from the
// command line as Kel opens it, settings (and journals, when kept) in a temporary folder.
// One window per process, made on first use and kept until the benchmarks end.

#include <benchmark/benchmark.h>

namespace quilmo {
class TEditForm;
}

namespace quilmo::bench {

// Whether the window keeps the recovery journal of its document, as Kel does.
enum class TJournalUse { Off, On };

// The window holding the 100 MB document, focused, the caret and view where the last caller
// left them; a window of the other journal use is closed first. Null (the benchmark marked
// skipped) when it cannot be made.
TEditForm* MainWindowWithDoc100(benchmark::State& state, TJournalUse journal);

// Paints what changed in the window (the editor and the rest) now, then delivers the posted
// events (status call, tool-button updates).
void PaintWindow(TEditForm& form);

// Caret to the end of the document's last line, and the undo list emptied.
void CaretToEnd(TEditForm& form);

}  // namespace quilmo::bench
