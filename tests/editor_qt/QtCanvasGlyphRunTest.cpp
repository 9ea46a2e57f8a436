// Runs drawn as glyphs placed on the cell grid give the pixels of QPainter::drawText.

#include <QImage>
#include <QPainter>
#include <QPalette>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/qt/Cp1252Text.h"
#include "editor/qt/FontList.h"
#include "editor/qt/QtCanvas.h"
#include "engine/Cp1252.h"

namespace quilmo {
namespace {

// Every byte the font draws one cell wide, in runs of `perRun` characters. The soft hyphen is
// left out: drawText gives it no width (see below).
std::vector<std::string> OnGridRuns(const TQtEditorFont& font, std::size_t perRun) {
  std::vector<std::string> runs(1);
  for (int b = 32; b < 256; ++b) {
    if (!font.OnGrid(static_cast<unsigned char>(b)) || b == 0xAD) continue;
    if (runs.back().size() == perRun) runs.emplace_back();
    runs.back().push_back(static_cast<char>(b));
  }
  runs.push_back(
      "Le c\x9C"
      "ur a ses raisons que la raison ne conna\xEEt point. \xAB \xE9t\xE9 \xBB");
  return runs;
}

// Each run painted by the canvas and by drawText; the images must be equal.
void ExpectCanvasMatchesDrawText(const TFontDesc& desc) {
  const TQtEditorFont font(desc);
  const std::vector<std::string> runs = OnGridRuns(font, 40);
  const int cw = font.CharWidth();
  const int h = font.BaseRowHeight();
  const int width = cw * 70 + 7;
  QImage canvasImage(width, h * static_cast<int>(runs.size()), QImage::Format_RGB32);
  QImage textImage = canvasImage;
  canvasImage.fill(Qt::white);
  textImage.fill(Qt::white);
  {
    QPainter p(&canvasImage);
    TQtCanvas canvas(p, font, QPalette());
    for (std::size_t i = 0; i < runs.size(); ++i) {
      const int top = static_cast<int>(i) * h;
      canvas.TextOutClipped({0, top, width, top + h}, 3, top + 1, runs[i], RGBColor(20, 40, 60), clWhite);
    }
  }
  {
    QPainter p(&textImage);
    p.setFont(font.Font());
    p.setPen(QColor(20, 40, 60));
    for (std::size_t i = 0; i < runs.size(); ++i) {
      const int top = static_cast<int>(i) * h;
      p.save();
      p.setClipRect(QRect(0, top, width, h));
      p.drawText(QPoint(3, top + 1 + font.Ascent()), BytesToQString(runs[i]));
      p.restore();
    }
  }
  for (int y = 0; y < canvasImage.height(); ++y)
    for (int x = 0; x < canvasImage.width(); ++x)
      ASSERT_EQ(canvasImage.pixel(x, y), textImage.pixel(x, y))
          << desc.Name << " " << desc.Size << " style " << int(desc.Style) << " at " << x << "," << y;
}

TEST(QtCanvasGlyphRunTest, RunsMatchDrawTextInTheEditorFonts) {
  ExpectCanvasMatchesDrawText(TFontDesc{"DejaVu Sans Mono", 10, 0, clBlack});
  ExpectCanvasMatchesDrawText(TFontDesc{"DejaVu Sans Mono", 13, fsBold, clBlack});
  ExpectCanvasMatchesDrawText(TFontDesc{"DejaVu Sans Mono", 9, fsItalic, clBlack});
  ExpectCanvasMatchesDrawText(TFontDesc{"Fixedsys", 10, 0, clBlack});
}

// Ink of the image in the columns [left, right).
int InkBetween(const QImage& image, int left, int right) {
  int ink = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = left; x < right; ++x) ink += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
  return ink;
}

TEST(QtCanvasGlyphRunTest, ASoftHyphenKeepsTheGrid) {
  // Text layout gives U+00AD no width; on the grid it takes its cell like any character, so
  // what follows it stays in its own cells, plain or underlined.
  for (const TFontStyles style : {TFontStyles{0}, fsUnderline}) {
    const TQtEditorFont font(TFontDesc{"DejaVu Sans Mono", 10, style, clBlack});
    const int cw = font.CharWidth();
    const int h = font.BaseRowHeight();
    const std::string text =
        "a\xAD"
        "MMMM";
    QImage whole(cw * 8, h, QImage::Format_RGB32);
    QImage cells = whole;
    whole.fill(Qt::white);
    cells.fill(Qt::white);
    {
      QPainter p(&whole);
      TQtCanvas canvas(p, font, QPalette());
      canvas.TextOutClipped({0, 0, cw * 8, h}, 0, 1, text, clBlack, clWhite);
    }
    {
      QPainter p(&cells);
      TQtCanvas canvas(p, font, QPalette());
      for (std::size_t i = 0; i < text.size(); ++i) {
        const int x = static_cast<int>(i) * cw;
        canvas.TextOutClipped({x, 0, x + cw, h}, x, 1, text.substr(i, 1), clBlack, clWhite);
      }
    }
    EXPECT_EQ(whole, cells) << int(style);
    EXPECT_GT(InkBetween(whole, 5 * cw, 6 * cw), 10) << int(style);  // the last M in the sixth cell
  }
}

TEST(QtCanvasGlyphRunTest, UnderlinedAndScaledRunsStillDraw) {
  // Underlined fonts and painters that scale keep the text-layout path; they must still ink.
  const TQtEditorFont font(TFontDesc{"DejaVu Sans Mono", 10, fsUnderline, clBlack});
  const int cw = font.CharWidth();
  const int h = font.BaseRowHeight();
  for (const bool scaled : {false, true}) {
    QImage image(cw * 12 * 2, h * 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter p(&image);
      if (scaled) p.scale(2, 2);
      TQtCanvas canvas(p, font, QPalette());
      canvas.TextOutClipped({0, 0, cw * 12, h}, 0, 1, "Ab\xE9 d", clBlack, clWhite);
    }
    EXPECT_GT(InkBetween(image, 0, image.width()), 20) << scaled;
  }
}

}  // namespace
}  // namespace quilmo
