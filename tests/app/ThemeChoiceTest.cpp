// Light or dark: the stored choice against the desktop's scheme, the item's check mark and what
// is stored when the user switches; the texts the portal and gsettings give; the dark colours'
// contrast (text, selection, the status bar's grey labels, every tool-bar glyph); the desktop
// read through a gsettings that a script stands in for.

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QTest>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/DarkPalette.h"
#include "app/DesktopColorScheme.h"
#include "app/GlyphPixels.h"
#include "app/ThemeChoice.h"
#include "support/TempDir.h"

namespace quilmo::test {
namespace {

constexpr TColorScheme kLight = TColorScheme::Light;
constexpr TColorScheme kDark = TColorScheme::Dark;

class TFakeThemeWindow : public TThemeWindow {
 public:
  void ApplyScheme(TColorScheme scheme) override { Applied.push_back(scheme); }
  void CheckDarkItem(bool dark) override { Checked = dark; }
  QString ReadStoredChoice() override { return Stored; }
  void WriteStoredChoice(const QString& value) override {
    Stored = value;
    ++Writes;
  }

  std::vector<TColorScheme> Applied;
  bool Checked = false;
  QString Stored;
  int Writes = 0;
};

TEST(ThemeChoice, TheStoredChoiceOverridesTheDesktop) {
  struct TCase {
    QString Stored;
    TColorScheme Desktop;
    TColorScheme Effective;
  } const cases[] = {
      {"", kLight, kLight}, {"", kDark, kDark},  {"1", kLight, kDark},   {"0", kDark, kLight},
      {"1", kDark, kDark},  {"x", kDark, kDark}, {" 1 ", kLight, kDark},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Stored.toStdString());
    TFakeThemeWindow window;
    window.Stored = c.Stored;
    TThemeChoice choice(window);
    choice.Start(c.Desktop);
    EXPECT_EQ(window.Applied, std::vector<TColorScheme>{c.Effective});
    EXPECT_EQ(window.Checked, c.Effective == kDark);
    EXPECT_EQ(window.Writes, 0);
  }
}

TEST(ThemeChoice, TheDesktopIsFollowedUntilTheUserChoosesAndAgainAfterwards) {
  TFakeThemeWindow window;
  TThemeChoice choice(window);
  choice.Start(kLight);
  choice.DesktopChanged(kDark);
  choice.DesktopChanged(kDark);  // the same again: nothing to redo
  EXPECT_EQ(window.Applied, (std::vector<TColorScheme>{kLight, kDark}));
  EXPECT_TRUE(window.Checked);
  // The user wants light on a dark desktop: kept, and the desktop no longer decides.
  choice.Toggle();
  EXPECT_EQ(window.Stored, "0");
  EXPECT_FALSE(window.Checked);
  choice.DesktopChanged(kLight);
  choice.DesktopChanged(kDark);
  EXPECT_EQ(window.Applied, (std::vector<TColorScheme>{kLight, kDark, kLight}));
  // Back to what the desktop shows: following it again, nothing stored.
  choice.Toggle();
  EXPECT_EQ(window.Stored, "");
  EXPECT_FALSE(choice.Override().has_value());
  choice.DesktopChanged(kLight);
  EXPECT_EQ(window.Applied, (std::vector<TColorScheme>{kLight, kDark, kLight, kDark, kLight}));
  choice.Toggle();
  EXPECT_EQ(window.Stored, "1");
  EXPECT_EQ(window.Writes, 3);
}

TEST(ThemeChoice, PortalAndGnomeValues) {
  EXPECT_EQ(SchemeFromPortal(0), kLight);
  EXPECT_EQ(SchemeFromPortal(1), kDark);
  EXPECT_EQ(SchemeFromPortal(2), kLight);
  EXPECT_EQ(SchemeFromPortal(3), std::nullopt);
  const struct {
    const char* Text;
    std::optional<TColorScheme> Scheme;
  } gnome[] = {
      {"'prefer-dark'\n", kDark},
      {"'default'\n", kLight},
      {"'prefer-light'", kLight},
      {"color-scheme: 'prefer-dark'", kDark},
      {"color-scheme: 'default'", kLight},
      {"prefer-dark", std::nullopt},
      {"'autre'", std::nullopt},
      {"", std::nullopt},
      {"'", std::nullopt},
  };
  for (const auto& c : gnome) EXPECT_EQ(SchemeFromGnome(QString::fromUtf8(c.Text)), c.Scheme) << c.Text;
}

// The dark palette keeps the text, the selection and the labels that are off readable; the
// light labels keep their grey 128.
TEST(DarkPalette, TextSelectionAndGreyLabelsAreReadable) {
  const QPalette dark = DarkPalette();
  EXPECT_TRUE(IsDarkPalette(dark));
  EXPECT_GE(ContrastRatio(dark.color(QPalette::Text), dark.color(QPalette::Base)), 7.0);
  EXPECT_GE(ContrastRatio(dark.color(QPalette::WindowText), dark.color(QPalette::Window)), 7.0);
  EXPECT_GE(ContrastRatio(dark.color(QPalette::HighlightedText), dark.color(QPalette::Highlight)), 4.5);
  EXPECT_GE(ContrastRatio(dark.color(QPalette::ToolTipText), dark.color(QPalette::ToolTipBase)), 4.5);
  EXPECT_GE(ContrastRatio(DimmedLabelColor(dark), dark.color(QPalette::Button)), 4.5);
  // Still dimmer than a label that is on.
  EXPECT_LT(ContrastRatio(DimmedLabelColor(dark), dark.color(QPalette::Button)),
            ContrastRatio(dark.color(QPalette::ButtonText), dark.color(QPalette::Button)));
  QPalette light;
  light.setColor(QPalette::Button, QColor(239, 239, 239));
  EXPECT_EQ(DimmedLabelColor(light), QColor(128, 128, 128));
  EXPECT_NEAR(ContrastRatio(Qt::white, Qt::black), 21.0, 0.01);
}

// The share of what a glyph draws that stands out from the tool bar's background.
double ReadableShare(const QImage& glyph, const QColor& background) {
  const QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
  int opaque = 0, readable = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qAlpha(pixel) < 200) continue;
      ++opaque;
      readable += ContrastRatio(QColor(pixel), background) >= 3.0 ? 1 : 0;
    }
  return opaque == 0 ? 0.0 : static_cast<double>(readable) / opaque;
}

TEST(DarkPalette, EveryToolBarGlyphKeepsItsContrastOnBothBackgrounds) {
  const QColor light(239, 239, 239), dark = DarkPalette().color(QPalette::Button);
  int glyphs = 0;
  for (const TGlyphPixels& glyph : DrawnGlyphs()) {
    if (glyph.Side != 16) continue;
    ++glyphs;
    SCOPED_TRACE(glyph.Name);
    const QImage image(reinterpret_cast<const uchar*>(glyph.Argb), glyph.Side, glyph.Side, glyph.Side * 4,
                       QImage::Format_ARGB32_Premultiplied);
    const double onLight = ReadableShare(image, light);
    EXPECT_GE(onLight, 0.25);
    // On the dark bar it stands out at least as well as on the light one.
    EXPECT_GE(ReadableShare(GlyphForDarkBackground(image), dark), onLight * 0.9)
        << ReadableShare(image, dark) << " as drawn for light";
  }
  EXPECT_GE(glyphs, 19);
}

TEST(DarkPalette, GreysTurnOverAndColoursKeepTheirHue) {
  QImage image(3, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(0x3c, 0x3c, 0x3c, 255));
  image.setPixel(1, 0, qRgba(0xc0, 0x39, 0x2b, 255));
  image.setPixel(2, 0, qRgba(0, 0, 0, 0));
  const QImage drawn = GlyphForDarkBackground(image);
  EXPECT_EQ(QColor(drawn.pixel(0, 0)).lightness(), 255 - 0x3c);
  const QColor red(drawn.pixel(1, 0));
  EXPECT_NEAR(red.hslHue(), QColor(0xc0, 0x39, 0x2b).hslHue(), 2);
  EXPECT_GE(red.lightness(), 150);
  EXPECT_EQ(qAlpha(drawn.pixel(2, 0)), 0);
}

// A gsettings that prints what the test wrote, and whose "monitor" prints a change.
class DesktopSchemeTest : public ::testing::Test {
 protected:
  QString Script(const std::string& get, const std::string& monitor) {
    const std::string path = Dir.File("gsettings");
    WriteFileBytes(path,
                   "#!/bin/sh\n"
                   "if [ \"$1\" = get ]; then " +
                       get +
                       "; fi\n"
                       "if [ \"$1\" = monitor ]; then " +
                       monitor + "; fi\n");
    QFile::setPermissions(QString::fromStdString(path),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return QString::fromStdString(path);
  }
  // No bus: the portal cannot answer.
  QDBusConnection NoBus() { return QDBusConnection(QStringLiteral("aucun")); }
  TTempDir Dir;
};

TEST_F(DesktopSchemeTest, GnomesKeyAtStartAndWhenItChanges) {
  TDesktopColorScheme desktop(
      NoBus(), Script("echo \"'prefer-dark'\"", "sleep 0.2; echo \"color-scheme: 'default'\"; sleep 5"));
  std::vector<TColorScheme> changes;
  desktop.OnChange = [&](TColorScheme scheme) { changes.push_back(scheme); };
  EXPECT_EQ(desktop.Read(), kDark);
  EXPECT_EQ(desktop.Source(), "gnome");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !changes.empty(); }, 5000));
  EXPECT_EQ(changes, std::vector<TColorScheme>{kLight});
}

TEST_F(DesktopSchemeTest, NeitherPortalNorGnomeGivesLight) {
  for (const std::string& get : {std::string("exit 1"), std::string("echo \"'autre'\"")}) {
    TDesktopColorScheme desktop(NoBus(), Script(get, "true"));
    EXPECT_EQ(desktop.Read(), kLight);
    EXPECT_EQ(desktop.Source(), "");
  }
  TDesktopColorScheme missing(NoBus(), QString::fromStdString(Dir.File("absent")));
  EXPECT_EQ(missing.Read(), kLight);
}

}  // namespace
}  // namespace quilmo::test
