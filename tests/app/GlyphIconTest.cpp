// The tool bar's glyphs, read and drawn on first use: every glyph of the resources gives a
// full, visible image at the tool bar's sizes and on a high-density screen, the disabled look
// differs from the normal one, and a missing file gives an empty image instead of a crash.

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/GlyphIcon.h"
#include "app/GlyphPixels.h"

namespace quilmo::test {
namespace {

int OpaquePixels(const QPixmap& pixmap) {
  const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
  return count;
}

TEST(GlyphIcon, EveryGlyphIsDrawnWholeAtEachSize) {
  const QStringList names = QDir(QStringLiteral(":/toolbar")).entryList({QStringLiteral("*.svg")});
  ASSERT_GE(names.size(), 19);
  const struct {
    int Side;
    qreal Ratio;
  } cases[] = {{16, 1.0}, {24, 1.0}, {16, 2.0}};
  for (const QString& name : names) {
    const QIcon icon = GlyphIcon(QStringLiteral(":/toolbar/") + name);
    for (const auto& c : cases) {
      SCOPED_TRACE(name.toStdString() + " at " + std::to_string(c.Side) + " x" + std::to_string(c.Ratio));
      const QPixmap pixmap = icon.pixmap(QSize(c.Side, c.Side), c.Ratio);
      const int pixels = static_cast<int>(c.Side * c.Ratio);
      EXPECT_EQ(pixmap.width(), pixels);
      EXPECT_EQ(pixmap.height(), pixels);
      EXPECT_GT(OpaquePixels(pixmap), pixels);  // more than a stray line
    }
  }
}

// The glyphs compiled into the program are those of the SVG files as they are now, at every
// usual size (a glyph changed without drawing it again would show its old look, a packing
// fault a garbled one): quilmo_draw_glyphs draws them again.
TEST(GlyphIcon, DrawnGlyphsMatchTheirDrawings) {
  const QStringList names = QDir(QStringLiteral(":/toolbar")).entryList({QStringLiteral("*.svg")});
  for (const QString& name : names) {
    for (const int side : {16, 24, 32, 48}) {
      SCOPED_TRACE(name.toStdString() + " at " + std::to_string(side));
      const auto glyphs = DrawnGlyphs();
      const auto packed = std::find_if(glyphs.begin(), glyphs.end(), [&](const TGlyphPixels& g) {
        return g.Side == side && QFileInfo(name).completeBaseName() == QLatin1String(g.Name);
      });
      ASSERT_NE(packed, glyphs.end());
      QImageReader reader(QStringLiteral(":/toolbar/") + name);
      reader.setScaledSize(QSize(side, side));
      const QImage drawnNow = reader.read().convertToFormat(QImage::Format_ARGB32);
      const QImage drawnBefore = QImage(reinterpret_cast<const uchar*>(packed->Argb), side, side, side * 4,
                                        QImage::Format_ARGB32_Premultiplied)
                                     .convertToFormat(QImage::Format_ARGB32);
      ASSERT_EQ(drawnBefore.size(), drawnNow.size());
      int differing = 0;
      for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
          const QRgb a = drawnNow.pixel(x, y);
          const QRgb b = drawnBefore.pixel(x, y);
          const int distance = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                         std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
          differing += distance > 8 ? 1 : 0;
        }
      EXPECT_EQ(differing, 0);
    }
  }
}

TEST(GlyphIcon, DisabledLookDiffersAndIsKept) {
  const QIcon icon = GlyphIcon(QStringLiteral(":/toolbar/save.svg"));
  const QImage normal = icon.pixmap(QSize(16, 16), QIcon::Normal).toImage();
  const QImage disabled = icon.pixmap(QSize(16, 16), QIcon::Disabled).toImage();
  EXPECT_EQ(disabled.size(), normal.size());
  EXPECT_NE(disabled, normal);
  EXPECT_EQ(icon.pixmap(QSize(16, 16), QIcon::Disabled).toImage(), disabled);
  EXPECT_EQ(icon.pixmap(QSize(16, 16), QIcon::Normal).toImage(), normal);
}

TEST(GlyphIcon, MissingFileGivesAnEmptyImage) {
  const QIcon icon = GlyphIcon(QStringLiteral(":/toolbar/absent.svg"));
  EXPECT_TRUE(icon.pixmap(QSize(16, 16)).isNull());
  EXPECT_TRUE(icon.pixmap(QSize(16, 16), QIcon::Disabled).isNull());
}

}  // namespace
}  // namespace quilmo::test
