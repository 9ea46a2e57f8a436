// The control as a component: construction, window and focus, properties and their side
// effects, the views sharing one text, notifications and error reporting.

#include "editor/CustomEditor.h"

#include <algorithm>
#include <utility>

#include "editor/Controller.h"
#include "editor/EditorPainter.h"
#include "engine/EditorErrors.h"

namespace quilmo {

namespace {

// The width the line numbers of the window need, in the editor's font as the host measures it.
std::int32_t LineNumbersWidth(TEditorHost& host, const TFontDesc& font, std::int32_t topLine,
                              std::int32_t visibleLines) {
  return ComputeLineNumberWidth([&](std::string_view text) { return host.TextWidth(font, text); }, topLine,
                                visibleLines);
}

}  // namespace

TCustomEditor::TCustomEditor()
    : FHost(&NullEditorHost()),
      FParaList(std::make_shared<TParaList>(false, 8192)),
      FCarets(&NullEditorHost()) {
  FParaList->AddView(this);
  FFixedFont.SetColor(clWindowText);
  FFixedFont.OnChange = [this](TFixedFont&) { FontChanged(); };
  FHighlightColors.OnChange = [this](TColors&) { InvalidateAll(); };
  FMarginOptions.OnChange = [this](TEditorMargins&, bool layoutChanged) { MarginsChanged(layoutChanged); };
  FBorders.OnChange = [this](TBorders&) { BordersChanged(); };
}

TCustomEditor::~TCustomEditor() {
  FCarets.Unlink();
  if (FMouse.Captured()) FHost->StopAutoScrollTimer();
  DetachList();
}

// ---------------------------------------------------------------- window and host

void TCustomEditor::SetHost(TEditorHost* host) {
  FCarets.Unlink();
  if (FMouse.Captured()) {
    FMouse.Release();
    FHost->StopAutoScrollTimer();
  }
  FHost = host ? host : &NullEditorHost();
  FCarets.SetHost(FHost);
  FWindowCreated = false;
}

void TCustomEditor::CreateWnd() {
  const bool relink = FCarets.Linked();
  FCarets.Unlink();
  FWindowCreated = true;
  FHost->SetScrollBarStyle(HasHorzBar(FScrollBars), HasVertBar(FScrollBars));
  FView.SendVRange();
  FView.SendHRange();
  UpdateLayout();
  if (relink) {
    FCarets.Link();
    PlaceCaret();
  }
}

void TCustomEditor::FocusIn() {
  FInsertMode = EffectiveController().InsertMode();
  FCarets.SetInsertMode(FInsertMode);
  FitCaret();
  FCarets.Link();
  PlaceCaret();
  FCarets.Show();
  if (FHideSelection) InvalidateAll();
}

void TCustomEditor::FocusOut() {
  FCarets.Hide();
  FCarets.Unlink();
  if (FHideSelection) InvalidateAll();
  EffectiveController().SetInsertMode(FInsertMode);
}

void TCustomEditor::FitCaret() {
  FCarets.SetCellSize(FView.CharWidth, FView.LineHeight);
}

TController& TCustomEditor::EffectiveController() const {
  return FController ? *FController : DefaultController();
}

// ---------------------------------------------------------------- properties

void TCustomEditor::SetNewStyleIndent(bool value) {
  FNewStyleIndent = value;
  if (value) FAutoIndent = true;
}

void TCustomEditor::SetByteLimit(std::int32_t value) {
  if (value >= 0) FParaList->SetByteLimit(value);
}

void TCustomEditor::SetParaLimit(std::int32_t value) {
  if (value > 0) FParaList->SetParaLimit(value);
}

void TCustomEditor::SetParaLengthLimit(std::int32_t value) {
  if (value < 1 || value > kMaxParaLength) return;
  FParaList->SetParaLengthLimit(value);
  FView.SendHRange();
}

void TCustomEditor::SetBorderStyle(TEditorBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  if (FWindowCreated) CreateWnd();
}

void TCustomEditor::SetCtl3D(bool value) {
  if (value == FCtl3D) return;
  FCtl3D = value;
  if (FWindowCreated && FBorderStyle == TEditorBorderStyle::bsSingle) CreateWnd();
}

void TCustomEditor::BordersChanged() {
  if (FBorders.AnyEnabled()) {
    FCtl3D = false;
    SetBorderStyle(TEditorBorderStyle::bsNone);
  }
  InvalidateAll();
}

void TCustomEditor::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  InvalidateAll();
}

void TCustomEditor::SetHideSelection(bool value) {
  if (value == FHideSelection) return;
  FHideSelection = value;
  InvalidateAll();
}

void TCustomEditor::SetInsertMode(bool value) {
  FInsertMode = value;
  FCarets.SetInsertMode(value);
  PlaceCaret();
}

void TCustomEditor::SetMarginColor(TColor value) {
  if (value == FMarginColor) return;
  FMarginColor = value;
  InvalidateAll();
}

void TCustomEditor::SetRuleColor(TColor value) {
  if (value == FRuleColor) return;
  FRuleColor = value;
  if (FShowRules) InvalidateAll();
}

void TCustomEditor::SetScrollBars(TScrollStyle value) {
  if (value == TScrollStyle::ssNone) FScrollBarsAlways = false;
  if (value == FScrollBars) return;
  FScrollBars = value;
  if (FWindowCreated) CreateWnd();
}

void TCustomEditor::SetScrollBarsAlways(bool value) {
  if (FScrollBars == TScrollStyle::ssNone) value = false;
  if (value == FScrollBarsAlways) return;
  FScrollBarsAlways = value;
  if (FWindowCreated) CreateWnd();
}

void TCustomEditor::SetScrollPastEnd(bool value) {
  FScrollPastEnd = value;
  if (value) {
    SetWordWrap(false);
    return;
  }
  // Without it the caret may not stand behind the end of its line.
  const std::int32_t end = FParaList->LineLength(FPlaces.CaretLine()) + 1;
  if (FPlaces.CaretCol() > end) MoveCaretTo(FPlaces.CaretLine(), end);
}

void TCustomEditor::SetShowBookmarks(bool value) {
  if (value == FShowBookmarks) return;
  FShowBookmarks = value;
  if (value)
    RefreshLayout(true);
  else
    InvalidateAll();
}

void TCustomEditor::SetShowLineNumbers(bool value) {
  if (value == FShowLineNumbers) return;
  if (value) {
    FShowLineNumbers = true;
    FLineNumberWidth = LineNumbersWidth(*FHost, FFixedFont.Desc(), FView.TopLine, FView.VisibleLines);
    SetLeftMargin(LeftMargin() + FLineNumberWidth + 5);
  } else {
    FShowLineNumbers = false;
    SetLeftMargin(LeftMargin() - FLineNumberWidth - 5);
  }
  InvalidateAll();
}

void TCustomEditor::UpdateLineNumberWidth() {
  if (!FShowLineNumbers) return;
  const std::int32_t width = LineNumbersWidth(*FHost, FFixedFont.Desc(), FView.TopLine, FView.VisibleLines);
  if (width == FLineNumberWidth) return;
  const std::int32_t old = FLineNumberWidth;
  FLineNumberWidth = width;
  SetLeftMargin(LeftMargin() + width - old);
}

void TCustomEditor::SetShowRules(bool value) {
  if (value == FShowRules) return;
  FShowRules = value;
  UpdateLayout();
  InvalidateAll();
}

void TCustomEditor::SetTabSize(std::uint8_t value) {
  if (value == 0) return;
  FParaList->SetTabSize(value);
  InvalidateAll();
}

void TCustomEditor::SetTabType(TTabType value) {
  FTabType = value;
  InvalidateAll();
}

void TCustomEditor::SetUndoBufferSize(std::uint16_t value) {
  FParaList->SetUndoBufferSize(value);
}

void TCustomEditor::SetWordWrap(bool value) {
  if (value) {
    FWrapAtLeft = true;
    FScrollPastEnd = false;
    // Take the window's width first, so that the text is wrapped once.
    if (FWrapToWindow && FWindowCreated && FView.VisibleColumns > 2)
      FParaList->SetWrapColumn(FView.VisibleColumns - 2);
  }
  FParaList->SetWordWrap(value);
}

void TCustomEditor::SetWrapAtLeft(bool value) {
  if (!value && WordWrap()) return;
  FWrapAtLeft = value;
}

void TCustomEditor::SetWrapColumn(std::int32_t value) {
  if (value > 0) FParaList->SetWrapColumn(value);
}

void TCustomEditor::SetWrapToWindow(bool value) {
  FWrapToWindow = value;
  if (value && FWindowCreated && WordWrap()) SetWrapColumn(FView.VisibleColumns - 2);
}

void TCustomEditor::FontChanged() {
  if (FWindowCreated) UpdateLayout();
  if (FCarets.Linked()) {
    FitCaret();
    PlaceCaret();
  }
}

void TCustomEditor::MarginsChanged(bool layoutChanged) {
  if (layoutChanged && FWindowCreated)
    RefreshLayout(false);
  else
    InvalidateAll();
}

std::int32_t TCustomEditor::TextLeft() const {
  return LeftMargin() + (FMarginOptions.Left().Enabled() ? 5 : 0);
}

// ---------------------------------------------------------------- the text and its views

void TCustomEditor::DetachList() {
  if (!FParaList) return;
  FParaList->RemoveView(this);
  FParaList.reset();  // the last view frees the list
}

void TCustomEditor::AttachList(std::shared_ptr<TParaList> list) {
  FParaList = std::move(list);
  FParaList->AddView(this);
}

void TCustomEditor::ResetViewState() {
  const std::int32_t oldTop = FView.TopLine;
  FPlaces.Reset();
  FView.TopLine = 1;
  FView.TopPara = {1, 0};
  FView.LeftColumn = 0;
  FView.ClearMarks();
  if (oldTop != 1) DoTopLineChanged(1);
}

std::shared_ptr<TParaList> TCustomEditor::NewEmptyList() const {
  const TParaList& old = *FParaList;
  auto list = std::make_shared<TParaList>(old.WordWrap(), old.UndoBufferSize());
  list->SetByteLimit(old.ByteLimit());
  list->SetParaLimit(old.ParaLimit());
  list->SetParaLengthLimit(old.ParaLengthLimit());
  list->SetWrapColumn(old.WrapColumn());
  list->SetTabSize(old.TabSize());
  return list;
}

void TCustomEditor::ReplaceText(std::shared_ptr<TParaList> list, bool repaint) {
  DetachList();
  AttachList(std::move(list));
  ResetViewState();
  if (repaint && FWindowCreated) RefreshLayout(true);
}

void TCustomEditor::ClearText(bool repaint) {
  ReplaceText(NewEmptyList(), repaint);
}

void TCustomEditor::Attach(TCustomEditor& other) {
  if (&other == this || other.FParaList == FParaList) return;
  std::shared_ptr<TParaList> list = other.FParaList;
  DetachList();
  AttachList(std::move(list));
  ResetViewState();
  if (FWindowCreated) RefreshLayout(false);
}

TCustomEditor& TCustomEditor::NextView() const {
  const auto& views = FParaList->Views();
  const auto it = std::find(views.begin(), views.end(), static_cast<const TParaListView*>(this));
  if (it == views.end() || views.size() < 2) return const_cast<TCustomEditor&>(*this);
  const auto next = std::next(it) == views.end() ? views.begin() : std::next(it);
  auto* editor = dynamic_cast<TCustomEditor*>(*next);
  return editor ? *editor : const_cast<TCustomEditor&>(*this);
}

// ---------------------------------------------------------------- notifications

void TCustomEditor::DoChange() {
  if (OnChange) OnChange(*this);
}

void TCustomEditor::ReportError(std::uint16_t code) {
  if (code == 0) return;
  if (OnError) {
    std::uint16_t value = code;
    OnError(*this, value);
    return;
  }
  throw EEditorError::FromCode(code);
}

void TCustomEditor::DoShowStatus(int lineNum, int colNum) {
  if (OnShowStatus) OnShowStatus(*this, lineNum, colNum);
}

void TCustomEditor::DoTopLineChanged(int line) {
  if (OnTopLineChanged) OnTopLineChanged(*this, line);
}

void TCustomEditor::DoUserCommand(TEditorCommand command) {
  if (OnUserCommand) OnUserCommand(*this, command);
}

void TCustomEditor::StatusMessage(int column, int line) {
  DoShowStatus(line, static_cast<std::uint16_t>(column));
}

bool TCustomEditor::DrawLine(TEditorCanvas& canvas, const TRect& rect, const char* s, int len, int line,
                             int pos, int count, int hbLine, int hbCol, int heLine, int heCol) {
  bool wasDrawn = false;
  if (OnDrawLine)
    OnDrawLine(*this, canvas, rect, s, len, line, pos, count, hbLine, hbCol, heLine, heCol, wasDrawn);
  return wasDrawn;
}

}  // namespace quilmo
