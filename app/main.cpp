// Program entry of Kel, the Quilmo editor.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QKeySequence>
#include <QMainWindow>
#include <QMessageBox>
#include <QStringList>

#include <exception>
#include <memory>
#include <string>

#include "app/Usage.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"
#include "engine/FileSystem.h"

namespace {

using quilmo::TLoadReport;
using quilmo::TTextFileEditor;

QString DisplayName(const std::string& fileName) {
  return QFile::decodeName(QByteArray::fromStdString(fileName));
}

void ShowError(QWidget* parent, const std::exception& error) {
  QMessageBox::critical(parent, QApplication::applicationName(), QString::fromUtf8(error.what()));
}

// What a save would change in the file just loaded, or an empty text.
QString LoadWarning(const TLoadReport& report, const QString& name, int paraLengthLimit) {
  QStringList lines;
  if (report.NulCount == 1)
    lines << "1 caractère nul a été remplacé par un espace.";
  else if (report.NulCount > 1)
    lines << QString("%1 caractères nuls ont été remplacés par des espaces.").arg(report.NulCount);
  if (report.BytesAfterCtrlZ == 1)
    lines << "Le texte s'arrête au caractère Ctrl-Z : l'octet qui le suit n'a pas été lu.";
  else if (report.BytesAfterCtrlZ > 1)
    lines << QString(
                 "Le texte s'arrête au caractère Ctrl-Z : les %1 octets qui le suivent n'ont pas été lus.")
                 .arg(report.BytesAfterCtrlZ);
  if (report.LongLineCount == 1)
    lines
        << QString("1 ligne de plus de %1 caractères a été coupée en plusieurs lignes.").arg(paraLengthLimit);
  else if (report.LongLineCount > 1)
    lines << QString("%1 lignes de plus de %2 caractères ont été coupées en plusieurs lignes.")
                 .arg(report.LongLineCount)
                 .arg(paraLengthLimit);
  if (lines.isEmpty()) return {};
  return QString("Le fichier « %1 » a été modifié à l'ouverture :\n\n").arg(name) + lines.join('\n') +
         "\n\nCes changements seront enregistrés si vous enregistrez le fichier.";
}

void SetCaption(QMainWindow& window, const TTextFileEditor& editor) {
  const QString title = QApplication::applicationName();
  window.setWindowTitle(editor.FileName().empty() ? title : title + " - " + DisplayName(editor.FileName()));
}

// Opens the file named on the command line; a file that does not exist starts empty under its name.
void OpenFile(QMainWindow& window, TTextFileEditor& editor, const QString& argument) {
  const std::string name = QFile::encodeName(argument).toStdString();
  quilmo::TFileInfo info;
  try {
    if (editor.FileSystem().Stat(name, info) != 0) {
      editor.NewTextFile(name);
    } else {
      const TLoadReport report = editor.LoadTextFile(name);
      const QString warning = LoadWarning(report, DisplayName(editor.FileName()), editor.ParaLengthLimit());
      if (!warning.isEmpty()) QMessageBox::warning(&window, QApplication::applicationName(), warning);
    }
  } catch (const std::exception& error) {
    ShowError(&window, error);
  }
  SetCaption(window, editor);
}

void Save(QMainWindow& window, TTextFileEditor& editor) {
  std::string name = editor.FileName();
  if (name.empty()) {
    const QString chosen = QFileDialog::getSaveFileName(&window, "Enregistrer sous");
    if (chosen.isEmpty()) return;
    name = QFile::encodeName(chosen).toStdString();
  }
  try {
    editor.SaveTextFile(name);
    editor.SetFileName(name);
  } catch (const std::exception& error) {
    ShowError(&window, error);
  }
  SetCaption(window, editor);
}

// The settings the main window gives its editor: Tab and auto-indent for typing, the
// selection kept visible, narrow margins, tab stops every 4 columns, a deep undo, blanks at
// line ends kept on saving.
void ApplyEditorDesign(TTextFileEditor& editor) {
  editor.SetAutoIndent(true);
  editor.SetNewStyleIndent(true);
  editor.CaretOvr()->SetShape(quilmo::TCaretShape::csBlock);
  editor.CaretOvr()->SetCaretWidth(10);
  editor.SetHideSelection(false);
  editor.SetLeftMargin(2);
  editor.SetRightMargin(2);
  editor.SetScrollBarsAlways(true);
  editor.SetTabSize(4);
  editor.SetTrimWhiteSpace(false);
  editor.SetUndoBufferSize(65535);
  editor.SetWantTab(true);
  editor.SetWrapToWindow(true);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (const int code = quilmo::AnswerInformativeArguments(argc, argv); code >= 0) return code;
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quilmo");
  QApplication::setOrganizationName("Orvane");
  QMainWindow window;
  window.setWindowTitle("Quilmo");
  auto control = std::make_unique<TTextFileEditor>();
  TTextFileEditor& editor = *control;
  ApplyEditorDesign(editor);
  auto* widget = new quilmo::TEditorWidget(std::move(control), &window);
  window.setCentralWidget(widget);

  auto* save = new QAction("&Enregistrer", &window);
  save->setShortcut(QKeySequence::Save);
  QObject::connect(save, &QAction::triggered, &window, [&window, &editor] { Save(window, editor); });
  window.addAction(save);

  window.resize(800, 600);
  window.show();
  widget->setFocus();
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() >= 2) OpenFile(window, editor, arguments.at(1));
  return app.exec();
}
