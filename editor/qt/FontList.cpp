#include "editor/qt/FontList.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/qt/Cp1252Text.h"

namespace quilmo {

namespace {
const QString& SystemFixedName() {
  static const QString name = QString::fromLatin1(kSystemFixedFontName);
  return name;
}
}  // namespace

QStringList FixedPitchFamilies() {
  QStringList result{SystemFixedName()};
  for (const QString& family : QFontDatabase::families()) {
    if (family == SystemFixedName() || !QFontDatabase::isFixedPitch(family)) continue;
    if (!result.contains(family)) result.append(family);
  }
  return result;
}

void InstallFixedFontNames() {
  std::vector<std::string> names;
  for (const QString& family : FixedPitchFamilies()) names.push_back(family.toStdString());
  TFixedFont::SetFixedFontNames(std::move(names));
}

QString ResolveFixedFamily(const QString& name) {
  const QStringList families = QFontDatabase::families();
  if (name != SystemFixedName() || families.contains(name)) return name;
  QString system = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
  if (families.contains(system) && QFontDatabase::isFixedPitch(system)) return system;
  QString dejaVu = QStringLiteral("DejaVu Sans Mono");
  if (families.contains(dejaVu)) return dejaVu;
  for (const QString& family : families)
    if (QFontDatabase::isFixedPitch(family)) return family;
  return system;
}

TQtEditorFont::TQtEditorFont(const TFontDesc& desc) {
  FFont = QFont(ResolveFixedFamily(QString::fromStdString(desc.Name)));
  FFont.setPointSize(std::max(1, desc.Size));
  FFont.setBold((desc.Style & fsBold) != 0);
  FFont.setItalic((desc.Style & fsItalic) != 0);
  FFont.setUnderline((desc.Style & fsUnderline) != 0);
  FFont.setStrikeOut((desc.Style & fsStrikeOut) != 0);
  FFont.setFixedPitch(true);
  FFont.setStyleHint(QFont::TypeWriter);
  FFont.setKerning(false);
  // Full hinting keeps the glyphs sharp and their advances whole pixels.
  FFont.setHintingPreference(QFont::PreferFullHinting);

  const QFontMetrics fm(FFont);
  FCharWidth = fm.horizontalAdvance(QLatin1Char('x'));
  if (FCharWidth <= 0) FCharWidth = fm.averageCharWidth();
  FCharWidth = std::max(1, FCharWidth);
  FLeading = std::max(0, fm.leading());
  FBaseRowHeight = fm.height() + FLeading + 1;
  FAscent = fm.ascent();
  FHeight = fm.height();
}

bool TQtEditorFont::MeasureOnGrid(unsigned char byte) const {
  const QChar ch = ByteToQChar(byte);
  // Control characters (U+0000-001F, U+007F-009F) are never drawn as glyphs.
  const bool on = ch.category() != QChar::Other_Control && QFontMetrics(FFont).inFont(ch) &&
                  QFontMetricsF(FFont).horizontalAdvance(ch) == static_cast<qreal>(FCharWidth);
  FOnGrid[byte] = on ? TGrid::On : TGrid::Off;
  return on;
}

}  // namespace quilmo
