#pragma once
// Light or dark: the desktop's colour scheme, unless the user chose otherwise with the item
// "Thème s&ombre". The choice is kept in the settings ("Affichage"/"Thème sombre": "1" dark,
// "0" light, empty or absent: follow the desktop). Switching the item back to what the desktop
// shows follows the desktop again, so that a later change of the desktop is followed too.

#include <QString>

#include <cstdint>
#include <optional>

namespace quilmo {

enum class TColorScheme : std::uint8_t { Light, Dark };

// The portal's "org.freedesktop.appearance" "color-scheme": 1 prefers dark, 2 light, 0 no
// preference (light). Nothing for a value it does not define.
std::optional<TColorScheme> SchemeFromPortal(std::uint32_t value);
// What `gsettings get org.gnome.desktop.interface color-scheme` prints ('prefer-dark',
// 'default', 'prefer-light'), or a line of `gsettings monitor` ("color-scheme: 'prefer-dark'").
std::optional<TColorScheme> SchemeFromGnome(const QString& text);

// What the choice needs of the window.
class TThemeWindow {
 public:
  virtual ~TThemeWindow() = default;
  // Colours of the whole window for this scheme: palette, editor, status bar, glyphs.
  virtual void ApplyScheme(TColorScheme scheme) = 0;
  // The check mark of "Thème s&ombre".
  virtual void CheckDarkItem(bool dark) = 0;
  // The stored choice as text ("0", "1", empty when none), and storing it.
  virtual QString ReadStoredChoice() = 0;
  virtual void WriteStoredChoice(const QString& value) = 0;
};

class TThemeChoice {
 public:
  explicit TThemeChoice(TThemeWindow& window) : FWindow(window) {}

  // At start: the stored choice and the desktop's scheme, applied.
  void Start(TColorScheme desktop);
  // The desktop switched its scheme.
  void DesktopChanged(TColorScheme desktop);
  // The item "Thème s&ombre" was chosen.
  void Toggle();

  TColorScheme Effective() const;
  std::optional<TColorScheme> Override() const { return FOverride; }

  static inline const QString kSection = QStringLiteral("Affichage");
  static inline const QString kValue = QStringLiteral("Thème sombre");

 private:
  void Show();

  TThemeWindow& FWindow;
  TColorScheme FDesktop = TColorScheme::Light;
  std::optional<TColorScheme> FOverride;
  std::optional<TColorScheme> FApplied;
};

}  // namespace quilmo
