#include "bench/window_fixture.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <memory>

#include "app/EditForm.h"
#include "app/InstanceStarter.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "bench/BenchDoc.h"
#include "bench/QtBench.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo::bench {

namespace {

struct TWindowFixture {
  TJournalUse Journal = TJournalUse::Off;
  QTemporaryDir Folder;
  std::unique_ptr<TSettingsStore> Settings;
  TQtPrompter Prompter;
  TProcessStarter Starter;
  std::unique_ptr<TEditForm> Form;
};

std::unique_ptr<TWindowFixture> fixture;

void RegisterCleanup() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  AtBenchEnd([] { fixture.reset(); });
}

std::unique_ptr<TWindowFixture> MakeWindow(TJournalUse journal) {
  auto made = std::make_unique<TWindowFixture>();
  made->Journal = journal;
  made->Settings = std::make_unique<TSettingsStore>(made->Folder.filePath(QStringLiteral("Quilmo.conf")));
  TEditFormServices services;
  services.Settings = made->Settings.get();
  services.Prompter = &made->Prompter;
  services.Starter = &made->Starter;
  services.Arguments << QString::fromStdString(EnsureDoc(100).string());
  services.ProgramFile = QApplication::applicationFilePath();
  if (journal == TJournalUse::On) services.JournalFolder = made->Folder.filePath(QStringLiteral("journaux"));
  made->Form = std::make_unique<TEditForm>(services);
  made->Form->resize(kWindowWidth, kWindowHeight);
  made->Form->show();
  made->Form->Editor1().FixedFont().Assign(BenchFontDesc());
  made->Form->Editor1Widget()->setFocus();
  QApplication::processEvents();
  return made;
}

}  // namespace

TEditForm* MainWindowWithDoc100(benchmark::State& state, TJournalUse journal) {
  return OrSkip(state, RegisterCleanup, [&]() -> TEditForm* {
    if (fixture && fixture->Journal != journal) fixture.reset();
    if (!fixture) fixture = MakeWindow(journal);
    return fixture->Form.get();
  });
}

void PaintWindow(TEditForm& form) {
  // The window paints what changed, as its update request does between events, and flushes it.
  QEvent update(QEvent::UpdateRequest);
  QCoreApplication::sendEvent(&form, &update);
  QCoreApplication::sendPostedEvents();
}

void CaretToEnd(TEditForm& form) {
  TTextFileEditor& editor = form.Editor1();
  editor.ClearUndo();
  editor.MoveCaretToPara(editor.ParaCount(), editor.ParaList().ParaLength(editor.ParaCount()) + 1);
  PaintWindow(form);
}

}  // namespace quilmo::bench
