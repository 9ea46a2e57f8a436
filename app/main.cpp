// Program entry of Kel, the Quilmo editor: the application, French standard dialogs, the
// main window, the message loop.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/AppInfo.h"
#include "app/Application.h"
#include "app/EditForm.h"
#include "app/InstanceStarter.h"
#include "app/JournalKeeper.h"
#include "app/ProgramIcon.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "app/Usage.h"
#include "editor/qt/EditorWidget.h"

int main(int argc, char* argv[]) {
  if (const int code = quilmo::AnswerInformativeArguments(argc, argv); code >= 0) return code;
  quilmo::TApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(quilmo::kApplicationTitle));
  QApplication::setOrganizationName(QString::fromLatin1(quilmo::kOrganization));
  QApplication::setWindowIcon(quilmo::ProgramIcon());

  // Message boxes and the file, font and print dialogs speak French.
  QTranslator qtTranslator;
  if (qtTranslator.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTranslator);

  quilmo::TSettingsStore settings;
  quilmo::TQtPrompter prompter;
  quilmo::TProcessStarter starter;
  quilmo::TEditFormServices services;
  services.Settings = &settings;
  services.Prompter = &prompter;
  services.Starter = &starter;
  services.Arguments = QApplication::arguments().mid(1);
  services.ProgramFile = QApplication::applicationFilePath();
  services.JournalFolder = quilmo::TJournalKeeper::DefaultFolder();
  quilmo::TEditForm form(services);
  form.show();
  form.Editor1Widget()->setFocus();
  return app.exec();
}
