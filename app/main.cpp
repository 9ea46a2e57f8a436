// Program entry of Kel, the Quilmo editor.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quilmo");
  QApplication::setOrganizationName("Orvane");
  QMainWindow window;
  window.setWindowTitle("Quilmo");
  window.resize(800, 600);
  window.show();
  return app.exec();
}
