// Program entry of Kel, the Quilmo editor.
#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <string>

#include "app/AppInfo.h"
#include "app/DisplayCheck.h"
#include "app/Program.h"
#include "app/Usage.h"

int main(int argc, char* argv[]) {
  if (const int code = quilmo::AnswerInformativeArguments(argc, argv); code >= 0) return code;
  // Every other start opens the window: without a display it ends here with a French message.
  if (const std::string message =
          quilmo::MissingDisplayMessage(quilmo::CurrentDisplayEnvironment(argc, argv));
      !message.empty()) {
    std::fputs(message.c_str(), stderr);
    return quilmo::kNoDisplayExitCode;
  }
  quilmo::InstallDisplayFailureHandler(argc, argv);
  QGuiApplication::setDesktopFileName(QString::fromLatin1(quilmo::kDesktopFileName));
  return quilmo::RunProgram(argc, argv);
}
