#include "app/GlyphIcon.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include "app/DarkPalette.h"
#include "app/GlyphPixels.h"

namespace quilmo {

namespace {

class TGlyphIconEngine : public QIconEngine {
 public:
  explicit TGlyphIconEngine(QString fileName) : FFileName(std::move(fileName)), FName(BaseName(FFileName)) {}

  QIconEngine* clone() const override { return new TGlyphIconEngine(*this); }
  QString key() const override { return QStringLiteral("QuilmoGlyph"); }
  bool isNull() override { return FFileName.isEmpty(); }

  // The glyphs are square: every size asked for is drawn whole.
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = std::min(size.width(), size.height());
    return {side, side};
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
    const QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
    painter->drawPixmap(rect, drawn);
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    const QSize side = actualSize(size, mode, state);
    if (side.isEmpty()) return {};
    // The glyphs are drawn for a light background; on a dark one their greys are turned over.
    const bool dark = IsDarkPalette(QGuiApplication::palette());
    const quint64 key =
        (static_cast<quint64>(side.width()) << 9) | (dark ? 0x100U : 0U) | static_cast<quint64>(mode);
    if (const auto found = FDrawn.constFind(key); found != FDrawn.cend()) return *found;
    QPixmap drawn;
    if (mode != QIcon::Normal)
      drawn = Derived(mode, pixmap(size, QIcon::Normal, state));
    else if (dark)
      drawn = QPixmap::fromImage(GlyphForDarkBackground(Draw(side).toImage()));
    else
      drawn = Draw(side);
    FDrawn.insert(key, drawn);
    return drawn;
  }

 private:
  // The glyph drawn beforehand at this size when there is one (compiled-in pixels show
  // without decoding anything), else drawn from the SVG now.
  QPixmap Draw(const QSize& side) const {
    if (side.width() == side.height())
      for (const TGlyphPixels& glyph : DrawnGlyphs())
        if (glyph.Side == side.width() && FName == QLatin1String(glyph.Name))
          return QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(glyph.Argb), glyph.Side, glyph.Side,
                                           glyph.Side * 4, QImage::Format_ARGB32_Premultiplied));
    QImageReader reader(FFileName);
    reader.setScaledSize(side);
    QImage image = reader.read();
    if (image.isNull()) return {};
    return QPixmap::fromImage(std::move(image));
  }

  // "dir/name.svg" → "name".
  static QString BaseName(const QString& fileName) {
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? fileName.mid(slash + 1, dot - slash - 1) : fileName.mid(slash + 1);
  }

  // The disabled (greyed) and other looks, as the style makes them for any icon.
  static QPixmap Derived(QIcon::Mode mode, const QPixmap& normal) {
    if (normal.isNull() || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
      return normal;
    QStyleOption option;
    option.palette = QApplication::palette();
    const QPixmap derived = QApplication::style()->generatedIconPixmap(mode, normal, &option);
    return derived.isNull() ? normal : derived;
  }

  QString FFileName;
  QString FName;
  QHash<quint64, QPixmap> FDrawn;
};

}  // namespace

QIcon GlyphIcon(const QString& fileName) {
  return QIcon(new TGlyphIconEngine(fileName));
}

}  // namespace quilmo
