#include "app/EditForm.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QDockWidget>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

#include "app/AppInfo.h"
#include "app/DesktopColorScheme.h"
#include "app/FileCommands.h"
#include "app/FileErrors.h"
#include "app/JournalKeeper.h"
#include "app/NameBytes.h"
#include "app/Prompter.h"
#include "app/Recovery.h"
#include "app/Settings.h"
#include "app/dialogs/AccessibleNames.h"
#include "editor/Controller.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"
#include "editor/qt/FontList.h"
#include "engine/LoadReport.h"

namespace quilmo {

namespace {

const QString kUntitled = QStringLiteral("Sans titre");

bool IsOpenDialogSwitch(const QString& argument) {
  return argument == QLatin1String("-d") || argument == QLatin1String("-D");
}

bool IsInstanceSwitch(const QString& argument) {
  return argument == QLatin1String("-i") || argument == QLatin1String("-I");
}

// One argument asks for the dialog and the other for multiple openings, in either order.
bool IsSwitchPair(const QString& a, const QString& b) {
  return (IsOpenDialogSwitch(a) && IsInstanceSwitch(b)) || (IsInstanceSwitch(a) && IsOpenDialogSwitch(b));
}

std::string Bytes(const QString& name) {
  return NameBytes(name);
}

QString FromBytes(const std::string& name) {
  return NameFromBytes(name);
}

bool Exists(TFileSystem& fileSystem, const std::string& name) {
  TFileInfo info;
  return fileSystem.Stat(name, info) == 0;
}

// The first character of a locale format that is neither a letter nor a blank: its separator.
QChar SeparatorOf(const QString& format, QChar fallback) {
  for (const QChar c : format)
    if (!c.isLetter() && !c.isSpace()) return c;
  return fallback;
}

// "dd/mm/yy hh:mm" with the system's date and time separators.
QString LogStampText(const QDateTime& now) {
  const QLocale locale = QLocale::system();
  const QChar date = SeparatorOf(locale.dateFormat(QLocale::ShortFormat), '/');
  const QChar time = SeparatorOf(locale.timeFormat(QLocale::ShortFormat), ':');
  return now.toString(QStringLiteral("dd%1MM%1yy hh%2mm").arg(date).arg(time));
}

}  // namespace

// ------------------------------------------------------------------ creation

TEditForm::TEditForm(TEditFormServices services, QWidget* parent)
    : QMainWindow(parent), FServices(std::move(services)) {
  // A copy started to recover one journal opens nothing else.
  FRecoveryJournal = TakeRecoveryArguments(FServices.Arguments);
  setObjectName(QStringLiteral("EditForm"));
  setWindowTitle(QString::fromLatin1(kApplicationTitle));
  FApplicationTitle = windowTitle();
  setAttribute(Qt::WA_AlwaysShowToolTips);
  // The controller with the program's command tables (Ctrl+D deletes the line, ...).
  FController = MakeApplicationController();
  CreateEditor();
  CreateDiskWatch();
  CreateMenus();
  CreateContextMenus();
  CreateToolbar();
  CreateBars();
  NameForReaders(this);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { FClipboardKnown = false; });
  FTimer1 = new QTimer(this);
  FTimer1->setInterval(200);
  connect(FTimer1, &QTimer::timeout, this, &TEditForm::Timer1Timer);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) resize(screen->availableSize() * 3 / 4);
  if (!FServices.JournalFolder.isEmpty()) {
    FJournal = std::make_unique<TJournalKeeper>(FServices.JournalFolder, this);
    FJournal->OnError = [this](const QString& message) {
      WithTopmostOff([&] { Prompter().Show(this, TMessageKind::Warning, FApplicationTitle, message); });
    };
  }
  FormCreate();
  CreateTheme();
  OfferJournalRecovery();
}

void TEditForm::RestartJournal() {
  if (FJournal) FJournal->Begin(FEditor->ParaList(), DocumentName());
}

void TEditForm::EndJournal() {
  if (FJournal) FJournal->End();
}

void TEditForm::CreateEditor() {
  auto editor = std::make_unique<TTextFileEditor>();
  FEditor = editor.get();
  if (FServices.FileSystem) FEditor->SetFileSystem(*FServices.FileSystem);
  // The design values and the stored font go in before the editor has a window: it lays
  // itself out once, with the font it will show, instead of once for each font property.
  // (LoadSettings reads and applies the font again in its turn and reports what fails.)
  if (TFixedFont::FixedFontNames().empty()) InstallFixedFontNames();
  ApplyEditorDesign();
  try {
    ReadFontSetting();
    ApplyFontSetting();
  } catch (const std::exception&) {
  }
  FEditorWidget = new TEditorWidget(std::move(editor), this);
  FEditorWidget->setObjectName(QStringLiteral("Editor1"));
  FEditor->SetController(FController.get());
  setCentralWidget(FEditorWidget);
  FEditor->OnChange = [this](TCustomEditor&) { Editor1Change(); };
  FEditor->OnShowStatus = [this](TCustomEditor&, int lineNum, int colNum) {
    Editor1ShowStatus(lineNum, colNum);
  };
  FEditor->OnKeyDown = [this](TCustomEditor&, std::uint16_t& key, std::uint8_t shift) {
    Editor1KeyDown(key, shift);
  };
  // An edit the undo history cannot hold goes on only when the user agrees.
  FEditor->OnUndoTooLarge = [this](TCustomEditor&, bool& proceed) {
    proceed =
        WithTopmostOff([&] {
          return Prompter().Ask(
              this, TMessageKind::Warning, QStringLiteral("Avertissement"),
              QStringLiteral("Cette modification est trop grande pour pouvoir être annulée. Continuer ?"),
              TButtons::YesNo);
        }) == TAnswer::Yes;
  };
}

void TEditForm::ApplyEditorDesign() {
  TTextFileEditor& editor = *FEditor;
  editor.SetAutoIndent(true);
  editor.SetNewStyleIndent(true);
  editor.CaretOvr()->SetShape(TCaretShape::csBlock);
  editor.CaretOvr()->SetCaretWidth(10);
  editor.FixedFont().SetName("Fixedsys");
  editor.FixedFont().SetSize(8);
  editor.FixedFont().SetColor(clBlack);
  editor.SetHideSelection(false);
  editor.SetLeftMargin(2);
  editor.SetRightMargin(2);
  editor.SetScrollBarsAlways(true);
  editor.SetTabSize(4);
  editor.SetTrimWhiteSpace(false);
  editor.SetUndoBufferSize(65535);
  editor.SetWantTab(true);
  editor.SetWrapToWindow(true);
}

void TEditForm::FormCreate() {
  FTimer1->stop();
  FHistory = THistory();
  setAcceptDrops(true);
  FEditorWidget->viewport()->setAcceptDrops(true);
  FEditorWidget->viewport()->installEventFilter(this);
  qApp->installEventFilter(this);
  if (auto* dispatcher = QAbstractEventDispatcher::instance())
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TEditForm::AppIdle);
  // Settings that cannot be written are reported, and the start goes on without them.
  try {
    if (!Settings().HasSubKeys()) WriteDefaultSettings();
  } catch (const std::exception& error) {
    ShowError(error);
  }
  try {
    LoadSettings();
    RefreshHistoryMenu();
    FStartOutcome = InterpretCommandLine();
    if (FStartOutcome == TStartOutcome::Completed) FBars.MarkForm->hide();
  } catch (const std::exception& error) {
    FStartOutcome = TStartOutcome::StoppedEarly;
    ShowError(error);
  }
}

TStartOutcome TEditForm::InterpretCommandLine() {
  const QStringList& args = FServices.Arguments;
  switch (args.size()) {
    case 0:
      if (FOpenDialogAtStart && FRecoveryJournal.isEmpty()) return DialogStart(false, false);
      UntitledStart();
      return TStartOutcome::Completed;
    case 1:
      if (IsOpenDialogSwitch(args[0])) return DialogStart(true, false);
      if (IsInstanceSwitch(args[0])) {
        FMultipleOpenings = true;
        FOptions.Ouverturesmultiple1->setChecked(true);
        UntitledStart();
        return TStartOutcome::Completed;
      }
      return OpenOrCreate(args[0], false);
    case 2:
      FMultipleOpenings = true;
      FOptions.Ouverturesmultiple1->setChecked(true);
      if (IsSwitchPair(args[0], args[1])) return DialogStart(true, true);
      return OpenOrCreate(args[1], false);
    case 3:
      if (!IsSwitchPair(args[0], args[1])) return TStartOutcome::Completed;
      FMultipleOpenings = true;
      FOptions.Ouverturesmultiple1->setChecked(true);
      return OpenOrCreate(args[2], true);
    default: return TStartOutcome::Completed;
  }
}

TStartOutcome TEditForm::OpenOrCreate(const QString& argument, bool stampNewFile) {
  const QString name = AbsoluteName(argument);
  FEditor->SetFileName(Bytes(name));
  if (Exists(FEditor->FileSystem(), Bytes(name))) {
    bool opened = false;
    UntitledUnless([&] { opened = OpenDocument(name); });
    if (!opened) {
      UntitledStart();
      return TStartOutcome::StoppedEarly;
    }
    UpdateButtons(FEditor->ByteCount() != 0);
    ApplyLogStamp();
  } else {
    const TAnswer answer = WithTopmostOff([&] {
      return Prompter().Ask(
          this, TMessageKind::Question, FApplicationTitle,
          QStringLiteral("Le fichier %1 n'existe pas, voulez-vous le créer?").arg(DisplayName(name)),
          TButtons::YesNo);
    });
    if (answer != TAnswer::Yes) {
      UntitledStart();
      return TStartOutcome::StoppedEarly;
    }
    CreateEmptyDocument(name);
    if (stampNewFile) ApplyLogStamp();
  }
  AddToHistory(name);
  SetCaption(DocumentName());
  return TStartOutcome::Completed;
}

TStartOutcome TEditForm::DialogStart(bool fromCommandLine, bool twoArgumentVariant) {
  FOpenDialog1.Title = QString::fromLatin1(kApplicationTitle);
  TFileDialogRequest request;
  request.Title = FOpenDialog1.Title;
  request.Filter = QtFilterFromStored(FOpenDialog1.Filter);
  request.SelectedFilter = QtFilterEntry(FOpenDialog1.Filter, FOpenDialog1.FilterIndex);
  request.FileName = FOpenDialog1.FileName;
  request.CreatePrompt = true;
  const QStringList names = WithTopmostOff([&] { return Prompter().OpenFileNames(this, request); });
  if (names.isEmpty()) {
    UntitledStart();
    return fromCommandLine ? TStartOutcome::StoppedEarly : TStartOutcome::Completed;
  }
  FOpenDialog1.FilterIndex = StoredFilterIndex(FOpenDialog1.Filter, request.SelectedFilter);
  const QString& name = names.front();
  FOpenDialog1.FileName = name;
  // Qt decoded the name: refused when its bytes were lost on the way.
  if (Exists(FEditor->FileSystem(), CheckedNameBytes(FEditor->FileSystem(), name))) {
    FEditor->SetFileName(Bytes(name));
    bool opened = false;
    UntitledUnless([&] { opened = OpenDocument(name); });
    if (!opened) {
      UntitledStart();
      return fromCommandLine ? TStartOutcome::StoppedEarly : TStartOutcome::Completed;
    }
    if (!twoArgumentVariant) ApplyLogStamp();
  } else {
    CreateEmptyDocument(name);
  }
  UpdateButtons(FEditor->ByteCount() != 0);
  if (twoArgumentVariant) ApplyLogStamp();
  AddToHistory(name);
  SetCaption(name);
  return TStartOutcome::Completed;
}

void TEditForm::UntitledUnless(const std::function<void()>& step) {
  try {
    step();
  } catch (...) {
    UntitledStart();
    throw;
  }
}

void TEditForm::CreateEmptyDocument(const QString& name) {
  UntitledUnless([&] {
    FEditor->NewTextFile(Bytes(name));
    FEditor->SaveTextFile(Bytes(name));
  });
  FileCommands().RememberDiskState();
  RestartJournal();
}

void TEditForm::UntitledStart() {
  FEditor->SetFileName(Bytes(kUntitled));
  RestartJournal();
  SetCaption(kUntitled);
  UpdateButtons(false);
}

bool TEditForm::OpenDocument(const QString& name) {
  // An unreadable file is reported before the document's name changes.
  CheckReadable(FEditor->FileSystem(), Bytes(name));
  if (!MayOpenHere(name)) return false;
  FEditor->OpenTextFile(Bytes(name));
  FileCommands().RememberDiskState();
  ShowLoadReport();
  return true;
}

void TEditForm::ShowLoadReport() {
  const QString warning = TakeLoadReport();
  if (warning.isEmpty()) return;
  WithTopmostOff([&] { Prompter().Show(this, TMessageKind::Warning, FApplicationTitle, warning); });
}

QString TEditForm::TakeLoadReport() {
  RestartJournal();
  const TLoadReport& report = FEditor->LoadReport();
  // Only a load that a save would not give back asks before the file is replaced; a note on
  // mixed line ends informs and nothing more.
  const bool changedAtOpen = report.HasWarnings() || report.LongLineCount > 0;
  FUncleanLoad = changedAtOpen ? DocumentName() : QString();
  return QString::fromStdString(LoadReportMessage(report, Bytes(DocumentName()), FEditor->ParaLengthLimit()));
}

void TEditForm::ApplyLogStamp() {
  if (FEditor->GetLineText(1) != ".LOG") return;
  FEditor->AppendPara("");
  FEditor->SetCaretPosition(FEditor->LineCount(), 1);
  FEditor->InsertString(LogStampText(QDateTime::currentDateTime()).toStdString());
  FEditor->RefreshLayout(true);
}

// ------------------------------------------------------------------ names and caption

QString TEditForm::DocumentName() const {
  return FromBytes(FEditor->FileName());
}

bool TEditForm::IsUntitled() const {
  return DocumentName().startsWith(kUntitled);
}

void TEditForm::SetCaption(const QString& documentName) {
  setWindowTitle(
      QStringLiteral("%1 - %2").arg(QString::fromLatin1(kApplicationTitle), DisplayName(documentName)));
  FApplicationTitle = windowTitle();
}

// ------------------------------------------------------------------ prompts

TEditForm::TTopmostScope::TTopmostScope(TEditForm& form)
    : FForm(form), FWasOn(form.FView.Resteraudessus1->isChecked()) {
  if (FWasOn) FForm.Resteraudessus1Click();
}

TEditForm::TTopmostScope::~TTopmostScope() {
  if (FWasOn && !FForm.FView.Resteraudessus1->isChecked()) FForm.Resteraudessus1Click();
}

void TEditForm::ShowError(const std::exception& error) {
  WithTopmostOff([&] {
    Prompter().Show(this, TMessageKind::Error, QString::fromLatin1(kApplicationTitle),
                    QString::fromUtf8(error.what()));
  });
}

TAnswer TEditForm::AskSaveChanges(TPromptSound sound) {
  return WithTopmostOff([&] {
    if (sound == TPromptSound::Beep) QApplication::beep();
    return Prompter().Ask(this, TMessageKind::Warning, QStringLiteral("Avertissement"),
                          DisplayName(DocumentName()) +
                              QStringLiteral(" a été modifié, voulez vous enregistrer les modifications ?"),
                          TButtons::YesNoCancel);
  });
}

bool TEditForm::ConfirmDiscard(TPromptSound sound) {
  if (!FEditor->Modified()) return true;
  switch (AskSaveChanges(sound)) {
    case TAnswer::No: return true;
    case TAnswer::Cancel: return false;
    case TAnswer::Yes: break;
  }
  // The changes are discarded only once they are on disk: a failed or cancelled save stops
  // the command.
  try {
    Save1Click();
  } catch (const std::exception& error) {
    ShowError(error);
    return false;
  }
  return !FEditor->Modified();
}

void TEditForm::CenterOver(QWidget& dialog) {
  const QRect main = frameGeometry();
  const QSize size = dialog.frameGeometry().size();
  const QScreen* screen = this->screen();
  const QSize screenSize = screen ? screen->geometry().size() : QSize(size.width(), size.height());
  int left = main.left() + (main.width() - size.width()) / 2;
  if (left + size.width() > screenSize.width()) left = screenSize.width() - size.width();
  int top = main.top() + (main.height() - size.height()) / 2;
  if (top + size.height() > screenSize.height()) top = screenSize.height() - size.height();
  dialog.move(left, top);
}

// ------------------------------------------------------------------ closing

bool TEditForm::CloseQuery() {
  // A save that did not happen (cancelled or failed) keeps the window and its changes.
  return ConfirmDiscard(TPromptSound::Beep);
}

void TEditForm::closeEvent(QCloseEvent* event) {
  if (!CloseQuery()) {
    event->ignore();
    return;
  }
  CloseSearchDialogs();
  EndJournal();
  try {
    if (!FFullScreen && FEditingOptions.SaveOnExit) SaveSettings();
  } catch (const std::exception& error) {
    ShowError(error);
  }
  try {
    Settings().WriteBool(QStringLiteral("Edition"), QStringLiteral("Enregistrer en quittant"),
                         FEditingOptions.SaveOnExit);
    Settings().Flush();
  } catch (const std::exception& error) {
    ShowError(error);
  }
  event->accept();
}

TEditForm::~TEditForm() {
  try {
    WriteHistory();
  } catch (const std::exception& error) {
    ShowError(error);
  }
  qApp->removeEventFilter(this);
  if (FServices.Desktop != nullptr) FServices.Desktop->OnChange = nullptr;
  setAcceptDrops(false);
  FEditorWidget->viewport()->setAcceptDrops(false);
  FEdit.Retourlaligneautomatique1->setChecked(false);
  FEditor->SetWordWrap(false);
  // The editor widget is a child and goes after the window's own fields, the controller among
  // them; its last focus change must not reach a controller that is gone.
  FEditor->SetController(nullptr);
}

}  // namespace quilmo
