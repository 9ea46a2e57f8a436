// quilmo_draw_glyphs OUT_DIR FILE.svg...: draws each SVG glyph at the tool bar's usual sizes
// into OUT_DIR/NAME-SIZE.png, as the program would draw it. Run it again after changing a
// glyph (resources/toolbar/png holds the output; a test compares the two).
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: quilmo_draw_glyphs OUT_DIR FILE.svg...\n");
    return 2;
  }
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString out = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    const QString svg = QString::fromLocal8Bit(argv[i]);
    for (const int side : {16, 24, 32, 48}) {
      QImageReader reader(svg);
      reader.setScaledSize(QSize(side, side));
      const QImage image = reader.read();
      const QString name = out + QLatin1Char('/') + QFileInfo(svg).completeBaseName() + QLatin1Char('-') +
                           QString::number(side) + ".png";
      if (image.isNull() || !image.save(name, "PNG")) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(svg), qPrintable(reader.errorString()));
        return 1;
      }
    }
  }
  return 0;
}
