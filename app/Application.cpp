#include "app/Application.h"

#include <exception>

#include "editor/qt/ErrorReport.h"

namespace quilmo {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Quilmo"));
  setOrganizationName(QStringLiteral("Orvane"));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ReportException(error);
  } catch (...) {
    ReportUnknownException();
  }
  return false;
}

}  // namespace quilmo
