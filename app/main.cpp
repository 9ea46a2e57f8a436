// Program entry of Kel, the Quilmo editor.
#include <QApplication>
#include <QMainWindow>

#include "editor/qt/EditorWidget.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quilmo");
  QApplication::setOrganizationName("Orvane");
  QMainWindow window;
  window.setWindowTitle("Quilmo");
  auto* editor = new quilmo::TEditorWidget(&window);
  window.setCentralWidget(editor);
  window.resize(800, 600);
  window.show();
  editor->setFocus();
  return app.exec();
}
