#include "editor/qt/ErrorReport.h"

#include <QApplication>
#include <QMessageBox>

namespace quilmo {

namespace {

TErrorReporter& Reporter() {
  static TErrorReporter reporter;
  return reporter;
}

// Set while a message is being shown: an error raised meanwhile (by a handler running in the
// message box's own event loop) is not shown in a second box on top of the first.
bool& Reporting() {
  static bool reporting = false;
  return reporting;
}

void Report(const QString& message) noexcept {
  if (Reporting()) return;
  Reporting() = true;
  try {
    QString caption = QCoreApplication::applicationName();
    if (caption.isEmpty()) caption = QStringLiteral("Quilmo");
    if (Reporter())
      Reporter()(caption, message);
    else
      QMessageBox::critical(QApplication::activeWindow(), caption, message);
  } catch (...) {
    // Nothing more can be done about an error in the report itself.
  }
  Reporting() = false;
}

}  // namespace

TErrorReporter SetErrorReporter(TErrorReporter reporter) {
  return std::exchange(Reporter(), std::move(reporter));
}

void ReportException(const std::exception& error) noexcept {
  Report(QString::fromUtf8(error.what()));
}

void ReportUnknownException() noexcept {
  Report(QStringLiteral("Erreur inattendue."));
}

}  // namespace quilmo
