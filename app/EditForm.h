#pragma once
// The main window: one editor control (Editor1) and therefore one document, its menus, tool
// bar, status bar and marks manager, the settings, the command line, the prompts before
// changes are lost, dropped files and starting further copies of the program.
//
// The class is split by feature: EditForm.cpp (creation, caption, prompts, closing),
// EditFormMenus.cpp (menus, tool bar, context menus), EditFormEnabling.cpp (enabling rules,
// menu shortcuts), EditFormEdit.cpp (edit commands, word wrap, option toggles),
// EditFormDrop.cpp (dropped files, further copies), EditFormSettings.cpp and EditFormBars.cpp
// (settings, bar records), EditFormFile.cpp (file commands and history), EditFormSearch.cpp,
// EditFormMarks.cpp, EditFormDialogs.cpp (dialogs), EditFormView.cpp (status bar, bars,
// full screen, auto-scroll, fonts, help).

#include <QHash>
#include <QMainWindow>
#include <QPair>
#include <QPalette>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "app/Answer.h"
#include "app/AutoScroll.h"
#include "app/History.h"
#include "app/dialogs/SearchState.h"

class QAction;
class QDialog;
class QDockWidget;
class QKeyEvent;
class QMimeData;
class QListWidget;
class QMenu;
class QPoint;
class QRect;
class QSize;
class QTimer;
class QToolBar;

namespace quilmo {

class TJournalKeeper;
struct TOrphanJournal;

class TController;
class TDesktopColorScheme;
class TDiskWatch;
class TEditFormDiskWindow;
class TEditFormFileWindow;
class TEditFormThemeWindow;
class TFileCommands;
class TCustomEditor;
class TEditorWidget;
class TFileSystem;
class TInstanceStarter;
class TNoticeBar;
class TPrompter;
class TSettingsStore;
class TStatusPanel;
class TTextFileEditor;
class TThemeChoice;
enum class TColorScheme : std::uint8_t;
enum class TStatusAction : std::uint8_t;

// Where the full-screen button's frame of `frame` size goes on `screen`: at its top right
// corner, inside it and left of a vertical scroll bar `scrollBarWidth` wide.
QPoint ScreenButtonPlace(const QRect& screen, const QSize& frame, int scrollBarWidth);

// What the window is given from outside; none of it is owned.
struct TEditFormServices {
  TSettingsStore* Settings = nullptr;
  TPrompter* Prompter = nullptr;
  TInstanceStarter* Starter = nullptr;
  // The command-line arguments after the program's name.
  QStringList Arguments;
  // The running program's file (for "Path" and for starting copies).
  QString ProgramFile;
  // Where the recovery journals live; empty: the document is not journaled (tests).
  QString JournalFolder;
  // What documents are read from and saved to; null: the platform's file system.
  TFileSystem* FileSystem = nullptr;
  // The desktop's colour scheme; null: light (tests).
  TDesktopColorScheme* Desktop = nullptr;
};

// The menus' items; names as the handlers use them.
struct TFileMenu {
  QMenu* File1 = nullptr;
  QAction* New1 = nullptr;
  QAction* Open1 = nullptr;
  QMenu* Historique1 = nullptr;
  std::array<QAction*, 10> Mru{};  // Mru1..Mru10, data() = 0..9
  QAction* Save1 = nullptr;
  QAction* SaveAs1 = nullptr;
  QAction* Print1 = nullptr;
  QAction* Exit1 = nullptr;
};

struct TEditMenu {
  QMenu* Edit1 = nullptr;
  QAction* Undo1 = nullptr;
  QAction* Rcuprer1 = nullptr;
  QAction* Cut1 = nullptr;
  QAction* Copy1 = nullptr;
  QAction* Paste1 = nullptr;
  QAction* Delete1 = nullptr;
  QAction* SelectAll1 = nullptr;
  QAction* HeureDate1 = nullptr;
  QAction* Retourlaligneautomatique1 = nullptr;
};

struct TSearchMenu {
  QMenu* Search1 = nullptr;
  QAction* Find1 = nullptr;
  QAction* Replace1 = nullptr;
  QAction* FindNext1 = nullptr;
  QAction* Rechercherleprcdent1 = nullptr;
  QAction* Ligne1 = nullptr;
  QAction* Gestionnairedemarques1 = nullptr;
  QAction* Supprimertouteslesmarques1 = nullptr;
};

struct TViewMenu {
  QMenu* Voir1 = nullptr;
  QAction* Pressepapiers1 = nullptr;
  QAction* N15 = nullptr;  // the separator after Pressepapiers1, shown with it
  QAction* Barredoutils1 = nullptr;
  QAction* B1 = nullptr;
  QAction* BoutonsStyle1 = nullptr;
  QAction* Barredestatus1 = nullptr;
  QAction* Informationslavole1 = nullptr;
  QAction* Signets1 = nullptr;
  QAction* Themesombre1 = nullptr;
  QAction* Resteraudessus1 = nullptr;
  QAction* Pleincran1 = nullptr;
};

struct TOptionsMenu {
  QMenu* Options1 = nullptr;
  QAction* Polices1 = nullptr;
  QAction* Prfrences1 = nullptr;
  QAction* Ouverturesmultiple1 = nullptr;
  QAction* N19 = nullptr;  // the invisible separator after Ouverturesmultiple1
  QAction* Enregistrerlaposition1 = nullptr;
  QAction* Enregistrerlaconfiguration1 = nullptr;
  QAction* Enregistrerlaconfigurationenquittant1 = nullptr;
};

struct THelpMenu {
  QMenu* Help1 = nullptr;
  QAction* Indexdelaide1 = nullptr;
  QAction* Apropos1 = nullptr;
};

// The editor's context menu (no shortcuts).
struct TContextMenu {
  QMenu* PopupMenu1 = nullptr;
  QAction* Undo2 = nullptr;
  QAction* Rcuprer2 = nullptr;
  QAction* Cut2 = nullptr;
  QAction* Copy2 = nullptr;
  QAction* Paste2 = nullptr;
  QAction* Delete2 = nullptr;
  QAction* Affichagenormal1 = nullptr;
  QAction* Barrededfilement1 = nullptr;
  QAction* N22 = nullptr;
  QAction* Gestionnairedemarques2 = nullptr;
  QAction* Afficherlamarque1 = nullptr;
  QAction* Ajouterunemarque1 = nullptr;
  QAction* Supprimerunemarque1 = nullptr;
  QAction* Supprimertouteslesmarques2 = nullptr;
  QAction* Proprits1 = nullptr;
  QAction* SelectAll2 = nullptr;
};

// The tool bar's buttons, left to right, and its seven separators.
struct TToolButtons {
  QAction* NewBtn = nullptr;
  QAction* OpenBtn = nullptr;
  QAction* SaveBtn = nullptr;
  QAction* PrintBtn = nullptr;
  QAction* UndoBtn = nullptr;
  QAction* RedoBtn = nullptr;
  QAction* CutBtn = nullptr;
  QAction* CopyBtn = nullptr;
  QAction* PasteBtn = nullptr;
  QAction* DelBtn = nullptr;
  QAction* WrapBtn = nullptr;
  QAction* FindBtn = nullptr;
  QAction* FindNextBtn = nullptr;
  QAction* FindPrevBtn = nullptr;
  QAction* ReplaceBtn = nullptr;
  QAction* LineBtn = nullptr;
  QAction* MarkBtn = nullptr;
  QAction* PEcranBtn1 = nullptr;
  QList<QAction*> Separators;
};

// The dockable bars and the tool window.
struct TBars {
  QToolBar* Toolbar = nullptr;
  QToolBar* PanelBar = nullptr;
  QDockWidget* MarkForm = nullptr;
  QListWidget* ListBox1 = nullptr;
  QToolBar* ScreenButton = nullptr;
  QAction* PecranBtn = nullptr;
};

// What the view menu's toggles and the settings say about the window's look.
struct TViewFlags {
  bool ToolBarShown = false;
  bool StatusBarShown = false;
  bool Tooltips = false;
  bool StandardButtons = false;
  bool StatusHelp = false;  // long hints in the status bar
  bool MarksMargin = false;
};

// Options of the window itself (the editor keeps its own properties).
struct TEditingOptions {
  bool ClearUndoAfterSave = false;  // "Tampon"
  bool CollapseAfterCopy = false;   // "Selection"
  bool SaveOnExit = false;          // "Enregistrer en quittant"
  bool RememberPosition = false;    // "Position"
};

struct TStatusBarState {
  bool CapsLock = false;
  bool NumLock = false;
  int MouseX = 0;
};

// Window state and bounds before full screen.
struct TSavedBounds {
  bool Maximized = false;
  int Top = 0;
  int Left = 0;
  int Height = 0;
  int Width = 0;
};

// What the Open and Save dialogs keep between uses.
struct TFileDialogState {
  QString Title;
  QString Filter;  // stored form: "Description|*.a;*.b|…"
  int FilterIndex = 1;
  QString FileName;
};

// The font as the settings describe it ("Police").
struct TFontSetting {
  QString Name;
  QString Style;
  int Size = 0;
};

// How ConfirmDiscard was reached: drops ask without a beep.
enum class TPromptSound { Beep, Silent };
// Where the creation handler stopped.
enum class TStartOutcome { Completed, StoppedEarly };

class TEditForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TEditForm(TEditFormServices services, QWidget* parent = nullptr);
  ~TEditForm() override;

  // ------------------------------------------------------------------ components
  TTextFileEditor& Editor1() const { return *FEditor; }
  TEditorWidget* Editor1Widget() const { return FEditorWidget; }
  TController& Controller1() const { return *FController; }
  const TFileMenu& FileMenu() const { return FFile; }
  const TEditMenu& EditMenu() const { return FEdit; }
  const TSearchMenu& SearchMenu() const { return FSearch; }
  const TViewMenu& ViewMenu() const { return FView; }
  const TOptionsMenu& OptionsMenu() const { return FOptions; }
  const THelpMenu& HelpMenu() const { return FHelp; }
  const TContextMenu& ContextMenu() const { return FContext; }
  QMenu* PopupMenu2() const { return FPopupMenu2; }
  QAction* Fichiercourant1() const { return FFichiercourant1; }
  const TToolButtons& ToolButtons() const { return FButtons; }
  const TBars& Bars() const { return FBars; }
  QTimer* Timer1() const { return FTimer1; }

  // ------------------------------------------------------------------ state
  const QString& ProgramFolder() const { return FProgramFolder; }
  bool MultipleOpenings() const { return FMultipleOpenings; }
  bool OpenDialogAtStart() const { return FOpenDialogAtStart; }
  bool FullScreen() const { return FFullScreen; }
  const THistory& History() const { return FHistory; }
  TSearchState& Search() { return FSearchState; }
  const TViewFlags& ViewFlags() const { return FViewFlags; }
  const TEditingOptions& EditingOptions() const { return FEditingOptions; }
  TEditingOptions& EditingOptions() { return FEditingOptions; }
  const TFileDialogState& OpenDialog1() const { return FOpenDialog1; }
  // The task-bar text; follows the caption.
  const QString& ApplicationTitle() const { return FApplicationTitle; }
  const QString& HelpFile() const { return FHelpFile; }
  TStartOutcome StartOutcome() const { return FStartOutcome; }
  // The document's name as the user reads it.
  QString DocumentName() const;
  bool IsUntitled() const;
  // The recovery journal of the document, or null when the window keeps none. It follows the
  // document now in the window (after a load, New or a save); EndJournal removes it once the
  // document is closed.
  TJournalKeeper* Journal() const { return FJournal.get(); }
  void RestartJournal();
  void EndJournal();
  // At start: offers back every journal left by copies that died (EditFormRecovery.cpp).
  void OfferJournalRecovery();

  // ------------------------------------------------------------------ operations used across the window
  void UpdateButtons(bool hasText);
  // The modified-document prompt; false when the user cancelled (or a save failed).
  bool ConfirmDiscard(TPromptSound sound = TPromptSound::Beep);
  void ApplyLogStamp();
  // Starts a copy of the program with these arguments ({"-i"} or {"-i", file}); false when it
  // could not be started.
  bool SpawnInstance(const QStringList& arguments);
  // Files dropped from the shell (in its order).
  void FilesDropped(const QStringList& names);
  void CenterOver(QWidget& dialog);
  void SetCaption(const QString& documentName);
  // Runs `show` (a dialog or message box) with the window's topmost state off around it.
  template <typename F>
  auto WithTopmostOff(F&& show) {
    TTopmostScope scope(*this);
    return show();
  }
  // Shows an error box (caption "Quilmo") with the exception's message.
  void ShowError(const std::exception& error);
  TPrompter& Prompter() const { return *FServices.Prompter; }
  TSettingsStore& Settings() const { return *FServices.Settings; }

  // ------------------------------------------------------------------ settings
  void WriteDefaultSettings();
  void LoadSettings();
  void SaveSettings();
  void SaveBarRecords();
  void LoadBarRecords();
  // The stored font ("Police") into FFontSetting, and FFontSetting onto the editor's font
  // (an unknown style gives the default font).
  void ReadFontSetting();
  void ApplyFontSetting();

  // ------------------------------------------------------------------ file commands and history
  void New1Click();
  void Open1Click();
  void Save1Click();
  void SaveAs1Click();
  void Print1Click();
  void Exit1Click();
  void Mru1Click(int tag);
  void OpenHistoryEntry(int index);
  void AddToHistory(const QString& name);
  void RefreshHistoryMenu();
  void ReadHistory();
  void WriteHistory();
  // The commands behind the file menu (made on first use).
  TFileCommands& FileCommands();
  // The watch over the document's file and the notice it shows (EditFormDiskWatch.cpp).
  TDiskWatch& DiskWatch() const { return *FDiskWatch; }
  TNoticeBar* NoticeBar() const { return FNoticeBar; }

  // ------------------------------------------------------------------ edit commands
  void Undo1Click();
  void Rcuprer1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Delete1Click();
  void SelectAll1Click();
  void Retourlaligneautomatique1Click();
  void Ouverturesmultiple1Click();
  void Resteraudessus1Click();
  void Enregistrerlaposition1Click();
  void Enregistrerlaconfiguration1Click();
  void Enregistrerlaconfigurationenquittant1Click();

  // ------------------------------------------------------------------ enabling
  void File1Click();
  void Edit1Click();
  void Search1Click();
  void Voir1Click();
  void PopupMenu1Popup();
  // The tool-button refresh of OnShowStatus.
  void RefreshToolButtons();
  bool ClipboardHasText() const;

  // ------------------------------------------------------------------ search, marks, dialogs
  void Find1Click();
  void Replace1Click();
  void FindNext1Click();
  void Rechercherleprcdent1Click();
  void Ligne1Click();
  void HeureDate1Click();
  void Prfrences1Click();
  void Apropos1Click();
  void Gestionnairedemarques1Click();
  void Supprimertouteslesmarques1Click();
  void Supprimertouteslesmarques2Click();
  void Signets1Click();
  void Afficherlamarque1Click();
  void Ajouterunemarque1Click();
  void Supprimerunemarque1Click();
  void MarkBtnClick();
  void MarkFormClose();
  // The marks list's context menu at a place of the screen.
  void ShowMarkListMenu(const QPoint& at);
  // Closes an open find or replace dialog (its histories are written).
  void CloseSearchDialogs();
  // Empties the marks manager's list.
  void ClearMarksList();
  // Number of marks in the marks manager's list.
  int MarkCount() const;

  // ------------------------------------------------------------------ view
  void Pressepapiers1Click();
  void Barredoutils1Click();
  void ToolbarClose();
  void B1Click();
  void BoutonsStyle1Click();
  void Barredestatus1Click();
  void PanelBarClose();
  void Informationslavole1Click();
  void Pleincran1Click();
  void PEcranBtn1Click();
  void PecranBtnClick();
  void Affichagenormal1Click();
  void ScreenButtonClose();
  void Barrededfilement1Click();
  void Polices1Click();
  void Indexdelaide1Click();
  // Light or dark (EditFormTheme.cpp): the item "Thème s&ombre", and the colours of a scheme.
  void Themesombre1Click();
  void ApplyColorScheme(TColorScheme scheme);
  TThemeChoice& ThemeChoice() const { return *FThemeChoice; }
  void Timer1Timer();
  void SetButtonStyle(bool standard);
  void SetTooltips(bool on);
  void EnterFullScreen();
  void LeaveFullScreen();
  void UpdateStatusBar();
  void AppIdle();
  // Auto-scroll keys and help (called from the editor's key handler).
  void AutoScrollKey(std::uint16_t key, std::uint8_t shift);
  void ShowHelp(int context);
  // The system's clipboard viewer program, or empty when it has none.
  QString ClipboardViewerPath() const;
  // The window's own part of the status bar's creation (Panel1 in PanelBar).
  void CreateStatusPanel();
  void AppHint(const QString& hint);
  void Panel1DblClick(TStatusAction action);
  TStatusPanel* Panel1() const { return FPanel1; }
  const TAutoScroll& AutoScroll() const { return FAutoScroll; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What the dialogs ask of the window, and the find and replace dialogs (EditFormDialogs.cpp).
  class TDialogsHost;
  TDialogsHost& DialogsHost();

  class TTopmostScope {
   public:
    explicit TTopmostScope(TEditForm& form);
    ~TTopmostScope();
    TTopmostScope(const TTopmostScope&) = delete;
    TTopmostScope& operator=(const TTopmostScope&) = delete;

   private:
    TEditForm& FForm;
    bool FWasOn;
  };

  // Creation (EditForm.cpp).
  void CreateEditor();
  void ApplyEditorDesign();
  void FormCreate();
  TStartOutcome InterpretCommandLine();
  TStartOutcome OpenOrCreate(const QString& argument, bool stampNewFile);
  TStartOutcome DialogStart(bool fromCommandLine, bool twoArgumentVariant);
  void UntitledStart();
  // Runs the step that loads or creates the document named at start; when it fails the
  // document is left untitled, so that Save asks for a name instead of writing over a file
  // that was never read or again at a name that cannot be created.
  void UntitledUnless(const std::function<void()>& step);
  // The file created empty on disk, and an empty document under its name.
  void CreateEmptyDocument(const QString& name);
  // Loads FileName (IsOpen) and shows what the load changed, if anything.
  // False when the user chose not to open a file another copy edits (MayOpenHere).
  bool OpenDocument(const QString& name);
  void ShowLoadReport();
  // The journal and the save's caution follow the document just loaded; what the load changed
  // in the text, or empty.
  QString TakeLoadReport();
  // The watch over the document's file (EditFormDiskWatch.cpp): the notice above the text, and
  // reading the file again with the caret kept on its line (false and why when it could not).
  void CreateDiskWatch();
  void CreateTheme();
  bool ReloadDocument(QString& message);
  // Before a save under the name of a document whose load changed something: the user agrees.
  bool MayReplaceUncleanLoad();
  TAnswer AskSaveChanges(TPromptSound sound);
  // Save as asked by the close query: true when the window may close.
  bool CloseQuery();

  // Menus and bars (EditFormMenus.cpp).
  void CreateMenus();
  void CreateFileMenu();
  void CreateEditMenu();
  void CreateSearchMenu();
  void CreateViewMenu();
  void CreateOptionsMenu();
  void CreateHelpMenu();
  void CreateContextMenus();
  void CreateToolbar();
  void CreateBars();
  QAction* AddMenuItem(QMenu* menu, const QString& caption, const QString& shortcut, const QString& hint,
                       void (TEditForm::*handler)());
  QAction* AddToolButton(const QString& icon, const QString& hint, bool enabled,
                         void (TEditForm::*handler)());

  // Enabling (EditFormEnabling.cpp).
  // A menu shortcut typed anywhere in the window: true when it was one.
  bool HandleMenuShortcut(const QKeyEvent& key);
  void RegisterShortcut(QAction* item, QMenu* topMenu);

  // Editor events (EditFormEdit.cpp).
  void Editor1Change();
  void Editor1ShowStatus(int lineNum, int colNum);
  void Editor1KeyDown(std::uint16_t& key, std::uint8_t shift);
  void SetWordWrapChecked(bool on);

  // Full screen (EditFormView.cpp): the button back to the normal view, floated above the
  // window again whenever the window was shown anew, and placed once its frame is known.
  void FloatScreenButton();
  void PlaceScreenButton();

  // Auto-scroll (EditFormView.cpp): stopping, and the editor's notifications that end it.
  void StopAutoScroll();
  void WatchAutoScrollEnd(bool on);

  // Recovery of journals left by copies that died (EditFormRecovery.cpp).
  void OfferOrphans();
  void RecoverRequested();
  bool MayTakeRecovered() const;
  void TakeRecovered(TOrphanJournal& orphan);
  void RecoverOverStartFile(TOrphanJournal& orphan);
  void RecoverInNewCopy(TOrphanJournal& orphan);
  // Before a file is read into the window: when another running copy has unsaved changes of
  // it, asks whether to open it here too.
  bool MayOpenHere(const QString& fileName);
  // Tells once of journals set aside because they cannot be read.
  void TellSetAside(const QStringList& setAside);

  // Drops (EditFormDrop.cpp).
  static QStringList DroppedFileNames(const QMimeData* data);

  TEditFormServices FServices;
  std::unique_ptr<TController> FController;
  TTextFileEditor* FEditor = nullptr;  // owned by FEditorWidget
  TEditorWidget* FEditorWidget = nullptr;

  TFileMenu FFile;
  TEditMenu FEdit;
  TSearchMenu FSearch;
  TViewMenu FView;
  TOptionsMenu FOptions;
  THelpMenu FHelp;
  TContextMenu FContext;
  QMenu* FPopupMenu2 = nullptr;
  QAction* FFichiercourant1 = nullptr;
  TToolButtons FButtons;
  TBars FBars;
  QTimer* FTimer1 = nullptr;
  // Menu shortcuts: key combination → (item, its menu on the menu bar).
  QHash<int, QPair<QAction*, QMenu*>> FShortcuts;

  QString FProgramFolder;
  bool FMultipleOpenings = false;
  bool FOpenDialogAtStart = false;
  bool FFullScreen = false;
  THistory FHistory;
  // The file commands and the window's side of them (EditFormFile.cpp); shared_ptr so that
  // the type may stay incomplete here.
  friend class TEditFormFileWindow;
  std::shared_ptr<TEditFormFileWindow> FFileWindow;
  friend class TEditFormDiskWindow;
  std::shared_ptr<TEditFormDiskWindow> FDiskWindow;
  TDiskWatch* FDiskWatch = nullptr;  // child objects of the window
  TNoticeBar* FNoticeBar = nullptr;
  friend class TEditFormThemeWindow;
  std::shared_ptr<TEditFormThemeWindow> FThemeWindow;
  std::shared_ptr<TThemeChoice> FThemeChoice;
  TSearchState FSearchState;
  TViewFlags FViewFlags;
  TEditingOptions FEditingOptions;
  TAutoScroll FAutoScroll;
  TStatusPanel* FPanel1 = nullptr;
  QObject* FTooltipHook = nullptr;  // swallows the tool bars' tooltips while they are off
  bool FTooltipsOn = true;
  TStatusBarState FStatusBar;
  TSavedBounds FSavedBounds;
  TFileDialogState FOpenDialog1;
  TFileDialogState FSaveDialog1;
  TFontSetting FFontSetting;
  QString FApplicationTitle;
  // The document whose load changed something a save would keep; saving it asks first.
  QString FUncleanLoad;
  QString FHelpFile;
  TStartOutcome FStartOutcome = TStartOutcome::Completed;
  // Whether the clipboard holds text, until it changes.
  mutable bool FClipboardKnown = false;
  mutable bool FClipboardHasText = false;
  std::unique_ptr<TJournalKeeper> FJournal;  // null when the document is not journaled
  // The journal this copy was started to recover, or empty.
  QString FRecoveryJournal;
  TDialogsHost* FDialogsHost = nullptr;  // a child object of the window, made on first use
  // Window placement from the settings, applied when the window is first shown.
  bool FStartMaximized = false;
};

}  // namespace quilmo
