#include "app/Program.h"

#include <QAbstractEventDispatcher>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/AppInfo.h"
#include "app/Application.h"
#include "app/DesktopColorScheme.h"
#include "app/EditForm.h"
#include "app/InstanceStarter.h"
#include "app/JournalKeeper.h"
#include "app/LazyIconStyle.h"
#include "app/NameBytes.h"
#include "app/ProgramIcon.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo {

namespace {

// Gives the program its icon once the first window has painted and the program waits for
// input: the icon is eight images of up to 256 pixels, read, converted and sent to the window
// system, which would otherwise all happen before anything is on the screen. Watches the
// application's events until the first paint.
class TIconAfterFirstPaint : public QObject {
 public:
  TIconAfterFirstPaint() { qApp->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      qApp->removeEventFilter(this);
      if (auto* dispatcher = QAbstractEventDispatcher::instance())
        FIdle = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
          disconnect(FIdle);
          QApplication::setWindowIcon(ProgramIcon());
        });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QMetaObject::Connection FIdle;
};

}  // namespace

int RunProgram(int& argc, char** argv, const std::function<void(TEditForm&)>& shown) {
  TApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
  QApplication::setOrganizationName(QString::fromLatin1(kOrganization));
  TIconAfterFirstPaint icon;
  QApplication::setStyle(new TLazyIconStyle(QApplication::style()));

  // Message boxes and the file, font and print dialogs speak French.
  QTranslator qtTranslator;
  if (qtTranslator.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTranslator);
  // The same dialogs write sizes and dates in French too, whatever the system's language.
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

  TSettingsStore settings;
  TQtPrompter prompter;
  TProcessStarter starter;
  TEditFormServices services;
  services.Settings = &settings;
  services.Prompter = &prompter;
  services.Starter = &starter;
  // Qt's own arguments() decode the bytes, and a name that is not UTF-8 would lose them.
  services.Arguments = ArgumentsFromBytes(argc, argv);
  services.ProgramFile = QApplication::applicationFilePath();
  services.JournalFolder = TJournalKeeper::DefaultFolder();
  TDesktopColorScheme desktop;
  services.Desktop = &desktop;
  TEditForm form(services);
  form.show();
  form.Editor1Widget()->setFocus();
  if (shown) shown(form);
  return QApplication::exec();
}

}  // namespace quilmo
