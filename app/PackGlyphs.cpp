// quilmo_pack_glyphs OUT.cpp NAME-SIZE.png...: writes the pixels of the tool bar's glyphs
// drawn beforehand as C++ arrays (premultiplied ARGB, one 32-bit word per pixel), which the
// program shows without decoding anything (GlyphPixels.h). Run by the build.
#include <QFileInfo>
#include <QImage>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct TEntry {
  std::string Name;
  int Side = 0;
  std::size_t Offset = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: quilmo_pack_glyphs OUT.cpp NAME-SIZE.png...\n");
    return 2;
  }
  std::vector<TEntry> entries;
  std::string pixels;
  std::size_t offset = 0;
  for (int i = 2; i < argc; ++i) {
    const QString file = QString::fromLocal8Bit(argv[i]);
    const QImage image = QImage(file).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QString base = QFileInfo(file).completeBaseName();
    const qsizetype dash = base.lastIndexOf(QLatin1Char('-'));
    if (image.isNull() || image.width() != image.height() || dash <= 0 ||
        base.mid(dash + 1).toInt() != image.width()) {
      std::fprintf(stderr, "%s: not a square NAME-SIZE.png image\n", argv[i]);
      return 1;
    }
    entries.push_back({base.left(dash).toStdString(), image.width(), offset});
    for (int y = 0; y < image.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        char word[16];
        std::snprintf(word, sizeof word, "0x%08x,", static_cast<unsigned>(line[x]));
        pixels += word;
        pixels += (x + 1) % 8 == 0 ? '\n' : ' ';
      }
    }
    offset += static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height());
  }
  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  std::fprintf(out, "// Written by quilmo_pack_glyphs from resources/toolbar/png.\n");
  std::fprintf(out, "#include \"app/GlyphPixels.h\"\n\nnamespace quilmo {\n\nnamespace {\n\n");
  std::fprintf(out, "const std::uint32_t kPixels[] = {\n%s};\n\n", pixels.c_str());
  std::fprintf(out, "const TGlyphPixels kGlyphs[] = {\n");
  for (const TEntry& e : entries)
    std::fprintf(out, "    {\"%s\", %d, kPixels + %zu},\n", e.Name.c_str(), e.Side, e.Offset);
  std::fprintf(out, "};\n\n}  // namespace\n\n");
  std::fprintf(
      out, "std::span<const TGlyphPixels> DrawnGlyphs() {\n  return kGlyphs;\n}\n\n}  // namespace quilmo\n");
  return std::fclose(out) == 0 ? 0 : 1;
}
