// Light and dark: the window's side of TThemeChoice, the item "Thème s&ombre" and the colours
// of the whole window for each scheme.
#include <QAction>
#include <QApplication>
#include <QStyleFactory>
#include <QToolBar>

#include "app/DarkPalette.h"
#include "app/DesktopColorScheme.h"
#include "app/EditForm.h"
#include "app/LazyIconStyle.h"
#include "app/Settings.h"
#include "app/ThemeChoice.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo {

namespace {

// The palette and style the platform gave the application, taken before the first scheme is
// applied (by any window) and given back for the light one.
struct TLightLook {
  QPalette Palette;
  QString StyleName;
};

QString BaseStyleName() {
  const auto* proxy = qobject_cast<const QProxyStyle*>(QApplication::style());
  const QStyle* base = proxy != nullptr ? proxy->baseStyle() : QApplication::style();
  return base->name();
}

const TLightLook& PlatformLook() {
  static const TLightLook look{QApplication::palette(), BaseStyleName()};
  return look;
}

}  // namespace

class TEditFormThemeWindow : public TThemeWindow {
 public:
  explicit TEditFormThemeWindow(TEditForm& form) : F(form) {}

  void ApplyScheme(TColorScheme scheme) override { F.ApplyColorScheme(scheme); }
  void CheckDarkItem(bool dark) override { F.FView.Themesombre1->setChecked(dark); }
  QString ReadStoredChoice() override {
    return F.Settings().ReadString(TThemeChoice::kSection, TThemeChoice::kValue, QString());
  }
  void WriteStoredChoice(const QString& value) override {
    try {
      F.Settings().WriteString(TThemeChoice::kSection, TThemeChoice::kValue, value);
      F.Settings().Flush();
    } catch (const std::exception& error) {
      F.ShowError(error);
    }
  }

 private:
  TEditForm& F;
};

void TEditForm::CreateTheme() {
  FThemeWindow = std::make_shared<TEditFormThemeWindow>(*this);
  FThemeChoice = std::make_shared<TThemeChoice>(*FThemeWindow);
  TColorScheme desktop = TColorScheme::Light;
  if (TDesktopColorScheme* source = FServices.Desktop) {
    desktop = source->Read();
    source->OnChange = [this](TColorScheme scheme) { FThemeChoice->DesktopChanged(scheme); };
  }
  try {
    FThemeChoice->Start(desktop);
  } catch (const std::exception& error) {
    ShowError(error);
  }
}

void TEditForm::Themesombre1Click() {
  FThemeChoice->Toggle();
}

void TEditForm::ApplyColorScheme(TColorScheme scheme) {
  const bool dark = scheme == TColorScheme::Dark;
  const TLightLook& light = PlatformLook();
  // Only Fusion draws every part from the palette; platform styles may keep their own light
  // colours.
  const QString styleName = dark ? QStringLiteral("Fusion") : light.StyleName;
  if (BaseStyleName().compare(styleName, Qt::CaseInsensitive) != 0)
    if (QStyle* style = QStyleFactory::create(styleName)) QApplication::setStyle(new TLazyIconStyle(style));
  QApplication::setPalette(dark ? DarkPalette() : light.Palette);

  // The editor's own colours: the text follows the palette in the dark; margin lines and
  // rules that were drawn black or navy get light ones.
  TTextFileEditor& editor = *FEditor;
  editor.FixedFont().SetColor(dark ? clWindowText : clBlack);
  const TColor line = dark ? RGBColor(150, 150, 150) : clBlack;
  editor.MarginOptions().Left().SetLineColor(line);
  editor.MarginOptions().Right().SetLineColor(line);
  editor.SetRuleColor(dark ? RGBColor(110, 160, 240) : clNavy);
  FEditorWidget->viewport()->update();
  for (QToolBar* bar : {FBars.Toolbar, FBars.PanelBar, FBars.ScreenButton})
    if (bar != nullptr) bar->update();
}

}  // namespace quilmo
