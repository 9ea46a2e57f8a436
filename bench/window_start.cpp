// quilmo_window_start [FILE]: runs Kel itself (the program's own start: settings, journal,
// translations, icons, menus, tool bar, command line) and ends the process once the editor's
// first paint is done. Settings and journals are the user's: point XDG_CONFIG_HOME and
// XDG_DATA_HOME at a scratch folder when timing it.
// quilmo_window_start --reference [FILE]: a minimal Qt program instead (QMainWindow, a menu bar,
// a tool bar and a QPlainTextEdit), which with FILE first reads and splits the file as the file
// benchmark's reference does. Timed from outside as whole processes, one against the other.

#include <QAbstractEventDispatcher>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolBar>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "app/EditForm.h"
#include "app/Program.h"
#include "bench/Reference.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"
#include "editor/qt/FontList.h"

namespace {

// Ends the process as soon as the watched widget has painted and the program waits for
// input: what it paints has been sent to the window system by then. The process ends there
// (no tear-down) on both sides; work the program puts off until it is idle is not counted.
class TFirstPaint : public QObject {
 public:
  explicit TFirstPaint(QObject* parent = nullptr) : QObject(parent) {
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, [this] {
      if (!FSeen) return;
      std::fflush(stdout);
      std::fflush(stderr);
      std::_Exit(0);
    });
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) FSeen = true;
    return QObject::eventFilter(watched, event);
  }

 private:
  bool FSeen = false;
};

int RunReference(const std::string& file, bool icons, bool fonts, bool bare) {
  // What Kel's start does too, so that only Kel's own work makes the difference: the French
  // standard texts loaded, a fixed-pitch editor font, a window of the same size.
  QTranslator translator;
  if (translator.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&translator);
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
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSize(9);
  if (!bare) edit->setFont(fixed);
  window.setCentralWidget(edit);
  TFirstPaint firstPaint;
  edit->viewport()->installEventFilter(&firstPaint);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    window.resize(screen->availableSize() * 3 / 4);
  window.show();
  std::fprintf(stderr, "%zu\n", lines);
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
  if (!reference) {
    return quilmo::RunProgram(argc, argv, [](quilmo::TEditForm& form) {
      form.Editor1Widget()->viewport()->installEventFilter(new TFirstPaint(&form));
    });
  }
  QApplication app(argc, argv);
  return RunReference(file, icons, fonts, bare);
}
