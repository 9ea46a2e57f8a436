// The Qt canvas rendering into an offscreen image, the glyph strip and the font list.

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include <gtest/gtest.h>

#include "editor/EditorPainter.h"
#include "editor/qt/FontList.h"
#include "editor/qt/QtCanvas.h"

namespace quilmo {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);

QImage Blank(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(kWhite);
  return image;
}

// Columns of the image holding any pixel other than `back`.
int RightmostInk(const QImage& image, QRgb back) {
  int right = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != back) right = std::max(right, x);
  return right;
}

TEST(QtCanvasTest, MarkerGlyphStripHasTenRaisedTiles) {
  const QImage strip = MakeMarkerGlyphImage();
  ASSERT_EQ(strip.size(), QSize(kMarkerGlyphStripWidth, kMarkerGlyphStripHeight));
  EXPECT_EQ(kMarkerGlyphWidth, 12);
  QList<QImage> tiles;
  for (int n = 0; n < 10; ++n) {
    const int left = n * 12;
    EXPECT_EQ(strip.pixel(left, 0), kWhite) << n;                    // upper left
    EXPECT_EQ(strip.pixel(left + 5, 0), kWhite) << n;                // upper edge
    EXPECT_EQ(strip.pixel(left, 6), kWhite) << n;                    // left edge
    EXPECT_EQ(strip.pixel(left + 11, 6), qRgb(128, 128, 128)) << n;  // right edge
    EXPECT_EQ(strip.pixel(left + 6, 11), qRgb(128, 128, 128)) << n;  // lower edge
    EXPECT_EQ(strip.pixel(left + 1, 10), qRgb(192, 192, 192)) << n;  // face
    int ink = 0;
    for (int y = 1; y < 11; ++y)
      for (int x = 1; x < 11; ++x)
        if (strip.pixel(left + x, y) == qRgb(0, 0, 0)) ++ink;
    EXPECT_GT(ink, 8) << n;  // the digit
    tiles.append(strip.copy(left, 0, 12, 12));
  }
  for (int a = 0; a < 10; ++a)
    for (int b = a + 1; b < 10; ++b) EXPECT_NE(tiles[a], tiles[b]) << a << " " << b;
  EXPECT_EQ(MarkerGlyphPixmap().size(), QSize(120, 12));
}

TEST(QtCanvasTest, ColoursResolveThroughThePalette) {
  QPalette palette;
  palette.setColor(QPalette::Base, QColor(1, 2, 3));
  palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
  palette.setColor(QPalette::Disabled, QPalette::Text, QColor(7, 8, 9));
  EXPECT_EQ(ResolveColor(clWindow, palette), QColor(1, 2, 3));
  EXPECT_EQ(ResolveColor(clHighlight, palette), QColor(4, 5, 6));
  EXPECT_EQ(ResolveColor(clGrayText, palette), QColor(7, 8, 9));
  EXPECT_EQ(ResolveColor(clNavy, palette), QColor(0, 0, 128));
  EXPECT_EQ(ResolveColor(RGBColor(10, 20, 30), palette), QColor(10, 20, 30));
}

TEST(QtCanvasTest, FixedPitchFamiliesStartWithTheSystemFixedFont) {
  const QStringList families = FixedPitchFamilies();
  ASSERT_FALSE(families.isEmpty());
  EXPECT_EQ(families.first(), QStringLiteral("Fixedsys"));
  for (qsizetype i = 1; i < families.size(); ++i) EXPECT_TRUE(QFontDatabase::isFixedPitch(families[i]));
  const QString resolved = ResolveFixedFamily(QStringLiteral("Fixedsys"));
  EXPECT_TRUE(QFontDatabase::isFixedPitch(resolved)) << resolved.toStdString();
  EXPECT_EQ(ResolveFixedFamily(QStringLiteral("Noto Mono")), QStringLiteral("Noto Mono"));

  const std::vector<std::string> saved = TFixedFont::FixedFontNames();
  InstallFixedFontNames();
  EXPECT_EQ(TFixedFont::FixedFontNames().size(), static_cast<std::size_t>(families.size()));
  TFixedFont font;
  EXPECT_EQ(font.Name(), "Fixedsys");
  EXPECT_THROW(font.Assign(TFontDesc{"Sans Serif", 8, 0, clBlack}), EInvalidFixedFont);
  TFixedFont::SetFixedFontNames(saved);
}

TEST(QtCanvasTest, EditorFontMetrics) {
  const TQtEditorFont font(TFontDesc{"Fixedsys", 10, 0, clBlack});
  const QFontMetrics fm(font.Font());
  EXPECT_EQ(font.CharWidth(), fm.horizontalAdvance(QLatin1Char('x')));
  EXPECT_GT(font.CharWidth(), 2);
  EXPECT_EQ(font.BaseRowHeight(), fm.height() + std::max(0, fm.leading()) + 1);
  EXPECT_EQ(font.BaseRowHeight(), font.Height() + font.ExternalLeading() + 1);
  EXPECT_TRUE(font.OnGrid('a'));
  EXPECT_FALSE(font.OnGrid(0x01));  // control character
  const TQtEditorFont big(TFontDesc{"Fixedsys", 20, fsBold, clBlack});
  EXPECT_GT(big.CharWidth(), font.CharWidth());
  EXPECT_TRUE(big.Font().bold());
}

class QtCanvasRenderTest : public ::testing::Test {
 protected:
  const TQtEditorFont font{TFontDesc{"Fixedsys", 10, 0, clBlack}};
  QPalette palette;
};

TEST_F(QtCanvasRenderTest, OneRunMatchesCharactersDrawnCellByCell) {
  const int cw = font.CharWidth();
  const int h = font.BaseRowHeight();
  const std::string text = "Mil\xE9WA.";  // é from Windows-1252
  QImage whole = Blank(cw * 10, h);
  QImage cells = Blank(cw * 10, h);
  {
    QPainter p(&whole);
    TQtCanvas canvas(p, font, palette);
    canvas.TextOutClipped({0, 0, cw * 10, h}, 0, 1, text, clBlack, clWhite);
  }
  {
    QPainter p(&cells);
    TQtCanvas canvas(p, font, palette);
    for (std::size_t i = 0; i < text.size(); ++i) {
      const int x = static_cast<int>(i) * cw;
      canvas.TextOutClipped({x, 0, x + cw, h}, x, 1, text.substr(i, 1), clBlack, clWhite);
    }
  }
  EXPECT_EQ(whole, cells);
  EXPECT_GE(RightmostInk(whole, kWhite), 5 * cw);  // the sixth character is there
}

TEST_F(QtCanvasRenderTest, RunsAreFilledAndClipped) {
  const int cw = font.CharWidth();
  const int h = font.BaseRowHeight();
  QImage image = Blank(cw * 12, h);
  {
    QPainter p(&image);
    TQtCanvas canvas(p, font, palette);
    canvas.TextOutClipped({cw, 0, cw * 4, h}, cw, 1, "WWWWWWWW", clBlack, RGBColor(0, 0, 200));
  }
  EXPECT_EQ(image.pixel(cw * 4 - 1, h - 1), qRgb(0, 0, 200));  // the run's background
  EXPECT_EQ(image.pixel(0, 0), kWhite);
  // Nothing beyond the clip rectangle.
  for (int y = 0; y < h; ++y)
    for (int x = cw * 4; x < image.width(); ++x) ASSERT_EQ(image.pixel(x, y), kWhite) << x << "," << y;
}

TEST_F(QtCanvasRenderTest, LinesGlyphsAndFills) {
  QImage image = Blank(60, 40);
  {
    QPainter p(&image);
    TQtCanvas canvas(p, font, palette);
    canvas.Line(0, 5, 10, 5, RGBColor(255, 0, 0), 1, TPenStyle::psSolid);
    canvas.Line(30, 0, 30, 10, RGBColor(0, 255, 0), 1, TPenStyle::psClear);
    canvas.DrawMarkerGlyph(7, 40, 20);
    canvas.FillRect({20, 30, 25, 35}, clNavy);
  }
  for (int x = 0; x < 10; ++x) EXPECT_EQ(image.pixel(x, 5), qRgb(255, 0, 0)) << x;
  EXPECT_EQ(image.pixel(10, 5), kWhite);  // the end point is not drawn
  EXPECT_EQ(image.pixel(30, 5), kWhite);  // a clear pen draws nothing
  EXPECT_EQ(image.copy(40, 20, 12, 12), MakeMarkerGlyphImage().copy(7 * 12, 0, 12, 12));
  EXPECT_EQ(image.pixel(20, 30), qRgb(0, 0, 128));
  EXPECT_EQ(image.pixel(24, 34), qRgb(0, 0, 128));
  EXPECT_EQ(image.pixel(25, 35), kWhite);
}

TEST_F(QtCanvasRenderTest, PaintingAWholeEditorThroughTheCanvas) {
  const int cw = font.CharWidth();
  const int lh = font.BaseRowHeight();
  std::vector<std::string> lines = {"premi\xE8re ligne", "deux"};
  TPaintInput in;
  in.ClientRect = {0, 0, 15 + 20 * cw + 5, 4 * lh};
  in.ClipRect = in.ClientRect;
  in.VisibleLines = 3;
  in.VisibleColumns = 20;
  in.CharWidth = cw;
  in.LineHeight = lh;
  in.LineCount = 2;
  in.LineText = [&](int line) { return std::string_view(lines[line - 1]); };
  in.Color = clWhite;
  in.MarginColor = RGBColor(230, 230, 230);
  in.FontColor = clBlack;
  in.MarkerAt = [](int line) { return line == 2 ? 4 : -1; };
  QImage image = Blank(in.ClientRect.Right, in.ClientRect.Bottom);
  {
    QPainter p(&image);
    TQtCanvas canvas(p, font, palette);
    PaintEditor(in, canvas);
  }
  EXPECT_EQ(image.pixel(14, 0), qRgb(230, 230, 230));  // margin
  EXPECT_EQ(image.copy(1, lh + (lh - 12) / 2, 12, 12), MakeMarkerGlyphImage().copy(4 * 12, 0, 12, 12));
  // Text ink on row 1 within the text area, none in the empty third row.
  bool ink1 = false, ink3 = false;
  for (int x = 15; x < 15 + 20 * cw; ++x) {
    for (int y = 0; y < lh; ++y) ink1 |= image.pixel(x, y) != kWhite;
    for (int y = 2 * lh; y < 3 * lh; ++y) ink3 |= image.pixel(x, y) != kWhite;
  }
  EXPECT_TRUE(ink1);
  EXPECT_FALSE(ink3);
}

}  // namespace
}  // namespace quilmo
