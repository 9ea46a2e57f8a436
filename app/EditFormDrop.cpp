// Files dropped on the window or the editor, and further copies of the program.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "app/EditForm.h"
#include "app/InstanceStarter.h"
#include "app/NameBytes.h"
#include "editor/TextFileEditor.h"

namespace quilmo {

QStringList TEditForm::DroppedFileNames(const QMimeData* data) {
  QStringList names;
  if (!data || !data->hasUrls()) return names;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) names << LocalFileName(url);
  return names;
}

void TEditForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFileNames(event->mimeData()).isEmpty())
    event->acceptProposedAction();
  else
    event->ignore();
}

void TEditForm::dropEvent(QDropEvent* event) {
  const QStringList names = DroppedFileNames(event->mimeData());
  if (names.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  try {
    FilesDropped(names);
  } catch (const std::exception& error) {
    ShowError(error);
  }
}

void TEditForm::FilesDropped(const QStringList& names) {
  if (!ConfirmDiscard(TPromptSound::Silent)) return;
  if (!FMultipleOpenings) {
    // The whole name: one cut to some length would name another file.
    const QString& name = names.front();
    if (!OpenDocument(name)) return;
    ApplyLogStamp();
    SetCaption(DocumentName());
    AddToHistory(name);
    UpdateButtons(FEditor->ByteCount() != 0);
  } else {
    for (const QString& name : names) SpawnInstance({QStringLiteral("-i"), name});
  }
  if (isMinimized())
    showNormal();
  else {
    raise();
    activateWindow();
  }
}

bool TEditForm::SpawnInstance(const QStringList& arguments) {
#ifdef Q_OS_WIN
  const QString program = FProgramFolder + QStringLiteral("Kel.exe");
#else
  const QString program = FProgramFolder + QStringLiteral("Kel");
#endif
  // Callers that open a document do not report a copy that cannot be started.
  return FServices.Starter->Start(program, arguments);
}

}  // namespace quilmo
