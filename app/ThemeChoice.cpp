#include "app/ThemeChoice.h"

namespace quilmo {

std::optional<TColorScheme> SchemeFromPortal(std::uint32_t value) {
  switch (value) {
    case 0:
    case 2: return TColorScheme::Light;
    case 1: return TColorScheme::Dark;
    default: return std::nullopt;
  }
}

std::optional<TColorScheme> SchemeFromGnome(const QString& text) {
  // The value is the last word, quoted: "'prefer-dark'" or "color-scheme: 'prefer-dark'".
  QString value = text.trimmed();
  value = value.mid(value.lastIndexOf(QLatin1Char(' ')) + 1);
  if (value.size() < 2 || !value.startsWith(QLatin1Char('\'')) || !value.endsWith(QLatin1Char('\'')))
    return std::nullopt;
  value = value.mid(1, value.size() - 2);
  if (value == QLatin1String("prefer-dark")) return TColorScheme::Dark;
  if (value == QLatin1String("default") || value == QLatin1String("prefer-light")) return TColorScheme::Light;
  return std::nullopt;
}

void TThemeChoice::Start(TColorScheme desktop) {
  FDesktop = desktop;
  const QString stored = FWindow.ReadStoredChoice().trimmed();
  if (stored == QLatin1String("1"))
    FOverride = TColorScheme::Dark;
  else if (stored == QLatin1String("0"))
    FOverride = TColorScheme::Light;
  else
    FOverride.reset();
  Show();
}

void TThemeChoice::DesktopChanged(TColorScheme desktop) {
  FDesktop = desktop;
  Show();
}

void TThemeChoice::Toggle() {
  const TColorScheme wanted = Effective() == TColorScheme::Dark ? TColorScheme::Light : TColorScheme::Dark;
  if (wanted == FDesktop) {
    FOverride.reset();
    FWindow.WriteStoredChoice(QString());
  } else {
    FOverride = wanted;
    FWindow.WriteStoredChoice(wanted == TColorScheme::Dark ? QStringLiteral("1") : QStringLiteral("0"));
  }
  Show();
}

TColorScheme TThemeChoice::Effective() const {
  return FOverride.value_or(FDesktop);
}

void TThemeChoice::Show() {
  const TColorScheme scheme = Effective();
  FWindow.CheckDarkItem(scheme == TColorScheme::Dark);
  if (FApplied == scheme) return;
  FApplied = scheme;
  FWindow.ApplyScheme(scheme);
}

}  // namespace quilmo
