#pragma once
// The program's QApplication: the last net for exceptions. An exception that leaves an event
// handler (a menu command, a dialog, a timer) is caught in notify and its message shown
// through ReportException (editor/qt/ErrorReport.h: a critical message box whose caption is
// the application's name), and the program goes on. Qt does not support exceptions crossing
// its event loop, so handlers that can fail should catch themselves, as the editor widget
// does; this override only keeps an overlooked one from ending the program.

#include <QApplication>

namespace quilmo {

class TApplication : public QApplication {
  Q_OBJECT

 public:
  // Also names the application "Quilmo" (the caption of its error box) of "Orvane".
  TApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace quilmo
