// The status bar, the bars' visibility and look, full screen, auto-scroll, fonts and help.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScreen>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <utility>

#include "app/EditForm.h"
#include "app/HelpViewer.h"
#include "app/Prompter.h"
#include "app/StatusPanel.h"
#include "app/platform/Platform.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"
#include "editor/qt/FontList.h"

namespace quilmo {

namespace {

// Calls `handler` for the events of one type that reach the watched objects; `handler`
// returns true to stop an event there.
class TEventHook : public QObject {
 public:
  TEventHook(QEvent::Type type, std::function<bool(QObject*, QEvent*)> handler, QObject* parent)
      : QObject(parent), FType(type), FHandler(std::move(handler)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    return event->type() == FType && FHandler(watched, event);
  }

 private:
  QEvent::Type FType;
  std::function<bool(QObject*, QEvent*)> FHandler;
};

// Draws tool-bar separators as blank space (the standard look of the buttons).
class TBlankSeparatorStyle : public QProxyStyle {
 public:
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_IndicatorToolBarSeparator) return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
};

TScrollCode ScrollCodeOf(TAutoScrollStep step) {
  switch (step) {
    case TAutoScrollStep::asLineDown: return TScrollCode::scLineDown;
    case TAutoScrollStep::asLineUp: return TScrollCode::scLineUp;
    case TAutoScrollStep::asPageDown: return TScrollCode::scPageDown;
    case TAutoScrollStep::asPageUp: return TScrollCode::scPageUp;
    case TAutoScrollStep::asNone: break;
  }
  return TScrollCode::scEndScroll;
}

}  // namespace

QPoint ScreenButtonPlace(const QRect& screen, const QSize& frame, int scrollBarWidth) {
  constexpr int kMargin = 5;
  const int right = screen.left() + screen.width() - scrollBarWidth - kMargin;
  return {std::max(screen.left(), right - frame.width()), screen.top() + kMargin};
}

namespace {

// The full-screen button is placed again as the window manager frames it, until this time
// (milliseconds since the epoch); the window manager takes much less than kFramingTime.
constexpr const char* kPlacingUntil = "PlacingUntil";
constexpr qint64 kFramingTime = 1500;

QList<QToolButton*> ButtonsOf(QToolBar* bar) {
  QList<QToolButton*> buttons;
  for (QAction* action : bar->actions())
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) buttons << button;
  return buttons;
}

}  // namespace

// ------------------------------------------------------------------ status bar

void TEditForm::CreateStatusPanel() {
  FPanel1 = new TStatusPanel(FBars.PanelBar);
  FPanel1->setObjectName(QStringLiteral("Panel1"));
  FBars.PanelBar->addWidget(FPanel1);
  FPanel1->OnAction = [this](TStatusAction action) { Panel1DblClick(action); };
  // Long hints of menu items and buttons reach the window as status tips.
  installEventFilter(new TEventHook(
      QEvent::StatusTip,
      [this](QObject*, QEvent* event) {
        AppHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
      },
      this));
}

void TEditForm::UpdateStatusBar() {
  std::int32_t line = 0;
  std::int32_t column = 0;
  FEditor->GetCaretPosition(line, column);
  FPanel1->SetDocumentStatus(
      {line, column, FEditor->LineCount(), FEditor->ByteCount(), FEditor->InsertMode(), FEditor->Modified()});
  // The Edit items follow the document so that their shortcuts do; the clipboard is asked
  // only when the menu opens or a shortcut is typed, never on every key.
  const bool selection = FEditor->HasSelection();
  FEdit.SelectAll1->setEnabled(FEditor->ByteCount() > 0);
  FEdit.Undo1->setEnabled(FEditor->CanUndo());
  FEdit.Rcuprer1->setEnabled(FEditor->CanRedo());
  FEdit.Copy1->setEnabled(selection);
  FEdit.Cut1->setEnabled(selection);
  FEdit.Delete1->setEnabled(selection);
}

// Runs each time the event loop is about to wait: a few constant-time reads of the editor and
// one query of the keyboard state; the panel repaints only what changed.
void TEditForm::AppIdle() {
  if (FPanel1 == nullptr || FBars.PanelBar->isHidden()) return;
  UpdateStatusBar();
  const platform::TLockState keys = platform::ReadLockState();
  FStatusBar.CapsLock = keys.CapsLock;
  FStatusBar.NumLock = keys.NumLock;
  FPanel1->SetLockKeys(keys.NumLock, keys.CapsLock);
}

void TEditForm::AppHint(const QString& hint) {
  const QString text = LongHint(hint);
  FPanel1->SetHintText(FViewFlags.StatusHelp ? text : QString());
}

void TEditForm::Panel1DblClick(TStatusAction action) {
  FStatusBar.MouseX = FPanel1->LastMouseX();
  switch (action) {
    case TStatusAction::saGoToLine: Ligne1Click(); break;
    case TStatusAction::saLastLine: FEditor->SetCaretPosition(FEditor->LineCount(), 1); break;
    case TStatusAction::saInsertMode: FEditor->SetInsertMode(!FEditor->InsertMode()); break;
    case TStatusAction::saNumLock: platform::ToggleLockKey(platform::TLockKey::lkNumLock); break;
    case TStatusAction::saCapsLock: platform::ToggleLockKey(platform::TLockKey::lkCapsLock); break;
    case TStatusAction::saNone: break;
  }
}

// ------------------------------------------------------------------ bars

void TEditForm::Barredoutils1Click() {
  FBars.Toolbar->setVisible(!FView.Barredoutils1->isChecked());
  FView.Barredoutils1->setChecked(!FView.Barredoutils1->isChecked());
  FViewFlags.ToolBarShown = FView.Barredoutils1->isChecked();
}

void TEditForm::ToolbarClose() {
  FView.Barredoutils1->setChecked(false);
  FViewFlags.ToolBarShown = false;
}

void TEditForm::Barredestatus1Click() {
  FBars.PanelBar->setVisible(!FView.Barredestatus1->isChecked());
  FView.Barredestatus1->setChecked(!FView.Barredestatus1->isChecked());
  FViewFlags.StatusBarShown = FView.Barredestatus1->isChecked();
}

void TEditForm::PanelBarClose() {
  FView.Barredestatus1->setChecked(false);
  FViewFlags.StatusBarShown = false;
}

void TEditForm::B1Click() {
  FView.B1->setChecked(!FView.B1->isChecked());
  SetTooltips(FView.B1->isChecked());
  FViewFlags.Tooltips = FView.B1->isChecked();
}

void TEditForm::BoutonsStyle1Click() {
  FView.BoutonsStyle1->setChecked(!FView.BoutonsStyle1->isChecked());
  FViewFlags.StandardButtons = FView.BoutonsStyle1->isChecked();
  SetButtonStyle(FViewFlags.StandardButtons);
}

void TEditForm::Informationslavole1Click() {
  FView.Informationslavole1->setChecked(!FView.Informationslavole1->isChecked());
  FViewFlags.StatusHelp = FView.Informationslavole1->isChecked();
  if (!FViewFlags.StatusHelp) FPanel1->SetHintText({});
}

void TEditForm::SetButtonStyle(bool standard) {
  static TBlankSeparatorStyle* blank = nullptr;
  if (blank == nullptr) {
    blank = new TBlankSeparatorStyle;
    blank->setParent(qApp);
  }
  for (QToolBar* bar : {FBars.Toolbar, FBars.ScreenButton})
    for (QToolButton* button : ButtonsOf(bar)) button->setAutoRaise(!standard);
  for (QAction* separator : FButtons.Separators)
    if (QWidget* widget = FBars.Toolbar->widgetForAction(separator))
      widget->setStyle(standard ? static_cast<QStyle*>(blank) : nullptr);
}

void TEditForm::SetTooltips(bool on) {
  FTooltipsOn = on;
  if (FTooltipHook == nullptr) {
    FTooltipHook = new TEventHook(
        QEvent::ToolTip, [this](QObject*, QEvent*) { return !FTooltipsOn; }, this);
    for (QToolBar* bar : {FBars.Toolbar, FBars.ScreenButton})
      for (QToolButton* button : ButtonsOf(bar)) button->installEventFilter(FTooltipHook);
  }
}

// ------------------------------------------------------------------ full screen

void TEditForm::Pleincran1Click() {
  if (!FFullScreen) EnterFullScreen();
}

void TEditForm::PEcranBtn1Click() {
  Pleincran1Click();
}

void TEditForm::PecranBtnClick() {
  if (FFullScreen) LeaveFullScreen();
}

void TEditForm::Affichagenormal1Click() {
  PecranBtnClick();
}

void TEditForm::ScreenButtonClose() {
  FContext.Affichagenormal1->setVisible(true);
}

void TEditForm::EnterFullScreen() {
  FSavedBounds.Maximized = isMaximized();
  if (!FSavedBounds.Maximized) {
    const QRect bounds = geometry();
    FSavedBounds = {false, bounds.top(), bounds.left(), bounds.height(), bounds.width()};
  }
  setUpdatesEnabled(false);
  FView.Barredestatus1->setEnabled(false);
  FView.Barredoutils1->setEnabled(false);
  FView.Pleincran1->setEnabled(false);
  FContext.Barrededfilement1->setChecked(true);
  FContext.Barrededfilement1->setVisible(true);
  FContext.N22->setVisible(true);
  if (FViewFlags.ToolBarShown) FBars.Toolbar->hide();
  if (FViewFlags.StatusBarShown) FBars.PanelBar->hide();
  menuBar()->hide();
  FFullScreen = true;
  showFullScreen();
  QToolBar* screenButton = FBars.ScreenButton;
  removeToolBar(screenButton);
  // Its close box leaves the context item as the way back.
  const QString closeHook = QStringLiteral("ScreenButtonCloseHook");
  if (screenButton->findChild<QObject*>(closeHook, Qt::FindDirectChildrenOnly) == nullptr) {
    auto* hook = new TEventHook(
        QEvent::Close,
        [this](QObject*, QEvent*) {
          if (FFullScreen) ScreenButtonClose();
          return false;
        },
        screenButton);
    hook->setObjectName(closeHook);
    screenButton->installEventFilter(hook);
    // Once the window manager has framed it, its frame goes where it belongs; a move by the
    // user afterwards stays.
    for (const QEvent::Type type : {QEvent::Move, QEvent::Resize}) {
      screenButton->installEventFilter(new TEventHook(
          type,
          [this](QObject*, QEvent*) {
            QToolBar* button = FBars.ScreenButton;
            if (FFullScreen && button->isWindow() &&
                QDateTime::currentMSecsSinceEpoch() < button->property(kPlacingUntil).toLongLong())
              PlaceScreenButton();
            return false;
          },
          screenButton));
    }
    // Shown again (always on top switched, around a dialog), the window has a new native
    // window and comes up over the button: the button floats again above the new one.
    installEventFilter(new TEventHook(
        QEvent::Show,
        [this](QObject* watched, QEvent*) {
          if (watched == this && FFullScreen && !FContext.Affichagenormal1->isVisible())
            QTimer::singleShot(0, this, [this] {
              if (FFullScreen && !FContext.Affichagenormal1->isVisible()) FloatScreenButton();
            });
          return false;
        },
        this));
  }
  FloatScreenButton();
  FContext.Affichagenormal1->setVisible(false);
  setUpdatesEnabled(true);
}

// The button back to the normal view floats over the window, a window of its own, kept above
// it by the window manager as the window's transient.
void TEditForm::FloatScreenButton() {
  QToolBar* screenButton = FBars.ScreenButton;
  screenButton->hide();
  screenButton->setParent(this, Qt::Tool | Qt::WindowStaysOnTopHint);
  // A window of its own paints on its own, whatever the frozen main window does.
  screenButton->setUpdatesEnabled(true);
  screenButton->setWindowTitle(QStringLiteral("Affichage normal"));
  PlaceScreenButton();
  screenButton->setProperty(kPlacingUntil, QDateTime::currentMSecsSinceEpoch() + kFramingTime);
  screenButton->show();
  screenButton->raise();
}

// At the screen's top right corner, frame and close box inside the screen, left of the
// editor's vertical scroll bar.
void TEditForm::PlaceScreenButton() {
  QToolBar* screenButton = FBars.ScreenButton;
  const QRect area = (screen() != nullptr ? screen() : QGuiApplication::primaryScreen())->geometry();
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, FEditorWidget);
  const QPoint place = ScreenButtonPlace(area, screenButton->frameGeometry().size(), scrollBar);
  if (screenButton->pos() != place) screenButton->move(place);
}

void TEditForm::LeaveFullScreen() {
  setUpdatesEnabled(false);
  FView.Barredestatus1->setEnabled(true);
  FView.Barredoutils1->setEnabled(true);
  FView.Pleincran1->setEnabled(true);
  FContext.Barrededfilement1->setVisible(false);
  FContext.N22->setVisible(false);
  FEditorWidget->setEnabled(false);
  FEditor->SetScrollBars(TScrollStyle::ssBoth);
  FEditor->SetScrollBarsAlways(true);
  FEditorWidget->setEnabled(true);
  FFullScreen = false;
  menuBar()->show();
  if (FViewFlags.StatusBarShown) FBars.PanelBar->show();
  if (FViewFlags.ToolBarShown) FBars.Toolbar->show();
  if (FSavedBounds.Maximized) {
    showMaximized();
  } else {
    showNormal();
    setGeometry(FSavedBounds.Left, FSavedBounds.Top, FSavedBounds.Width, FSavedBounds.Height);
  }
  FContext.Affichagenormal1->setVisible(false);
  QToolBar* screenButton = FBars.ScreenButton;
  screenButton->hide();
  screenButton->setParent(this, Qt::Widget);
  addToolBar(Qt::TopToolBarArea, screenButton);
  screenButton->hide();
  setUpdatesEnabled(true);
  FEditorWidget->setFocus();
}

void TEditForm::Barrededfilement1Click() {
  const bool on = !FContext.Barrededfilement1->isChecked();
  FContext.Barrededfilement1->setChecked(on);
  FEditorWidget->setEnabled(false);
  if (on) {
    FEditor->SetScrollBars(TScrollStyle::ssBoth);
    FEditor->SetScrollBarsAlways(true);
  } else {
    FEditor->SetScrollBars(TScrollStyle::ssNone);
  }
  FEditorWidget->setEnabled(true);
  FEditorWidget->setFocus();
}

// ------------------------------------------------------------------ auto-scroll

void TEditForm::AutoScrollKey(std::uint16_t key, std::uint8_t shift) {
  if (key > 0xFF) return;
  switch (FAutoScroll.HandleKey(static_cast<std::uint8_t>(key), shift, FEditor->ByteCount() == 0)) {
    case TAutoScrollKeyAction::akStart:
      WatchAutoScrollEnd(true);
      Timer1Timer();
      // The step at once may already have reached the end.
      if (FAutoScroll.Running()) FTimer1->start(FAutoScroll.Interval());
      break;
    case TAutoScrollKeyAction::akStop: StopAutoScroll(); break;
    case TAutoScrollKeyAction::akInterval: FTimer1->setInterval(FAutoScroll.Interval()); break;
    case TAutoScrollKeyAction::akNone: break;
  }
}

void TEditForm::Timer1Timer() {
  const TAutoScrollStep step = FAutoScroll.Step();
  if (step != TAutoScrollStep::asNone) FEditor->VScroll(ScrollCodeOf(step), 0);
}

void TEditForm::StopAutoScroll() {
  FAutoScroll.Stop();
  FTimer1->stop();
  WatchAutoScrollEnd(false);
}

// The editor tells the top line and the lines it draws only while the text scrolls by itself,
// so that painting costs nothing more otherwise.
void TEditForm::WatchAutoScrollEnd(bool on) {
  if (!on) {
    FEditor->OnTopLineChanged = nullptr;
    FEditor->OnDrawLine = nullptr;
    return;
  }
  const auto reached = [this] {
    // Stopped from inside the editor's own call: the handlers are dropped afterwards.
    FTimer1->stop();
    QTimer::singleShot(0, this, [this] { WatchAutoScrollEnd(FAutoScroll.Running()); });
    QApplication::beep();
  };
  FEditor->OnTopLineChanged = [this, reached](TCustomEditor&, int line) {
    if (FAutoScroll.TopLineChanged(line)) reached();
  };
  FEditor->OnDrawLine = [this, reached](TCustomEditor& editor, TEditorCanvas&, const TRect&, const char*, int,
                                        int line, int, int, int, int, int, int, bool&) {
    if (FAutoScroll.LineDrawn(line, editor.LineCount())) reached();
  };
}

// ------------------------------------------------------------------ font, clipboard viewer, help

void TEditForm::Polices1Click() {
  TFixedFont& current = FEditor->FixedFont();
  const TQtEditorFont shown(current.Desc());
  QFont chosen = shown.Font();
  if (!WithTopmostOff([&] { return Prompter().ChooseFont(this, chosen); })) return;
  TFontDesc desc = current.Desc();
  // The family the editor's own name stands for ("Fixedsys") keeps that name.
  if (chosen.family() != shown.Font().family()) desc.Name = chosen.family().toStdString();
  if (chosen.pointSize() > 0) desc.Size = chosen.pointSize();
  desc.Style = static_cast<TFontStyles>((chosen.bold() ? fsBold : 0) | (chosen.italic() ? fsItalic : 0));
  try {
    current.Assign(desc);
  } catch (const std::exception& error) {
    ShowError(error);
  }
}

QString TEditForm::ClipboardViewerPath() const {
  return QString::fromStdString(platform::ClipboardViewer());
}

void TEditForm::Pressepapiers1Click() {
  const QString viewer = ClipboardViewerPath();
  if (!viewer.isEmpty()) platform::StartProgram(viewer.toStdString(), {});
}

void TEditForm::Indexdelaide1Click() {
  ShowHelp(kHelpIndex);
}

void TEditForm::ShowHelp(int context) {
  ::quilmo::ShowHelp(this, context);
}

}  // namespace quilmo
