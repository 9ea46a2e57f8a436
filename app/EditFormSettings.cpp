// The window's settings: first-run defaults, reading at start, saving.
#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QToolBar>

#include "app/EditForm.h"
#include "app/Settings.h"
#include "app/WindowBounds.h"
#include "editor/TextFileEditor.h"

namespace quilmo {

namespace {

const QString kEdition = QStringLiteral("Edition");
const QString kStatusBar = QStringLiteral("Barre de statuts");
const QString kButtons = QStringLiteral("Boutons");
const QString kFont = QStringLiteral("Police");
const QString kPosition = QStringLiteral("Position");
const QString kBuiltinFilter =
    QStringLiteral("Tous les fichiers (*.*)|*.*|Fichiers texte (*.txt)|*.txt;*.ini");
const QString kDefaultFontName = QStringLiteral("Fixedsys");
constexpr int kDefaultFontSize = 9;
// The largest size the font dialog takes: a larger one shows the text as empty boxes.
constexpr int kMaxFontSize = 512;

// The folder of a program file, with its trailing separator.
QString FolderOf(const QString& programFile) {
  QString folder = QDir::toNativeSeparators(QFileInfo(programFile).absolutePath());
  if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
  return folder;
}

QString StyleText(TFontStyles style) {
  switch (style & (fsBold | fsItalic | fsUnderline | fsStrikeOut)) {
    case 0: return QString();
    case fsBold: return QStringLiteral("Gras");
    case fsItalic: return QStringLiteral("Italic");
    case fsBold | fsItalic: return QStringLiteral("Gras-italic");
    default: return QStringLiteral("?");  // no "Style" written
  }
}

}  // namespace

void TEditForm::WriteDefaultSettings() {
  TSettingsStore& s = Settings();
  s.WriteString(QStringLiteral("Path"), QStringLiteral("Path"), FolderOf(FServices.ProgramFile));
  s.WriteBool(kEdition, QStringLiteral("Ouvertures multiples"), false);
  s.WriteBool(kEdition, QStringLiteral("Dialogue Ouvrir"), false);
  s.WriteBool(kStatusBar, QStringLiteral("Visible"), true);
  s.WriteBool(kStatusBar, QStringLiteral("Informations à la volée"), true);
  s.WriteBool(kButtons, QStringLiteral("Boutons standards"), false);
  s.WriteBool(kButtons, QStringLiteral("Bulles d'aide"), true);
  s.WriteBool(kEdition, QStringLiteral("Marques"), false);
  s.WriteBool(kPosition, QStringLiteral("Position"), false);
  s.WriteBool(kEdition, QStringLiteral("Auto-indentation"), false);
  s.WriteBool(kEdition, QStringLiteral("Sauvegarde"), false);
  s.WriteBool(kEdition, QStringLiteral("Espaces"), false);
  s.WriteBool(kEdition, QStringLiteral("Retour automatique"), false);
  s.WriteBool(kEdition, QStringLiteral("Selection"), false);
  s.WriteBool(kEdition, QStringLiteral("Tampon"), false);
  s.WriteInteger(kEdition, QStringLiteral("Taille des tabulations"), 4);
  s.WriteInteger(kEdition, QStringLiteral("Type des tabulations"), 0);
  s.WriteString(kFont, QStringLiteral("Nom"), kDefaultFontName);
  s.WriteInteger(kFont, QStringLiteral("Taille"), kDefaultFontSize);
  SaveBarRecords();
  s.Flush();
}

void TEditForm::LoadSettings() {
  const TSettingsStore& s = Settings();
  TViewFlags& v = FViewFlags;
  TEditingOptions& o = FEditingOptions;
  TTextFileEditor& e = *FEditor;

  // 1. Everything, each with the field's present value as its default.
  FMultipleOpenings = s.ReadBool(kEdition, QStringLiteral("Ouvertures multiples"), FMultipleOpenings);
  FOpenDialogAtStart = s.ReadBool(kEdition, QStringLiteral("Dialogue Ouvrir"), FOpenDialogAtStart);
  const QString storedPath = s.ReadString(QStringLiteral("Path"), QStringLiteral("Path"), FProgramFolder);
  v.StatusBarShown = s.ReadBool(kStatusBar, QStringLiteral("Visible"), v.StatusBarShown);
  v.StatusHelp = s.ReadBool(kStatusBar, QStringLiteral("Informations à la volée"), v.StatusHelp);
  v.ToolBarShown = s.ReadBool(QStringLiteral("ToolBar"), QStringLiteral("Visible"), v.ToolBarShown);
  v.StandardButtons = s.ReadBool(kButtons, QStringLiteral("Boutons standards"), v.StandardButtons);
  v.Tooltips = s.ReadBool(kButtons, QStringLiteral("Bulles d'aide"), v.Tooltips);
  v.MarksMargin = s.ReadBool(kEdition, QStringLiteral("Marques"), v.MarksMargin);
  const bool wordWrap = s.ReadBool(kEdition, QStringLiteral("Retour automatique"), false);
  o.RememberPosition = s.ReadBool(kPosition, QStringLiteral("Position"), o.RememberPosition);
  const bool maximized = s.ReadBool(kPosition, QStringLiteral("Maximized"), false);
  const int top = s.ReadInteger(kPosition, QStringLiteral("Top"), 0);
  const int left = s.ReadInteger(kPosition, QStringLiteral("Left"), 0);
  const int height = s.ReadInteger(kPosition, QStringLiteral("Height"), 0);
  const int width = s.ReadInteger(kPosition, QStringLiteral("Width"), 0);
  const bool autoIndent = s.ReadBool(kEdition, QStringLiteral("Auto-indentation"), false);
  o.CollapseAfterCopy = s.ReadBool(kEdition, QStringLiteral("Selection"), o.CollapseAfterCopy);
  o.ClearUndoAfterSave = s.ReadBool(kEdition, QStringLiteral("Tampon"), o.ClearUndoAfterSave);
  const bool backup = s.ReadBool(kEdition, QStringLiteral("Sauvegarde"), false);
  const bool trim = s.ReadBool(kEdition, QStringLiteral("Espaces"), false);
  const QString filter = s.ReadString(kEdition, QStringLiteral("Filtres de fichiers"), FOpenDialog1.Filter);
  const int tabSize = s.ReadInteger(kEdition, QStringLiteral("Taille des tabulations"), 0);
  const int tabType = s.ReadInteger(kEdition, QStringLiteral("Type des tabulations"), 0);
  const QString searchText = s.ReadString(QStringLiteral("Rechercher"), QStringLiteral("0"), QString());
  o.SaveOnExit = s.ReadBool(kEdition, QStringLiteral("Enregistrer en quittant"), o.SaveOnExit);
  ReadFontSetting();
  ReadHistory();

  // The stored folder while the program is found there; else the running program's own.
  const QString runningFolder = FolderOf(FServices.ProgramFile);
  const QString programName = QFileInfo(FServices.ProgramFile).fileName();
  FProgramFolder =
      !storedPath.isEmpty() && QFileInfo::exists(storedPath + programName) ? storedPath : runningFolder;

  // 2.
  RefreshHistoryMenu();
  LoadBarRecords();
  // 3.
  if (!searchText.isEmpty()) FSearchState.SearchText = searchText;
  // 4.
  FOptions.Ouverturesmultiple1->setChecked(FMultipleOpenings);
  FView.BoutonsStyle1->setChecked(v.StandardButtons);
  SetButtonStyle(v.StandardButtons);
  FView.B1->setChecked(v.Tooltips);
  SetTooltips(v.Tooltips);
  FBars.PanelBar->setVisible(v.StatusBarShown);
  FView.Barredestatus1->setChecked(v.StatusBarShown);
  FView.Informationslavole1->setChecked(v.StatusHelp);
  FBars.Toolbar->setVisible(v.ToolBarShown);
  FView.Barredoutils1->setChecked(v.ToolBarShown);
  FOptions.Enregistrerlaposition1->setChecked(o.RememberPosition);
  FOptions.Enregistrerlaconfigurationenquittant1->setChecked(o.SaveOnExit);
  e.SetMakeBackup(backup);
  e.SetTrimWhiteSpace(trim);
  e.SetTabSize(static_cast<std::uint8_t>(tabSize & 0xFF));
  e.SetAutoIndent(autoIndent);
  // 5.
  FOpenDialog1.Filter = filter.isEmpty() ? kBuiltinFilter : filter;
  // 6.
  SetWordWrapChecked(wordWrap);
  // 7.
  if (tabType >= 0 && tabType <= 2) e.SetTabType(static_cast<TTabType>(tabType));
  // 8.
  ApplyFontSetting();
  // 9.
  if (o.RememberPosition) {
    if (maximized) {
      setWindowState(windowState() | Qt::WindowMaximized);
    } else {
      // Within the screen the window lands on, or the primary one when it lands on none.
      const QScreen* screen = QGuiApplication::screenAt(QPoint(left, top));
      if (!screen) screen = QGuiApplication::primaryScreen();
      if (screen) {
        // The window system's frame is not known before the window is shown: the style's
        // title bar and frame stand for it.
        const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        const QMargins frame(border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border,
                             border);
        const QRect bounds =
            FitWindowBounds(QPoint(left, top), QSize(width, height), screen->availableGeometry(), frame);
        move(bounds.topLeft());
        resize(bounds.size());
      }
    }
  }
  // 10.
  e.SetLeftMargin(v.MarksMargin ? 15 : 2);
  FView.Signets1->setChecked(v.MarksMargin);
}

void TEditForm::ReadFontSetting() {
  const TSettingsStore& s = Settings();
  FFontSetting.Name = s.ReadString(kFont, QStringLiteral("Nom"), FFontSetting.Name);
  FFontSetting.Style = s.ReadString(kFont, QStringLiteral("Style"), FFontSetting.Style);
  FFontSetting.Size = s.ReadInteger(kFont, QStringLiteral("Taille"), FFontSetting.Size, 0, kMaxFontSize);
}

void TEditForm::ApplyFontSetting() {
  TTextFileEditor& e = *FEditor;
  if (!FFontSetting.Name.isEmpty()) {
    TFixedFont& font = e.FixedFont();
    font.SetName(FFontSetting.Name.toStdString());
    font.SetSize(FFontSetting.Size);
    const QString& style = FFontSetting.Style;
    if (style.isEmpty())
      font.SetStyle(0);
    else if (style == QLatin1String("Gras"))
      font.SetStyle(fsBold);
    else if (style == QLatin1String("Italic"))
      font.SetStyle(fsItalic);
    else if (style == QLatin1String("Gras-italic"))
      font.SetStyle(fsBold | fsItalic);
    else {
      font.SetName(kDefaultFontName.toStdString());
      font.SetSize(kDefaultFontSize);
    }
  }
}

void TEditForm::SaveSettings() {
  TSettingsStore& s = Settings();
  const TViewFlags& v = FViewFlags;
  const TEditingOptions& o = FEditingOptions;
  const TTextFileEditor& e = *FEditor;
  s.WriteBool(kEdition, QStringLiteral("Ouvertures multiples"), FMultipleOpenings);
  s.WriteBool(kEdition, QStringLiteral("Dialogue Ouvrir"), FOpenDialogAtStart);
  s.WriteBool(kStatusBar, QStringLiteral("Visible"), v.StatusBarShown);
  s.WriteBool(kStatusBar, QStringLiteral("Informations à la volée"), v.StatusHelp);
  s.WriteBool(kButtons, QStringLiteral("Boutons standards"), v.StandardButtons);
  s.WriteBool(kButtons, QStringLiteral("Bulles d'aide"), v.Tooltips);
  s.WriteBool(kEdition, QStringLiteral("Marques"), v.MarksMargin);
  s.WriteBool(kPosition, QStringLiteral("Position"), o.RememberPosition);
  s.WriteBool(kEdition, QStringLiteral("Auto-indentation"), e.AutoIndent());
  s.WriteBool(kEdition, QStringLiteral("Sauvegarde"), e.MakeBackup());
  s.WriteBool(kEdition, QStringLiteral("Espaces"), e.TrimWhiteSpace());
  s.WriteBool(kEdition, QStringLiteral("Retour automatique"), e.WordWrap());
  s.WriteBool(kEdition, QStringLiteral("Selection"), o.CollapseAfterCopy);
  s.WriteBool(kEdition, QStringLiteral("Tampon"), o.ClearUndoAfterSave);
  s.WriteInteger(kEdition, QStringLiteral("Taille des tabulations"), e.TabSize());
  s.WriteString(kEdition, QStringLiteral("Filtres de fichiers"), FOpenDialog1.Filter);
  s.WriteInteger(kEdition, QStringLiteral("Type des tabulations"), static_cast<int>(e.TabType()));
  TFixedFont& font = FEditor->FixedFont();
  s.WriteString(kFont, QStringLiteral("Nom"), QString::fromStdString(font.Name()));
  const QString style = StyleText(font.Style());
  if (style != QLatin1String("?")) s.WriteString(kFont, QStringLiteral("Style"), style);
  s.WriteInteger(kFont, QStringLiteral("Taille"), font.Size());
  if (o.RememberPosition) {
    if (isMaximized()) {
      s.WriteBool(kPosition, QStringLiteral("Maximized"), true);
    } else {
      s.WriteBool(kPosition, QStringLiteral("Maximized"), false);
      s.WriteInteger(kPosition, QStringLiteral("Top"), y());
      s.WriteInteger(kPosition, QStringLiteral("Left"), x());
      s.WriteInteger(kPosition, QStringLiteral("Height"), height());
      s.WriteInteger(kPosition, QStringLiteral("Width"), width());
    }
  }
  SaveBarRecords();
  s.Flush();
}

}  // namespace quilmo
