#include "editor/qt/QtCanvas.h"

#include <QGlyphRun>
#include <QPainter>
#include <QPen>
#include <QRawFont>

#include <algorithm>
#include <array>
#include <vector>

#include "editor/EditorPainter.h"
#include "editor/qt/Cp1252Text.h"
#include "editor/qt/FontList.h"

namespace quilmo {

namespace {

QRect ToQRect(const TRect& r) {
  return QRect(r.Left, r.Top, r.Width(), r.Height());
}

QColor SystemColor(int index, const QPalette& p) {
  switch (index) {
    case 0:
    case 1:
    case 4:
    case 10:
    case 11: return p.color(QPalette::Window);    // scroll bar, desktop, menu, borders
    case 2: return p.color(QPalette::Highlight);  // active caption
    case 3:
    case 12: return p.color(QPalette::Mid);  // inactive caption, workspace
    case 5: return p.color(QPalette::Base);  // clWindow
    case 6:
    case 21: return p.color(QPalette::Shadow);                          // frame, 3-D dark shadow
    case 7: return p.color(QPalette::WindowText);                       // menu text
    case 8: return p.color(QPalette::Text);                             // clWindowText
    case 9: return p.color(QPalette::HighlightedText);                  // caption text
    case 13: return p.color(QPalette::Highlight);                       // clHighlight
    case 14: return p.color(QPalette::HighlightedText);                 // clHighlightText
    case 15: return p.color(QPalette::Button);                          // clBtnFace
    case 16: return p.color(QPalette::Dark);                            // clBtnShadow
    case 17: return p.color(QPalette::Disabled, QPalette::Text);        // clGrayText
    case 18: return p.color(QPalette::ButtonText);                      // clBtnText
    case 19: return p.color(QPalette::Disabled, QPalette::WindowText);  // inactive caption text
    case 20: return p.color(QPalette::Light);                           // clBtnHighlight
    case 22: return p.color(QPalette::Midlight);                        // 3-D light
    case 23: return p.color(QPalette::ToolTipText);                     // info text
    case 24: return p.color(QPalette::ToolTipBase);                     // info background
    default: return p.color(QPalette::Window);
  }
}

Qt::PenStyle ToQtPenStyle(TPenStyle style) {
  switch (style) {
    case TPenStyle::psDash: return Qt::DashLine;
    case TPenStyle::psDot: return Qt::DotLine;
    case TPenStyle::psDashDot: return Qt::DashDotLine;
    case TPenStyle::psDashDotDot: return Qt::DashDotDotLine;
    case TPenStyle::psClear: return Qt::NoPen;
    case TPenStyle::psSolid:
    case TPenStyle::psInsideFrame: break;
  }
  return Qt::SolidLine;
}

// 5 × 7 digits, one row per byte, the high bit of five on the left.
constexpr unsigned char kDigits[10][7] = {
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}, {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}, {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},
};

// The glyphs of the editor font's characters, for drawing a run without text layout. A run
// whose characters all advance exactly one cell is drawn as glyphs placed on the cell grid
// with one drawGlyphRun call: the same glyphs of the same font engine at the same places as
// drawText gives, without itemizing and shaping the text first (most of drawText's cost).
struct TGridGlyphs {
  QFont Font;
  int Dpi = 0;
  QRawFont Raw;
  std::array<quint32, 256> Index{};
  std::array<bool, 256> Usable{};  // one cell wide and in the font's own face
};

// The table of the font as painted on `device`, for one font at a time (the editor paints
// with one font). Kept for the life of the process: a font engine must not be released by a
// static destructor after the application has gone.
const TGridGlyphs& GridGlyphsFor(const TQtEditorFont& font, const QPaintDevice& device) {
  static TGridGlyphs* glyphs = new TGridGlyphs;
  const int dpi = device.logicalDpiY();
  if (glyphs->Dpi == dpi && glyphs->Font == font.Font()) return *glyphs;
  glyphs->Font = font.Font();
  glyphs->Dpi = dpi;
  glyphs->Raw = QRawFont::fromFont(QFont(font.Font(), &device));
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    glyphs->Index[byte] = 0;
    glyphs->Usable[byte] = false;
    if (!glyphs->Raw.isValid() || !font.OnGrid(byte)) continue;
    const QList<quint32> index = glyphs->Raw.glyphIndexesForString(QString(ByteToQChar(byte)));
    if (index.size() == 1 && index.front() != 0) {
      glyphs->Index[byte] = index.front();
      glyphs->Usable[byte] = true;
    }
  }
  return *glyphs;
}

}  // namespace

QColor ResolveColor(TColor color, const QPalette& palette) {
  if (color & kSystemColorFlag) return SystemColor(static_cast<int>(color & 0xFF), palette);
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

QImage MakeMarkerGlyphImage() {
  constexpr int w = kMarkerGlyphWidth;
  constexpr int h = kMarkerGlyphStripHeight;
  const QRgb face = qRgb(192, 192, 192);
  const QRgb light = qRgb(255, 255, 255);
  const QRgb shadow = qRgb(128, 128, 128);
  const QRgb ink = qRgb(0, 0, 0);
  QImage image(kMarkerGlyphStripWidth, h, QImage::Format_RGB32);
  for (int n = 0; n < 10; ++n) {
    const int left = n * w;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        QRgb c = face;
        if (x == w - 1 || y == h - 1)
          c = shadow;
        else if (x == 0 || y == 0)
          c = light;
        image.setPixel(left + x, y, c);
      }
    // The digit, centred in the tile's face.
    constexpr int dx = 3;
    constexpr int dy = 2;
    for (int row = 0; row < 7; ++row)
      for (int col = 0; col < 5; ++col)
        if (kDigits[n][row] & (0x10 >> col)) image.setPixel(left + dx + col, dy + row, ink);
  }
  return image;
}

const QPixmap& MarkerGlyphPixmap() {
  static const QPixmap pixmap = QPixmap::fromImage(MakeMarkerGlyphImage());
  return pixmap;
}

TGlyphOverhang MeasureGlyphOverhang(const TQtEditorFont& font, unsigned char byte, int dpi) {
  // The glyph is drawn in black on white in the middle cell of three; ink in the outer cells
  // is what reaches into a neighbour.
  const int cw = font.CharWidth();
  const int height = font.BaseRowHeight() + 2;
  QImage image(3 * cw, height, QImage::Format_RGB32);
  const int dotsPerMeter = qRound(dpi / 0.0254);
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    TQtCanvas canvas(painter, font, QPalette());
    const char text = static_cast<char>(byte);
    canvas.TextOutClipped({0, 0, 3 * cw, height}, cw, 1, {&text, 1}, clBlack, clWhite);
  }
  const auto inked = [&image, height](int fromX, int toX) {
    for (int y = 0; y < height; ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = fromX; x < toX; ++x)
        if (qRed(row[x]) != 255 || qGreen(row[x]) != 255 || qBlue(row[x]) != 255) return true;
    }
    return false;
  };
  TGlyphOverhang result = goNone;
  if (inked(0, cw)) result |= goLeft;
  if (inked(2 * cw, 3 * cw)) result |= goRight;
  return result;
}

TQtCanvas::TQtCanvas(QPainter& painter, const TQtEditorFont& font, const QPalette& palette)
    : FPainter(painter), FFont(font), FPalette(palette) {
  FPainter.setFont(FFont.Font());
}

void TQtCanvas::FillRect(const TRect& rect, TColor color) {
  if (!rect.IsEmpty()) FPainter.fillRect(ToQRect(rect), Resolve(color));
}

void TQtCanvas::DrawCells(int x, int y, std::string_view text, TColor fore) {
  if (text.empty()) return;
  FPainter.setPen(Resolve(fore));
  const int cw = FFont.CharWidth();
  const int baseline = y + FFont.Ascent();
  const bool lines = FFont.Font().underline() || FFont.Font().strikeOut();
  const QPaintDevice* device = FPainter.device();
  if (!lines && device != nullptr && FPainter.deviceTransform().type() <= QTransform::TxTranslate) {
    const TGridGlyphs& glyphs = GridGlyphsFor(FFont, *device);
    // Reused between calls: painting happens on the GUI thread only.
    static std::vector<quint32> indexes;
    static std::vector<QPointF> positions;
    indexes.clear();
    positions.clear();
    bool usable = true;
    for (std::size_t i = 0; i < text.size() && usable; ++i) {
      const auto byte = static_cast<unsigned char>(text[i]);
      usable = glyphs.Usable[byte];
      indexes.push_back(glyphs.Index[byte]);
      positions.emplace_back(static_cast<qreal>(static_cast<int>(i) * cw), 0.0);
    }
    if (usable) {
      QGlyphRun run;
      run.setRawFont(glyphs.Raw);
      run.setRawData(indexes.data(), positions.data(), static_cast<int>(indexes.size()));
      FPainter.drawGlyphRun(QPointF(x, baseline), run);
      return;
    }
  }
  // Text layout gives a soft hyphen (0xAD) no width, which would pull the rest of the run one
  // cell to the left: such a run is drawn character by character.
  const bool allOnGrid = std::all_of(text.begin(), text.end(), [&](char c) {
    return FFont.OnGrid(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) != 0xAD;
  });
  if (allOnGrid) {
    // Every advance is exactly one cell: one call keeps the grid.
    FPainter.drawText(QPoint(x, baseline), BytesToQString(text));
    return;
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ' && !lines) continue;
    FPainter.drawText(QPoint(x + static_cast<int>(i) * cw, baseline), BytesToQString(text.substr(i, 1)));
  }
}

void TQtCanvas::TextOutClipped(const TRect& clip, int x, int y, std::string_view text, TColor fore,
                               TColor back) {
  if (clip.IsEmpty()) return;
  const QRect r = ToQRect(clip);
  FPainter.fillRect(r, Resolve(back));
  if (text.empty()) return;
  FPainter.save();
  FPainter.setClipRect(r, FPainter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  DrawCells(x, y, text, fore);
  FPainter.restore();
}

void TQtCanvas::TextOut(int x, int y, std::string_view text, TColor fore, TColor back) {
  FPainter.fillRect(QRect(x, y, TextWidth(text), FFont.Height()), Resolve(back));
  DrawCells(x, y, text, fore);
}

void TQtCanvas::Line(int x1, int y1, int x2, int y2, TColor color, int width, TPenStyle style) {
  if (style == TPenStyle::psClear) return;
  // The end point is not part of the line.
  if (x1 == x2 && y1 != y2) y2 += y2 > y1 ? -1 : 1;
  if (y1 == y2 && x1 != x2) x2 += x2 > x1 ? -1 : 1;
  QPen pen(Resolve(color));
  pen.setWidth(std::max(1, width));
  pen.setStyle(ToQtPenStyle(style));
  pen.setCapStyle(Qt::SquareCap);
  FPainter.setPen(pen);
  FPainter.drawLine(x1, y1, x2, y2);
}

void TQtCanvas::DrawMarkerGlyph(int index, int x, int y) {
  if (index < 0 || index > 9) return;
  FPainter.drawPixmap(x, y, MarkerGlyphPixmap(), index * kMarkerGlyphWidth, 0, kMarkerGlyphWidth,
                      kMarkerGlyphStripHeight);
}

int TQtCanvas::TextWidth(std::string_view text) {
  return static_cast<int>(text.size()) * FFont.CharWidth();
}

}  // namespace quilmo
