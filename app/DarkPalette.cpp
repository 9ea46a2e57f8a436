#include "app/DarkPalette.h"

#include <algorithm>
#include <cmath>

namespace quilmo {

namespace {

double Channel(int value) {
  const double c = value / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& color) {
  return 0.2126 * Channel(color.red()) + 0.7152 * Channel(color.green()) + 0.0722 * Channel(color.blue());
}

// A grey differs from black, white or another grey only in lightness; its channels stay close.
constexpr int kGreyChroma = 24;
// Colours darker than this are lifted on a dark background.
constexpr int kLeastColourLightness = 150;

}  // namespace

QPalette DarkPalette() {
  const QColor window(53, 53, 53), base(30, 30, 30), text(230, 230, 230), disabled(128, 128, 128);
  QPalette p;
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, QColor(45, 45, 45));
  p.setColor(QPalette::ToolTipBase, QColor(60, 60, 40));
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, window);
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, QColor(255, 90, 90));
  p.setColor(QPalette::Light, QColor(80, 80, 80));
  p.setColor(QPalette::Midlight, QColor(66, 66, 66));
  p.setColor(QPalette::Mid, QColor(40, 40, 40));
  p.setColor(QPalette::Dark, QColor(25, 25, 25));
  p.setColor(QPalette::Shadow, QColor(10, 10, 10));
  p.setColor(QPalette::Highlight, QColor(38, 79, 120));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Link, QColor(110, 170, 255));
  p.setColor(QPalette::LinkVisited, QColor(180, 140, 255));
  for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, disabled);
  p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(70, 70, 70));
  p.setColor(QPalette::Disabled, QPalette::HighlightedText, disabled);
  p.setColor(QPalette::Inactive, QPalette::Highlight, QColor(60, 72, 88));
  return p;
}

bool IsDarkPalette(const QPalette& palette) {
  return palette.color(QPalette::Window).lightness() < 128;
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor DimmedLabelColor(const QPalette& palette) {
  const bool dark = palette.color(QPalette::Button).lightness() < 128;
  return dark ? QColor(160, 160, 160) : QColor(128, 128, 128);
}

QImage GlyphForDarkBackground(const QImage& glyph) {
  QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = row[x];
      const int alpha = qAlpha(pixel);
      if (alpha == 0) continue;
      const QColor color = QColor::fromRgba(pixel);
      const int chroma = std::max({color.red(), color.green(), color.blue()}) -
                         std::min({color.red(), color.green(), color.blue()});
      QColor drawn;
      if (chroma <= kGreyChroma) {
        const int lightness = 255 - color.lightness();
        drawn = QColor::fromHsl(std::max(color.hslHue(), 0), color.hslSaturation(), lightness);
      } else if (color.lightness() < kLeastColourLightness) {
        drawn = QColor::fromHsl(color.hslHue(), color.hslSaturation(), kLeastColourLightness);
      } else {
        continue;
      }
      drawn.setAlpha(alpha);
      row[x] = drawn.rgba();
    }
  }
  return image.convertToFormat(glyph.format());
}

}  // namespace quilmo
