#pragma once
// Where an exception goes that must not leave an event handler. Qt does not support
// exceptions crossing its event loop, so every handler of the editor widget catches what the
// control raises (an EEditorError when an edit fails and no OnError handler is assigned) and
// hands it to ReportException; the program's QApplication::notify override does the same for
// every other handler. By default the message is shown in a critical message box whose
// caption is the application's name; SetErrorReporter replaces the box (tests record the
// messages instead).

#include <QString>

#include <exception>
#include <functional>
#include <utility>

namespace quilmo {

// Receives the caption and the message of an error to show.
using TErrorReporter = std::function<void(const QString& caption, const QString& message)>;

// Installs `reporter` (empty: the message box) and returns the one it replaces.
TErrorReporter SetErrorReporter(TErrorReporter reporter);

// Shows the error's message; never throws.
void ReportException(const std::exception& error) noexcept;
// The same for an exception of any other type.
void ReportUnknownException() noexcept;

// Runs `action`; an exception it raises is reported instead of propagating.
template <typename TAction>
void RunReportingErrors(TAction&& action) noexcept {
  try {
    std::forward<TAction>(action)();
  } catch (const std::exception& error) {
    ReportException(error);
  } catch (...) {
    ReportUnknownException();
  }
}

}  // namespace quilmo
