// quilmo_window_start [--reference] [FILE]: starts the program's main window as Kel does
// (settings, menus, tool bar, command line) and ends the process once the editor's first paint
// is done. With --reference: a minimal Qt program instead (QMainWindow, a menu bar, a tool bar
// and a QPlainTextEdit), which with FILE first reads and splits the file as the file
// benchmark's reference does. Timed from outside as whole processes, one against the other.

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolBar>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "app/EditForm.h"
#include "app/InstanceStarter.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "bench/Reference.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"
#include "editor/qt/FontList.h"

namespace {

// Quits the application after the first paint of the watched widget.
class TFirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !FSeen) {
      FSeen = true;
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool FSeen = false;
};

int RunReference(const std::string& file, bool icons, bool fonts, bool bare) {
  if (fonts) quilmo::InstallFixedFontNames();
  std::size_t lines = 0;
  if (!file.empty()) lines = quilmo::bench::ReferenceLoad(file).LineStarts.size();
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Référence"));
  for (const char* title : {"&Fichier", "&Edition", "&Recherche", "&Affichage", "&Options", "&?"})
    window.menuBar()->addMenu(QString::fromUtf8(title))->addAction(QStringLiteral("Élément"));
  QToolBar* bar = window.addToolBar(QStringLiteral("Barre"));
  for (int i = 0; i < 19; ++i) {
    QAction* action = bar->addAction(QString::number(i));
    if (icons) action->setIcon(QIcon(QStringLiteral(":/toolbar/new.svg")));
  }
  QAbstractScrollArea* edit = nullptr;
  if (bare)
    edit = new quilmo::TEditorWidget(std::make_unique<quilmo::TTextFileEditor>(), &window);
  else
    edit = new QPlainTextEdit(&window);
  window.setCentralWidget(edit);
  TFirstPaint firstPaint;
  edit->viewport()->installEventFilter(&firstPaint);
  window.resize(1000, 700);
  window.show();
  const int code = QApplication::exec();
  std::fprintf(stderr, "%zu\n", lines);
  return code;
}

int RunWindow(const std::string& file) {
  quilmo::TSettingsStore settings;
  quilmo::TQtPrompter prompter;
  quilmo::TProcessStarter starter;
  quilmo::TEditFormServices services;
  services.Settings = &settings;
  services.Prompter = &prompter;
  services.Starter = &starter;
  if (!file.empty()) services.Arguments << QString::fromStdString(file);
  services.ProgramFile = QApplication::applicationFilePath();
  QElapsedTimer clock;
  clock.start();
  quilmo::TEditForm form(services);
  if (qEnvironmentVariableIsSet("QUILMO_BENCH_VERBOSE"))
    std::fprintf(stderr, "form %lld us\n", clock.nsecsElapsed() / 1000);
  TFirstPaint firstPaint;
  form.Editor1Widget()->viewport()->installEventFilter(&firstPaint);
  form.resize(1000, 700);
  form.show();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  bool reference = false;
  bool icons = false;
  bool fonts = false;
  bool bare = false;
  std::string file;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--reference")
      reference = true;
    else if (arg == "--icons")
      icons = true;
    else if (arg == "--fonts")
      fonts = true;
    else if (arg == "--bare")
      bare = true;
    else
      file = std::string(arg);
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("QuilmoBench"));
  QApplication::setOrganizationName(QStringLiteral("Orvane"));
  return reference ? RunReference(file, icons, fonts, bare) : RunWindow(file);
}
